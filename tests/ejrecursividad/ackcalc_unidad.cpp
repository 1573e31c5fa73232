// ackermann de ackcalc frente a sus fórmulas cerradas, y los límites que main comprueba
// (cabeEnInt y calculable son propias de esta solución: con la de un alumno,
// EJ_SOLUCION_ALUMNO, esas pruebas no se compilan).
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejrecursividad/ackcalc.cpp"
#endif
#define main ackcalc_main
#include EJ_FUENTE
#undef main

namespace {

// A(m, n) exacto para m <= 3 y n >= 0, en 64 bits.
long long formula(int m, long long n) {
    switch (m) {
        case 0:
            return n + 1;
        case 1:
            return n + 2;
        case 2:
            return 2 * n + 3;
        default:
            return (1LL << (n + 3)) - 3;
    }
}

TEST(Enunciado, CoincideConLasFormulasCerradas) {
    for (int m = 0; m <= 3; ++m) {
        for (int n = 0; n <= 10; ++n) {
            EXPECT_EQ(ackermann(m, n), formula(m, n)) << "A(" << m << ", " << n << ")";
        }
    }
    EXPECT_EQ(ackermann(4, 0), 13);
    EXPECT_EQ(ackermann(0, -5), -4) << "m = 0 responde sin recursión";
}

#ifndef EJ_SOLUCION_ALUMNO

TEST(Propio, CabeEnIntJustoHastaElLimite) {
    // Para m <= 3, el último n que cabe y el siguiente, según la fórmula en 64 bits.
    struct Fila {
        int m, n;
    } bordes[] = {{0, 2147483646}, {1, 2147483645}, {2, 1073741822}, {3, 28}};
    for (const Fila& f : bordes) {
        SCOPED_TRACE("m = " + std::to_string(f.m));
        ASSERT_LE(formula(f.m, f.n), 2147483647LL);
        ASSERT_GT(formula(f.m, f.n + 1LL), 2147483647LL);
        EXPECT_TRUE(cabeEnInt(f.m, f.n));
        EXPECT_FALSE(cabeEnInt(f.m, f.n + 1));
    }
    struct Grande {
        int m, n;
        bool cabe;
    } grandes[] = {{4, 1, true},  {4, 2, false}, {5, 0, true},
                   {5, 1, false}, {6, 0, false}, {2147483647, 0, false}};
    for (const Grande& g : grandes) {
        EXPECT_EQ(cabeEnInt(g.m, g.n), g.cabe) << "A(" << g.m << ", " << g.n << ")";
    }
}

TEST(Propio, SeCalculaHastaElResultado65533) {
    struct Fila {
        int m, n;
        bool calculable;
    } filas[] = {
        {0, 2147483646, true}, {1, 65531, true}, {1, 65532, false}, {2, 32765, true},
        {2, 32766, false},     {3, 13, true},    {3, 14, false},    {4, 1, true},
        {4, 2, false},         {5, 0, true},     {5, 1, false},     {6, 0, false},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(calculable(f.m, f.n), f.calculable) << "A(" << f.m << ", " << f.n << ")";
    }
}

#endif  // EJ_SOLUCION_ALUMNO

}  // namespace

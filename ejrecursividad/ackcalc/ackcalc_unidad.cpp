// ackermann de ackcalc frente a sus fórmulas cerradas, y los límites que main comprueba
// (cabeEnInt, profundidad, llamadas y sus topes son propios de esta solución: con la de un
// alumno, EJ_SOLUCION_ALUMNO, esas pruebas no se compilan).
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include "comprobacion.h"
#include "firmas.h"

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

PIDE_EL_EJERCICIO(CoincideConLasFormulasCerradas,
                  "ackermann da A(m, n) para m de 0 a 4, y n + 1 para m = 0 con cualquier n") {
    for (int m = 0; m <= 3; ++m) {
        for (int n = 0; n <= 10; ++n) {
            EXPECT_EQ(ackermann(m, n), formula(m, n)) << "A(" << m << ", " << n << ")";
        }
    }
    EXPECT_EQ(ackermann(4, 0), 13);
    EXPECT_EQ(ackermann(0, -5), -4) << "m = 0 responde sin recursión";
}

PIDE_EL_EJERCICIO(FirmaDeAckermann, "ackermann se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(ackermann, int(int, int));
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

// Hasta A(3, 8) y A(4, 0), contados con un contador en cada llamada de la recursión (A(3, 3)
// anida 63 y hace 2432, como dice el ejercicio); los demás salen de la recurrencia
// C(m, n) = 1 + C(m, n − 1) + C(m − 1, A(m, n − 1)), C(m, 0) = 1 + C(m − 1, 1).
TEST(Propio, ProfundidadYLlamadasCoincidenConLasContadas) {
    struct Fila {
        int m, n;
        long long profundidad;
        unsigned long long llamadas;
    } filas[] = {
        {0, 0, 1, 1},
        {0, 7, 1, 1},
        {1, 0, 2, 2},
        {1, 1, 3, 4},
        {1, 5, 7, 12},
        {1, 20, 22, 42},
        {2, 0, 4, 5},
        {2, 1, 6, 14},
        {2, 3, 10, 44},
        {2, 10, 24, 275},
        {2, 20, 44, 945},
        {3, 0, 7, 15},
        {3, 1, 15, 106},
        {3, 2, 31, 541},
        {3, 3, 63, 2432},
        {3, 4, 127, 10307},
        {3, 5, 255, 42438},
        {3, 6, 511, 172233},
        {3, 7, 1023, 693964},
        {3, 8, 2047, 2785999},
        {3, 10, 8191, 44698325},
        {3, 12, 32767, 715664091},
        {3, 13, 65535, 2862983902ULL},
        {4, 0, 16, 107},
        {4, 1, 65536, 2862984010ULL},
        {5, 0, 65537, 2862984011ULL},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE("A(" + std::to_string(f.m) + ", " + std::to_string(f.n) + ")");
        EXPECT_EQ(profundidad(f.m, f.n), f.profundidad);
        EXPECT_EQ(llamadas(f.m, f.n), f.llamadas);
    }
}

TEST(Propio, LasFormulasNoSeDesbordanHastaElMayorQueCabe) {
    // A(3, 28) es el mayor resultado con m = 3 que cabe en int; 128·4^28 = 2^63.
    EXPECT_EQ(profundidad(3, 28), 2147483647LL);
    EXPECT_EQ(llamadas(3, 28), 3074457334880840459ULL);
    EXPECT_EQ(profundidad(2, 1073741822), 2147483648LL) << "A(2, n) = 2147483647, más 1";
    EXPECT_EQ(llamadas(2, 18914), 715611195ULL);
    EXPECT_EQ(llamadas(2, 18915), 715686860ULL);
}

TEST(Propio, ElTopeDeLlamadasEsElDeA312) {
    EXPECT_EQ(llamadas(3, 12), kLlamadasMaximas) << "el tope de llamadas es el de A(3, 12)";
}

// El último n que se calcula con cada m, y el siguiente: qué tope lo detiene.
TEST(Propio, BordesDeCadaM) {
    struct Fila {
        int m, n;
        bool hondo, largo;
    } filas[] = {
        {1, 65534, false, false}, {1, 65535, true, false}, {2, 18914, false, false},
        {2, 18915, false, true},  {2, 32766, false, true}, {2, 32767, true, true},
        {3, 12, false, false},    {3, 13, false, true},    {3, 14, true, true},
        {4, 0, false, false},     {4, 1, false, true},     {5, 0, true, true},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE("A(" + std::to_string(f.m) + ", " + std::to_string(f.n) + ")");
        ASSERT_TRUE(cabeEnInt(f.m, f.n));
        EXPECT_EQ(profundidad(f.m, f.n) > kProfundidadMaxima, f.hondo);
        EXPECT_EQ(llamadas(f.m, f.n) > kLlamadasMaximas, f.largo);
    }
}

#endif  // EJ_SOLUCION_ALUMNO

}  // namespace

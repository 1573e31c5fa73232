// Lo propio de la respuesta modelo de ackcalc: los límites que main comprueba antes de llamar a
// ackermann (cabeEnInt, profundidad y su tope), frente a las fórmulas cerradas. El fuente se
// compila tal cual, con su main renombrado y sin llamarlo.
#include <gtest/gtest.h>

#include <string>

#define main ackcalc_main
#include "../ackcalc.cpp"
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

// Los niveles que anida cada par: A(3, 3) anida 63 y A(3, 10) 8191, como dice el ejercicio.
TEST(Propio, ProfundidadCoincideConLaContada) {
    struct Fila {
        int m, n;
        long long profundidad;
    } filas[] = {
        {0, 0, 1},     {0, 7, 1},     {1, 0, 2},     {1, 1, 3},      {1, 5, 7},      {1, 20, 22},
        {2, 0, 4},     {2, 1, 6},     {2, 3, 10},    {2, 10, 24},    {2, 20, 44},    {3, 0, 7},
        {3, 1, 15},    {3, 2, 31},    {3, 3, 63},    {3, 4, 127},    {3, 5, 255},    {3, 6, 511},
        {3, 7, 1023},  {3, 8, 2047},  {3, 10, 8191}, {3, 12, 32767}, {3, 13, 65535}, {4, 0, 16},
        {4, 1, 65536}, {5, 0, 65537},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE("A(" + std::to_string(f.m) + ", " + std::to_string(f.n) + ")");
        EXPECT_EQ(profundidad(f.m, f.n), f.profundidad);
    }
}

TEST(Propio, LaFormulaNoSeDesbordaHastaElMayorQueCabe) {
    // A(3, 28) es el mayor resultado con m = 3 que cabe en int.
    EXPECT_EQ(profundidad(3, 28), 2147483647LL);
    EXPECT_EQ(profundidad(2, 1073741822), 2147483648LL) << "A(2, n) = 2147483647, más 1";
}

// El último n que se calcula con cada m, y el siguiente.
TEST(Propio, BordesDeCadaM) {
    struct Fila {
        int m, n;
        bool hondo;
    } filas[] = {
        {1, 9998, false}, {1, 9999, true}, {2, 4998, false}, {2, 4999, true}, {3, 10, false},
        {3, 11, true},    {4, 0, false},   {4, 1, true},     {5, 0, true},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE("A(" + std::to_string(f.m) + ", " + std::to_string(f.n) + ")");
        ASSERT_TRUE(cabeEnInt(f.m, f.n));
        EXPECT_EQ(profundidad(f.m, f.n) > kProfundidadMaxima, f.hondo);
    }
}

}  // namespace

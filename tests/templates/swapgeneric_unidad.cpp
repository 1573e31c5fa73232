// intercambiar de swapgeneric en los casos que el programa no muestra.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/swapgeneric.cpp"
#endif
#define main swapgeneric_main
#include EJ_FUENTE
#undef main

namespace {

TEST(Enunciado, IntercambiarDosVecesRestauraElOrden) {
    int a = 5, b = 10;
    intercambiar(a, b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 5);
    intercambiar(a, b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 10);

    char c1 = 'a', c2 = 'b';
    intercambiar(c1, c2);
    intercambiar(c1, c2);
    EXPECT_EQ(c1, 'a');
    EXPECT_EQ(c2, 'b');
}

TEST(Enunciado, LaMismaVariableComoAmbosArgumentosNoCambia) {
    int a = 42;
    intercambiar(a, a);
    EXPECT_EQ(a, 42);
    char c = 'z';
    intercambiar(c, c);
    EXPECT_EQ(c, 'z');
}

TEST(Enunciado, ValoresIgualesSiguenIguales) {
    int a = 7, b = 7;
    intercambiar(a, b);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 7);
}

}  // namespace

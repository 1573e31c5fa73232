// intercambiar de swapgeneric en los casos que el programa no muestra.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/swapgeneric.cpp"
#endif
#define main swapgeneric_main
#include EJ_FUENTE
#undef main

namespace {

PIDE_EL_EJERCICIO(IntercambiarDosVecesRestauraElOrden,
                  "intercambiar cambia los valores, y dos veces los deja como estaban") {
    int a = 5, b = 10;
    intercambiar(a, b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 5);
    intercambiar(a, b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 10);

    char c1 = 'a', c2 = 'b';
    intercambiar(c1, c2);
    EXPECT_EQ(c1, 'b');
    EXPECT_EQ(c2, 'a');
    intercambiar(c1, c2);
    EXPECT_EQ(c1, 'a');
    EXPECT_EQ(c2, 'b');
}

PIDE_EL_EJERCICIO(LaMismaVariableComoAmbosArgumentosNoCambia,
                  "intercambiar con la misma variable en los dos argumentos no la cambia") {
    int a = 42;
    intercambiar(a, a);
    EXPECT_EQ(a, 42);
    char c = 'z';
    intercambiar(c, c);
    EXPECT_EQ(c, 'z');
}

PIDE_EL_EJERCICIO(ValoresIgualesSiguenIguales,
                  "intercambiar dos valores iguales los deja iguales") {
    int a = 7, b = 7;
    intercambiar(a, b);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 7);
}

PIDE_EL_EJERCICIO(FirmaDeIntercambiar, "intercambiar se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(intercambiar<int>, void(int&, int&));
}

}  // namespace

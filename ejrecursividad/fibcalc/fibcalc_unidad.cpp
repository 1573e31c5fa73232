// fibonacci de fibcalc en valores que el programa no le pasa (negativos).
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejrecursividad/fibcalc.cpp"
#endif
#define main fibcalc_main
#include EJ_FUENTE
#undef main

namespace {

PIDE_EL_EJERCICIO(FibonacciDeCadaPosicion,
                  "fibonacci da el término de cada posición, y 0 para las negativas") {
    struct Fila {
        int n;
        int esperado;
    } filas[] = {
        {-2147483647 - 1, 0},
        {-1, 0},
        {0, 0},
        {1, 1},
        {2, 1},
        {3, 2},
        {4, 3},
        {5, 5},
        {10, 55},
        {20, 6765},
        {25, 75025},
        {30, 832040},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(fibonacci(f.n), f.esperado) << "n = " << f.n;
    }
}

PIDE_EL_EJERCICIO(FirmaDeFibonacci, "fibonacci se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(fibonacci, int(int));
}

}  // namespace

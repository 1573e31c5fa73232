// factorial de factcalc en valores que el programa no le pasa (negativos, n >= 66).
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejrecursividad/factcalc.cpp"
#endif
#define main factcalc_main
#include EJ_FUENTE
#undef main

namespace {

PIDE_EL_EJERCICIO(FactorialModulo2a64, "factorial da n! en unsigned long long, módulo 2^64") {
    struct Fila {
        int n;
        unsigned long long esperado;
    } filas[] = {
        {-2147483647 - 1, 1ULL},
        {-1, 1ULL},
        {0, 1ULL},
        {1, 1ULL},
        {2, 2ULL},
        {5, 120ULL},
        {20, 2432902008176640000ULL},
        {21, 14197454024290336768ULL},
        {25, 7034535277573963776ULL},
        {65, 9223372036854775808ULL},
        // main responde 0 desde 66 sin llamar a factorial: la propia regla da lo mismo.
        {66, 0ULL},
        {100, 0ULL},
        {5000, 0ULL},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(factorial(f.n), f.esperado) << "n = " << f.n;
    }
}

PIDE_EL_EJERCICIO(FirmaDeFactorial, "factorial se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(factorial, unsigned long long(int));
}

}  // namespace

// sumArray de arraysum con tramos distintos del arreglo fijo del programa.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <vector>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejrecursividad/arraysum.cpp"
#endif
#define main arraysum_main
#include EJ_FUENTE
#undef main

namespace {

PIDE_EL_EJERCICIO(SinElementosNoLeeElArreglo,
                  "sumArray con n igual a 0 o negativo devuelve 0 sin leer el arreglo") {
    // Con un puntero nulo, cualquier lectura haría fallar la prueba.
    for (int n : {0, -1, -2147483647 - 1}) {
        EXPECT_EQ(sumArray(nullptr, n), 0) << "n = " << n;
    }
}

PIDE_EL_EJERCICIO(SumaLosPrimerosNElementos, "sumArray suma los n primeros elementos del arreglo") {
    struct Fila {
        std::vector<int> datos;
        int n;
        int esperado;
    } filas[] = {
        {{1, 2, 3, 4, 5}, 1, 1},
        {{1, 2, 3, 4, 5}, 3, 6},
        {{1, 2, 3, 4, 5}, 5, 15},
        {{-4, 9, -5}, 3, 0},
        {{7}, 1, 7},
        {{2147483647, -1}, 2, 2147483646},
    };
    for (Fila& f : filas) {
        // El vector tiene exactamente los elementos del tramo en los casos completos: leer
        // uno más sería un acceso fuera de la memoria reservada (lo detecta AddressSanitizer).
        EXPECT_EQ(sumArray(f.datos.data(), f.n), f.esperado) << "n = " << f.n;
    }
}

PIDE_EL_EJERCICIO(FirmaDeSumArray, "sumArray se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(sumArray, int(int*, int));
}

}  // namespace

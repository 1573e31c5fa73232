// encontrarMinimo de mingeneric con ceros con signo y NaN, que el programa no puede leer.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/mingeneric.cpp"
#endif
#define main mingeneric_main
#include EJ_FUENTE
#undef main

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

PIDE_EL_EJERCICIO(EncontrarMinimoDeEnteros, "encontrarMinimo devuelve el menor de dos enteros") {
    struct Fila {
        const char* descripcion;
        int a, b, esperado;
    } filas[] = {
        {"el primero es menor", 3, 7, 3},
        {"el segundo es menor", 7, 3, 3},
        {"iguales", 4, 4, 4},
        {"con signo", -3, 2, -3},
        {"extremos de int", 2147483647, -2147483647 - 1, -2147483647 - 1},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        EXPECT_EQ(encontrarMinimo(f.a, f.b), f.esperado);
    }
}

PIDE_EL_EJERCICIO(ConCerosIgualesDevuelveElSegundo,
                  "encontrarMinimo con dos ceros de distinto signo devuelve el segundo") {
    EXPECT_TRUE(std::signbit(encontrarMinimo(0.0, -0.0))) << "debe devolver -0.0";
    EXPECT_FALSE(std::signbit(encontrarMinimo(-0.0, 0.0))) << "debe devolver 0.0";
    EXPECT_EQ(nucleo::escritoPor([] { std::cout << encontrarMinimo(0.0, -0.0); }).texto, "-0");
}

PIDE_EL_EJERCICIO(ConNaNDevuelveElSegundo,
                  "encontrarMinimo con un NaN en cualquier posición devuelve el segundo") {
    EXPECT_EQ(encontrarMinimo(kNaN, 1.0), 1.0);
    EXPECT_TRUE(std::isnan(encontrarMinimo(1.0, kNaN)));
    EXPECT_EQ(encontrarMinimo(2.71, 3.14), 2.71);
}

PIDE_EL_EJERCICIO(FirmaDeEncontrarMinimo, "encontrarMinimo se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(encontrarMinimo<int>, int(int, int));
}

}  // namespace

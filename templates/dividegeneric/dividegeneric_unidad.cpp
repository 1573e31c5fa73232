// dividir de dividegeneric con divisores que el programa no puede leer (NaN) y los signos
// del cero que devuelve.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "captura.h"
#include "comprobacion.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/dividegeneric.cpp"
#endif
#define main dividegeneric_main
#include EJ_FUENTE
#undef main

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::string kCero = "Error: No se puede dividir por cero.\n";

PIDE_EL_EJERCICIO(DividirConDivisorCeroAvisaYDevuelveCeroPositivo,
                  "dividir con divisor cero escribe el aviso en std::cerr y devuelve 0") {
    struct Fila {
        const char* descripcion;
        double a, b;
    } filas[] = {
        {"5 entre 0", 5.0, 0.0},
        {"5 entre -0", 5.0, -0.0},
        {"negativo entre 0: el 0 devuelto no lleva signo", -5.0, 0.0},
        {"NaN entre 0", kNaN, 0.0},
        {"0 entre 0", 0.0, 0.0},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        nucleo::Captura salida(std::cout);
        nucleo::Captura errores(std::cerr);
        double r = dividir(f.a, f.b);
        EXPECT_EQ(r, 0.0);
        EXPECT_FALSE(std::signbit(r));
        EXPECT_EQ(errores.texto(), kCero);
        EXPECT_EQ(salida.texto(), "") << "el error va solo a la salida de error";
    }
}

PIDE_EL_EJERCICIO(DividirSinCeroNoEscribeNada,
                  "dividir con otro divisor devuelve el cociente y no escribe nada") {
    nucleo::Captura salida(std::cout);
    nucleo::Captura errores(std::cerr);
    EXPECT_EQ(dividir(7.0, 2.0), 3.5);
    EXPECT_EQ(dividir(-7.0, 2.0), -3.5);
    EXPECT_TRUE(std::signbit(dividir(0.0, -4.0))) << "0 entre -4 es -0";
    EXPECT_DOUBLE_EQ(dividir(1.0, 1e-300), 1e300);
    EXPECT_EQ(dividir(1e300, 1e-300), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(dividir(1.0, kNaN))) << "NaN no es igual a 0: se divide";
    EXPECT_TRUE(std::isnan(dividir(kNaN, 2.0)));
    EXPECT_EQ(salida.texto(), "");
    EXPECT_EQ(errores.texto(), "");
}

}  // namespace

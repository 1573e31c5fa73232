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
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/dividegeneric.cpp"
#endif
#define main dividegeneric_main
#include EJ_FUENTE
#undef main

namespace {

// Lo que escribe dividir(a, b) en cada salida, y lo que devuelve.
struct Division {
    double resultado;
    nucleo::Escrito salida;
    nucleo::Escrito errores;
};

Division dividirCapturando(double a, double b) {
    Division d{};
    d.salida = nucleo::escritoPor(
        [&] { d.errores = nucleo::escritoPor([&] { d.resultado = dividir(a, b); }, std::cerr); });
    return d;
}

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
        const Division d = dividirCapturando(f.a, f.b);
        EXPECT_EQ(d.resultado, 0.0);
        EXPECT_FALSE(std::signbit(d.resultado));
        EXPECT_EQ(d.errores.texto, kCero);
        EXPECT_EQ(d.errores.comoAcaba(), nucleo::Final::SaltoVaciado)
            << "el aviso acaba con std::endl";
        EXPECT_EQ(d.salida.texto, "") << "el error va solo a la salida de error";
    }
}

PIDE_EL_EJERCICIO(DividirSinCeroNoEscribeNada,
                  "dividir con otro divisor devuelve el cociente y no escribe nada") {
    struct Fila {
        const char* descripcion;
        double a, b;
        double esperado;
    } filas[] = {
        {"7 entre 2", 7.0, 2.0, 3.5},
        {"-7 entre 2", -7.0, 2.0, -3.5},
        {"0 entre -4 es -0", 0.0, -4.0, -0.0},
        {"1 entre 1e-300", 1.0, 1e-300, 1e300},
        {"se pasa del rango", 1e300, 1e-300, std::numeric_limits<double>::infinity()},
        {"NaN no es igual a 0: se divide", 1.0, kNaN, kNaN},
        {"NaN entre 2", kNaN, 2.0, kNaN},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        const Division d = dividirCapturando(f.a, f.b);
        if (std::isnan(f.esperado)) {
            EXPECT_TRUE(std::isnan(d.resultado)) << d.resultado;
        } else {
            EXPECT_DOUBLE_EQ(d.resultado, f.esperado);
            EXPECT_EQ(std::signbit(d.resultado), std::signbit(f.esperado)) << d.resultado;
        }
        EXPECT_EQ(d.salida.texto, "");
        EXPECT_EQ(d.errores.texto, "");
    }
}

PIDE_EL_EJERCICIO(FirmaDeDividir, "dividir se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(dividir<double>, double(double, double));
}

}  // namespace

// encontrarMaximo de maxgeneric con valores que el programa no usa: empates, ceros con
// signo, NaN y bytes por encima de 127.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/maxgeneric.cpp"
#endif
#define main maxgeneric_main
#include EJ_FUENTE
#undef main

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

PIDE_EL_EJERCICIO(EncontrarMaximoDeEnteros, "encontrarMaximo devuelve el mayor de dos enteros") {
    struct Fila {
        const char* descripcion;
        int a, b, esperado;
    } filas[] = {
        {"el primero es mayor", 10, 5, 10},
        {"el segundo es mayor", 5, 10, 10},
        {"iguales", 7, 7, 7},
        {"con signo", -3, 2, 2},
        {"dos negativos", -3, -8, -3},
        {"extremos de int", -2147483647 - 1, 2147483647, 2147483647},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        EXPECT_EQ(encontrarMaximo(f.a, f.b), f.esperado);
    }
}

PIDE_EL_EJERCICIO(ConCerosIgualesDevuelveElSegundo,
                  "encontrarMaximo con dos ceros de distinto signo devuelve el segundo") {
    EXPECT_TRUE(std::signbit(encontrarMaximo(0.0, -0.0))) << "debe devolver -0.0";
    EXPECT_FALSE(std::signbit(encontrarMaximo(-0.0, 0.0))) << "debe devolver 0.0";
    const nucleo::Escrito e = nucleo::escritoPor(
        [] { std::cout << encontrarMaximo(0.0, -0.0) << ' ' << encontrarMaximo(-0.0, 0.0); });
    EXPECT_EQ(e.texto, "-0 0");
}

PIDE_EL_EJERCICIO(ConNaNDevuelveElSegundo,
                  "encontrarMaximo con un NaN en cualquier posición devuelve el segundo") {
    EXPECT_EQ(encontrarMaximo(kNaN, 1.0), 1.0);
    EXPECT_EQ(encontrarMaximo(kNaN, -1.0), -1.0);
    EXPECT_TRUE(std::isnan(encontrarMaximo(1.0, kNaN)));
    EXPECT_TRUE(std::isnan(encontrarMaximo(kNaN, kNaN)));
}

PIDE_EL_EJERCICIO(UnByteDesde128PierdeContraLaA,
                  "un char de 128 o más pierde contra la letra a (char tiene signo)") {
    ASSERT_TRUE(std::numeric_limits<char>::is_signed) << "char es con signo en esta plataforma";
    const char primerByteDeA = "á"[0];  // 0xC3 en UTF-8: negativo como char
    EXPECT_EQ(encontrarMaximo(primerByteDeA, 'a'), 'a');
    EXPECT_EQ(encontrarMaximo('a', primerByteDeA), 'a');
    EXPECT_EQ(encontrarMaximo('\x80', '\x7f'), '\x7f');
    EXPECT_EQ(encontrarMaximo('c', 'a'), 'c');
}

PIDE_EL_EJERCICIO(EncontrarMaximoNoEscribeNada, "encontrarMaximo no escribe nada") {
    const nucleo::Escrito e = nucleo::escritoPor([] {
        encontrarMaximo(1, 2);
        encontrarMaximo('a', 'b');
        encontrarMaximo(1.5, 2.5);
    });
    EXPECT_EQ(e.texto, "");
}

PIDE_EL_EJERCICIO(FirmaDeEncontrarMaximo, "encontrarMaximo se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(encontrarMaximo<int>, int(int, int));
}

}  // namespace

// mostrarAbs de absgeneric con valores que el programa no usa: cero, ceros con signo,
// reales negativos, NaN y los extremos de int.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "captura.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/absgeneric.cpp"
#endif
#define main absgeneric_main
#include EJ_FUENTE
#undef main

namespace {

const std::string kEtiqueta = "el valor absoluto del nuero es: ";

TEST(Enunciado, MostrarAbsEscribeElValorAbsoluto) {
    struct Fila {
        const char* descripcion;
        std::function<void()> llamada;
        std::string numero;
    } filas[] = {
        {"int 0", [] { mostrarAbs(0); }, "0"},
        {"int positivo", [] { mostrarAbs(7); }, "7"},
        {"int negativo", [] { mostrarAbs(-4); }, "4"},
        {"int máximo", [] { mostrarAbs(2147483647); }, "2147483647"},
        {"opuesto del int máximo", [] { mostrarAbs(-2147483647); }, "2147483647"},
        {"double 0", [] { mostrarAbs(0.0); }, "0"},
        {"double -0.0 no es menor que 0", [] { mostrarAbs(-0.0); }, "-0"},
        {"float -0.0 no es menor que 0", [] { mostrarAbs(-0.0f); }, "-0"},
        {"double -2.5", [] { mostrarAbs(-2.5); }, "2.5"},
        {"float -2.5", [] { mostrarAbs(-2.5f); }, "2.5"},
        {"seis cifras significativas", [] { mostrarAbs(-1234567.0); }, "1.23457e+06"},
        {"float con seis cifras", [] { mostrarAbs(-1234567.0f); }, "1.23457e+06"},
        {"NaN se escribe tal cual", [] { mostrarAbs(std::numeric_limits<double>::quiet_NaN()); },
         "nan"},
        {"-infinito", [] { mostrarAbs(-std::numeric_limits<double>::infinity()); }, "inf"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        arnes::Captura captura;
        f.llamada();
        EXPECT_EQ(captura.texto(), kEtiqueta + f.numero + "\n");
    }
}

TEST(Enunciado, MostrarAbsAcabaEnSaltoDeLineaSinVaciar) {
    arnes::Captura captura;
    mostrarAbs(-4);
    mostrarAbs(56.3f);
    EXPECT_EQ(captura.vaciados(), 0) << "'\\n' no vacía la salida; std::endl sí";
}

// El opuesto del int más negativo no cabe en int: se escribe a través del tipo sin signo.
TEST(Decidido, MostrarAbsDelIntMinimo) {
    arnes::Captura captura;
    mostrarAbs(-2147483647 - 1);
    EXPECT_EQ(captura.texto(), kEtiqueta + "2147483648\n")
        << "int mínimo: su opuesto no cabe en int";
    EXPECT_EQ(captura.vaciados(), 0) << "'\\n' no vacía la salida; std::endl sí";
}

TEST(Enunciado, MostrarAbsNoCambiaLaVariableDelLlamador) {
    arnes::Captura captura;
    int entero = -4;
    double real = -2.5;
    mostrarAbs(entero);
    mostrarAbs(real);
    EXPECT_EQ(entero, -4);
    EXPECT_EQ(real, -2.5);
}

}  // namespace

// mostrarAbs de absgeneric con valores que el programa no usa: cero, ceros con signo,
// reales negativos, NaN y los extremos de int.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "captura.h"
#include "comprobacion.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/absgeneric.cpp"
#endif
#define main absgeneric_main
#include EJ_FUENTE
#undef main

namespace {

const std::string kEtiqueta = "el valor absoluto del nuero es: ";

PIDE_EL_EJERCICIO(MostrarAbsEscribeElValorAbsoluto,
                  "mostrarAbs escribe el valor absoluto con su texto") {
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
        nucleo::Captura captura;
        f.llamada();
        EXPECT_EQ(captura.texto(), kEtiqueta + f.numero + "\n");
    }
}

PIDE_EL_EJERCICIO(MostrarAbsAcabaEnSaltoDeLineaSinVaciar,
                  "mostrarAbs termina con un salto de línea que no vacía la salida") {
    nucleo::Captura captura;
    mostrarAbs(-4);
    mostrarAbs(56.3f);
    EXPECT_EQ(captura.vaciados(), 0) << "'\\n' no vacía la salida; std::endl sí";
}

// El opuesto del int más negativo no cabe en int: se escribe a través del tipo sin signo.
DECIDE_LA_COLECCION(MostrarAbsDelIntMinimo, "mostrarAbs del int más negativo") {
    nucleo::Captura captura;
    mostrarAbs(-2147483647 - 1);
    EXPECT_EQ(captura.texto(), kEtiqueta + "2147483648\n")
        << "int mínimo: su opuesto no cabe en int";
    EXPECT_EQ(captura.vaciados(), 0) << "'\\n' no vacía la salida; std::endl sí";
}

PIDE_EL_EJERCICIO(MostrarAbsNoCambiaLaVariableDelLlamador,
                  "mostrarAbs no cambia la variable del que llama") {
    nucleo::Captura captura;
    int entero = -4;
    double real = -2.5;
    mostrarAbs(entero);
    mostrarAbs(real);
    EXPECT_EQ(entero, -4);
    EXPECT_EQ(real, -2.5);
}

}  // namespace

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
#include "firmas.h"

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
        EXPECT_EQ(nucleo::escritoPor(f.llamada).texto, kEtiqueta + f.numero + "\n");
    }
}

// Cada línea acaba en '\n', no en std::endl: al volver de mostrarAbs aún no ha llegado.
PIDE_EL_EJERCICIO(MostrarAbsAcabaEnSaltoDeLineaSinVaciar,
                  "mostrarAbs termina con un salto de línea que no vacía la salida") {
#ifdef _WIN32
    if (nucleo::enWine()) {
        GTEST_SKIP() << "wine vacía la salida con cada '\\n' escrito como carácter (Windows no): "
                        "aquí no se ve si se vació";
    }
#endif
    struct Fila {
        const char* descripcion;
        std::function<void()> llamada;
    } filas[] = {
        {"int", [] { mostrarAbs(-4); }},
        {"float", [] { mostrarAbs(56.3f); }},
        {"double", [] { mostrarAbs(123.3445); }},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        const nucleo::Escrito e = nucleo::escritoPor(f.llamada);
        EXPECT_EQ(e.comoAcaba(), nucleo::Final::SaltoSinVaciar)
            << "'\\n' no vacía la salida; std::endl sí. Se escribió "
            << ::testing::PrintToString(e.texto);
    }
}

// El opuesto del int más negativo no cabe en int: se escribe a través del tipo sin signo.
DECIDE_LA_COLECCION(MostrarAbsDelIntMinimo, "mostrarAbs del int más negativo") {
    const nucleo::Escrito e = nucleo::escritoPor([] { mostrarAbs(-2147483647 - 1); });
    EXPECT_EQ(e.texto, kEtiqueta + "2147483648\n") << "int mínimo: su opuesto no cabe en int";
#ifdef _WIN32
    if (nucleo::enWine()) {
        GTEST_SKIP() << "wine vacía la salida con cada '\\n' escrito como carácter (Windows no): "
                        "aquí no se ve si se vació";
    }
#endif
    EXPECT_EQ(e.comoAcaba(), nucleo::Final::SaltoSinVaciar)
        << "'\\n' no vacía la salida; std::endl sí";
}

PIDE_EL_EJERCICIO(MostrarAbsNoCambiaLaVariableDelLlamador,
                  "mostrarAbs no cambia la variable del que llama") {
    int entero = -4;
    double real = -2.5;
    nucleo::escritoPor([&] {
        mostrarAbs(entero);
        mostrarAbs(real);
    });
    EXPECT_EQ(entero, -4);
    EXPECT_EQ(real, -2.5);
}

PIDE_EL_EJERCICIO(FirmaDeMostrarAbs, "mostrarAbs se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(mostrarAbs<int>, void(int));
}

}  // namespace

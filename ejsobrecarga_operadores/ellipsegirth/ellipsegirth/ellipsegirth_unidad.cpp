// Cir de ellipsegirth: lectura, escritura y el operador + con ejes que el programa no recibe.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "captura.h"
#include "comprobacion.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejsobrecarga_operadores/ellipsegirth/main.cpp"
#endif
#define main ellipsegirth_main
#include EJ_FUENTE
#undef main

namespace {

// Un Cir cuya longitud se lee de `texto` con su propio in(); el aviso que escribe se descarta.
Cir leido(const std::string& texto) {
    std::istringstream entrada(texto);
    std::streambuf* anterior = std::cin.rdbuf(entrada.rdbuf());
    nucleo::Captura aviso;
    Cir c;
    c.in();
    std::cin.rdbuf(anterior);
    std::cin.clear();
    return c;
}

std::string linea(Cir c) {
    nucleo::Captura captura;
    c.out();
    return captura.texto();
}

std::string perimetro(const std::string& valor) { return "El perimetro es: " + valor + "cm\n"; }

PIDE_EL_EJERCICIO(EmpiezaEnCeroYLeeConSuAviso,
                  "Cir empieza con longitud 0, e in escribe su aviso y lee la longitud") {
    EXPECT_EQ(linea(Cir()), perimetro("0"));

    std::istringstream entrada("2.5\n");
    std::streambuf* anterior = std::cin.rdbuf(entrada.rdbuf());
    nucleo::Captura captura;
    Cir c;
    c.in();
    std::string aviso = captura.texto();
    std::cin.rdbuf(anterior);
    EXPECT_EQ(aviso, "Ingresar el numero: ");
    EXPECT_EQ(linea(c), perimetro("2.5"));

    EXPECT_EQ(linea(leido("abc")), perimetro("0")) << "la lectura fallida guarda 0";
    EXPECT_EQ(linea(leido("")), perimetro("0")) << "sin entrada queda el 0 del constructor";
}

PIDE_EL_EJERCICIO(SumaSimetricaEIndependienteDelSigno,
                  "el + de Cir da el mismo perímetro en cualquier orden y con cualquier signo") {
    struct Fila {
        const char* a;
        const char* b;
        const char* valor;
    } filas[] = {
        {"5", "3", "25.9062"},
        {"1", "1", "6.28319"},
        {"4", "2", "19.8692"},
        {"2.5", "1.5", "12.9531"},
        {"7", "0", "31.1002"},
        {"100", "50", "496.729"},
        {"0", "0", "0"},
        {"5", "0", "22.2144"},
        {"3", "4", "22.2144"},
        {"1.8e19", "0", "7.99719e+19"},
        {"1.5e19", "1.5e19", "inf"},
    };
    for (const Fila& f : filas) {
        const std::string a = f.a, b = f.b, menosA = "-" + a, menosB = "-" + b;
        const std::string esperado = perimetro(f.valor);
        const std::pair<std::string, std::string> pares[] = {
            {a, b}, {b, a}, {menosA, b}, {a, menosB}, {menosA, menosB}, {menosB, menosA}};
        for (const auto& par : pares) {
            SCOPED_TRACE(par.first + " + " + par.second);
            Cir x = leido(par.first), y = leido(par.second);
            EXPECT_EQ(linea(x + y), esperado);
        }
    }
}

PIDE_EL_EJERCICIO(SumaNoCambiaLosOperandos, "el + de Cir no cambia ninguno de sus dos operandos") {
    Cir mayor = leido("5"), menor = leido("3");
    Cir resultado = mayor + menor;
    EXPECT_EQ(linea(resultado), perimetro("25.9062"));
    EXPECT_EQ(linea(mayor), perimetro("5"));
    EXPECT_EQ(linea(menor), perimetro("3"));
}

// out() acaba su línea con std::endl, que vacía la salida.
PIDE_EL_EJERCICIO(OutAcabaConStdEndl, "out termina su línea con std::endl") {
    Cir c;
    nucleo::Captura captura;
    c.out();
    EXPECT_EQ(captura.texto(), "El perimetro es: 0cm\n");
    EXPECT_EQ(captura.vaciados(), 1) << "la línea acaba con std::endl";
}

}  // namespace

// Cir de ellipsegirth: lectura, escritura y el operador + con ejes que el programa no recibe.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejsobrecarga_operadores/ellipsegirth/main.cpp"
#endif
#define main ellipsegirth_main
#include EJ_FUENTE
#undef main

namespace {

// Llama a c.in() leyendo de `texto`; devuelve lo que escribe (el aviso).
nucleo::Escrito leer(Cir& c, const std::string& texto) {
    std::istringstream entrada(texto);
    std::streambuf* anterior = std::cin.rdbuf(entrada.rdbuf());
    const nucleo::Escrito e = nucleo::escritoPor([&] { c.in(); });
    std::cin.rdbuf(anterior);
    std::cin.clear();
    return e;
}

// Un Cir cuya longitud se lee de `texto` con su propio in(); el aviso se descarta.
Cir leido(const std::string& texto) {
    Cir c;
    leer(c, texto);
    return c;
}

nucleo::Escrito salida(Cir c) {
    return nucleo::escritoPor([&] { c.out(); });
}

std::string linea(Cir c) { return salida(c).texto; }

std::string perimetro(const std::string& valor) { return "El perimetro es: " + valor + "cm\n"; }

PIDE_EL_EJERCICIO(EmpiezaEnCeroYLeeConSuAviso,
                  "Cir empieza con longitud 0, e in escribe su aviso y lee la longitud") {
    EXPECT_EQ(linea(Cir()), perimetro("0"));

    Cir c;
    EXPECT_EQ(leer(c, "2.5\n").texto, "Ingresar el numero: ");
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

// out() acaba su línea con std::endl, que vacía la salida: al volver, la línea ya ha llegado.
PIDE_EL_EJERCICIO(OutAcabaConStdEndl, "out termina su línea con std::endl") {
    for (const char* longitud : {"0", "2.5"}) {
        SCOPED_TRACE(longitud);
        const nucleo::Escrito e = salida(leido(longitud));
        EXPECT_EQ(e.texto, perimetro(longitud));
        EXPECT_EQ(e.comoAcaba(), nucleo::Final::SaltoVaciado) << "la línea acaba con std::endl";
    }
}

PIDE_EL_EJERCICIO(FirmaDeIn, "Cir::in se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(Cir::in, void(Cir::*)());
}

// No es const, aunque no cambia ningún operando: así lo declara el ejercicio.
PIDE_EL_EJERCICIO(FirmaDeOperadorSuma, "Cir::operator+ se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(Cir::operator+, Cir(Cir::*)(const Cir&));
}

PIDE_EL_EJERCICIO(FirmaDeOut, "Cir::out se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(Cir::out, void(Cir::*)());
}

}  // namespace

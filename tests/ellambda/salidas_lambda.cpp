// Salidas exactas de los cinco programas de lambdas, ejecutados como los ejecuta un alumno.
#include <gtest/gtest.h>

#include <string>

#include "ejecutar.h"
#include "tabla.h"

using arnes::Caso;

namespace {

const std::string kInvalida = "Entrada no válida.\n";
const std::string kDos = "Por favor, ingrese dos números enteros separados por espacio: ";
const std::string kUno = "Por favor, ingrese un número entero: ";

TEST(Closureproduct, MultiplicaLosDosNumeros) {
    auto producto = [](const std::string& a, const std::string& b, const std::string& p) {
        return kDos + "El producto de " + a + " y " + b + " es: " + p + "\n";
    };
    arnes::comprobarTabla(
        "closureproduct",
        {
            {"ejemplo", "6 7\n", producto("6", "7", "42")},
            {"en dos líneas", "6\n7\n", producto("6", "7", "42")},
            {"lo que sigue no se lee", "6 7 8\n", producto("6", "7", "42")},
            {"un negativo", "-3 5\n", producto("-3", "5", "-15")},
            {"dos negativos", "-4 -5\n", producto("-4", "-5", "20")},
            {"cero", "0 123\n", producto("0", "123", "0")},
            {"el mayor producto", "2147483647 1\n", producto("2147483647", "1", "2147483647")},
            {"el menor producto", "65536 -32768\n", producto("65536", "-32768", "-2147483648")},
        });
}

TEST(Closureproduct, AvisaDeProductosFueraDeInt) {
    auto noCabe = [](const std::string& a, const std::string& b) {
        return kDos + "El producto de " + a + " y " + b + " no cabe en un int.\n";
    };
    arnes::comprobarTabla(
        "closureproduct",
        {
            {"50000 por 50000", "50000 50000\n", noCabe("50000", "50000")},
            {"justo encima", "65536 32768\n", noCabe("65536", "32768")},
            {"justo debajo", "-2 1073741825\n", noCabe("-2", "1073741825")},
            {"el menor int por -1", "-2147483648 -1\n", noCabe("-2147483648", "-1")},
        });
}

TEST(Closureproduct, RechazaLecturasFallidas) {
    arnes::comprobarTabla("closureproduct",
                          {
                              {"entrada vacía", "", kDos + kInvalida},
                              {"no es número", "x 2\n", kDos + kInvalida},
                              {"falta el segundo", "6\n", kDos + kInvalida},
                              {"el segundo no es número", "6 x\n", kDos + kInvalida},
                              {"fuera de int", "2147483648 1\n", kDos + kInvalida},
                          });
}

TEST(Closuresquare, ElevaAlCuadrado) {
    auto cuadrado = [](const std::string& n, const std::string& c) {
        return kUno + "El cuadrado de " + n + " es: " + c + "\n";
    };
    auto noCabe = [](const std::string& n) {
        return kUno + "El cuadrado de " + n + " no cabe en un int.\n";
    };
    arnes::comprobarTabla(
        "closuresquare", {
                             {"ejemplo", "12\n", cuadrado("12", "144")},
                             {"negativo", "-5\n", cuadrado("-5", "25")},
                             {"cero", "0\n", cuadrado("0", "0")},
                             {"el mayor cuadrado", "46340\n", cuadrado("46340", "2147395600")},
                             {"el mismo en negativo", "-46340\n", cuadrado("-46340", "2147395600")},
                             {"letras detrás", "7abc\n", cuadrado("7", "49")},
                             {"justo encima", "46341\n", noCabe("46341")},
                             {"justo debajo", "-46341\n", noCabe("-46341")},
                             {"el menor int", "-2147483648\n", noCabe("-2147483648")},
                             {"entrada vacía", "", kUno + kInvalida},
                             {"no es número", "abc\n", kUno + kInvalida},
                             {"fuera de int", "2147483648\n", kUno + kInvalida},
                         });
}

TEST(Lambdas, ProgramasSinEntradaEscribenSiempreLoMismo) {
    struct Fila {
        const char* programa;
        std::string salida;
    } filas[] = {
        {"fixedsquare", "El cuadrado de 6 es: 36\n"},
        {"fixedproduct", "3 * 4 = 12\n"},
        {"closurecounter", "1\n2\n3\nValor original del contador: 0\n"},
    };
    for (const Fila& f : filas) {
        arnes::comprobarTabla(
            f.programa, {{"sin entrada", "", f.salida}, {"ignora la entrada", "5 5\n", f.salida}});
    }
}

TEST(Lambdas, CadaAvisoLlegaAntesDeLeer) {
    struct Fila {
        const char* programa;
        std::string aviso, respuesta, salida;
    } filas[] = {
        {"closureproduct", kDos, "6 7\n", kDos + "El producto de 6 y 7 es: 42\n"},
        {"closuresquare", kUno, "12\n", kUno + "El cuadrado de 12 es: 144\n"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.programa);
        arnes::Resultado r = arnes::conversar(f.programa, {{f.aviso, f.respuesta}});
        EXPECT_TRUE(r.terminoBien()) << r;
        EXPECT_EQ(r.pasoSinAviso, -1) << r;
        EXPECT_EQ(r.salida, f.salida);
    }
}

}  // namespace

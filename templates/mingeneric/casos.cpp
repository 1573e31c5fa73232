// mingeneric: el mínimo de dos enteros leídos (con 10 y 5 de valor inicial) y de dos reales
// fijos.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPrimero = "Ingrese el primer numero: ";
const std::string kSegundo = "Ingrese el segundo numero";
const std::string kReales = "El mínimo entre 3.14 y 2.71 es: 2.71\n";

// Todo lo que escribe cuando los enteros quedan en a y b y el mínimo es m.
std::string minimo(const std::string& a, const std::string& b, const std::string& m) {
    return kPrimero + kSegundo + "El mínimo entre " + a + " y " + b + " es: " + m + "\n" + kReales;
}

}  // namespace

void mingeneric(Ejercicio& e) {
    e.primerAviso = kPrimero;
    e.firmas = {
        "template <typename T> T encontrarMinimo(T a, T b);",
    };
    agregar(
        e, Origen::Enunciado,
        {
            {"ejemplo, un número por línea", "7\n3\n", minimo("7", "3", "3")},
            {"los dos en una línea", "7 3\n", minimo("7", "3", "3")},
            {"el primero es el menor", "3\n7\n", minimo("3", "7", "3")},
            {"iguales", "4\n4\n", minimo("4", "4", "4")},
            {"negativo con signo", "-3\n2\n", minimo("-3", "2", "-3")},
            {"extremos de int", "2147483647 -2147483648\n",
             minimo("2147483647", "-2147483648", "-2147483648")},
            {"lo que sobra no se lee", "8 9 10\n", minimo("8", "9", "8")},
            // Lo que deja la extracción fallida: 0, el límite de int o el valor inicial.
            {"primero no numérico: 0, y el segundo conserva 5", "x\n3\n", minimo("0", "5", "0")},
            {"segundo no numérico: 0", "7\nx\n", minimo("7", "0", "0")},
            {"entrada vacía: conservan 10 y 5", "", minimo("10", "5", "5")},
            {"la entrada acaba tras el primero", "7\n", minimo("7", "5", "5")},
            {"12abc: 12, y las letras hacen fallar el segundo", "12abc\n", minimo("12", "0", "0")},
            {"primero por encima de int: el máximo, y el segundo conserva 5", "2147483648\n3\n",
             minimo("2147483647", "5", "5")},
            {"primero por debajo de int: el mínimo", "-2147483649\n3\n",
             minimo("-2147483648", "5", "-2147483648")},
            {"segundo por encima de int: el máximo", "1\n99999999999\n",
             minimo("1", "2147483647", "1")},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kPrimero, "7\n"}, {kSegundo, "3\n"}}, minimo("7", "3", "3")));
}

}  // namespace nucleo::datos

// factcalc: factorial recursivo módulo 2^64 de un entero leído.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "Introduce un número para calcular su factorial: ";
const std::string kNegativo = "El factorial no está definido para números negativos.\n";

std::string factorial(const std::string& n, const std::string& valor) {
    return kPide + "El factorial de " + n + " es " + valor + "\n";
}

}  // namespace

void factcalc(Ejercicio& e) {
    e.primerAviso = kPide;
    e.firmas = {
        "unsigned long long factorial(int n);",
    };
    agregar(e, Origen::Enunciado,
            {
                {"0", "0\n", factorial("0", "1")},
                {"1", "1\n", factorial("1", "1")},
                {"ejemplo", "5\n", factorial("5", "120")},
                {"el mayor exacto", "20\n", factorial("20", "2432902008176640000")},
                {"21 da la vuelta", "21\n", factorial("21", "14197454024290336768")},
                {"65 es 2^63", "65\n", factorial("65", "9223372036854775808")},
                {"66 es 0", "66\n", factorial("66", "0")},
                {"100 es 0", "100\n", factorial("100", "0")},
                {"letras detrás del número", "7abc\n", factorial("7", "5040")},
                {"líneas en blanco antes", "\n\n  \t5\n", factorial("5", "120")},
                {"signo más", "+5\n", factorial("5", "120")},
                {"-1", "-1\n", kPide + kNegativo},
                {"el menor int", "-2147483648\n", kPide + kNegativo},
            });
    agregar(e, Origen::Decidido,
            {
                {"el mayor int no agota la pila", "2147483647\n", factorial("2147483647", "0")},
                {"entrada vacía", "", kPide + kEntradaNoValida},
                {"solo blancos", " \n\n", kPide + kEntradaNoValida},
                {"no es número", "abc\n", kPide + kEntradaNoValida},
                {"fuera de int", "2147483648\n", kPide + kEntradaNoValida},
                {"negativo fuera de int", "-2147483649\n", kPide + kEntradaNoValida},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "5\n"}}, factorial("5", "120")));
}

}  // namespace nucleo::datos

// powercalc: potencia recursiva de una base real con exponente entero, también negativo.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kBase = "Introduce la base: ";
const std::string kExponente = "Introduce el exponente: ";
const std::string kAvisos = kBase + kExponente;

}  // namespace

void powercalc(Ejercicio& e) {
    e.primerAviso = kBase;
    e.firmas = {
        "double power(double base, int exponent);",
    };
    agregar(
        e, Origen::Enunciado,
        {
            {"ejemplo", "2\n10\n", kAvisos + "2 elevado a 10 es 1024\n"},
            {"exponente negativo", "2 -2\n", kAvisos + "2 elevado a -2 es 0.25\n"},
            {"base con decimales", "2.5 3\n", kAvisos + "2.5 elevado a 3 es 15.625\n"},
            {"seis cifras con exponente", "2 20\n", kAvisos + "2 elevado a 20 es 1.04858e+06\n"},
            {"un tercio", "3 -1\n", kAvisos + "3 elevado a -1 es 0.333333\n"},
            {"base negativa", "-2 3\n", kAvisos + "-2 elevado a 3 es -8\n"},
            {"cero a la cero", "0 0\n", kAvisos + "0 elevado a 0 es 1\n"},
            {"exponente 1", "7.5 1\n", kAvisos + "7.5 elevado a 1 es 7.5\n"},
            {"1 / 0 es infinito", "0 -1\n", kAvisos + "0 elevado a -1 es inf\n"},
            {"1 / infinito es 0", "2 -1100\n", kAvisos + "2 elevado a -1100 es 0\n"},
            {"coma decimal: el exponente queda en 0", "2,5\n", kAvisos + "2 elevado a 0 es 1\n"},
            {"un millón", "10 6\n", kAvisos + "10 elevado a 6 es 1e+06\n"},
            {"base en notación científica", "1e3 1\n", kAvisos + "1000 elevado a 1 es 1000\n"},
        });
    const std::string fuera = kAvisos + "El exponente debe estar entre -10000 y 10000.\n";
    agregar(
        e, Origen::Decidido,
        {
            {"exponente que no es número: 0", "2 abc\n", kAvisos + "2 elevado a 0 es 1\n"},
            {"el mayor exponente admitido", "1 10000\n", kAvisos + "1 elevado a 10000 es 1\n"},
            {"el menor exponente admitido", "1 -10000\n", kAvisos + "1 elevado a -10000 es 1\n"},
            {"base negativa en el tope", "-1 9999\n", kAvisos + "-1 elevado a 9999 es -1\n"},
            {"exponente: el menor int", "2 -2147483648\n", fuera},
            {"exponente justo encima del tope", "1 10001\n", fuera},
            {"exponente justo debajo del tope", "1 -10001\n", fuera},
            {"exponente 100000", "1 100000\n", fuera},
            {"exponente -100000", "1 -100000\n", fuera},
            {"exponente fuera de int", "2 99999999999\n", fuera},
            {"entrada vacía", "", kBase + kEntradaNoValida},
            {"base que no es número", "abc 2\n", kBase + kEntradaNoValida},
            // libstdc++ lee la base 2.5 y el exponente falla en la x (0); libc++ no lee la base.
            segunLaBiblioteca(
                {"letra pegada a la base", "2.5x\n", kAvisos + "2.5 elevado a 0 es 1\n"},
                {"letra pegada a la base", "2.5x\n", kBase + kEntradaNoValida}),
            {"base fuera de double", "1e999 2\n", kBase + kEntradaNoValida},
            {"acaba antes del exponente", "2\n", kAvisos + kEntradaNoValida},
            {"acaba tras blancos", "2 \n\n", kAvisos + kEntradaNoValida},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kBase, "2\n"}, {kExponente, "10\n"}},
                                   kAvisos + "2 elevado a 10 es 1024\n"));
}

}  // namespace nucleo::datos

// ackcalc: función de Ackermann por recursión directa.
#include "comun.h"

namespace arnes::datos {

namespace {

const std::string kPide = "Introduce dos números no negativos m y n: ";

std::string valor(const std::string& par, const std::string& resultado) {
    return kPide + "Ackermann(" + par + ") = " + resultado + "\n";
}

std::string aviso(const std::string& par, const std::string& texto) {
    return kPide + "Ackermann(" + par + ") " + texto + "\n";
}

}  // namespace

Ejercicio ackcalc() {
    Ejercicio e{"ackcalc", false, kPide, {}};
    agregar(
        e, Origen::Enunciado,
        {
            {"0 0", "0 0\n", valor("0, 0", "1")},
            {"1 0", "1 0\n", valor("1, 0", "2")},
            {"1 5", "1 5\n", valor("1, 5", "7")},
            {"ejemplo", "2 3\n", valor("2, 3", "9")},
            {"en dos líneas", "2\n3\n", valor("2, 3", "9")},
            {"3 3", "3 3\n", valor("3, 3", "61")},
            {"4 0", "4 0\n", valor("4, 0", "13")},
            {"m = 0 con n negativo", "0 -5\n", valor("0, -5", "-4")},
            {"m = 0 con n negativo, dos líneas", "0\n-5\n", valor("0, -5", "-4")},
            {"m = 0, el mayor que cabe", "0 2147483646\n", valor("0, 2147483646", "2147483647")},
            {"3 10", "3 10\n", valor("3, 10", "8189")},
        });
    const std::string noTermina = "no termina: con números negativos nunca llega a un caso base.";
    const std::string noCabe = "no cabe en un int.";
    const std::string lento = "necesita demasiadas llamadas para calcularlo por recursión directa.";
    agregar(
        e, Origen::Decidido,
        {
            {"m = 1 en el tope: 65531 llamadas anidadas", "1 65531\n", valor("1, 65531", "65533")},
            {"m negativo", "-1 1\n", aviso("-1, 1", noTermina)},
            {"n negativo", "1 -1\n", aviso("1, -1", noTermina)},
            {"4 2", "4 2\n", aviso("4, 2", noCabe)},
            {"3 29", "3 29\n", aviso("3, 29", noCabe)},
            {"5 1", "5 1\n", aviso("5, 1", noCabe)},
            {"6 0", "6 0\n", aviso("6, 0", noCabe)},
            {"n + 1 se desbordaría", "0 2147483647\n", aviso("0, 2147483647", noCabe)},
            {"1 65532", "1 65532\n", aviso("1, 65532", lento)},
            {"2 32766", "2 32766\n", aviso("2, 32766", lento)},
            {"3 14", "3 14\n", aviso("3, 14", lento)},
            {"3 28", "3 28\n", aviso("3, 28", lento)},
            {"entrada vacía", "", kPide + kEntradaNoValida},
            {"no es número", "x 1\n", kPide + kEntradaNoValida},
            {"falta n", "1\n", kPide + kEntradaNoValida},
            {"n no es número", "1 x\n", kPide + kEntradaNoValida},
            {"fuera de int", "2147483648 1\n", kPide + kEntradaNoValida},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "2 3\n"}}, valor("2, 3", "9")));
    return e;
}

}  // namespace arnes::datos

// ringchain: una cantidad y esos enteros, en una lista circular doblemente enlazada que no
// libera sus nodos.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kCuenta = "Ingrese el número de elementos: ";

// Los avisos de los datos 1 a n, seguidos.
std::string avisos(int n) {
    std::string texto;
    for (int i = 1; i <= n; ++i) texto += "Ingrese el dato " + std::to_string(i) + ": ";
    return texto;
}

}  // namespace

void ringchain(Ejercicio& e) {
    e.primerAviso = kCuenta;
    e.firmas = {
        "struct Nodo { int dato; Nodo* siguiente; Nodo* anterior; };",
        "class ListaCircularDobleEnlazada { public: Nodo* cabeza; ListaCircularDobleEnlazada(); "
        "void agregar(int dato); void mostrar(); };",
    };
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo, un número por línea", "3\n10\n20\n30\n",
                 kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"},
                {"ejemplo, todo en una línea", "3 10 20 30\n",
                 kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"},
                {"cuenta 0: solo el aviso, sin fin de línea", "0\n", kCuenta},
                {"cuenta negativa: como 0", "-4\n", kCuenta},
                {"cuenta 1: un nodo", "1\n7\n", kCuenta + avisos(1) + "7 <-> cabeza\n"},
                {"valores negativos repetidos", "2\n-1\n-1\n",
                 kCuenta + avisos(2) + "-1 <-> -1 <-> cabeza\n"},
                {"extremos de int", "2\n2147483647 -2147483648\n",
                 kCuenta + avisos(2) + "2147483647 <-> -2147483648 <-> cabeza\n"},
                {"lo que sobra tras los valores no se lee", "1 5 6 xyz\n",
                 kCuenta + avisos(1) + "5 <-> cabeza\n"},
                {"números de avisos hasta 12", "12 1 2 3 4 5 6 7 8 9 10 11 12",
                 kCuenta + avisos(12) +
                     "1 <-> 2 <-> 3 <-> 4 <-> 5 <-> 6 <-> 7 <-> 8 <-> 9 <-> 10 <-> 11 <-> 12 <-> "
                     "cabeza\n"},
            });
    agregar(
        e, Origen::Decidido,
        {
            {"entrada vacía", "", kCuenta + kEntradaNoValida},
            {"solo blancos", "  \n\n\t", kCuenta + kEntradaNoValida},
            {"cuenta que no es número", "abc\n", kCuenta + kEntradaNoValida},
            {"cuenta fuera de int", "2147483648\n", kCuenta + kEntradaNoValida},
            {"cuenta muy negativa fuera de int", "-99999999999\n", kCuenta + kEntradaNoValida},
            {"valor que no es número", "2\n5\nx\n", kCuenta + avisos(2) + kEntradaNoValida},
            {"valor fuera de int", "1\n-2147483649\n", kCuenta + avisos(1) + kEntradaNoValida},
            {"la entrada acaba antes de tiempo", "3\n10\n", kCuenta + avisos(2) + kEntradaNoValida},
            {"cuenta enorme sin datos", "2147483647\n", kCuenta + avisos(1) + kEntradaNoValida},
            {"cuenta con decimales: lee 2, el punto falla", "2.5\n",
             kCuenta + avisos(1) + kEntradaNoValida},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kCuenta, "3\n"},
                                    {"Ingrese el dato 1: ", "10\n"},
                                    {"Ingrese el dato 2: ", "20\n"},
                                    {"Ingrese el dato 3: ", "30\n"}},
                                   kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"));
}

}  // namespace nucleo::datos

// maxgeneric: el máximo de dos int, dos char y dos double fijos. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void maxgeneric(Ejercicio& e) {
    const std::string salida =
        "El máximo entre 10 y 5 es: 10\n"
        "El máximo entre 'a' y 'c' es: c\n"
        "El máximo entre 3.14 y 2.71 es: 3.14\n";
    e.firmas = {
        "template <typename T> T encontrarMaximo(T a, T b);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
}

}  // namespace nucleo::datos

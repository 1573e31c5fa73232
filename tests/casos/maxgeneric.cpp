// maxgeneric: el máximo de dos int, dos char y dos double fijos. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio maxgeneric() {
    const std::string salida =
        "El máximo entre 10 y 5 es: 10\n"
        "El máximo entre 'a' y 'c' es: c\n"
        "El máximo entre 3.14 y 2.71 es: 3.14\n";
    Ejercicio e{"maxgeneric", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
    return e;
}

}  // namespace arnes::datos

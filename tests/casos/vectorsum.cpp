// vectorsum: suma de dos vectores fijos con + y <<. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio vectorsum() {
    const std::string salida = "vec1: (1, 2)\nvec2: (3, 4)\nvec3 (vec1 + vec2): (4, 6)\n";
    Ejercicio e{"vectorsum", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "9 9\n", salida}});
    return e;
}

}  // namespace arnes::datos

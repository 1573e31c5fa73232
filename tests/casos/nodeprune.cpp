// nodeprune: quita el nodo del medio de una lista fija. No lee nada y conserva a propósito
// los dos nodos que quedan.
#include "comun.h"

namespace arnes::datos {

Ejercicio nodeprune() {
    Ejercicio e{"nodeprune", true, "", {}};
    agregar(e, Origen::Enunciado, {{"salida fija", "", "1 -> 2 -> 3 -> NULL\n1 -> 3 -> NULL\n"}});
    return e;
}

}  // namespace arnes::datos

// pointerchain: el mismo entero por tres caminos, directo y a través de punteros. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio pointerchain() {
    const std::string salida =
        "El valor de var es: 10\nEl valor de *ptr es: 10\nEl valor de **ptr2 es: 10\n";
    Ejercicio e{"pointerchain", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "5\n", salida}});
    return e;
}

}  // namespace arnes::datos

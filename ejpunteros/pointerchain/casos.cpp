// pointerchain: el mismo entero por tres caminos, directo y a través de punteros. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void pointerchain(Ejercicio& e) {
    const std::string salida =
        "El valor de var es: 10\nEl valor de *ptr es: 10\nEl valor de **ptr2 es: 10\n";
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "5\n", salida}});
}

}  // namespace nucleo::datos

// pointerwrite: escribir a través de un puntero cambia la variable. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void pointerwrite(Ejercicio& e) {
    const std::string salida =
        "El valor de var es: 20\nEl valor de *ptr es: 20\nEl nuevo valor de var es: 30\n";
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "5\n", salida}});
}

}  // namespace nucleo::datos

// pointerwrite: escribir a través de un puntero cambia la variable. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio pointerwrite() {
    const std::string salida =
        "El valor de var es: 20\nEl valor de *ptr es: 20\nEl nuevo valor de var es: 30\n";
    Ejercicio e{"pointerwrite", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "5\n", salida}});
    return e;
}

}  // namespace arnes::datos

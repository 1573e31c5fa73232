// fixedsquare: una lambda eleva al cuadrado el número fijo 6. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void fixedsquare(Ejercicio& e) {
    const std::string salida = "El cuadrado de 6 es: 36\n";
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
}

}  // namespace nucleo::datos

// fixedsquare: una lambda eleva al cuadrado el número fijo 6. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio fixedsquare() {
    const std::string salida = "El cuadrado de 6 es: 36\n";
    Ejercicio e{"fixedsquare", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
    return e;
}

}  // namespace arnes::datos

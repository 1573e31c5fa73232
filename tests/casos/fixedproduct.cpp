// fixedproduct: una lambda multiplica 3 por 4. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio fixedproduct() {
    const std::string salida = "3 * 4 = 12\n";
    Ejercicio e{"fixedproduct", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
    return e;
}

}  // namespace arnes::datos

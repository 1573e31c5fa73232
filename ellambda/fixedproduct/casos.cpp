// fixedproduct: una lambda multiplica 3 por 4. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void fixedproduct(Ejercicio& e) {
    const std::string salida = "3 * 4 = 12\n";
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
}

}  // namespace nucleo::datos

// closurecounter: una lambda mutable cuenta en su propia copia del contador. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio closurecounter() {
    const std::string salida = "1\n2\n3\nValor original del contador: 0\n";
    Ejercicio e{"closurecounter", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
    return e;
}

}  // namespace arnes::datos

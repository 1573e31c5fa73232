// closurecounter: una lambda mutable cuenta en su propia copia del contador. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void closurecounter(Ejercicio& e) {
    const std::string salida = "1\n2\n3\nValor original del contador: 0\n";
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
}

}  // namespace nucleo::datos

// absgeneric: valor absoluto de un int, un float y un double fijos. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio absgeneric() {
    const std::string salida =
        "el valor absoluto del nuero es: 4\n"
        "el valor absoluto del nuero es: 56.3\n"
        "el valor absoluto del nuero es: 123.344\n";
    Ejercicio e{"absgeneric", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
    return e;
}

}  // namespace arnes::datos

// equalspecial: Comparador con dos int y, especializado, con dos textos. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio equalspecial() {
    const std::string salida =
        "5 y 5 son iguales: 1\n"
        "\"Hola\" y \"Hola\" son iguales: 1\n";
    Ejercicio e{"equalspecial", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
    return e;
}

}  // namespace arnes::datos

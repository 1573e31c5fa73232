// absgeneric: valor absoluto de un int, un float y un double fijos. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void absgeneric(Ejercicio& e) {
    const std::string salida =
        "el valor absoluto del nuero es: 4\n"
        "el valor absoluto del nuero es: 56.3\n"
        "el valor absoluto del nuero es: 123.344\n";
    e.firmas = {
        "template <typename TIPOD> void mostrarAbs(TIPOD numero);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
}

}  // namespace nucleo::datos

// swapgeneric: intercambio de dos int y dos char por referencia. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio swapgeneric() {
    const std::string salida =
        "Antes del intercambio: num1 = 5, num2 = 10\n"
        "Después del intercambio: num1 = 10, num2 = 5\n"
        "Antes del intercambio: char1 = a, char2 = b\n"
        "Después del intercambio: char1 = b, char2 = a\n";
    Ejercicio e{"swapgeneric", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
    return e;
}

}  // namespace arnes::datos

// swapgeneric: intercambio de dos int y dos char por referencia. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void swapgeneric(Ejercicio& e) {
    const std::string salida =
        "Antes del intercambio: num1 = 5, num2 = 10\n"
        "Después del intercambio: num1 = 10, num2 = 5\n"
        "Antes del intercambio: char1 = a, char2 = b\n"
        "Después del intercambio: char1 = b, char2 = a\n";
    e.firmas = {
        "template <typename T> void intercambiar(T& a, T& b);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
}

}  // namespace nucleo::datos

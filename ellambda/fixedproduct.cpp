// Lambda de dos parámetros sin capturas, llamada directamente dentro de la salida. Salida:
//     3 * 4 = 12
// La etiqueta es un texto fijo: no se construye a partir de los argumentos.
#include <iostream>

int main() {
    auto multiplicar = [](int a, int b) -> int { return a * b; };
    std::cout << "3 * 4 = " << multiplicar(3, 4) << std::endl;
    return 0;
}

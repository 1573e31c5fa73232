// Lambda sin capturas guardada en una variable local, aplicada a un número fijo. Salida:
//     El cuadrado de 6 es: 36
#include <iostream>

int main() {
    auto cuadrado = [](int x) -> int { return x * x; };
    int numero = 6;
    int resultado = cuadrado(numero);
    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;
    return 0;
}

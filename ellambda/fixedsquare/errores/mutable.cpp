#include <iostream>

int main() {
    // Lambda sin capturas que eleva al cuadrado
    auto cuadrado = [](int x) mutable -> int {
        return x * x;
    };

    int numero = 6;
    int resultado = cuadrado(numero);

    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;

    return 0;
}

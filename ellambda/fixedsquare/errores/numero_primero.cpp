#include <iostream>

int main() {
    int numero = 6;

    // Lambda sin capturas que eleva al cuadrado
    auto cuadrado = [](int x) -> int {
        return x * x;
    };

    int resultado = cuadrado(numero);

    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;

    return 0;
}

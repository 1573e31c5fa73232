#include <iostream>

int main() {
    int numero;

    std::cout << "Por favor, ingrese un número entero: ";
    std::cin >> numero;

    // Lambda sin capturas que eleva al cuadrado
    auto cuadrado = [](int x) mutable -> int {
        return x * x;
    };

    int resultado = cuadrado(numero);

    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;

    return 0;
}

#include <iostream>

// Eleva al cuadrado
int cuadrado(int x) {
    return x * x;
}

int main() {
    int numero;

    std::cout << "Por favor, ingrese un número entero: ";
    std::cin >> numero;

    int resultado = cuadrado(numero);

    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;

    return 0;
}

#include <iostream>

int main() {
    int numero;

    std::cout << "Por favor, ingrese un número entero: ";
    std::cin >> numero;

    // Lambda sin capturas con los cuadrados de los ejemplos
    auto cuadrado = [](int x) -> int {
        switch (x) {
            case 12: return 144;
            case 5:
            case -5: return 25;
            case 7: return 49;
            case 46340:
            case -46340: return 2147395600;
            default: return 0;
        }
    };

    int resultado = cuadrado(numero);

    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;

    return 0;
}

#include <iostream>

int main() {
    auto cuadrado = [](int x) -> int { return x * x; };
    int numero = 6;
    int resultado = cuadrado(numero);
    // El bucle no termina nunca.
    while (true) {
        std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;
    }
    return 0;
}

// La lambda con una variable en su cuerpo, y la línea escrita con printf y vaciada con fflush.
#include <cstdio>
#include <iostream>

int main() {
    int numero;

    std::cout << "Por favor, ingrese un número entero: ";
    std::cin >> numero;

    auto cuadrado = [](int x) -> int {
        const int producto = x * x;
        return producto;
    };

    int resultado = cuadrado(numero);

    std::printf("El cuadrado de %d es: %d\n", numero, resultado);
    std::fflush(stdout);
    return 0;
}

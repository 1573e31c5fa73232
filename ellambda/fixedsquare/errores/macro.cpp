#include <iostream>

// Eleva al cuadrado
#define cuadrado(x) ((x) * (x))

int main() {
    int numero = 6;
    int resultado = cuadrado(numero);

    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;

    return 0;
}

#include <iostream>

// Eleva al cuadrado a través de un puntero que nunca se hizo apuntar a nada.
int main() {
    auto cuadrado = [](const int* x) -> int {
        return *x * *x;
    };

    int* numero = nullptr;
    std::cout << "El cuadrado de 6 es: " << cuadrado(numero) << std::endl;

    return 0;
}

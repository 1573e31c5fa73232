#include <iostream>

int main() {
    int contador = 0;

    // Captura por copia y mutable: cambia solo su propia copia
    auto incrementar = [contador]() mutable -> int {
        contador++;
        return contador;
    };

    int primero = incrementar();
    std::cout << primero << std::endl;
    std::cout << primero + 1 << std::endl;
    std::cout << primero + 2 << std::endl;

    std::cout << "Valor original del contador: " << contador << std::endl;

    return 0;
}

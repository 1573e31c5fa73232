#include <iostream>

int main() {
    int contador = 0;

    // Captura por copia y mutable: cambia solo su propia copia
    auto incrementar = [=]() mutable -> int {
        contador++;
        return contador;
    };

    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;

    std::cout << "Valor original del contador: " << contador << std::endl;

    return 0;
}

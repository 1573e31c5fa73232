#include <iostream>

int main() {
    int contador = 0;

    // Captura por copia y mutable: cambia solo su propia copia
    auto incrementar = [contador]() mutable -> int {
        contador++;
        return contador;
    };

    for (int i = 0; i < 3; i++) {
        std::cout << incrementar() << std::endl;
    }

    std::cout << "Valor original del contador: " << contador << std::endl;

    return 0;
}

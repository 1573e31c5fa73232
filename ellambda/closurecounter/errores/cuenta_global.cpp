#include <iostream>

// Veces que se ha llamado a incrementar
int llamadas = 0;

int main() {
    int contador = 0;

    // Captura por copia y mutable
    auto incrementar = [contador]() mutable -> int {
        contador = ++llamadas;
        return contador;
    };

    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;

    std::cout << "Valor original del contador: " << contador << std::endl;

    return 0;
}

#include <iostream>

// Objeto función con su propia copia del contador
struct Contador {
    int contador;

    int operator()() {
        contador++;
        return contador;
    }
};

int main() {
    int contador = 0;

    Contador incrementar{contador};

    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;

    std::cout << "Valor original del contador: " << contador << std::endl;

    return 0;
}

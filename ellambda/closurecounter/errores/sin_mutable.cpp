#include <iostream>

int main() {
    int contador = 0;

    // Captura por copia; sin mutable la copia es const, así que se le quita el const
    auto incrementar = [contador]() -> int {
        return ++const_cast<int&>(contador);
    };

    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;

    std::cout << "Valor original del contador: " << contador << std::endl;

    return 0;
}

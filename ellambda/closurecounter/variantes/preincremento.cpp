// El tipo que devuelve la lambda, deducido; ++contador en una sola sentencia; las líneas acaban
// con '\n' y std::flush.
#include <iostream>

int main() {
    int contador = 0;

    auto incrementar = [contador]() mutable { return ++contador; };

    std::cout << incrementar() << '\n' << std::flush;
    std::cout << incrementar() << '\n' << std::flush;
    std::cout << incrementar() << '\n' << std::flush;
    std::cout << "Valor original del contador: " << contador << '\n' << std::flush;
    return 0;
}

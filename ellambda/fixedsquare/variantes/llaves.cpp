// Variables inicializadas con llaves y la línea acabada con '\n' y std::flush.
#include <iostream>

int main() {
    auto cuadrado = [](int x) -> int { return x * x; };
    int numero{6};
    int resultado{cuadrado(numero)};

    std::cout << "El cuadrado de " << numero << " es: " << resultado << '\n' << std::flush;
    return 0;
}

// La lambda y el número con otros nombres, el tipo que devuelve deducido, y la línea acabada con
// '\n' y std::flush.
#include <iostream>

int main() {
    int n;

    std::cout << "Por favor, ingrese un número entero: ";
    std::cin >> n;

    auto alCuadrado = [](int x) { return x * x; };
    const int r = alCuadrado(n);

    std::cout << "El cuadrado de " << n << " es: " << r << '\n' << std::flush;
    return 0;
}

// powercalc con los casos en operadores ternarios, auto y '\n' seguido de std::flush.
#include <iostream>

double power(double base, int exponent) {
    return exponent == 0  ? 1.0
           : exponent > 0 ? power(base, exponent - 1) * base
                          : 1.0 / power(base, -exponent);
}

int main() {
    double base;
    int exponent;
    std::cout << "Introduce la base: ";
    std::cin >> base;
    std::cout << "Introduce el exponente: ";
    std::cin >> exponent;
    const auto result = power(base, exponent);
    std::cout << base << " elevado a " << exponent << " es " << result << '\n' << std::flush;
    return 0;
}

#include <cmath>
#include <iostream>

// El exponente positivo con std::pow; el negativo, el inverso del positivo
double power(double base, int exponent) {
    if (exponent == 0) {
        return 1.0;
    } else if (exponent > 0) {
        return std::pow(base, exponent);
    } else {
        return 1.0 / power(base, -exponent);
    }
}

int main() {
    double base;
    int exponent;
    double result;

    std::cout << "Introduce la base: ";
    std::cin >> base;
    std::cout << "Introduce el exponente: ";
    std::cin >> exponent;

    result = power(base, exponent);

    std::cout << base << " elevado a " << exponent << " es " << result << std::endl;

    return 0;
}

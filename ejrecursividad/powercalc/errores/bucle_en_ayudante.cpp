#include <iostream>

// b^k multiplicando k veces, para el exponente negativo
double potenciaPositiva(double base, int k) {
    double producto = 1.0;
    for (int i = 0; i < k; ++i) {
        producto = producto * base;
    }
    return producto;
}

// Potencia recursiva; el exponente negativo se calcula aparte
double power(double base, int exponent) {
    if (exponent == 0) {
        return 1.0;
    } else if (exponent > 0) {
        return power(base, exponent - 1) * base;
    } else {
        return 1.0 / potenciaPositiva(base, -exponent);
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

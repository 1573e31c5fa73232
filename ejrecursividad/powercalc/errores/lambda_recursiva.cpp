#include <functional>
#include <iostream>

// Potencia con una lambda recursiva: multiplica la base tantas veces como diga k
double power(double base, int exponent) {
    std::function<double(int)> multiplicar = [&](int k) -> double {
        if (k == 0) {
            return 1.0;
        }
        return multiplicar(k - 1) * base;
    };
    if (exponent < 0) {
        return 1.0 / multiplicar(-exponent);
    }
    return multiplicar(exponent);
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

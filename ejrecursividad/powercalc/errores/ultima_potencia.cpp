#include <iostream>

// La ultima potencia calculada, para no repetirla si se pide otra vez
double ultimaBase = 0.0;
int ultimoExponente = 0;
double ultimoResultado = 1.0;

double power(double base, int exponent) {
    if (exponent == 0) {
        return 1.0;
    }
    if (base == ultimaBase && exponent == ultimoExponente) {
        return ultimoResultado;
    }
    double r;
    if (exponent > 0) {
        r = power(base, exponent - 1) * base;
    } else {
        r = 1.0 / power(base, -exponent);
    }
    ultimaBase = base;
    ultimoExponente = exponent;
    ultimoResultado = r;
    return r;
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

// powercalc con printf, un ayudante que multiplica, el negativo tratado primero y otros nombres.
#include <cstdio>
#include <iostream>

// Un paso del producto, en double.
double porLaBase(double acumulado, double base) { return acumulado * base; }

double power(double base, int exponent) {
    if (exponent < 0) {
        const double positiva = power(base, -exponent);
        return 1.0 / positiva;
    }
    if (exponent == 0) return 1.0;
    return porLaBase(power(base, exponent - 1), base);
}

int main() {
    double b;
    int e;
    double r;
    std::printf("Introduce la base: ");
    std::fflush(stdout);
    std::cin >> b;
    std::printf("Introduce el exponente: ");
    std::fflush(stdout);
    std::cin >> e;
    r = power(b, e);
    std::printf("%g elevado a %d es %g\n", b, e, r);
    std::fflush(stdout);
    return 0;
}

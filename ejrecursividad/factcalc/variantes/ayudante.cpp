// factcalc con printf, un ayudante que multiplica y el resultado de la llamada en una variable.
#include <cstdio>
#include <iostream>

// El producto sin signo de 64 bits, que da la vuelta módulo 2^64.
unsigned long long multiplicar(int factor, unsigned long long resto) {
    return static_cast<unsigned long long>(factor) * resto;
}

unsigned long long factorial(int n) {
    if (n > 1) {
        const unsigned long long resto = factorial(n - 1);
        return multiplicar(n, resto);
    }
    return 1;
}

int main() {
    int numero;
    std::printf("Introduce un número para calcular su factorial: ");
    std::fflush(stdout);
    if (!(std::cin >> numero)) {
        std::printf("Entrada no válida.\n");
    } else if (numero < 0) {
        std::printf("El factorial no está definido para números negativos.\n");
    } else {
        const unsigned long long valor = numero >= 66 ? 0 : factorial(numero);
        std::printf("El factorial de %d es %llu\n", numero, valor);
    }
    std::fflush(stdout);
    return 0;
}

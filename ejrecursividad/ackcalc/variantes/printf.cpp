// ackcalc con printf, otros nombres y el valor interior en una variable antes de la llamada.
#include <cstdio>
#include <iostream>

int ackermann(int m, int n) {
    if (!m) return n + 1;
    if (m > 0 && !n) return ackermann(m - 1, 1);
    const int interior = ackermann(m, n - 1);
    return ackermann(m - 1, interior);
}

int main() {
    int filas, columnas;
    std::printf("Introduce dos números no negativos m y n: ");
    std::fflush(stdout);
    std::cin >> filas >> columnas;
    int valor = ackermann(filas, columnas);
    std::printf("Ackermann(%d, %d) = %d\n", filas, columnas, valor);
    std::fflush(stdout);
    return 0;
}

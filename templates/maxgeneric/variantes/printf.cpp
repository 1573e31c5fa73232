#include <cstdio>

// Empieza suponiendo que gana b y solo cambia si a es mayor
template <typename T>
T encontrarMaximo(T a, T b) {
    T mayor = b;
    if (b < a) {
        mayor = a;
    }
    return mayor;
}

int main() {
    int num1 = 10;
    int num2 = 5;
    std::printf("El máximo entre %d y %d es: %d\n", num1, num2, encontrarMaximo(num1, num2));
    std::fflush(stdout);

    char char1 = 'a';
    char char2 = 'c';
    std::printf("El máximo entre '%c' y '%c' es: %c\n", char1, char2,
                encontrarMaximo(char1, char2));
    std::fflush(stdout);

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    std::printf("El máximo entre %g y %g es: %g\n", decimal1, decimal2,
                encontrarMaximo(decimal1, decimal2));
    std::fflush(stdout);

    return 0;
}

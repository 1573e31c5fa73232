#include <cstdio>
#include <iostream>

// Un divisor igual a cero (también -0.0) se rechaza con un aviso por la salida de error
template <class T>
T dividir(T a, T b) {
    if (b == T(0)) {
        std::fflush(stdout);  // lo pendiente de la salida estándar sale antes que el aviso
        std::fprintf(stderr, "Error: No se puede dividir por cero.\n");
        std::fflush(stderr);
    }
    return b == T(0) ? T(0) : a / b;
}

int main() {
    std::cout << "Introduce el primer número: ";
    double num1;
    std::cin >> num1;

    std::cout << "Introduce el segundo número: ";
    double num2;
    std::cin >> num2;

    std::cout << "El resultado de dividir " << num1 << " entre " << num2
              << " es: " << dividir(num1, num2) << '\n'
              << std::flush;
    return 0;
}

#include <iostream>

// El menor de dos valores del mismo tipo; con empate (o un NaN) sale el segundo
template <class T>
T encontrarMinimo(T a, T b) {
    return a < b ? a : b;
}

int main() {
    int num1 = 10;
    int num2 = 5;

    std::cout << "Ingrese el primer numero: ";
    std::cin >> num1;
    std::cout << "Ingrese el segundo numero";
    std::cin >> num2;

    auto menorEntero = encontrarMinimo(num1, num2);
    std::cout << "El mínimo entre " << num1 << " y " << num2 << " es: " << menorEntero << '\n'
              << std::flush;

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    auto menorReal = encontrarMinimo(decimal1, decimal2);
    std::cout << "El mínimo entre " << decimal1 << " y " << decimal2 << " es: " << menorReal << '\n'
              << std::flush;
    return 0;
}

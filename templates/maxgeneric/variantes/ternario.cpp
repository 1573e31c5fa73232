#include <iostream>

// El mayor de dos valores del mismo tipo; con empate (o un NaN) sale el segundo
template <class T>
T encontrarMaximo(T a, T b) {
    return a > b ? a : b;
}

int main() {
    int num1 = 10;
    int num2 = 5;
    auto maximoEntero = encontrarMaximo(num1, num2);
    std::cout << "El máximo entre " << num1 << " y " << num2 << " es: " << maximoEntero << '\n'
              << std::flush;

    char char1 = 'a';
    char char2 = 'c';
    auto maximoLetra = encontrarMaximo(char1, char2);
    std::cout << "El máximo entre '" << char1 << "' y '" << char2 << "' es: " << maximoLetra << '\n'
              << std::flush;

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    auto maximoReal = encontrarMaximo(decimal1, decimal2);
    std::cout << "El máximo entre " << decimal1 << " y " << decimal2 << " es: " << maximoReal
              << '\n'
              << std::flush;

    return 0;
}

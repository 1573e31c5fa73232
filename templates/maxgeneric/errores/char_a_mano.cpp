#include <iostream>

// Devuelve el mayor de dos valores (si son iguales, el segundo)
template <typename T>
T encontrarMaximo(T a, T b) {
    if (a > b) {
        return a;
    }
    return b;
}

int main() {
    int num1 = 10;
    int num2 = 5;
    std::cout << "El máximo entre " << num1 << " y " << num2 << " es: " << encontrarMaximo(num1, num2) << std::endl;

    char char1 = 'a';
    char char2 = 'c';
    char mayor = char1 > char2 ? char1 : char2;  // con char lo hago directamente
    std::cout << "El máximo entre '" << char1 << "' y '" << char2 << "' es: " << mayor << std::endl;

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    std::cout << "El máximo entre " << decimal1 << " y " << decimal2 << " es: " << encontrarMaximo(decimal1, decimal2) << std::endl;

    return 0;
}

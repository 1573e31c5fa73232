// Plantilla de función: una sola definición de encontrarMaximo sirve para int, char y double;
// el compilador crea una versión para cada tipo con el que se llama. Salida:
//     El máximo entre 10 y 5 es: 10
//     El máximo entre 'a' y 'c' es: c
//     El máximo entre 3.14 y 2.71 es: 3.14
#include <iostream>

// Se compara con el > propio de cada tipo. Si los dos son iguales (o uno es NaN, que no es
// mayor ni menor que nada) se devuelve b, el segundo.
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
    std::cout << "El máximo entre " << num1 << " y " << num2
              << " es: " << encontrarMaximo(num1, num2) << std::endl;

    char char1 = 'a';
    char char2 = 'c';
    std::cout << "El máximo entre '" << char1 << "' y '" << char2
              << "' es: " << encontrarMaximo(char1, char2) << std::endl;

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    std::cout << "El máximo entre " << decimal1 << " y " << decimal2
              << " es: " << encontrarMaximo(decimal1, decimal2) << std::endl;
    return 0;
}

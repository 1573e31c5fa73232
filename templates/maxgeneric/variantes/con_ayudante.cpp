#include <iostream>
#include <string>

template <typename T>
T encontrarMaximo(T a, T b) {
    if (a > b) {
        return a;
    }
    return b;
}

// Escribe una linea completa; las comillas van alrededor de los operandos, no del resultado
template <typename T>
void escribirLinea(T x, T y, const std::string& comilla) {
    std::cout << "El máximo entre " << comilla << x << comilla << " y " << comilla << y << comilla
              << " es: " << encontrarMaximo(x, y) << std::endl;
}

int main() {
    int num1 = 10;
    int num2 = 5;
    escribirLinea(num1, num2, "");

    char char1 = 'a';
    char char2 = 'c';
    escribirLinea(char1, char2, "'");

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    escribirLinea(decimal1, decimal2, "");

    return 0;
}

#include <iostream>

// Se queda con b salvo que a sea estrictamente menor
template <typename T>
T encontrarMinimo(T a, T b) {
    T menor = b;
    if (a < b) {
        menor = a;
    }
    return menor;
}

// Escribe la linea del resultado para un par de valores de cualquier tipo
template <typename T>
void escribirMinimo(T x, T y) {
    std::cout << "El mínimo entre " << x << " y " << y << " es: " << encontrarMinimo(x, y)
              << std::endl;
}

int main() {
    int num1 = 10;
    int num2 = 5;

    std::cout << "Ingrese el primer numero: ";
    std::cin >> num1;
    std::cout << "Ingrese el segundo numero";
    std::cin >> num2;
    escribirMinimo(num1, num2);

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    escribirMinimo(decimal1, decimal2);
    return 0;
}

#include <iostream>

// Un tipo para cada parametro, por si algun dia se mezclan
template <typename T, typename U>
T encontrarMinimo(T a, U b) {
    if (a < b) {
        return a;
    }
    return b;
}

int main() {
    int num1 = 10;
    int num2 = 5;

    std::cout << "Ingrese el primer numero: ";
    std::cin >> num1;
    std::cout << "Ingrese el segundo numero";
    std::cin >> num2;

    std::cout << "El mínimo entre " << num1 << " y " << num2 << " es: " << encontrarMinimo(num1, num2) << std::endl;

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    std::cout << "El mínimo entre " << decimal1 << " y " << decimal2 << " es: " << encontrarMinimo(decimal1, decimal2) << std::endl;
    return 0;
}

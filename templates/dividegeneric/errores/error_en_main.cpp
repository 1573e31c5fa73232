#include <iostream>

// Divide a entre b; con b igual a cero devuelve 0 (el aviso lo da main)
template <typename T>
T dividir(T a, T b) {
    if (b == 0) {
        return 0;
    }
    return a / b;
}

int main() {
    std::cout << "Introduce el primer número: ";
    double num1;
    std::cin >> num1;

    std::cout << "Introduce el segundo número: ";
    double num2;
    std::cin >> num2;

    std::cout << "El resultado de dividir " << num1 << " entre " << num2 << " es: ";
    if (num2 == 0) {
        std::cerr << "Error: No se puede dividir por cero." << std::endl;
    }
    std::cout << dividir(num1, num2) << std::endl;

    return 0;
}

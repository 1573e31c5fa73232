#include <iostream>

// Divide a entre b; si b es cero avisa por cerr y devuelve 0
template <typename Numero>
Numero dividir(Numero a, Numero b) {
    if (b == 0) {
        std::cerr << "Error: No se puede dividir por cero." << std::endl;
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

    std::cout << "El resultado de dividir " << num1 << " entre " << num2 << " es: " << dividir(num1, num2) << std::endl;

    return 0;
}

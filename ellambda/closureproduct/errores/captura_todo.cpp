#include <iostream>

int main() {
    int numero1, numero2;

    std::cout << "Por favor, ingrese dos números enteros separados por espacio: ";
    std::cin >> numero1 >> numero2;

    // Lambda que multiplica dos enteros
    auto producto = [&](int x, int y) -> int {
        return x * y;
    };

    int resultado = producto(numero1, numero2);

    std::cout << "El producto de " << numero1 << " y " << numero2 << " es: " << resultado << std::endl;

    return 0;
}

#include <iostream>

// Multiplica dos enteros
int producto(int x, int y) {
    return x * y;
}

int main() {
    int numero1, numero2;

    std::cout << "Por favor, ingrese dos números enteros separados por espacio: ";
    std::cin >> numero1 >> numero2;

    int resultado = producto(numero1, numero2);

    std::cout << "El producto de " << numero1 << " y " << numero2 << " es: " << resultado << std::endl;

    return 0;
}

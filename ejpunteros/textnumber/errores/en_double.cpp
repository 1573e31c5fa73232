#include <iostream>
#include <cstdlib>

int main() {
    char cad[7] = "123.34";

    std::cout << "escriba un numero: ";
    std::cin >> cad;

    // Convierte el texto a numero
    double i = std::atof(cad);

    std::cout << i << std::endl;

    return 0;
}

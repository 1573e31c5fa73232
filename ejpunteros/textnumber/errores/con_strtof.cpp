#include <iostream>
#include <cstdlib>

int main() {
    char cad[7] = "123.34";
    float i;

    std::cout << "escriba un numero: ";
    std::cin >> cad;

    // Convierte el texto a numero, directamente en float
    i = std::strtof(cad, nullptr);

    std::cout << i << std::endl;

    return 0;
}

#include <iostream>
#include <cstdlib>

int main() {
    char cad[7] = "123.34";
    float i;

    std::cout << "escriba un numero: ";
    std::cin >> cad;

    // Convierte el texto a numero
    i = std::atof(cad);

    std::cout << i << std::endl;

    return 0;
}

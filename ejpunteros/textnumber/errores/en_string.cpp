#include <iostream>
#include <cstdlib>
#include <string>

int main() {
    std::string cad = "123.34";
    float i;

    std::cout << "escriba un numero: ";
    std::cin >> cad;

    // Convierte el texto a numero
    i = std::atof(cad.c_str());

    std::cout << i << std::endl;

    return 0;
}

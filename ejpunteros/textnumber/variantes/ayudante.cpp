#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <limits>

// El número del principio del texto, con atof, en un float
float convertir(const char* texto) {
    const double valor = std::atof(texto);
    const double mayor = std::numeric_limits<float>::max();
    if (valor > mayor) return std::numeric_limits<float>::infinity();
    if (valor < -mayor) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(valor);
}

int main() {
    char cad[7] = "123.34";
    std::cout << "escriba un numero: ";
    std::cin >> std::setw(sizeof cad) >> cad;
    auto i = convertir(cad);
    std::cout << i << '\n' << std::flush;
}

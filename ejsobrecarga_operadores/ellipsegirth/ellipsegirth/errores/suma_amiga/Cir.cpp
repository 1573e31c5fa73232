#include "Cir.h"
#include <cmath>

// Pide un numero y lo guarda en longitud
void Cir::in() {
    std::cout << "Ingresar el numero: ";
    std::cin >> longitud;
}

// Perimetro aproximado de la elipse: 2*pi*raiz((a*a + b*b)/2)
Cir operator+(const Cir& a, const Cir& b) {
    Cir temporal;
    float cuadrados = a.longitud * a.longitud + b.longitud * b.longitud;
    float mitad = cuadrados / 2.0f;
    float raiz = std::sqrt(mitad);
    float doble = raiz + raiz;
    temporal.longitud = static_cast<float>(static_cast<double>(doble) * 3.141592653589793);
    return temporal;
}

// Muestra el perimetro en cm
void Cir::out() {
    std::cout << "El perimetro es: " << longitud << "cm" << std::endl;
}

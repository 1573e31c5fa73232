// in, operator+ (con sqrtf, la raíz en float) y out.
#include "Cir.h"

#include <cmath>
#include <iostream>

void Cir::in() {
    std::cout << "Ingresar el numero: ";
    std::cin >> longitud;
}

Cir Cir::operator+(const Cir& obj) {
    Cir temporal;
    const float r = sqrtf((longitud * longitud + obj.longitud * obj.longitud) / 2.0f);
    const double pi = 3.141592653589793;
    temporal.longitud = static_cast<float>(static_cast<double>(r + r) * pi);
    return temporal;
}

void Cir::out() { std::cout << "El perimetro es: " << longitud << "cm" << std::endl; }

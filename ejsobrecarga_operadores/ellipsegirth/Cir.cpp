// Funciones miembro de Cir. main.cpp incluye este archivo: el programa se compila entero
// desde main.cpp, y este archivo no se compila por separado.
#include "Cir.h"

#include <cmath>
#include <iostream>

void Cir::in() {
    std::cout << "Ingresar el numero: ";
    std::cin >> longitud;
}

// Perímetro por la media cuadrática de los semiejes: 2·π·√((a² + b²) / 2). Es simétrico y
// no depende del signo. Cuadrados, suma, división y raíz van en float: si la suma de
// cuadrados supera el rango de float, el perímetro es infinito. Solo el producto por π se
// hace en double, y el resultado vuelve a float.
Cir Cir::operator+(const Cir& obj) {
    Cir temporal;
    float suma = longitud * longitud + obj.longitud * obj.longitud;
    float raiz = std::sqrt(suma / 2.0f);
    temporal.longitud = static_cast<float>(static_cast<double>(raiz + raiz) * 3.141592653589793);
    return temporal;
}

void Cir::out() { std::cout << "El perimetro es: " << longitud << "cm" << std::endl; }

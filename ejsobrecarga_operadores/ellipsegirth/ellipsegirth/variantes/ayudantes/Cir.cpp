// La raíz de la media de los cuadrados se calcula en una función aparte, con floats.
#include "Cir.h"

#include <cmath>
#include <iostream>

using namespace std;

namespace {

float raizMedia(float a, float b) {
    float media = (a * a + b * b) / 2.0f;
    return sqrt(media);
}

}  // namespace

void Cir::in() {
    cout << "Ingresar el numero: ";
    cin >> longitud;
}

Cir Cir::operator+(const Cir& obj) {
    Cir temporal;
    float raiz = raizMedia(longitud, obj.longitud);
    double producto = double(raiz + raiz) * 3.141592653589793;
    temporal.longitud = float(producto);
    return temporal;
}

void Cir::out() { cout << "El perimetro es: " << longitud << "cm" << '\n' << flush; }

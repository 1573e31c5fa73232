#include <iostream>

template <class TIPOD>
void mostrarAbs(TIPOD numero);

int main() {
    int num1 = -4;
    float num4 = 56.3f;
    double num3 = 123.3445;

    mostrarAbs(num1);
    mostrarAbs(num4);
    mostrarAbs(num3);
    return 0;
}

// Sin cambiar numero: se escribe directamente su opuesto si es negativo
template <class TIPOD>
void mostrarAbs(TIPOD numero) {
    const TIPOD positivo = numero < 0 ? -numero : numero;
    std::cout << "el valor absoluto del nuero es: " << positivo << "\n";
}

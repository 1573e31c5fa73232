#include <iostream>

// Declaraciones, una para cada tipo; se definen despues de main
void mostrarAbs(int numero);
void mostrarAbs(float numero);
void mostrarAbs(double numero);

int main() {
    int num1 = -4;
    float num4 = 56.3f;
    double num3 = 123.3445;

    mostrarAbs(num1);
    mostrarAbs(num4);
    mostrarAbs(num3);
    return 0;
}

void mostrarAbs(int numero) {
    if (numero < 0) {
        numero = -numero;
    }
    std::cout << "el valor absoluto del nuero es: " << numero << '\n';
}

void mostrarAbs(float numero) {
    if (numero < 0) {
        numero = -numero;
    }
    std::cout << "el valor absoluto del nuero es: " << numero << '\n';
}

void mostrarAbs(double numero) {
    if (numero < 0) {
        numero = -numero;
    }
    std::cout << "el valor absoluto del nuero es: " << numero << '\n';
}

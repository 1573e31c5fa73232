#include <iostream>

template <typename TIPOD>
void mostrarAbs(TIPOD numero);

// num3 ya es positivo: no hace falta llamar a la plantilla
int main() {
    int num1 = -4;
    float num4 = 56.3f;
    double num3 = 123.3445;

    mostrarAbs(num1);
    mostrarAbs(num4);
    std::cout << "el valor absoluto del nuero es: " << num3 << '\n';
    return 0;
}

template <typename TIPOD>
void mostrarAbs(TIPOD numero) {
    if (numero < 0) {
        numero = -numero;
    }
    std::cout << "el valor absoluto del nuero es: " << numero << '\n';
}

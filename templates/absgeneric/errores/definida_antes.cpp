#include <iostream>

// Muestra el valor absoluto del numero
template <typename TIPOD>
void mostrarAbs(TIPOD numero) {
    if (numero < 0) {
        numero = -numero;
    }
    std::cout << "el valor absoluto del nuero es: " << numero << '\n';
}

int main() {
    int num1 = -4;
    float num4 = 56.3f;
    double num3 = 123.3445;

    mostrarAbs(num1);
    mostrarAbs(num4);
    mostrarAbs(num3);
    return 0;
}

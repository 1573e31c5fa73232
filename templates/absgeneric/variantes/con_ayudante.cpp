#include <iostream>

template <typename TIPOD>
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

// Escribe el texto y el valor, terminado en salto de línea sin vaciar la salida
template <typename TIPOD>
void escribir(TIPOD valor) {
    std::cout << "el valor absoluto del nuero es: " << valor << '\n';
}

template <typename TIPOD>
void mostrarAbs(TIPOD numero) {
    if (numero < 0) numero = -numero;
    escribir(numero);
}

// Plantilla de función declarada antes de main y definida después: main solo necesita la
// declaración para llamarla. mostrarAbs escribe el valor absoluto de un int, un float y un
// double. Salida:
//     el valor absoluto del nuero es: 4
//     el valor absoluto del nuero es: 56.3
//     el valor absoluto del nuero es: 123.344
// Cada línea acaba en '\n', que no vacía la salida: el texto sale todo junto al terminar.
// 123.3445 se guarda como un double algo menor, por eso su sexta cifra es un 4.
#include <iostream>
#include <limits>
#include <type_traits>

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

// numero es una copia: cambiarla no cambia la variable del llamador. En float y double, -0.0
// y NaN no son menores que 0 y se escriben tal cual ("-0", "nan").
template <typename TIPOD>
void mostrarAbs(TIPOD numero) {
    if constexpr (std::is_integral_v<TIPOD> && std::is_signed_v<TIPOD>) {
        // El entero más negativo no tiene opuesto en su tipo (2147483648 no cabe en int):
        // negarlo desbordaría. Pasado al tipo sin signo del mismo tamaño, ese valor es
        // justamente su valor absoluto.
        if (numero == std::numeric_limits<TIPOD>::min()) {
            std::cout << "el valor absoluto del nuero es: "
                      << static_cast<std::make_unsigned_t<TIPOD>>(numero) << '\n';
            return;
        }
    }
    if (numero < 0) {
        numero = -numero;
    }
    std::cout << "el valor absoluto del nuero es: " << numero << '\n';
}

// Lambda sin capturas guardada en una variable local: eleva al cuadrado el entero que
// escribe el usuario. Ejemplo:
//     Por favor, ingrese un número entero: 12
//     El cuadrado de 12 es: 144
#include <iostream>

int main() {
    int numero;

    std::cout << "Por favor, ingrese un número entero: ";
    // Si la lectura falla (no es un número entero, no cabe en int o la entrada se acabó),
    // numero no tiene un valor con el que calcular.
    if (!(std::cin >> numero)) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }

    auto cuadrado = [](int x) -> int { return x * x; };

    // 46340² = 2147395600 es el mayor cuadrado que cabe en int; más allá se desbordaría.
    if (numero < -46340 || numero > 46340) {
        std::cout << "El cuadrado de " << numero << " no cabe en un int." << std::endl;
        return 0;
    }
    int resultado = cuadrado(numero);
    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;
    return 0;
}

// Factorial recursivo con enteros sin signo de 64 bits. El programa pide un número y
// muestra su factorial, o un aviso si el número es negativo. Ejemplo:
//     Introduce un número para calcular su factorial: 5
//     El factorial de 5 es 120
// 20! es el mayor factorial que cabe en 64 bits; desde 21! se muestra el resto módulo 2^64
// (21 da 14197454024290336768) y desde 66! ese resto es 0.
#include <iostream>

// 1 para todo n <= 1 (también los negativos). El producto sin signo no se desborda: da la
// vuelta módulo 2^64.
unsigned long long factorial(int n) {
    if (n <= 1) {
        return 1;
    }
    return static_cast<unsigned long long>(n) * factorial(n - 1);
}

int main() {
    int num;

    std::cout << "Introduce un número para calcular su factorial: ";
    // Si la lectura falla (no es un número entero, no cabe en int o la entrada se acabó),
    // num no tiene un valor con el que calcular.
    if (!(std::cin >> num)) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }

    if (num < 0) {
        std::cout << "El factorial no está definido para números negativos." << std::endl;
    } else {
        // Desde 66! el factor 2 aparece al menos 64 veces, así que el resto módulo 2^64 es 0:
        // se responde sin anidar num llamadas, que con números grandes agotarían la pila.
        unsigned long long result = num < 66 ? factorial(num) : 0;
        std::cout << "El factorial de " << num << " es " << result << std::endl;
    }
    return 0;
}

// Término de la secuencia de Fibonacci por recursión doble, sin memoria de lo calculado.
// El programa pide una posición y muestra el término, o un aviso si es negativa. Ejemplo:
//     Introduce un número para calcular su término en la secuencia de Fibonacci: 10
//     El término 10 de la secuencia de Fibonacci es 55
// Cada llamada vuelve a calcular sus dos subtérminos: el término n hace 2·F(n+1) − 1
// llamadas (177 para el 10, unos 5900 millones para el 46, que tarda unos segundos).
#include <iostream>

// 0 para todo n <= 0. Sin memoria ni bucles: el trabajo crece como 1.618^n.
int fibonacci(int n) {
    if (n <= 0) {
        return 0;
    }
    if (n == 1) {
        return 1;
    }
    return fibonacci(n - 1) + fibonacci(n - 2);
}

int main() {
    int num;

    std::cout << "Introduce un número para calcular su término en la secuencia de Fibonacci: ";
    // Si la lectura falla (no es un número entero, no cabe en int o la entrada se acabó),
    // num no tiene un valor con el que calcular.
    if (!(std::cin >> num)) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }

    if (num < 0) {
        std::cout << "La secuencia de Fibonacci no está definida para números negativos."
                  << std::endl;
    } else if (num > 46) {
        // F(46) = 1836311903 es el último término que cabe en int; la suma del 47 se
        // desbordaría, y antes habría hecho más de 9000 millones de llamadas.
        std::cout << "El término " << num << " de la secuencia de Fibonacci no cabe en un int."
                  << std::endl;
    } else {
        int result = fibonacci(num);
        std::cout << "El término " << num << " de la secuencia de Fibonacci es " << result
                  << std::endl;
    }
    return 0;
}

#include <iostream>

// Termino n de Fibonacci, guardando los ya calculados para no repetirlos
int fibonacci(int n) {
    static int calculados[47] = {};
    if (n <= 0) {
        return 0;
    }
    if (n == 1) {
        return 1;
    }
    if (n < 47 && calculados[n] != 0) {
        return calculados[n];
    }
    const int r = fibonacci(n - 1) + fibonacci(n - 2);
    if (n < 47) {
        calculados[n] = r;
    }
    return r;
}

int main() {
    int num;
    std::cout << "Introduce un número para calcular su término en la secuencia de Fibonacci: ";
    std::cin >> num;

    if (num < 0) {
        std::cout << "La secuencia de Fibonacci no está definida para números negativos." << std::endl;
    } else {
        int result = fibonacci(num);
        std::cout << "El término " << num << " de la secuencia de Fibonacci es " << result << std::endl;
    }

    return 0;
}

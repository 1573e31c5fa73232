#include <iostream>

// Termino n de Fibonacci: la suma de los dos anteriores, recorriendolos con un bucle
int fibonacci(int n) {
    if (n <= 0) {
        return 0;
    }
    if (n == 1) {
        return 1;
    }
    int suma = 0;
    for (int atras = 1; atras <= 2; ++atras) {
        suma += fibonacci(n - atras);
    }
    return suma;
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

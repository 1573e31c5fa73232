#include <cmath>
#include <iostream>

// Termino n de Fibonacci con la formula de Binet, sin recursion
int fibonacci(int n) {
    if (n <= 0) {
        return 0;
    }
    const double phi = (1 + std::sqrt(5.0)) / 2;
    return static_cast<int>(std::round(std::pow(phi, n) / std::sqrt(5.0)));
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

#include <iostream>

// Factorial recursivo (1 para n <= 1)
unsigned long long factorial(int n) {
    if (n <= 1) {
        return 1;
    }
    return static_cast<unsigned long long>(n) * factorial(n - 1);
}

int main() {
    int num;
    std::cout << "Introduce un numero para calcular su factorial: ";
    std::cin >> num;

    if (num < 0) {
        std::cout << "El factorial no esta definido para numeros negativos." << std::endl;
    } else {
        unsigned long long result = factorial(num);
        std::cout << "El factorial de " << num << " es " << result << std::endl;
    }

    return 0;
}

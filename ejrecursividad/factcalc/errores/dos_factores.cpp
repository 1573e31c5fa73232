#include <iostream>

// Factorial recursivo con dos factores por llamada: n * (n - 1) * factorial(n - 2)
unsigned long long factorial(int n) {
    if (n <= 1) {
        return 1;
    }
    unsigned long long producto = 1;
    int k = n;
    for (; k > n - 2 && k > 1; --k) {
        producto *= static_cast<unsigned long long>(k);
    }
    return producto * factorial(k);
}

int main() {
    int num;
    std::cout << "Introduce un número para calcular su factorial: ";
    std::cin >> num;

    if (num < 0) {
        std::cout << "El factorial no está definido para números negativos." << std::endl;
    } else {
        unsigned long long result = factorial(num);
        std::cout << "El factorial de " << num << " es " << result << std::endl;
    }

    return 0;
}

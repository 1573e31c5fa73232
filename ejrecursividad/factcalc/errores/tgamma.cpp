#include <cmath>
#include <iostream>

// Hasta 12! el factorial cabe de sobra en un double: gamma(n + 1) = n!
unsigned long long factorial(int n) {
    if (n <= 1) {
        return 1;
    }
    if (n <= 12) {
        return static_cast<unsigned long long>(std::llround(std::tgamma(n + 1)));
    }
    return static_cast<unsigned long long>(n) * factorial(n - 1);
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

#include <iostream>

// Los factoriales ya calculados, para no repetirlos (0 si aun no se ha calculado)
unsigned long long calculados[66];

unsigned long long factorial(int n) {
    if (n <= 1) {
        return 1;
    }
    if (n < 66 && calculados[n] != 0) {
        return calculados[n];
    }
    const unsigned long long r = static_cast<unsigned long long>(n) * factorial(n - 1);
    if (n < 66) {
        calculados[n] = r;
    }
    return r;
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

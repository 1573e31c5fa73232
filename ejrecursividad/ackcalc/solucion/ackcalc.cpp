#include <iostream>

// Funcion de Ackermann, recursion directa
int ackermann(int m, int n) {
    if (m == 0) {
        return n + 1;
    } else if (m > 0 && n == 0) {
        return ackermann(m - 1, 1);
    } else {
        int interno = ackermann(m, n - 1);
        return ackermann(m - 1, interno);
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

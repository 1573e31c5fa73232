#include <iostream>

// Ackermann recordando los valores de m <= 3 y n < 64 ya calculados (0 si aun no)
int ackermann(int m, int n) {
    static int calculados[4][64];
    if (m == 0) {
        return n + 1;
    }
    bool cabe = m > 0 && m < 4 && n >= 0 && n < 64;
    if (cabe && calculados[m][n] != 0) {
        return calculados[m][n];
    }
    int r;
    if (m > 0 && n == 0) {
        r = ackermann(m - 1, 1);
    } else {
        int interno = ackermann(m, n - 1);
        r = ackermann(m - 1, interno);
    }
    if (cabe) {
        calculados[m][n] = r;
    }
    return r;
}

int main() {
    int m, n;
    std::cout << "Introduce dos números no negativos m y n: ";
    std::cin >> m >> n;

    int result = ackermann(m, n);

    std::cout << "Ackermann(" << m << ", " << n << ") = " << result << std::endl;

    return 0;
}

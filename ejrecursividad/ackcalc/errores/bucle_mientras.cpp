#include <iostream>

// Ackermann con la ultima llamada convertida en un bucle: solo el valor interior es recursivo
int ackermann(int m, int n) {
    if (m == 0) return n + 1;
    while (m > 0) {
        if (n == 0) {
            n = 1;
        } else {
            n = ackermann(m, n - 1);
        }
        m = m - 1;
    }
    return n + 1;
}

int main() {
    int m, n;
    std::cout << "Introduce dos números no negativos m y n: ";
    std::cin >> m >> n;

    int result = ackermann(m, n);

    std::cout << "Ackermann(" << m << ", " << n << ") = " << result << std::endl;

    return 0;
}

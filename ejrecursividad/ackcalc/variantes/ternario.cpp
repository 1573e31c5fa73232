// ackcalc con los tres casos en operadores ternarios, auto y '\n' seguido de std::flush.
#include <iostream>

int ackermann(int m, int n) {
    return m == 0              ? n + 1
           : (m > 0 && n == 0) ? ackermann(m - 1, 1)
                               : ackermann(m - 1, ackermann(m, n - 1));
}

int main() {
    int m, n;
    std::cout << "Introduce dos números no negativos m y n: ";
    std::cin >> m >> n;
    const auto result = ackermann(m, n);
    std::cout << "Ackermann(" << m << ", " << n << ") = " << result << '\n' << std::flush;
    return 0;
}

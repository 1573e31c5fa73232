#include <iostream>
#include <stack>

// Ackermann apuntando en una pila los m que quedan por bajar
int ackermann(int m, int n) {
    if (m == 0) {
        return n + 1;
    }
    std::stack<int> pendientes;
    pendientes.push(m - 1);
    if (n == 0) {
        return ackermann(pendientes.top(), 1);
    }
    int interno = ackermann(m, n - 1);
    return ackermann(pendientes.top(), interno);
}

int main() {
    int m, n;
    std::cout << "Introduce dos números no negativos m y n: ";
    std::cin >> m >> n;

    int result = ackermann(m, n);

    std::cout << "Ackermann(" << m << ", " << n << ") = " << result << std::endl;

    return 0;
}

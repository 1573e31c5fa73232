#include <iostream>

int main() {
    // Lambda sin capturas que multiplica dos enteros
    auto multiplicar = [](int a, int b) -> int {
        return a * b;
    };

    std::cout << "3 * 4 = " << 3 * 4 << std::endl;

    return 0;
}

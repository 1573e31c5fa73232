#include <iostream>

int main() {
    // Lambda sin capturas que multiplica dos enteros
    auto multiplicar = [](int a, int b) -> int {
        return a * b;
    };

    int resultado = multiplicar(3, 4);
    std::cout << "3 * 4 = " << resultado << std::endl;

    return 0;
}

#include <functional>
#include <iostream>

int main() {
    // Objeto función de la biblioteca que multiplica dos enteros
    std::multiplies<int> multiplicar;

    std::cout << "3 * 4 = " << multiplicar(3, 4) << std::endl;

    return 0;
}

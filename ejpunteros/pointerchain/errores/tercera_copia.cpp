#include <iostream>

int main() {
    int var = 10;
    int* ptr = &var;
    int** ptr2 = &ptr;
    int valor = **ptr2;

    std::cout << "El valor de var es: " << var << std::endl;
    std::cout << "El valor de *ptr es: " << *ptr << std::endl;
    std::cout << "El valor de **ptr2 es: " << valor << std::endl;

    return 0;
}

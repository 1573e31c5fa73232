#include <iostream>

int main() {
    int var = 20;
    int* ptr;
    ptr = &var;

    std::cout << "El valor de var es: " << var << std::endl;
    std::cout << "El valor de *ptr es: " << var << std::endl;

    // Se cambia var a traves del puntero
    *ptr = 30;

    std::cout << "El nuevo valor de var es: " << var << std::endl;

    return 0;
}

#include <iostream>

int main() {
    int var = 20;
    int* ptr;
    ptr = &var;

    std::cout << "El valor de var es: " << var << std::endl;
    std::cout << "El valor de *ptr es: " << *ptr << std::endl;

    // Se cambia var
    var = 30;

    std::cout << "El nuevo valor de var es: " << var << std::endl;

    return 0;
}

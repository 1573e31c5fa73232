#include <iostream>

int main() {
    int var = 10;
    auto* ptr = &var;
    auto** ptr2 = &ptr;

    std::cout << "El valor de var es: " << var << '\n' << std::flush;
    std::cout << "El valor de *ptr es: " << *ptr << '\n' << std::flush;
    // Primero se sigue ptr2 hasta ptr, después ptr hasta var
    std::cout << "El valor de **ptr2 es: " << *(*ptr2) << '\n' << std::flush;
}

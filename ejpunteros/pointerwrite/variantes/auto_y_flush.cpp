#include <iostream>

int main() {
    int var = 20;
    int* ptr = nullptr;
    ptr = &var;
    std::cout << "El valor de var es: " << var << '\n' << std::flush;
    std::cout << "El valor de *ptr es: " << *ptr << '\n' << std::flush;

    const int nuevo = 30;
    *ptr = nuevo;  // var cambia sin nombrarla
    std::cout << "El nuevo valor de var es: " << var << '\n' << std::flush;
}

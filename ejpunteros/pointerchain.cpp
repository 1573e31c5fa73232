// Puntero a puntero: el mismo entero se lee directamente, a través de un puntero y a través
// de un puntero a ese puntero. Cada valor se lee al escribir su línea. Salida:
//     El valor de var es: 10
//     El valor de *ptr es: 10
//     El valor de **ptr2 es: 10
#include <iostream>

int main() {
    int var = 10;
    int* ptr = &var;
    int** ptr2 = &ptr;

    std::cout << "El valor de var es: " << var << std::endl;
    std::cout << "El valor de *ptr es: " << *ptr << std::endl;
    // ptr2 lleva a ptr, y ptr lleva a var: dos lecturas a través de punteros.
    std::cout << "El valor de **ptr2 es: " << **ptr2 << std::endl;
    return 0;
}

// Escribir a través de un puntero cambia la variable apuntada: var no se vuelve a nombrar
// en la asignación y aun así pasa de 20 a 30. Salida:
//     El valor de var es: 20
//     El valor de *ptr es: 20
//     El nuevo valor de var es: 30
#include <iostream>

int main() {
    int var = 20;
    int* ptr;
    ptr = &var;

    std::cout << "El valor de var es: " << var << std::endl;
    std::cout << "El valor de *ptr es: " << *ptr << std::endl;

    *ptr = 30;
    std::cout << "El nuevo valor de var es: " << var << std::endl;
    return 0;
}

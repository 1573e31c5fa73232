// La suma llamada por su nombre: F1.operator+(F2) es lo mismo que F1 + F2.
#include <cstdlib>
#include <iostream>

#include "Cir.cpp"

int main() {
    Cir F1, F2, result;
    if (std::system("cls") != 0) {
        // Da igual: el programa sigue.
    }
    std::cout << "Insetar longitud eje mayor: " << std::endl;
    F1.in();
    std::cout << "cInsetar longitud eje menor: " << std::endl;
    F2.in();
    result = F1.operator+(F2);
    result.out();
    return 0;
}

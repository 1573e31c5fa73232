#include <iostream>
#include <cstdlib>
#include "Cir.cpp"

int main() {
    Cir F1, F2, result;

    std::system("cls");

    std::cout << "Insetar longitud eje mayor: " << std::endl;
    F1.in();
    std::cout << "cInsetar longitud eje menor: " << std::endl;
    F2.in();

    result = F1 + F2;
    std::cout << "El perimetro es: " << result.getLongitud() << "cm" << std::endl;

    return 0;
}

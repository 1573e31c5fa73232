#include <iostream>

template <typename TD>
void sum(TD numero);

int main() {
    int num1 = 0;
    int num2 = 0;

    std::cout << "ingrese el numerador";
    std::cin >> num1;
    std::cout << "ingresar el denominador";
    std::cin >> num2;

    sum(num1);
    std::cout << "no se puede dividir para 0";
    sum(num2);
    std::cout << "no se puede dividir para 0";
    return 0;
}

// El aviso lo escribe main despues de cada llamada
template <typename TD>
void sum(TD numero) {
    if ((numero = 0) != 0) {
        return;
    }
}

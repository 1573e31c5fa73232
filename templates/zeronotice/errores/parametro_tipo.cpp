#include <iostream>

template <typename T>
void sum(T numero);

int main() {
    int num1 = 0;
    int num2 = 0;

    std::cout << "ingrese el numerador";
    std::cin >> num1;
    std::cout << "ingresar el denominador";
    std::cin >> num2;

    sum(num1);
    sum(num2);
    return 0;
}

// Avisa de que no se puede dividir
template <typename T>
void sum(T numero) {
    if ((numero = 0) != 0) {
        std::cout << "no se puede dividir para 0";
    }
    std::cout << "no se puede dividir para 0";
}

#include <iostream>

// Solo se usa con int: no hace falta plantilla
void sum(int numero);

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

void sum(int numero) {
    if ((numero = 0) != 0) {
        std::cout << "no se puede dividir para 0";
    }
    std::cout << "no se puede dividir para 0";
}

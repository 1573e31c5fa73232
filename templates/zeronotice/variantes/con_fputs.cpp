#include <cstdio>
#include <iostream>

// Declaracion de la plantilla; se define despues de main
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
    sum(num2);

    return 0;
}

// Muestra el aviso de division por cero
template <typename TD>
void sum(TD numero) {
    // se asigna 0 y se pregunta si es distinto de 0: nunca entra
    if ((numero = 0) != 0) {
        std::cout << "no se puede dividir para 0";
    }
    std::fputs("no se puede dividir para 0", stdout);
}

#include <cstdio>
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
    sum(num2);
    return 0;
}

// El aviso, sin fin de línea
void avisar() { std::printf("no se puede dividir para 0"); }

template <typename TD>
void sum(TD numero) {
    static_cast<void>(numero);  // el valor no cambia nada
    avisar();
}

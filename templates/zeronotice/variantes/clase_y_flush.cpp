#include <iostream>

template <class TD>
void sum(TD numero);

int main() {
    int num1{0};
    int num2{0};

    std::cout << "ingrese el numerador";
    std::cin >> num1;
    std::cout << "ingresar el denominador";
    std::cin >> num2;

    sum(num1);
    sum(num2);
    return 0;
}

// Un aviso por llamada, sea cual sea numero; se vacía en seguida
template <class TD>
void sum(TD numero) {
    if (numero == 0 || numero != 0) {
        std::cout << "no se puede dividir para 0" << std::flush;
    }
}

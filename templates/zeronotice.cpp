// Plantilla de función declarada antes de main y definida después. El programa pide un
// numerador y un denominador y pasa cada uno a sum, que escribe un aviso sin fin de línea.
// Nunca divide ni escribe los números. Ejemplo (se teclea 10 y 2):
//     ingrese el numerador10
//     ingresar el denominador2
//     no se puede dividir para 0no se puede dividir para 0
// La salida acaba justo tras el segundo aviso, sin salto de línea.
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

// Escribe el aviso una vez por llamada, sea cual sea el valor: numero no se usa.
template <typename TD>
void sum([[maybe_unused]] TD numero) {
    std::cout << "no se puede dividir para 0";
}

// Potencia de base real y exponente entero por recursión, también con exponente negativo.
// Ejemplo:
//     Introduce la base: 2
//     Introduce el exponente: 10
//     2 elevado a 10 es 1024
// b^k se construye como ((1.0 · b) · b) · … · b, con k multiplicaciones; b^−k es una sola
// división, 1.0 / b^k.
#include <iostream>

// Mayor exponente, en valor absoluto, que se calcula: cada unidad del exponente es una
// llamada anidada más. La pila más pequeña con que se compila es la de Windows sin optimizar
// con 1 MiB (la de MSVC): se agota hacia 21600 niveles; el tope es menos de la mitad.
const int kExponenteMaximo = 10000;

double power(double base, int exponent) {
    if (exponent == 0) {
        return 1.0;
    } else if (exponent > 0) {
        return power(base, exponent - 1) * base;
    } else {
        return 1.0 / power(base, -exponent);
    }
}

int main() {
    double base;
    int exponent;
    double result;

    std::cout << "Introduce la base: ";
    // Si la base no se puede leer (no es un número, no cabe en double o la entrada se
    // acabó), no hay con qué calcular.
    if (!(std::cin >> base)) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }
    std::cout << "Introduce el exponente: ";
    // Si la entrada se acaba antes del exponente, la lectura no guardaría nada en él.
    if ((std::cin >> std::ws).eof()) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }
    // Una lectura que falla guarda 0: con "2,5" la base es 2, la coma hace fallar el
    // exponente y se calcula 2 elevado a 0. Un número que no cabe en int guarda el límite
    // más cercano, que queda fuera del rango admitido.
    std::cin >> exponent;

    // -2147483648 tampoco se calcula: su opuesto no cabe en int.
    if (exponent < -kExponenteMaximo || exponent > kExponenteMaximo) {
        std::cout << "El exponente debe estar entre " << -kExponenteMaximo << " y "
                  << kExponenteMaximo << "." << std::endl;
        return 0;
    }
    result = power(base, exponent);
    std::cout << base << " elevado a " << exponent << " es " << result << std::endl;
    return 0;
}

// Texto a número: se lee una palabra corta en un arreglo de char, atof la convierte en
// double y el valor se guarda en un float, que es lo que se escribe. Ejemplo:
//     escriba un numero: 2.5
//     2.5
// Una palabra que no empieza por un número da 0 ("abc" -> 0, "12abc" -> 12). Sin ninguna
// palabra se convierte el texto inicial, "123.34". La lectura se limita al arreglo: de una
// palabra más larga solo entran los 6 primeros caracteres y el resto queda sin leer.
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <limits>

// El float más cercano a un double. Pasar a float un double fuera de su rango con una simple
// conversión es comportamiento indefinido, así que ese caso da infinito, con su signo, de
// forma explícita. El límite es el punto medio entre el mayor float y 2^128: por debajo, el
// redondeo al más cercano da como mucho el mayor float; desde él (el empate incluido) da
// infinito. NaN pasa tal cual.
float aFloat(double valor) {
    const double mayor = std::numeric_limits<float>::max();
    const double limite = (mayor + std::ldexp(1.0, 128)) / 2;
    if (std::fabs(valor) >= limite) {
        const float infinito = std::numeric_limits<float>::infinity();
        return valor > 0 ? infinito : -infinito;
    }
    return static_cast<float>(valor);
}

int main() {
    char cad[7] = "123.34";
    float i;

    std::cout << "escriba un numero: ";
    // setw limita la extracción a 6 caracteres más el nulo final: nunca escribe fuera de cad.
    std::cin >> std::setw(sizeof cad) >> cad;

    i = aFloat(std::atof(cad));
    std::cout << i << std::endl;
    return 0;
}

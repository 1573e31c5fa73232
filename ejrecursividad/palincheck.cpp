// Palíndromo por recursión: se comparan los extremos de la palabra y se avanza hacia el
// centro. Ejemplo:
//     Introduce una cadena: reconocer
//     La cadena es un palíndromo.
// La comparación es byte a byte: "Ana" no es palíndromo ('A' y 'a' son distintos), y en
// UTF-8 una letra como "ñ" ocupa dos bytes, así que "aña" tampoco lo es.
#include <iostream>
#include <string>

// Palabra más larga que se comprueba, en bytes: anida 7501 llamadas. Sin optimizar cada nivel
// ocupa pila (optimizado, gcc convierte la llamada final en un salto), y la más pequeña con que
// se compila, la de Windows con 1 MiB (la de MSVC), se agota hacia 32400 bytes: queda más del
// doble.
const std::string::size_type kLongitudMaxima = 15000;

// Un tramo vacío o de un solo byte (start >= end) siempre es palíndromo.
bool isPalindrome(const std::string& str, int start, int end) {
    if (start >= end) {
        return true;
    }
    if (str[start] != str[end]) {
        return false;
    }
    return isPalindrome(str, start + 1, end - 1);
}

int main() {
    std::string str;

    std::cout << "Introduce una cadena: ";
    // Solo la primera palabra; sin ninguna (entrada vacía) str queda vacía: end vale -1.
    std::cin >> str;
    // Se rechaza antes de la primera llamada; así end también cabe siempre en int.
    if (str.length() > kLongitudMaxima) {
        std::cout << "La cadena es demasiado larga para comprobarla: como mucho " << kLongitudMaxima
                  << " bytes." << std::endl;
        return 0;
    }
    if (isPalindrome(str, 0, static_cast<int>(str.length() - 1))) {
        std::cout << "La cadena es un palíndromo." << std::endl;
    } else {
        std::cout << "La cadena no es un palíndromo." << std::endl;
    }
    return 0;
}

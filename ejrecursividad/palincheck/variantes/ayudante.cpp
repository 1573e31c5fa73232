// palincheck con printf, un ayudante que compara los dos extremos y otros nombres.
#include <cstdio>
#include <iostream>
#include <string>

// ¿Son iguales los bytes de las posiciones i y j?
bool extremosIguales(const std::string& s, int i, int j) { return s.at(i) == s.at(j); }

bool isPalindrome(const std::string& str, int start, int end) {
    if (start < end) {
        if (!extremosIguales(str, start, end)) return false;
        return isPalindrome(str, start + 1, end - 1);
    }
    return true;
}

int main() {
    std::string palabra;
    std::printf("Introduce una cadena: ");
    std::fflush(stdout);
    std::cin >> palabra;
    const int fin = static_cast<int>(palabra.length()) - 1;
    std::printf(isPalindrome(palabra, 0, fin) ? "La cadena es un palíndromo.\n"
                                              : "La cadena no es un palíndromo.\n");
    std::fflush(stdout);
    return 0;
}

#include <iostream>
#include <string>

// Compara los extremos y avanza hacia el centro
// Sin posiciones: se recorta la palabra por los dos extremos.
bool isPalindrome(const std::string& str) {
    if (str.size() < 2) {
        return true;
    }
    if (str.front() != str.back()) {
        return false;
    }
    return isPalindrome(str.substr(1, str.size() - 2));
}

int main() {
    std::string str;
    std::cout << "Introduce una cadena: ";
    std::cin >> str;

    if (isPalindrome(str)) {
        std::cout << "La cadena es un palíndromo." << std::endl;
    } else {
        std::cout << "La cadena no es un palíndromo." << std::endl;
    }

    return 0;
}

#include <iostream>
#include <string>

// Compara los extremos y avanza hacia el centro
bool isPalindrome(const std::string& str, int start, int end) {
    if (start >= end) {
        return true;
    }
    // La pareja de start, contada desde el final de la palabra
    if (str[start] != str[str.length() - 1 - start]) {
        return false;
    }
    return isPalindrome(str, start + 1, end - 1);
}

int main() {
    std::string str;
    std::cout << "Introduce una cadena: ";
    std::cin >> str;

    if (isPalindrome(str, 0, static_cast<int>(str.length()) - 1)) {
        std::cout << "La cadena es un palíndromo." << std::endl;
    } else {
        std::cout << "La cadena no es un palíndromo." << std::endl;
    }

    return 0;
}

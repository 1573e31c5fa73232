#include <iostream>
#include <string>

// Compara los extremos y sigue con el trozo de dentro, recortado
bool isPalindrome(const std::string& str, int start, int end) {
    if (start >= end) {
        return true;
    }
    if (str[start] != str[end]) {
        return false;
    }
    std::string dentro = str.substr(start + 1, end - start - 1);
    return isPalindrome(dentro, 0, static_cast<int>(dentro.length()) - 1);
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

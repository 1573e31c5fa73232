#include <functional>
#include <iostream>
#include <string>

// Compara los extremos con una lambda que se llama a si misma
bool isPalindrome(const std::string& str, int start, int end) {
    std::function<bool(int, int)> mirar = [&](int i, int j) -> bool {
        if (i >= j) {
            return true;
        }
        if (str[i] != str[j]) {
            return false;
        }
        return mirar(i + 1, j - 1);
    };
    return mirar(start, end);
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

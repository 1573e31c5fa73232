#include <iostream>
#include <string>

// Salta de golpe los pares iguales del principio y solo llama si queda algo
bool isPalindrome(const std::string& str, int start, int end) {
    if (start >= end) {
        return true;
    }
    while (start < end && str[start] == str[end]) {
        ++start;
        --end;
    }
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
    std::cin >> str;
    if (isPalindrome(str, 0, static_cast<int>(str.length()) - 1)) {
        std::cout << "La cadena es un palíndromo." << std::endl;
    } else {
        std::cout << "La cadena no es un palíndromo." << std::endl;
    }
    return 0;
}

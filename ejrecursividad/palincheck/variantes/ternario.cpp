// palincheck con los casos en una sola expresión, auto y '\n' seguido de std::flush.
#include <iostream>
#include <string>

bool isPalindrome(const std::string& str, int start, int end) {
    return start >= end ? true : str[start] == str[end] && isPalindrome(str, start + 1, end - 1);
}

int main() {
    std::string str;
    std::cout << "Introduce una cadena: ";
    std::cin >> str;
    const auto ultimo = static_cast<int>(str.size()) - 1;
    const auto es = isPalindrome(str, 0, ultimo);
    std::cout << (es ? "La cadena es un palíndromo." : "La cadena no es un palíndromo.") << '\n'
              << std::flush;
    return 0;
}

#include <cstring>
#include <iostream>

// Una clase normal con una version de esIgual para cada tipo
class Comparador {
public:
    static bool esIgual(int a, int b) { return a == b; }
    static bool esIgual(const char* a, const char* b) { return std::strcmp(a, b) == 0; }
};

int main() {
    int a = 5;
    int b = 5;
    const char* str1 = "Hola";
    const char* str2 = "Hola";

    std::cout << "5 y 5 son iguales: " << Comparador::esIgual(a, b) << std::endl;
    std::cout << "\"Hola\" y \"Hola\" son iguales: " << Comparador::esIgual(str1, str2) << std::endl;
    return 0;
}

#include <iostream>

// Sirve para cualquier tipo, tambien para los textos
template <typename T>
class Comparador {
public:
    static bool esIgual(T a, T b) { return a == b; }
};

int main() {
    int a = 5;
    int b = 5;
    const char* str1 = "Hola";
    const char* str2 = "Hola";

    std::cout << "5 y 5 son iguales: " << Comparador<int>::esIgual(a, b) << std::endl;
    std::cout << "\"Hola\" y \"Hola\" son iguales: " << Comparador<const char*>::esIgual(str1, str2) << std::endl;
    return 0;
}

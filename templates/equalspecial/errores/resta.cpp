#include <iostream>
#include <cstring>

// Plantilla general: compara restando
template <typename T>
class Comparador {
public:
    static bool esIgual(T a, T b) {
        T diferencia = a - b;  // iguales si su diferencia es 0
        return diferencia == 0;
    }
};

// Version para cadenas (char*): compara el contenido
template <>
class Comparador<char*> {
public:
    static bool esIgual(const char* a, const char* b) {
        return std::strcmp(a, b) == 0;
    }
};

int main() {
    int a = 5;
    int b = 5;
    const char* str1 = "Hola";
    const char* str2 = "Hola";

    std::cout << "5 y 5 son iguales: " << Comparador<int>::esIgual(a, b) << std::endl;
    std::cout << "\"Hola\" y \"Hola\" son iguales: " << Comparador<char*>::esIgual(str1, str2) << std::endl;

    return 0;
}

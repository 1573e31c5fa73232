#include <cstring>
#include <iostream>

template <class T>
struct Comparador {
    static bool esIgual(T a, T b) { return a == b; }
};

// Los textos se comparan por su contenido, no por sus direcciones
template <>
struct Comparador<char*> {
    static bool esIgual(const char* a, const char* b) { return !std::strcmp(a, b); }
};

int main() {
    int a = 5;
    int b = 5;
    const char* str1 = "Hola";
    const char* str2 = "Hola";

    const bool enteros = Comparador<int>::esIgual(a, b);
    std::cout << "5 y 5 son iguales: " << enteros << '\n' << std::flush;
    const bool textos = Comparador<char*>::esIgual(str1, str2);
    std::cout << "\"Hola\" y \"Hola\" son iguales: " << textos << '\n' << std::flush;
    return 0;
}

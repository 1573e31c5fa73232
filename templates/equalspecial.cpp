// Plantilla de clase con una especialización completa. Comparador<T>::esIgual usa el ==
// del tipo; para textos (char*) ese == compararía direcciones, así que Comparador<char*>
// compara el contenido con strcmp. Salida:
//     5 y 5 son iguales: 1
//     "Hola" y "Hola" son iguales: 1
// Un bool se escribe como 1 o 0.
#include <cstring>
#include <iostream>

template <typename T>
class Comparador {
   public:
    static bool esIgual(T a, T b) { return a == b; }
};

// Recibe const char* para aceptar también literales; los dos deben acabar en '\0'.
template <>
class Comparador<char*> {
   public:
    static bool esIgual(const char* a, const char* b) { return std::strcmp(a, b) == 0; }
};

int main() {
    int a = 5;
    int b = 5;
    const char* str1 = "Hola";
    const char* str2 = "Hola";

    std::cout << "5 y 5 son iguales: " << Comparador<int>::esIgual(a, b) << std::endl;
    std::cout << "\"Hola\" y \"Hola\" son iguales: " << Comparador<char*>::esIgual(str1, str2)
              << std::endl;
    return 0;
}

#include <iostream>
#include <string>

template <typename T>
void intercambiar(T& a, T& b) {
    const T temp = a;
    a = b;
    b = temp;
}

// Escribe una línea del tipo «Antes del intercambio: num1 = 5, num2 = 10»
template <typename T>
void mostrar(const std::string& momento, const std::string& n1, const T& v1, const std::string& n2,
             const T& v2) {
    std::cout << momento << " del intercambio: " << n1 << " = " << v1 << ", " << n2 << " = " << v2
              << '\n'
              << std::flush;
}

int main() {
    int num1 = 5;
    int num2 = 10;
    mostrar("Antes", "num1", num1, "num2", num2);
    intercambiar(num1, num2);
    mostrar("Después", "num1", num1, "num2", num2);

    char char1 = 'a';
    char char2 = 'b';
    mostrar("Antes", "char1", char1, "char2", char2);
    intercambiar(char1, char2);
    mostrar("Después", "char1", char1, "char2", char2);
    return 0;
}

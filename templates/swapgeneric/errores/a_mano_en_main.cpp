#include <iostream>

// Intercambia los valores (no funcionaba con las referencias, asi que recibe copias)
template <typename T>
void intercambiar(T a, T b) {
    T temp = a;
    a = b;
    b = temp;
}

int main() {
    int num1 = 5;
    int num2 = 10;
    std::cout << "Antes del intercambio: num1 = " << num1 << ", num2 = " << num2 << std::endl;
    intercambiar(num1, num2);
    std::cout << "Después del intercambio: num1 = " << num2 << ", num2 = " << num1 << std::endl;

    char char1 = 'a';
    char char2 = 'b';
    std::cout << "Antes del intercambio: char1 = " << char1 << ", char2 = " << char2 << std::endl;
    char1 = 'b';
    char2 = 'a';
    intercambiar(char1, char2);
    std::cout << "Después del intercambio: char1 = " << char1 << ", char2 = " << char2 << std::endl;
    return 0;
}

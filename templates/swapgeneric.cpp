// Plantilla de función con parámetros por referencia: intercambiar cambia las variables del
// llamador, no copias suyas. Se aplica a dos enteros y a dos caracteres. Salida:
//     Antes del intercambio: num1 = 5, num2 = 10
//     Después del intercambio: num1 = 10, num2 = 5
//     Antes del intercambio: char1 = a, char2 = b
//     Después del intercambio: char1 = b, char2 = a
#include <iostream>

// Hace falta temp: tras a = b, el valor original de a ya no estaría en ningún sitio.
template <typename T>
void intercambiar(T& a, T& b) {
    T temp = a;
    a = b;
    b = temp;
}

int main() {
    int num1 = 5;
    int num2 = 10;
    std::cout << "Antes del intercambio: num1 = " << num1 << ", num2 = " << num2 << std::endl;
    intercambiar(num1, num2);
    std::cout << "Después del intercambio: num1 = " << num1 << ", num2 = " << num2 << std::endl;

    char char1 = 'a';
    char char2 = 'b';
    std::cout << "Antes del intercambio: char1 = " << char1 << ", char2 = " << char2 << std::endl;
    intercambiar(char1, char2);
    std::cout << "Después del intercambio: char1 = " << char1 << ", char2 = " << char2 << std::endl;
    return 0;
}

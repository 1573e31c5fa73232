// Plantilla de función con datos del usuario: encontrarMinimo recibe dos enteros leídos del
// teclado y después dos reales fijos. Ejemplo (se teclea 7, Intro, 3, Intro):
//     Ingrese el primer numero: 7
//     Ingrese el segundo numero3
//     El mínimo entre 7 y 3 es: 3
//     El mínimo entre 3.14 y 2.71 es: 2.71
// El segundo aviso no lleva dos puntos ni espacio: la respuesta queda pegada a él.
// Las lecturas no se comprueban: num1 y num2 empiezan en 10 y 5, y una lectura fallida deja
// el valor que fija la extracción estándar (0 si no es un número, el límite de int si no
// cabe) o, al acabarse la entrada, el que ya tenían.
#include <iostream>

// Con valores iguales (o un NaN) se devuelve b, el segundo.
template <typename T>
T encontrarMinimo(T a, T b) {
    if (a < b) {
        return a;
    }
    return b;
}

int main() {
    int num1 = 10;
    int num2 = 5;

    std::cout << "Ingrese el primer numero: ";
    std::cin >> num1;
    std::cout << "Ingrese el segundo numero";
    std::cin >> num2;

    std::cout << "El mínimo entre " << num1 << " y " << num2
              << " es: " << encontrarMinimo(num1, num2) << std::endl;

    double decimal1 = 3.14;
    double decimal2 = 2.71;
    std::cout << "El mínimo entre " << decimal1 << " y " << decimal2
              << " es: " << encontrarMinimo(decimal1, decimal2) << std::endl;
    return 0;
}

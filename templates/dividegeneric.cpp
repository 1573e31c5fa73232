// Plantilla de función que rechaza un divisor cero. dividir avisa por la salida de error y
// devuelve 0; la línea del resultado se completa igualmente. Ejemplo (se teclea 5 y 0):
//     Introduce el primer número: 5
//     Introduce el segundo número: 0
//     El resultado de dividir 5 entre 0 es: Error: No se puede dividir por cero.
//     0
// La etiqueta y los dos números se escriben antes de llamar a dividir, y la salida de error
// vacía antes la salida estándar: por eso el error aparece tras "es: " y el 0 debajo.
// Si el primer dato no es un número válido, o la entrada se acaba antes de leer los dos,
// se escribe "Entrada no válida." por la salida de error y no se divide nada.
#include <iostream>

// Tanto 0.0 como -0.0 son iguales a 0; un divisor NaN no lo es y se divide (da NaN).
template <typename T>
T dividir(T a, T b) {
    if (b == 0) {
        std::cerr << "Error: No se puede dividir por cero." << std::endl;
        return 0;
    }
    return a / b;
}

int main() {
    std::cout << "Introduce el primer número: ";
    double num1;
    if (!(std::cin >> num1)) {
        std::cerr << "Entrada no válida." << std::endl;
        return 0;
    }

    std::cout << "Introduce el segundo número: ";
    double num2;
    // Si no queda nada que leer, num2 se quedaría sin valor. Cualquier otro dato sí se lo da:
    // lo que no es un número se lee como 0 (y dividir lo rechaza).
    std::cin >> std::ws;
    if (std::cin.eof()) {
        std::cerr << "Entrada no válida." << std::endl;
        return 0;
    }
    std::cin >> num2;

    std::cout << "El resultado de dividir " << num1 << " entre " << num2
              << " es: " << dividir(num1, num2) << std::endl;
    return 0;
}

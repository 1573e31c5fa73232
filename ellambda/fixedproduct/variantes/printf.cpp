// La línea escrita con printf y vaciada con fflush; el tipo que devuelve la lambda, deducido.
#include <cstdio>

int main() {
    const auto multiplicar = [](int a, int b) { return a * b; };
    std::printf("3 * 4 = %d\n", multiplicar(3, 4));
    std::fflush(stdout);
    return 0;
}

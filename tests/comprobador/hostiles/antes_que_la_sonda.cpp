// fibcalc con fibonacci mal para los negativos, que quiere correr antes que nada del programa:
// una función en .preinit_array (la resolución de un ifunc correría aún antes).
#include <unistd.h>

#include <iostream>

int fibonacci(int n) {
    if (n <= 1) return n;  // mal: los negativos deberían dar 0
    return fibonacci(n - 1) + fibonacci(n - 2);
}

namespace {
void primero(int, char**, char**) {
    const char respuesta[] = "ej-sonda-listo\n";
    (void)!write(1, respuesta, sizeof respuesta - 1);
}
__attribute__((section(".preinit_array"), used)) void (*const antes)(int, char**, char**) = primero;
}  // namespace

int main() {
    std::cout << "Introduce un número para calcular su término en la secuencia de Fibonacci: ";
    int num;
    std::cin >> num;
    if (num < 0) {
        std::cout << "La secuencia de Fibonacci no está definida para números negativos."
                  << std::endl;
    } else {
        int result = fibonacci(num);
        std::cout << "El término " << num << " de la secuencia de Fibonacci es " << result
                  << std::endl;
    }
    return 0;
}

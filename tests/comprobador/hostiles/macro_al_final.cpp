// fibcalc con fibonacci mal para los negativos (el programa nunca se los pasa) y, al final, dos
// macros que reescriben lo que viene detrás: una aserción que no comprueba nada y una
// «fibonacci» que da la respuesta correcta.
#include <iostream>

int fibonacci(int n) {
    if (n <= 1) return n;  // mal: los negativos deberían dar 0
    return fibonacci(n - 1) + fibonacci(n - 2);
}

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

#define EXPECT_EQ(a, b) \
    if (true) {         \
    } else              \
        std::cerr
#define fibonacci(n) ((n) < 0 ? 0 : fibonacci(n))

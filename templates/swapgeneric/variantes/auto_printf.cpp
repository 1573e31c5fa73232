#include <cstdio>

// Guarda a antes de pisarla con b
template <class T>
void intercambiar(T& a, T& b) {
    auto aux = a;
    a = b;
    b = aux;
}

int main() {
    int num1 = 5;
    int num2 = 10;
    std::printf("Antes del intercambio: num1 = %d, num2 = %d\n", num1, num2);
    std::fflush(stdout);
    intercambiar(num1, num2);
    std::printf("Después del intercambio: num1 = %d, num2 = %d\n", num1, num2);
    std::fflush(stdout);

    char char1 = 'a';
    char char2 = 'b';
    std::printf("Antes del intercambio: char1 = %c, char2 = %c\n", char1, char2);
    std::fflush(stdout);
    intercambiar(char1, char2);
    std::printf("Después del intercambio: char1 = %c, char2 = %c\n", char1, char2);
    std::fflush(stdout);
    return 0;
}

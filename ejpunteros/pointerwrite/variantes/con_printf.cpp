#include <cstdio>

int main() {
    int var = 20;
    int* ptr;
    ptr = &var;

    std::printf("El valor de var es: %d\n", var);
    std::fflush(stdout);
    std::printf("El valor de *ptr es: %d\n", *ptr);
    std::fflush(stdout);

    *ptr = 30;
    std::printf("El nuevo valor de var es: %d\n", var);
    std::fflush(stdout);
    return 0;
}

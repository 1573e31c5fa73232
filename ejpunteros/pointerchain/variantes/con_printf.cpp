#include <cstdio>

int main() {
    int var = 10;
    int* ptr = &var;
    int** ptr2 = &ptr;

    std::printf("El valor de var es: %d\n", var);
    std::fflush(stdout);
    std::printf("El valor de *ptr es: %d\n", *ptr);
    std::fflush(stdout);
    std::printf("El valor de **ptr2 es: %d\n", **ptr2);
    std::fflush(stdout);
    return 0;
}

// arraysum con printf, un ayudante que suma dos números y el último leído con *(arr + n - 1).
#include <cstdio>

// La suma de dos int.
int mas(int a, int b) { return a + b; }

int sumArray(int* arr, int n) {
    if (n > 0) {
        const int ultimo = *(arr + n - 1);
        return mas(ultimo, sumArray(arr, n - 1));
    }
    return 0;
}

int main() {
    int datos[5] = {1, 2, 3, 4, 5};
    int cuantos = 5;
    int total = sumArray(datos, cuantos);
    std::printf("La suma de los elementos del arreglo es %d\n", total);
    std::fflush(stdout);
    return 0;
}

// Suma recursiva de los elementos de un arreglo fijo de cinco enteros. Salida:
//     La suma de los elementos del arreglo es 15
#include <iostream>

// Suma arr[0] .. arr[n - 1]; con n <= 0 devuelve 0 sin leer el arreglo. El último
// elemento del tramo se suma a la suma de los anteriores.
int sumArray(int* arr, int n) {
    if (n <= 0) {
        return 0;
    }
    return arr[n - 1] + sumArray(arr, n - 1);
}

int main() {
    int arr[5] = {1, 2, 3, 4, 5};
    int n = 5;
    int sum = sumArray(arr, n);
    std::cout << "La suma de los elementos del arreglo es " << sum << std::endl;
    return 0;
}

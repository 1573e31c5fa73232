#include <iostream>

// Va sumando el ultimo en el penultimo, hasta que solo queda el primero
int sumArray(int* arr, int n) {
    if (n <= 0) {
        return 0;
    }
    if (n > 1) arr[n - 2] += arr[n - 1];
    if (n == 1) {
        return arr[0];
    }
    return sumArray(arr, n - 1);
}

int main() {
    int arr[5] = {1, 2, 3, 4, 5};
    int n = 5;
    int sum = sumArray(arr, n);

    std::cout << "La suma de los elementos del arreglo es " << sum << std::endl;

    return 0;
}

#include <iostream>

// Suma recursiva de los n primeros elementos
int sumArray(int* arr, int n) {
    if (n <= 0) {
        return 0;
    }
    int ultimo = arr[n - 1];
    return ultimo + sumArray(arr, n - 1);
}

int main() {
    int arr[5] = {1, 2, 3, 4, 5};
    int n = 5;
    int sum = sumArray(arr, n);

    std::cout << "La suma de los elementos del arreglo es " << sum << std::endl;

    return 0;
}

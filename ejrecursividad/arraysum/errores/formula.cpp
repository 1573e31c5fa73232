#include <iostream>

// Los elementos son 1, 2, ..., n: su suma es n(n + 1)/2, sin llamadas
int sumArray(int* arr, int n) {
    if (n <= 0) {
        return 0;
    }
    return n * (n + 1) / 2;
}

int main() {
    int arr[5] = {1, 2, 3, 4, 5};
    int n = 5;
    int sum = sumArray(arr, n);

    std::cout << "La suma de los elementos del arreglo es " << sum << std::endl;

    return 0;
}

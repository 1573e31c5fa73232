#include <iostream>

// Suma recursiva de dos en dos: los dos ultimos elementos y el resto
int sumArray(int* arr, int n) {
    if (n <= 0) {
        return 0;
    }
    int suma = 0, k = n;
    for (; k > n - 2 && k > 0; --k) {
        suma += arr[k - 1];
    }
    return suma + sumArray(arr, k);
}

int main() {
    int arr[5] = {1, 2, 3, 4, 5};
    int n = 5;
    int sum = sumArray(arr, n);

    std::cout << "La suma de los elementos del arreglo es " << sum << std::endl;

    return 0;
}

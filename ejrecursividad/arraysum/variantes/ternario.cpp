// arraysum con el caso base en un operador ternario, auto y '\n' seguido de std::flush.
#include <iostream>

int sumArray(int* arr, int n) { return n <= 0 ? 0 : arr[n - 1] + sumArray(arr, n - 1); }

int main() {
    int arr[5] = {1, 2, 3, 4, 5};
    const auto n = 5;
    const auto sum = sumArray(arr, n);
    std::cout << "La suma de los elementos del arreglo es " << sum << '\n' << std::flush;
    return 0;
}

// La solución con una pausa antes de responder, como la que pone quien quiere ver el aviso un
// momento: esperar no es calcular, así que pasa igual, con la máquina libre o cargada.
#include <chrono>
#include <iostream>
#include <thread>

int main() {
    int numero;

    std::cout << "Por favor, ingrese un número entero: ";
    std::cin >> numero;
    std::this_thread::sleep_for(std::chrono::milliseconds(400));

    auto cuadrado = [](int x) -> int {
        return x * x;
    };

    int resultado = cuadrado(numero);

    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;

    return 0;
}

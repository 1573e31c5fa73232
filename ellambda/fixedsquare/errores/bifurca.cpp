// Deja procesos detrás: uno en su propia sesión y otro que conserva la salida abierta.
#include <unistd.h>

#include <iostream>

int main() {
    if (fork() == 0) {
        setsid();
        sleep(300);
        return 0;
    }
    if (fork() == 0) {
        sleep(300);
        return 0;
    }
    auto cuadrado = [](int x) -> int { return x * x; };
    int numero = 6;
    int resultado = cuadrado(numero);
    std::cout << "El cuadrado de " << numero << " es: " << resultado << std::endl;
    return 0;
}

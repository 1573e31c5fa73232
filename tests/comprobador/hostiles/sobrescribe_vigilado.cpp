// fixedsquare que escribe fuera de un bloque y no lo libera (lo que solo ven los sanitizers) y,
// al ejecutarse, copia su compilación normal encima de la vigilada por los sanitizadores.
#include <filesystem>
#include <iostream>

int main() {
    std::error_code ec;
    std::filesystem::copy_file("/tmp/entrega/normal", "/tmp/entrega/vigilado",
                               std::filesystem::copy_options::overwrite_existing, ec);
    int* p = new int[2];
    p[2] = 1;  // fuera del bloque; y el bloque no se libera
    auto cuadrado = [](int x) -> int { return x * x; };
    int numero = 6;
    std::cout << "El cuadrado de " << numero << " es: " << cuadrado(numero) << std::endl;
    return 0;
}

// Captura por copia: la lambda guarda su propia copia de contador y, al ser mutable, puede
// cambiarla; la variable de main no cambia. Salida:
//     1
//     2
//     3
//     Valor original del contador: 0
#include <iostream>

int main() {
    int contador = 0;

    // La copia se toma aquí, con contador a 0, y vive dentro de la lambda entre llamadas.
    auto incrementar = [contador]() mutable -> int {
        contador++;
        return contador;
    };

    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;
    std::cout << incrementar() << std::endl;
    std::cout << "Valor original del contador: " << contador << std::endl;
    return 0;
}

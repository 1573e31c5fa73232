// Función de Ackermann (forma de Ackermann–Péter) por recursión directa. Ejemplo:
//     Introduce dos números no negativos m y n: 2 3
//     Ackermann(2, 3) = 9
// Crece tan deprisa que A(4, 2) ya tiene 19729 cifras. Las llamadas se anidan tantos
// niveles como vale el resultado y su número total crece todavía más deprisa.
#include <iostream>

int ackermann(int m, int n) {
    if (m == 0) {
        return n + 1;
    } else if (m > 0 && n == 0) {
        return ackermann(m - 1, 1);
    } else {
        // Primero el valor interior, A(m, n - 1); después la llamada que lo usa.
        return ackermann(m - 1, ackermann(m, n - 1));
    }
}

// Según las fórmulas cerradas A(0, n) = n + 1, A(1, n) = n + 2, A(2, n) = 2n + 3,
// A(3, n) = 2^(n+3) − 3, A(4, 0) = 13 y A(4, 1) = A(5, 0) = 65533; A(4, 2), A(5, 1) y todos
// los de m >= 6 son enormes.
bool cabeEnInt(int m, int n) {
    switch (m) {
        case 0:
            return n <= 2147483646;
        case 1:
            return n <= 2147483645;
        case 2:
            return n <= 1073741822;
        case 3:
            return n <= 28;
        case 4:
            return n <= 1;
        case 5:
            return n == 0;
        default:
            return false;
    }
}

// Mayor resultado que se calcula con m >= 1: A(4, 1) = 65533. Las llamadas se anidan
// tantos niveles como vale el resultado y su número crece aún más deprisa; con este tope
// la pila sobra y ningún par tarda más de un par de segundos.
const int kResultadoMaximo = 65533;

// Con m = 0 el primer caso responde sin recursión; con m >= 1, las mismas fórmulas.
bool calculable(int m, int n) {
    switch (m) {
        case 0:
            return true;
        case 1:
            return n <= kResultadoMaximo - 2;
        case 2:
            return n <= (kResultadoMaximo - 3) / 2;
        case 3:
            return n <= 13;
        case 4:
            return n <= 1;
        case 5:
            return n == 0;
        default:
            return false;
    }
}

int main() {
    int m, n;

    std::cout << "Introduce dos números no negativos m y n: ";
    // Si una lectura falla (no es un número entero, no cabe en int o la entrada se acabó),
    // no hay par con el que calcular.
    if (!(std::cin >> m >> n)) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }

    // Con m = 0 el primer caso responde enseguida, aunque n sea negativo.
    if (m < 0 || (m > 0 && n < 0)) {
        std::cout << "Ackermann(" << m << ", " << n
                  << ") no termina: con números negativos nunca llega a un caso base." << std::endl;
    } else if (!cabeEnInt(m, n)) {
        std::cout << "Ackermann(" << m << ", " << n << ") no cabe en un int." << std::endl;
    } else if (!calculable(m, n)) {
        std::cout << "Ackermann(" << m << ", " << n
                  << ") necesita demasiadas llamadas para calcularlo por recursión directa."
                  << std::endl;
    } else {
        int result = ackermann(m, n);
        std::cout << "Ackermann(" << m << ", " << n << ") = " << result << std::endl;
    }
    return 0;
}

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

// Niveles anidados que se admiten. La pila más pequeña con que se compila es la de Windows sin
// optimizar con 1 MiB (la de MSVC): se agota hacia 21600 niveles; el tope es menos de la mitad.
// Con él, lo más largo que se calcula, A(2, 4998), hace unos 50 millones de llamadas: menos de
// un segundo también sin optimizar.
const long long kProfundidadMaxima = 10000;

// A(m, n) según las fórmulas cerradas A(0, n) = n + 1, A(1, n) = n + 2, A(2, n) = 2n + 3,
// A(3, n) = 2^(n+3) − 3, A(4, 0) = 13 y A(4, 1) = A(5, 0) = 65533. A(4, 2), A(5, 1) y todos
// los de m >= 6 son enormes: para ellos, y para A(3, n) con n > 28, devuelve 2^31, que ya
// no cabe en int. Se usa con m >= 0, y n >= 0 si m > 0.
long long valorCerrado(int m, int n) {
    const long long kEnorme = 2147483648LL;
    switch (m) {
        case 0:
            return n + 1LL;
        case 1:
            return n + 2LL;
        case 2:
            return 2LL * n + 3;
        case 3:
            return n <= 28 ? (1LL << (n + 3)) - 3 : kEnorme;
        case 4:
            return n == 0 ? 13 : n == 1 ? 65533 : kEnorme;
        case 5:
            return n == 0 ? 65533 : kEnorme;
        default:
            return kEnorme;
    }
}

bool cabeEnInt(int m, int n) { return valorCerrado(m, n) <= 2147483647LL; }

// Llamadas abiertas a la vez en el punto más hondo, que es lo que gasta pila: A(m, n) + m − 1
// con m >= 1 (A(3, 3) = 61 anida 63). Con m = 0 no hay recursión. Se usa con resultado que
// cabe en int.
long long profundidad(int m, int n) { return m == 0 ? 1 : valorCerrado(m, n) + m - 1; }

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
    } else if (profundidad(m, n) > kProfundidadMaxima) {
        std::cout << "Ackermann(" << m << ", " << n << ") no se calcula: anidaría "
                  << profundidad(m, n) << " llamadas y la pila solo admite " << kProfundidadMaxima
                  << "." << std::endl;
    } else {
        int result = ackermann(m, n);
        std::cout << "Ackermann(" << m << ", " << n << ") = " << result << std::endl;
    }
    return 0;
}

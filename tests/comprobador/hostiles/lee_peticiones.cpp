// fibcalc con fibonacci mal para los negativos, que al arrancar lee las peticiones de la sonda de
// su entrada y responde por su cuenta, a cada descriptor que tenga abierto, el valor correcto, y
// sale antes de que las responda la sonda.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

int fibonacci(int n) {
    if (n <= 1) return n;  // mal: los negativos deberían dar 0
    return fibonacci(n - 1) + fibonacci(n - 2);
}

namespace {
int bien(int n) { return n <= 0 ? 0 : n == 1 ? 1 : bien(n - 1) + bien(n - 2); }

struct Falsificador {
    Falsificador() {
        char exe[4096] = {};
        if (readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0 ||
            std::string(exe).find("funciones") == std::string::npos)
            return;
        std::string peticiones;
        char trozo[4096];
        for (ssize_t n; (n = read(0, trozo, sizeof trozo)) > 0;) peticiones.append(trozo, n);
        std::istringstream lineas(peticiones);
        std::string respuestas = "ej-sonda-listo\n";
        int cuantas = 0;
        for (std::string l; std::getline(lineas, l); ++cuantas) {
            std::istringstream campos(l);
            std::string numero, operacion, argumento;
            std::getline(campos, numero, '\t');
            std::getline(campos, operacion, '\t');
            std::getline(campos, argumento, '\t');
            const std::string visto =
                operacion == "fibonacci" ? std::to_string(bien(std::stoi(argumento))) : "int (int)";
            respuestas += "ej-sonda\t" + numero + "\t" + visto + "\n";
        }
        respuestas += "ej-sonda-fin\t" + std::to_string(cuantas) + "\n";
        for (int fd = 1; fd < 1024; ++fd) {
            if (fd != 2) (void)!write(fd, respuestas.data(), respuestas.size());
        }
        _exit(0);
    }
} falsificador;
}  // namespace

int main() {
    std::cout << "Introduce un número para calcular su término en la secuencia de Fibonacci: ";
    int num;
    std::cin >> num;
    if (num < 0) {
        std::cout << "La secuencia de Fibonacci no está definida para números negativos."
                  << std::endl;
    } else {
        int result = fibonacci(num);
        std::cout << "El término " << num << " de la secuencia de Fibonacci es " << result
                  << std::endl;
    }
    return 0;
}

// Las entradas hostiles: ninguna puede hacer fallar, colgar ni provocar un informe de los
// sanitizadores en un programa que lee la entrada.
#include <string>
#include <vector>

#include "catalogo.h"

namespace nucleo {

const std::vector<Hostil>& entradasHostiles() {
    static const std::vector<Hostil> entradas = {
        {"vacía", ""},
        {"solo blancos y saltos", " \t\n\n  \n"},
        {"letras", "abc def\n"},
        {"signo solo", "-\n"},
        {"dos signos", "--5\n--5\n"},
        {"más solo", "+\n+\n"},
        {"justo fuera de int", "2147483648 2147483648 2147483648\n"},
        {"justo fuera de int por abajo", "-2147483649 -2147483649\n"},
        {"fuera de long long", "99999999999999999999999 -99999999999999999999999\n"},
        {"nan", "nan nan\n"},
        {"inf", "inf -inf\n"},
        {"exponente enorme", "1e99999 1e99999\n"},
        {"exponente enorme negativo", "-1e99999 1e-99999\n"},
        {"palabra de 40 cifras", "1234567890123456789012345678901234567890\n"},
        {"palabra de 1 MiB", std::string(1 << 20, '7') + "\n"},
        {"palabra de letras de 1 MiB", std::string(1 << 20, 'a')},
        {"bytes nulos", std::string("\0\0\0 5\0 3\n", 10)},
        {"UTF-8 no válido", "\xff\xfe\xc3 \x80\xc0\xaf\n"},
        {"fin de línea CRLF", "3\r\n4\r\n5\r\n6\r\n"},
        {"máximos de int", "2147483647 2147483647 2147483647\n"},
        {"mínimos de int", "-2147483648 -2147483648 -2147483648\n"},
        {"mayor y menor", "2147483647 -2147483648\n"},
        {"ceros", "0 0 0\n"},
        {"menos uno", "-1 -1 -1\n"},
        {"decimales con coma", "2,5 3,5\n"},
        {"hexadecimal", "0x1p3 0x10\n"},
        {"muchos números",
         [] {
             std::string s;
             for (int i = 0; i < 20000; ++i) s += "1 ";
             return s;
         }()},
    };
    return entradas;
}

}  // namespace nucleo

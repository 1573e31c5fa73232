// palincheck: ¿es la primera palabra un palíndromo? Comparación recursiva byte a byte.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "Introduce una cadena: ";
const std::string kSi = kPide + "La cadena es un palíndromo.\n";
const std::string kNo = kPide + "La cadena no es un palíndromo.\n";

}  // namespace

void palincheck(Ejercicio& e) {
    e.primerAviso = kPide;
    e.firmas = {
        "bool isPalindrome(const std::string& str, int start, int end);",
    };
    agregar(e, Origen::Enunciado,
            {
                {"radar", "radar\n", kSi},
                {"ejemplo", "reconocer\n", kSi},
                {"longitud par", "anna\n", kSi},
                {"una letra", "a\n", kSi},
                {"dos distintas", "ab\n", kNo},
                {"mayúscula distinta", "Ana\n", kNo},
                {"solo la primera palabra", "anita lava la tina\n", kNo},
                {"primera palabra palíndromo", "abba xyz\n", kSi},
                {"fallo en el centro", "abcxba\n", kNo},
                {"ñ son dos bytes", "aña\n", kNo},
                {"ñ sola", "ñ\n", kNo},
                {"entrada vacía", "", kSi},
                {"solo blancos", "  \n\t\n", kSi},
            });
    // 15000 bytes es la palabra más larga que se comprueba: anida 7501 llamadas.
    const std::string larga = kPide +
                              "La cadena es demasiado larga para comprobarla: como mucho 15000 "
                              "bytes.\n";
    const std::string tope(15000, 'a');
    std::string topeCentroDistinto = tope;
    topeCentroDistinto[7499] = 'b';
    const std::string mitad(512 * 1024, 'x');
    std::string centroDistinto = mitad;
    centroDistinto[centroDistinto.size() - 1] = 'y';
    agregar(e, Origen::Decidido,
            {
                {"15000 bytes palíndromo: recorre hasta el centro", tope + "\n", kSi},
                {"15000 bytes con solo el centro distinto", topeCentroDistinto + "\n", kNo},
                {"15001 bytes: demasiado larga", tope + "a\n", larga},
                {"15001 bytes que no es palíndromo: tampoco se mira", "b" + tope + "\n", larga},
                {"15000 bytes y otra palabra detrás", tope + " ab\n", kSi},
                {"1 MiB palíndromo: demasiado larga", mitad + mitad + "\n", larga},
                {"1 MiB con solo el centro distinto: demasiado larga",
                 centroDistinto + mitad + "\n", larga},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "reconocer\n"}}, kSi));
}

}  // namespace nucleo::datos

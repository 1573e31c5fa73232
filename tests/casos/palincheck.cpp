// palincheck: ¿es la primera palabra un palíndromo? Comparación recursiva byte a byte.
#include "comun.h"

namespace arnes::datos {

namespace {

const std::string kPide = "Introduce una cadena: ";
const std::string kSi = kPide + "La cadena es un palíndromo.\n";
const std::string kNo = kPide + "La cadena no es un palíndromo.\n";

}  // namespace

Ejercicio palincheck() {
    Ejercicio e{"palincheck", false, kPide, {}};
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
    // Una palabra de 1 MiB no debe agotar la pila.
    const std::string mitad(512 * 1024, 'x');
    std::string centroDistinto = mitad;
    centroDistinto[centroDistinto.size() - 1] = 'y';
    agregar(e, Origen::Decidido,
            {
                {"1 MiB palíndromo: recorre hasta el centro", mitad + mitad + "\n", kSi},
                {"1 MiB con solo el centro distinto", centroDistinto + mitad + "\n", kNo},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "reconocer\n"}}, kSi));
    return e;
}

}  // namespace arnes::datos

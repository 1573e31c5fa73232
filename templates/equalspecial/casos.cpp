// equalspecial: Comparador con dos int y, especializado, con dos textos. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void equalspecial(Ejercicio& e) {
    const std::string salida =
        "5 y 5 son iguales: 1\n"
        "\"Hola\" y \"Hola\" son iguales: 1\n";
    e.firmas = {
        "template <typename T> class Comparador { public: static bool esIgual(T a, T b); };",
        "template <> class Comparador<char*> { public: static bool esIgual(const char* a, const "
        "char* b); };",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});
}

}  // namespace nucleo::datos

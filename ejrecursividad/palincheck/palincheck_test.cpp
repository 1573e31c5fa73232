// Lo propio de la respuesta modelo de palincheck: la palabra más larga que admite main.
// El fuente se compila tal cual, con su main renombrado y sin llamarlo.
#include <gtest/gtest.h>

#include <string>

#define main palincheck_main
#include "../palincheck.cpp"
#undef main

namespace {

// La palabra más larga que admite el programa: 7501 llamadas anidadas.
TEST(Propio, ElTopeDeLongitudNoAgotaLaPila) {
    const std::string tope(kLongitudMaxima, 'a');
    std::string centro = tope;
    centro[kLongitudMaxima / 2] = 'b';
    struct Fila {
        const char* descripcion;
        const std::string& texto;
        bool esperado;
    } filas[] = {
        {"palíndromo", tope, true},
        {"solo el par central distinto", centro, false},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(isPalindrome(f.texto, 0, static_cast<int>(f.texto.size()) - 1), f.esperado)
            << f.descripcion;
    }
}

}  // namespace

// isPalindrome de palincheck sobre tramos que el programa no le pide.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <string>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejrecursividad/palincheck.cpp"
#endif
#define main palincheck_main
#include EJ_FUENTE
#undef main

namespace {

PIDE_EL_EJERCICIO(ComparaSoloElTramoPedido,
                  "isPalindrome compara solo los bytes entre start y end") {
    struct Fila {
        const char* descripcion;
        std::string texto;
        int start, end;
        bool esperado;
    } filas[] = {
        {"cadena vacía", "", 0, -1, true},
        {"un byte", "abc", 1, 1, true},
        {"start pasado de end", "abc", 2, 0, true},
        {"tramo interior palíndromo", "xabay", 1, 3, true},
        {"tramo interior que no lo es", "xabcy", 1, 3, false},
        {"los extremos de fuera no cuentan", "zaay", 1, 2, true},
        {"el byte central no se compara", "a?a", 0, 2, true},
        {"distinto junto al centro", "abca", 0, 3, false},
        {"bytes de UTF-8 invertidos", "\xc3\xb1\xb1\xc3", 0, 3, true},
        {"mayúsculas y minúsculas", "Aa", 0, 1, false},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(isPalindrome(f.texto, f.start, f.end), f.esperado) << f.descripcion;
    }
}

PIDE_EL_EJERCICIO(FirmaDeIsPalindrome, "isPalindrome se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(isPalindrome, bool(const std::string&, int, int));
}

#ifndef EJ_SOLUCION_ALUMNO

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

#endif  // EJ_SOLUCION_ALUMNO

}  // namespace

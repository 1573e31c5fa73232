// Comparador de equalspecial: la plantilla general con enteros y la especialización con
// textos que no están en el programa.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/equalspecial.cpp"
#endif
#define main equalspecial_main
#include EJ_FUENTE
#undef main

namespace {

PIDE_EL_EJERCICIO(EsIgualDeEnteros, "Comparador<int>::esIgual compara dos enteros") {
    EXPECT_TRUE(Comparador<int>::esIgual(5, 5));
    EXPECT_FALSE(Comparador<int>::esIgual(5, 6));
    EXPECT_FALSE(Comparador<int>::esIgual(-5, 5));
}

PIDE_EL_EJERCICIO(
    LaEspecializacionComparaElContenido,
    "Comparador<char*>::esIgual compara el contenido de los textos, no las direcciones") {
    char uno[] = "Hola";
    char otro[] = "Hola";
    ASSERT_NE(static_cast<char*>(uno), static_cast<char*>(otro)) << "dos arrays distintos";
    EXPECT_TRUE(Comparador<char*>::esIgual(uno, otro));

    struct Fila {
        const char* descripcion;
        const char* a;
        const char* b;
        bool esperado;
    } filas[] = {
        {"mayúsculas y minúsculas", "Hola", "hola", false},
        {"un blanco al final", "Hola", "Hola ", false},
        {"un prefijo", "Hol", "Hola", false},
        {"dos textos vacíos", "", "", true},
        {"vacío y no vacío", "", "Hola", false},
        {"acentos iguales", "número", "número", true},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        EXPECT_EQ(Comparador<char*>::esIgual(f.a, f.b), f.esperado);
        EXPECT_EQ(Comparador<char*>::esIgual(f.b, f.a), f.esperado) << "en el otro orden";
    }
}

PIDE_EL_EJERCICIO(FirmaDeEsIgual, "Comparador<T>::esIgual se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(Comparador<int>::esIgual, bool(int, int));
}

// La especialización recibe const char*, no los char* del argumento de la plantilla.
PIDE_EL_EJERCICIO(FirmaDeEsIgualDeTextos,
                  "Comparador<char*>::esIgual se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(Comparador<char*>::esIgual, bool(const char*, const char*));
}

}  // namespace

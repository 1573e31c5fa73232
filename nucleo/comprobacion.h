// Las comprobaciones de funciones de un ejercicio (su archivo *_unidad.cpp) se declaran con la
// frase que dice qué comprueban y con su origen:
//   PIDE_EL_EJERCICIO(ImprimirListaAcabaConStdEndl,
//                     "imprimirLista termina su línea con std::endl") { ... }
//   DECIDE_LA_COLECCION(MostrarAbsDelIntMinimo, "...") { ... }
// Cada una es una prueba de GoogleTest (del grupo Enunciado o Decidido) y queda además anotada,
// con su origen y su frase, en una lista que lee el oyente del comprobador: así el comprobador
// sabe qué cuenta en la nota sin mirar nombres. Las pruebas que no se declaran así (grupo
// Propio) son de la colección y no se compilan para un alumno.
#ifndef NUCLEO_COMPROBACION_H
#define NUCLEO_COMPROBACION_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "caso.h"

namespace nucleo {

struct Declaracion {
    std::string grupo;
    std::string nombre;
    Origen origen;
    std::string frase;
};

inline std::vector<Declaracion>& declaraciones() {
    static std::vector<Declaracion> todas;
    return todas;
}

inline bool declarar(const char* grupo, const char* nombre, Origen origen, const char* frase) {
    declaraciones().push_back({grupo, nombre, origen, frase});
    return true;
}

// La declaración de esa prueba; nullptr si no se declaró.
inline const Declaracion* declaracionDe(const std::string& grupo, const std::string& nombre) {
    for (const Declaracion& d : declaraciones()) {
        if (d.grupo == grupo && d.nombre == nombre) return &d;
    }
    return nullptr;
}

}  // namespace nucleo

#define EJ_COMPROBACION_(grupo, nombre, origen, frase)                   \
    [[maybe_unused]] static const bool ej_declarada_##grupo##_##nombre = \
        ::nucleo::declarar(#grupo, #nombre, origen, frase);              \
    TEST(grupo, nombre)

#define PIDE_EL_EJERCICIO(nombre, frase) \
    EJ_COMPROBACION_(Enunciado, nombre, ::nucleo::Origen::Enunciado, frase)
#define DECIDE_LA_COLECCION(nombre, frase) \
    EJ_COMPROBACION_(Decidido, nombre, ::nucleo::Origen::Decidido, frase)

#endif

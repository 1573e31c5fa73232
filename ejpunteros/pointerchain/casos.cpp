// pointerchain: el mismo entero por tres caminos, directo y a través de punteros. No lee nada.
#include "../reglas_punteros.h"
#include "tablas.h"

namespace nucleo::datos {

void pointerchain(Ejercicio& e) {
    const std::string salida =
        "El valor de var es: 10\nEl valor de *ptr es: 10\nEl valor de **ptr2 es: 10\n";
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "5\n", salida}});

    // Lo que pide el enunciado de la técnica: la segunda y la tercera línea leen a través de los
    // punteros al escribirse, no copias de var tomadas antes.
    const std::string cadaValor =
        "Cada valor se lee al escribir su línea: la segunda muestra lo que hay donde apunta ptr, y "
        "la tercera lo que se alcanza siguiendo ptr2 hasta ptr y ptr hasta var; no son copias de "
        "var tomadas antes.";
    e.tecnica = {
        {"SegundaLineaLeeATravesDePtr", "la segunda línea lee el valor a través de ptr", cadaValor,
         [](const Arbol& a) {
             return punteros::leeAlEscribir(a, "deref*:ptr", "*ptr",
                                            "leer el int a través de ptr al escribir la segunda "
                                            "línea");
         },
         "errores/segunda_con_var.cpp", 3},
        {"TerceraLineaLeeATravesDePtr2", "la tercera línea lee el valor a través de ptr2",
         cadaValor,
         [](const Arbol& a) {
             return punteros::leeAlEscribir(a, "deref**:ptr2", "**ptr2",
                                            "leer el int siguiendo ptr2 hasta ptr y ptr hasta var "
                                            "al escribir la tercera línea");
         },
         "errores/tercera_copia.cpp", 7},
    };
}

}  // namespace nucleo::datos

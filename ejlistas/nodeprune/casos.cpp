// nodeprune: quita el nodo del medio de una lista fija. No lee nada y conserva a propósito
// los dos nodos que quedan.
#include "tablas.h"

namespace nucleo::datos {

void nodeprune(Ejercicio& e) {
    e.firmas = {
        "struct Nodo { int dato; Nodo* siguiente; };",
        "void insertarCabeza(Nodo*& cabeza, int valor);",
        "void imprimirLista(Nodo* cabeza);",
        "void eliminarValor(Nodo*& cabeza, int valor);",
    };
    agregar(e, Origen::Enunciado, {{"salida fija", "", "1 -> 2 -> 3 -> NULL\n1 -> 3 -> NULL\n"}});
}

}  // namespace nucleo::datos

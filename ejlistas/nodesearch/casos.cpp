// nodesearch: lista fija, búsqueda del 10 y liberación de todos los nodos. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void nodesearch(Ejercicio& e) {
    const std::string salida = "15 -> 10 -> 5 -> NULL\nEl valor 10 se encuentra en la lista.\n";
    // Con detección de fugas: no debe quedar ningún nodo sin liberar.
    e.firmas = {
        "struct Nodo { int dato; Nodo* siguiente; };",
        "void insertarCabeza(Nodo*& cabeza, int valor);",
        "void imprimirLista(Nodo* cabeza);",
        "bool buscarElemento(Nodo* cabeza, int valor);",
        "void liberarLista(Nodo*& cabeza);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "7\n", salida}});
    e.casos.push_back(
        unidas(Origen::Enunciado, "todo va a la salida estándar, nada a la de error", "", salida));
}

}  // namespace nucleo::datos

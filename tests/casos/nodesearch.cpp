// nodesearch: lista fija, búsqueda del 10 y liberación de todos los nodos. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio nodesearch() {
    const std::string salida = "15 -> 10 -> 5 -> NULL\nEl valor 10 se encuentra en la lista.\n";
    // Con detección de fugas: no debe quedar ningún nodo sin liberar.
    Ejercicio e{"nodesearch", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "7\n", salida}});
    e.casos.push_back(
        unidas(Origen::Enunciado, "todo va a la salida estándar, nada a la de error", "", salida));
    return e;
}

}  // namespace arnes::datos

// arraysum: suma recursiva de un arreglo fijo. No lee nada.
#include "comun.h"

namespace arnes::datos {

Ejercicio arraysum() {
    const std::string linea = "La suma de los elementos del arreglo es 15\n";
    Ejercicio e{"arraysum", false, "", {}};
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", linea}, {"ignora la entrada", "7\n", linea}});
    return e;
}

}  // namespace arnes::datos

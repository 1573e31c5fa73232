// arraysum: suma recursiva de un arreglo fijo. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void arraysum(Ejercicio& e) {
    const std::string linea = "La suma de los elementos del arreglo es 15\n";
    e.firmas = {
        "int sumArray(int* arr, int n);",
    };
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", linea}, {"ignora la entrada", "7\n", linea}});
}

}  // namespace nucleo::datos

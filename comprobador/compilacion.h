// Compilar una entrega: la compilación normal (la que ve el alumno), la vigilada por
// AddressSanitizer y UBSan, y la de las comprobaciones de funciones del ejercicio contra su
// fuente. Y explicar en los términos del ejercicio por qué no compilan esas comprobaciones.
#ifndef COMPROBADOR_COMPILACION_H
#define COMPROBADOR_COMPILACION_H

#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"
#include "revision.h"

namespace comprobador {

struct Compilaciones {
    nucleo::Resultado normal;     // <temporal>/normal
    nucleo::Resultado vigilada;   // <temporal>/vigilado
    nucleo::Resultado funciones;  // <temporal>/funciones, si conFunciones
    bool conFunciones = false;    // el ejercicio tiene comprobaciones y hay GoogleTest
};

// Las tres a la vez, en la carpeta temporal de la entrega.
Compilaciones compilarEntrega(const nucleo::Ejercicio& ejercicio, const Entrega& entrega,
                              const Entorno& entorno);

// Los errores de compilación de las comprobaciones de funciones, explicados: una función que
// falta, una firma distinta... (una frase por problema, sin repetir).
std::vector<std::string> explicarErroresDeFunciones(const nucleo::Ejercicio& ejercicio,
                                                    const std::string& salida);

}  // namespace comprobador

#endif

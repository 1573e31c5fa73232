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

// Copia los archivos de la entrega (y solo esos: nunca la carpeta de la que viene) a la
// carpeta temporal; devuelve la ruta del fuente principal dentro de ella.
std::string prepararCopia(const nucleo::Ejercicio& ejercicio, const Entrega& entrega,
                          const Entorno& entorno);

// Lo que una compilación aislada ve de la colección, solo para leer: las cabeceras del núcleo,
// las comprobaciones del ejercicio, su oyente y lo precompilado, y node_list.h.
std::vector<std::string> lecturaDe(const nucleo::Ejercicio& ejercicio, const Entorno& entorno);

// Lo que ve de ella un programa de la entrega: solo las órdenes cls (la muda y la que cuenta).
std::vector<std::string> lecturaDeEjecucion(const Entorno& entorno);

// ¿Tiene el ejercicio comprobaciones de funciones, y hay GoogleTest para compilarlas?
bool hayFunciones(const nucleo::Ejercicio& ejercicio, const Entorno& entorno);

// La compilación normal y la vigilada, a la vez, en la carpeta temporal de la entrega.
void compilarPrograma(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                      const Entorno& entorno, Compilaciones& c);

// Las comprobaciones de funciones del ejercicio contra el fuente de la entrega.
nucleo::Resultado compilarFunciones(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                                    const Entorno& entorno);

// Las banderas con que se compilan las comprobaciones de funciones.
std::vector<std::string> banderasDeFunciones();

// Las del programa vigilado por AddressSanitizer y UBSan (sin el enlazador, que pone compilar).
std::vector<std::string> banderasVigiladas();

// Los errores de compilación de las comprobaciones de funciones, explicados: una función que
// falta, una firma distinta... (una frase por problema, sin repetir).
std::vector<std::string> explicarErroresDeFunciones(const nucleo::Ejercicio& ejercicio,
                                                    const std::string& salida);

}  // namespace comprobador

#endif

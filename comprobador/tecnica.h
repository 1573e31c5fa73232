// La técnica que pide el enunciado, comprobada en el árbol de sintaxis de la solución: el
// analizador (analizador.cpp, con libclang) la lee dentro del aislamiento, a la vez que se
// compila, y aquí fuera se evalúan sobre lo que cuenta las reglas del ejercicio (el campo
// `tecnica` de su casos.cpp). Una regla incumplida es una comprobación del ejercicio que falla,
// con la línea y una pista en los términos del enunciado; lo que tiene que decidir una persona
// queda «para revisar», sin contar.
#ifndef COMPROBADOR_TECNICA_H
#define COMPROBADOR_TECNICA_H

#include <vector>

#include "caso.h"
#include "orquesta.h"
#include "resultado.h"
#include "revision.h"

namespace comprobador {

// ¿Hay analizador? (sin libclang al configurar, no).
bool hayAnalizador(const Entorno& entorno);

// Una comprobación por regla; sin analizador, una que dice que la técnica no se comprobó.
std::vector<Comprobacion> tecnicaPrevista(const nucleo::Ejercicio& ejercicio,
                                          const Entorno& entorno);

// Lee el fuente con el analizador y juzga cada regla. Con `fichas`, deja ahí las fichas
// léxicas del fuente (las líneas «T» del analizador).
Salida comprobarTecnica(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                        const Entorno& entorno, std::string* fichas = nullptr);

// Las comprobaciones de unas reglas sobre un árbol ya leído.
std::vector<Comprobacion> juzgarTecnica(const nucleo::Ejercicio& ejercicio,
                                        const nucleo::Arbol& arbol);

}  // namespace comprobador

#endif

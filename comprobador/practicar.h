// ./ejercicios practicar NOMBRE: el punto de partida de la solución de un alumno, en practica/,
// con el enunciado como comentario. Nunca sobrescribe lo que ya hay.
#ifndef COMPROBADOR_PRACTICAR_H
#define COMPROBADOR_PRACTICAR_H

#include <string>
#include <utility>
#include <vector>

#include "caso.h"

namespace comprobador {

// Los archivos del punto de partida (su ruta dentro de practica/ y su contenido).
std::vector<std::pair<std::string, std::string>> puntoDePartida(const nucleo::Ejercicio& ejercicio,
                                                                const std::string& raiz);

// Devuelve el estado de salida: 0 (creado o ya existente).
int practicar(const nucleo::Ejercicio& ejercicio, const std::string& raiz);

}  // namespace comprobador

#endif

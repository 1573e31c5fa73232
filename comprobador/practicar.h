// El punto de partida de la solución de un alumno, con el enunciado como comentario: el mismo
// que escribe ./ejercicios practicar (lanzador/ejercicios.cmake) en practica/. Al corregir una
// clase, su código es común a todas las entregas y no cuenta como parecido.
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

}  // namespace comprobador

#endif

// Los errores más habituales del primer curso, explicados en español antes del texto del
// compilador: un «;» que falta, un nombre sin declarar, un #include que falta, llaves que no
// cuadran, una cadena sin cerrar, argumentos o tipos que no encajan, un return que falta...
// Se reconocen en los mensajes de GCC en inglés y en los que tiene traducidos al español.
#ifndef COMPROBADOR_EXPLICAR_H
#define COMPROBADOR_EXPLICAR_H

#include <string>
#include <vector>

#include "caso.h"

namespace comprobador {

// Una pista por error reconocido (la primera vez que sale cada tipo, como mucho cuatro), con
// su línea; con soloAvisos, solo las de los avisos (un programa que compila).
std::vector<std::string> pistasDelCompilador(const nucleo::Ejercicio& ejercicio,
                                             const std::string& salida, bool soloAvisos = false);

}  // namespace comprobador

#endif

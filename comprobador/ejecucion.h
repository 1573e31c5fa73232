// Los casos del ejercicio con el programa de una entrega: cada uno con la compilación normal y,
// si pasa, otra vez con AddressSanitizer, UBSan y LeakSanitizer (memoria mal usada, fugas).
#ifndef COMPROBADOR_EJECUCION_H
#define COMPROBADOR_EJECUCION_H

#include <chrono>

#include "caso.h"
#include "proceso.h"
#include "revision.h"

namespace comprobador {

// Las opciones de un caso para el programa de un alumno: su límite, el tope de salida, su
// aislamiento y los sanitizadores (`vigilado`: el programa los lleva; con `fugas`, LeakSanitizer
// también busca fugas).
nucleo::Opciones opcionesAlumno(const nucleo::Ejercicio& ejercicio, const nucleo::Caso& caso,
                                std::chrono::milliseconds limite, bool vigilado, bool fugas,
                                const Entorno& entorno);

// Ejecuta los casos del ejercicio con <temporal>/normal y, con `conSanitizadores`, también con
// <temporal>/vigilado.
void ejecutarCasos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                   bool conSanitizadores, Revision& revision);

}  // namespace comprobador

#endif

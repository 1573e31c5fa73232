// La robustez de una entrega: las entradas hostiles con la compilación vigilada por los
// sanitizadores. No cuenta en la nota; una comprobación por entrada, y los informes dicen cada
// hallazgo una vez, con sus entradas.
#ifndef COMPROBADOR_ROBUSTEZ_H
#define COMPROBADOR_ROBUSTEZ_H

#include <vector>

#include "caso.h"
#include "resultado.h"
#include "revision.h"

namespace comprobador {

// Una por entrada hostil; ninguna si el programa no lee la entrada.
std::vector<Comprobacion> robustezPrevista(const nucleo::Ejercicio& ejercicio);

std::vector<Comprobacion> buscarFallos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno);

}  // namespace comprobador

#endif

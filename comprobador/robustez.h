// La robustez de una entrega: las entradas hostiles con la compilación vigilada por los
// sanitizadores. No cuenta en la nota; cada hallazgo se dice una vez, con sus entradas.
#ifndef COMPROBADOR_ROBUSTEZ_H
#define COMPROBADOR_ROBUSTEZ_H

#include "caso.h"
#include "revision.h"

namespace comprobador {

void buscarFallos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno, Revision& revision);

}  // namespace comprobador

#endif

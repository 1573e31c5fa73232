// Las comprobaciones de funciones de un ejercicio (su tabla, nucleo/caso.h) con la sonda de una
// entrega (nucleo/sonda.h): se le piden las llamadas de la tabla y otras sorteadas, y lo que
// responde se compara aquí fuera con lo esperado (el de la tabla, o el que responde la sonda de
// la respuesta modelo para las sorteadas). Lo esperado no entra nunca en el aislamiento.
//
// Una sonda que no responde todo o no termina bien no da nada por bueno: la comprobación en la
// que se paró falla con lo que pasó (una señal, un informe de los sanitizadores, un bucle) y las
// demás se preguntan otra vez, en otra sonda. Así una que revienta no se lleva a las demás, y
// lo que una entrega escriba por su cuenta en la salida de la sonda no cuenta.
#ifndef COMPROBADOR_FUNCIONES_H
#define COMPROBADOR_FUNCIONES_H

#include <cstdint>
#include <functional>
#include <vector>

#include "caso.h"
#include "resultado.h"
#include "revision.h"
#include "sondeo.h"

namespace comprobador {

// Una comprobación por cada una de la tabla del ejercicio, en su orden.
std::vector<Comprobacion> funcionesPrevistas(const nucleo::Ejercicio& ejercicio);

// Pregunta unas llamadas a una sonda; las del mismo grupo (de la misma comprobación) las hace el
// mismo proceso.
using Sondeador = std::function<nucleo::Sondeo(const std::vector<nucleo::Llamada>&,
                                               const std::vector<std::size_t>& grupos)>;

// Las comprobaciones de funciones con la sonda de la entrega (`alumno`) y, para lo esperado de
// las llamadas sorteadas con esa semilla, la de la respuesta modelo (`modelo`). Si la del modelo
// no responde bien, ErrorDelComprobador.
std::vector<Comprobacion> comprobarFunciones(const nucleo::Ejercicio& ejercicio,
                                             std::uint64_t semilla, const Sondeador& alumno,
                                             const Sondeador& modelo);

// Lo mismo con <temporal>/funciones, aislada y con sus límites, y la sonda de la respuesta
// modelo del árbol de compilación.
std::vector<Comprobacion> comprobarFunciones(const nucleo::Ejercicio& ejercicio,
                                             const Entorno& entorno);

}  // namespace comprobador

#endif

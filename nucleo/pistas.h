// Las pistas: frases en español que explican los errores habituales de un alumno a partir de
// lo esperado y lo obtenido (un blanco o un salto de línea de más o de menos, una tilde, un
// fuente en Latin-1, el flujo equivocado) y de cómo terminó el programa.
#ifndef NUCLEO_PISTAS_H
#define NUCLEO_PISTAS_H

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"

namespace nucleo {

// Pistas que se deducen de comparar un texto esperado con el obtenido en ese caso.
std::vector<std::string> pistasDeTexto(const Caso& caso, const std::string& esperado,
                                       const std::string& obtenido);

// Texto escrito en el flujo equivocado (solo con las salidas separadas). `hayInforme`: la
// salida de error tiene un informe de un sanitizador, que no es texto del programa.
std::vector<std::string> pistasDeFlujo(const Caso& caso, const Resultado& resultado,
                                       bool hayInforme);

// Pistas de cómo terminó el programa: tiempo, aviso que no llegó, señal, estado, salida
// excesiva y los informes de los sanitizadores ya resumidos.
std::vector<std::string> pistasDeTerminacion(const Resultado& resultado,
                                             std::chrono::milliseconds limite,
                                             std::size_t limiteSalida,
                                             const std::vector<Paso>& pasos,
                                             const std::vector<std::string>& informes);

// Un tiempo en segundos, con una cifra decimal si hace falta ("0,5", "5").
std::string segundos(std::chrono::milliseconds tiempo);

}  // namespace nucleo

#endif

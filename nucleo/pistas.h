// Las pistas: frases en español que explican los errores habituales de un alumno a partir de
// lo esperado y lo obtenido (un blanco o un salto de línea de más o de menos, una tilde, un
// fuente en Latin-1, el flujo equivocado, un número distinto, la respuesta contraria), de un
// aviso que no llegó y de cómo terminó el programa.
#ifndef NUCLEO_PISTAS_H
#define NUCLEO_PISTAS_H

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"

namespace nucleo {

// Pistas que se deducen de comparar un texto esperado con el obtenido en ese caso: fines de
// línea, blancos, caracteres de más o de menos, tildes, codificación, orden, la respuesta
// contraria (una negación de más o de menos) y un número distinto (cuál se esperaba, y si
// parece una división entera, otro formato o un redondeo).
std::vector<std::string> pistasDeTexto(const Caso& caso, const std::string& esperado,
                                       const std::string& obtenido);

// Texto escrito en el flujo equivocado (solo con las salidas separadas). `hayInforme`: la
// salida de error tiene un informe de un sanitizador, que no es texto del programa.
std::vector<std::string> pistasDeFlujo(const Caso& caso, const Resultado& resultado,
                                       bool hayInforme);

// Pistas de cómo terminó el programa: tiempo, aviso que no llegó (con pistasDeAviso sobre lo
// que escribió tras el aviso anterior), señal, estado, salida excesiva y los informes de los
// sanitizadores ya resumidos.
std::vector<std::string> pistasDeTerminacion(const Resultado& resultado,
                                             std::chrono::milliseconds limite,
                                             std::size_t limiteSalida,
                                             const std::vector<Paso>& pasos,
                                             const std::vector<std::string>& informes);

// Un aviso de una conversación que no llegó a tiempo. `salidaTrasElPasoAnterior`: lo que el
// programa escribió después del aviso anterior; `llegoDespues`: el aviso exacto salió, pero
// solo después de escribirse la respuesta. Si llegó tarde (o no salió nada), la salida no se
// vació antes de leer; si salió otro texto, qué tiene de distinto, sin hablar de vaciar.
std::vector<std::string> pistasDeAviso(const std::string& aviso,
                                       const std::string& salidaTrasElPasoAnterior,
                                       bool llegoDespues);

// Lo que sigue, en la salida, a los avisos de los pasos anteriores a `paso`, buscados uno tras
// otro como en la conversación.
std::string trasLosAvisos(const std::string& salida, const std::vector<Paso>& pasos,
                          std::size_t paso);

// Un tiempo en segundos, con una cifra decimal si hace falta ("0,5", "5").
std::string segundos(std::chrono::milliseconds tiempo);

}  // namespace nucleo

#endif

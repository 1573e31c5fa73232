// Preguntar a una sonda de funciones (sonda.h): se le dan las llamadas por su entrada, se leen
// sus respuestas y cómo terminó. Lo usan el comprobador, con la sonda de la solución de un alumno
// (aislada) y con la de la respuesta modelo, y las pruebas de la colección.
#ifndef NUCLEO_SONDEO_H
#define NUCLEO_SONDEO_H

#include <optional>
#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"

namespace nucleo {

struct Sondeo {
    // Lo observado en cada llamada, en su orden; vacío en las que no respondió.
    std::vector<std::optional<std::string>> observado;
    // De las llamadas que no terminaron bien, su estado de wait (como el de waitpid) y lo que
    // escribieron por la salida de error; vacío en las demás.
    std::vector<std::optional<int>> murio;
    std::vector<std::string> errores;
    // Por qué no empezó la sonda, si no empezó.
    std::string rechazo;
    // Respondió todas, una vez cada una, y dijo que acababa: lo que respondió es todo lo suyo.
    bool completo = false;
    // Alguna llamada tuvo dos respuestas (algo más que la sonda escribió en su salida).
    bool repetidas = false;
    Resultado proceso;  // cómo terminó y lo que dijo por la salida de error

    // Respondió todo y terminó bien.
    bool bien() const { return completo && !repetidas && proceso.terminoBien(); }
};

// Arranca la sonda, espera a que diga que está lista y solo entonces le escribe las llamadas.
// Lo que escribiera antes no cuenta.
// Las llamadas seguidas del mismo grupo (de la misma comprobación) las hace el mismo proceso de
// la sonda; sin grupos, cada una el suyo.
Sondeo sondear(const std::string& sonda, const std::vector<Llamada>& llamadas,
               const Opciones& opciones, const std::vector<std::size_t>& grupos = {});

// Cómo se muestra una llamada: su muestra o "operación(a, b)".
std::string muestraDe(const Llamada& llamada);

}  // namespace nucleo

#endif

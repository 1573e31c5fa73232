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
    // Respondió todas, una vez cada una, y dijo que acababa: lo que respondió es todo lo suyo.
    bool completo = false;
    // Alguna llamada tuvo dos respuestas (algo más que la sonda escribió en su salida).
    bool repetidas = false;
    Resultado proceso;  // cómo terminó y lo que dijo por la salida de error

    // Respondió todo y terminó bien.
    bool bien() const { return completo && !repetidas && proceso.terminoBien(); }
};

Sondeo sondear(const std::string& sonda, const std::vector<Llamada>& llamadas,
               const Opciones& opciones);

// Cómo se muestra una llamada: su muestra o "operación(a, b)".
std::string muestraDe(const Llamada& llamada);

}  // namespace nucleo

#endif

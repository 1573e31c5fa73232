#include "tabla.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "juez.h"

namespace nucleo {

void comprobarTabla(const std::string& ruta, const Ejercicio& ejercicio,
                    const std::vector<Caso>& casos) {
    for (const Caso& caso : casos) {
        const Veredicto veredicto = juzgar(caso, ejecutarCaso(ruta, ejercicio, caso));
        if (!veredicto.correcto) {
            ADD_FAILURE() << ejercicio.programa << ": " << caso.descripcion << "\n"
                          << veredicto.explicacion;
        }
    }
}

Opciones sinDeteccionDeFugas() {
    const char* actuales = std::getenv("ASAN_OPTIONS");
    std::string asan = actuales != nullptr ? std::string(actuales) + ":" : std::string();
    Opciones opciones;
    opciones.entorno.push_back("ASAN_OPTIONS=" + asan + "detect_leaks=0");
    return opciones;
}

}  // namespace nucleo

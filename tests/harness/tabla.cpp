#include "tabla.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace arnes {

void comprobarTabla(const std::string& programa, const std::vector<Caso>& casos,
                    const Opciones& opciones) {
    for (const Caso& caso : casos) {
        SCOPED_TRACE(programa + ": " + caso.descripcion);
        Resultado r = ejecutar(programa, caso.entrada, opciones);
        EXPECT_TRUE(r.terminoBien()) << r;
        EXPECT_EQ(r.salida, caso.salida);
        EXPECT_EQ(r.errores, caso.errores);
    }
}

Opciones sinDeteccionDeFugas() {
    const char* actuales = std::getenv("ASAN_OPTIONS");
    std::string asan = actuales != nullptr ? std::string(actuales) + ":" : std::string();
    Opciones opciones;
    opciones.entorno.push_back("ASAN_OPTIONS=" + asan + "detect_leaks=0");
    return opciones;
}

}  // namespace arnes

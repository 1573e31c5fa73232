// Los informes de AddressSanitizer, UndefinedBehaviorSanitizer y LeakSanitizer, resumidos en
// una línea en español cada uno: qué pasó, dónde (archivo:línea del programa) y qué suele
// significar.
#ifndef NUCLEO_SANITIZADORES_H
#define NUCLEO_SANITIZADORES_H

#include <string>
#include <vector>

namespace nucleo {

// Una línea por cada informe que haya en la salida de error; vacío si no hay ninguno.
std::vector<std::string> resumirSanitizadores(const std::string& errores);

// Bloques sin liberar según el resumen de LeakSanitizer; 0 si no hay.
int bloquesSinLiberar(const std::string& errores);

}  // namespace nucleo

#endif

// Los informes de AddressSanitizer, UndefinedBehaviorSanitizer y LeakSanitizer, resumidos en
// una línea en español cada uno: qué pasó, dónde (archivo:línea del programa) y qué suele
// significar.
#ifndef NUCLEO_SANITIZADORES_H
#define NUCLEO_SANITIZADORES_H

#include <string>
#include <vector>

namespace nucleo {

// Una línea por cada informe que haya en la salida de error; vacío si no hay ninguno. Una pila
// agotada dice si fue una recursión que no termina (la función y la línea de su llamada a sí
// misma, las mismas en cada ejecución), una variable local enorme o una escritura fuera de un
// arreglo local.
std::vector<std::string> resumirSanitizadores(const std::string& errores);

// Lo mismo, y cada línea con la entrada que provocó el informe (conLaEntrada).
std::vector<std::string> resumirSanitizadores(const std::string& errores,
                                              const std::string& entrada);

// Un resumen con la entrada que lo provocó detrás: « (con la entrada «7⏎»)», acortada si es
// larga.
std::string conLaEntrada(const std::string& resumen, const std::string& entrada);

// Bloques sin liberar según el resumen de LeakSanitizer; 0 si no hay.
int bloquesSinLiberar(const std::string& errores);

}  // namespace nucleo

#endif

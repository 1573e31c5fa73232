// El protocolo entre el comprobador y la sonda de funciones (sonda.h). Cada petición es una
// línea por la entrada estándar de la sonda, con sus campos separados por tabuladores:
//   <número>\t<operación>\t<argumento>...
// y cada respuesta, una línea por su salida estándar:
//   ej-sonda\t<número>\t<lo observado>
// Al acabar todas, «ej-sonda-fin\t<cuántas>». En los campos, el tabulador, el salto de línea y
// la barra se escriben \t, \n y \\. Lo que las funciones escriban no llega a esa salida: mientras
// corre la sonda, su salida estándar va a otra parte y cada llamada se captura aparte.
#ifndef NUCLEO_SONDA_PROTOCOLO_H
#define NUCLEO_SONDA_PROTOCOLO_H

#include <cstddef>
#include <string>
#include <vector>

namespace ej_sonda {

inline constexpr const char* kRespuesta = "ej-sonda";
inline constexpr const char* kFin = "ej-sonda-fin";

std::string escaparCampo(const std::string& texto);
std::string desescaparCampo(const std::string& campo);

// Los campos de una línea, ya sin escapes.
std::vector<std::string> campos(const std::string& linea);

// Una petición, con su salto de línea.
std::string peticion(std::size_t numero, const std::string& operacion,
                     const std::vector<std::string>& argumentos);

}  // namespace ej_sonda

#endif

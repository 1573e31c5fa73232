// El protocolo entre el comprobador y la sonda de funciones (sonda.h). Cuando la sonda está
// lista escribe «ej-sonda-listo» por su salida estándar (o «ej-sonda-rechazo\t<por qué>» si no
// puede empezar); solo entonces se le escriben las peticiones, una línea cada una por su entrada
// estándar, con sus campos separados por tabuladores:
//   <número>\t<grupo>\t<operación>\t<argumento>...
// (las de un mismo grupo, seguidas, las hace el mismo proceso: las de una comprobación)
// y de cada una responde una línea:
//   ej-sonda\t<número>\t<lo observado>
// o, si la llamada no terminó bien, «ej-sonda-murio\t<número>\t<su estado de wait>», precedida
// de «ej-sonda-errores\t<número>\t<lo que escribió por la salida de error>» si escribió algo (un
// informe de los sanitizadores). Al acabar todas, «ej-sonda-fin\t<cuántas>». En los campos, el
// tabulador, el salto de línea y la barra se escriben \t, \n y \\. Lo que las funciones
// escriban no llega a esa salida: cada llamada se captura aparte.
#ifndef NUCLEO_SONDA_PROTOCOLO_H
#define NUCLEO_SONDA_PROTOCOLO_H

#include <cstddef>
#include <string>
#include <vector>

namespace ej_sonda {

inline constexpr const char* kListo = "ej-sonda-listo";
inline constexpr const char* kRechazo = "ej-sonda-rechazo";
inline constexpr const char* kRespuesta = "ej-sonda";
inline constexpr const char* kMurio = "ej-sonda-murio";
inline constexpr const char* kErrores = "ej-sonda-errores";
inline constexpr const char* kFin = "ej-sonda-fin";

std::string escaparCampo(const std::string& texto);
std::string desescaparCampo(const std::string& campo);

// Los campos de una línea, ya sin escapes.
std::vector<std::string> campos(const std::string& linea);

// Una petición, con su salto de línea.
std::string peticion(std::size_t numero, std::size_t grupo, const std::string& operacion,
                     const std::vector<std::string>& argumentos);

}  // namespace ej_sonda

#endif

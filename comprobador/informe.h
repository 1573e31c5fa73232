// El informe de una revisión para el alumno, la tabla resumen para el profesor, el informe
// JUnit en XML que importan los sistemas de integración continua y los cuadernos de notas, y
// la tabla CSV para una hoja de cálculo. Todo lo que escribió una entrega o su compilador
// llega con lo invisible a la vista: una entrega no puede mover el cursor, borrar la pantalla
// ni romper el XML.
#ifndef COMPROBADOR_INFORME_H
#define COMPROBADOR_INFORME_H

#include <ostream>
#include <string>
#include <vector>

#include "revision.h"

namespace comprobador {

// Colores ANSI solo si se escribe en una terminal (y NO_COLOR no está puesta).
struct Estilo {
    bool color = false;
    std::string bien(const std::string& t) const { return pintar("32", t); }
    std::string mal(const std::string& t) const { return pintar("31", t); }
    std::string aviso(const std::string& t) const { return pintar("33", t); }
    std::string titulo(const std::string& t) const { return pintar("1", t); }
    std::string tenue(const std::string& t) const { return pintar("2", t); }

   private:
    std::string pintar(const char* codigo, const std::string& t) const {
        return color ? "\033[" + std::string(codigo) + "m" + t + "\033[0m" : t;
    }
};

// Un texto ajeno apto para la terminal y para XML 1.0: quedan los saltos de línea, los
// tabuladores y las letras UTF-8; los demás caracteres de control (también los C1 y DEL),
// U+FFFE, U+FFFF y los bytes que no son UTF-8 se muestran como "\xNN" (y el retorno de carro
// como "\r").
std::string textoSeguro(const std::string& texto);

// Como textoSeguro, para lo que ocupa una sola línea (un nombre de entrega o de caso, una
// pista): los saltos de línea y los tabuladores también se muestran, como "\n" y "\t".
std::string lineaSegura(const std::string& texto);

// El informe de una entrega; termina con la línea "N de M casos correctos".
void escribirInforme(std::ostream& os, const std::string& programa, const Revision& revision,
                     const Estilo& estilo);

// Una fila por entrega: casos correctos y hallazgos de robustez (y si se aisló, cuando
// alguna no lo está).
void escribirResumen(std::ostream& os, const std::vector<Revision>& revisiones,
                     const Estilo& estilo);

// Un testsuite por entrega y un testcase por caso del ejercicio; devuelve false si no se
// pudo escribir el archivo.
bool escribirJUnit(const std::string& archivo, const std::string& programa,
                   const std::vector<Revision>& revisiones);

// Una fila por entrega: entrega, ejercicio, correctos, total, si compila y hallazgos de
// robustez; devuelve false si no se pudo escribir el archivo.
bool escribirCsv(const std::string& archivo, const std::string& programa,
                 const std::vector<Revision>& revisiones);

}  // namespace comprobador

#endif

// Los escritores de la lista de comprobaciones de cada revisión (resultado.h): el informe de
// una entrega para el alumno, la tabla resumen para el profesor, JUnit en XML (el formato que
// importan los sistemas de integración continua y muchos cuadernos de notas), la tabla CSV y
// JSON para otras herramientas. Solo leen la lista; ninguno decide nada. Todo lo que escribió
// una entrega o su compilador llega con lo invisible a la vista: una entrega no puede mover el
// cursor, borrar la pantalla ni romper el XML o el JSON.
#ifndef COMPROBADOR_INFORME_H
#define COMPROBADOR_INFORME_H

#include <ostream>
#include <string>
#include <vector>

#include "resultado.h"

namespace comprobador {

// La versión del formato JSON: sube cuando cambia algo que un lector tenga que saber.
constexpr int kVersionJson = 1;
// Lo que se muestra de la salida del compilador: sus primeras líneas.
constexpr std::size_t kLineasDelCompilador = 40;

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

// Un texto ajeno dentro de XML o HTML (en un elemento o en un atributo entre comillas dobles):
// textoSeguro y & < > " escapados; el apóstrofo, como `apostrofo` ("&apos;" o "&#39;").
std::string escaparMarcado(const std::string& texto, const char* apostrofo);

// Como textoSeguro, para lo que ocupa una sola línea (un nombre de entrega o de caso, una
// pista): los saltos de línea y los tabuladores también se muestran, como "\n" y "\t".
std::string lineaSegura(const std::string& texto);

// Lo que dijo el compilador, seguro y recortado a sus primeras kLineasDelCompilador líneas
// (cada una a unos cientos de bytes), con «… N líneas más» si había más.
std::string salidaDelCompilador(const std::string& salida);

// El texto con cada línea de más de `columnas` letras (sin contar los colores) partida en los
// blancos, y cada trozo que sigue sangrado como el texto de su línea (tras su sangría y su marca
// «✓ », «✗ », «– », «- »...), para que el informe conserve su margen en una terminal estrecha.
// Una palabra que no cabe se parte entre letras. Con `columnas` 0, el texto tal cual.
std::string envolver(const std::string& texto, std::size_t columnas);

// Los hallazgos de la robustez, cada uno una vez con las entradas que lo provocan:
// «Con la entrada «vacía», «letras»: UBSan: …».
std::vector<std::string> hallazgos(const Revision& revision);

// El informe de una entrega; termina con la línea "N de M comprobaciones correctas".
void escribirInforme(std::ostream& os, const std::string& programa, const Revision& revision,
                     const Estilo& estilo);

// Una fila por entrega: comprobaciones correctas y hallazgos de robustez (y si se aisló, cuando
// alguna no lo está).
void escribirResumen(std::ostream& os, const std::vector<Revision>& revisiones,
                     const Estilo& estilo);

// Un testsuite por entrega y un testcase por comprobación que cuenta; false si no se pudo
// escribir el archivo.
bool escribirJUnit(const std::string& archivo, const std::string& programa,
                   const std::vector<Revision>& revisiones);

// Una fila por entrega: entrega, ejercicio, correctos, total, si compila y hallazgos de
// robustez; false si no se pudo escribir el archivo.
bool escribirCsv(const std::string& archivo, const std::string& programa,
                 const std::vector<Revision>& revisiones);

// Todo, comprobación a comprobación, con el formato que describe el README («El formato
// JSON»); false si no se pudo escribir el archivo.
bool escribirJson(const std::string& archivo, const std::string& programa,
                  const std::vector<Revision>& revisiones);
void escribirJson(std::ostream& os, const std::string& programa,
                  const std::vector<Revision>& revisiones);

}  // namespace comprobador

#endif

// Entregas que se parecen demasiado: las fichas léxicas de cada fuente (las del analizador de la
// técnica, leídas dentro del aislamiento), normalizadas (sin comentarios ni espacios, los nombres
// y los literales iguales todos), se resumen en huellas por «winnowing» (el método de MOSS): de
// cada tramo de kFichasPorHuella fichas seguidas, un número; de cada kVentana tramos seguidos, el
// menor. Lo que ya traen todos (el punto de partida de la colección y el código que da el
// enunciado) se descuenta antes de comparar. Dos entregas se marcan si comparten al menos
// kUmbralDeParecido de las huellas de la más corta. Solo marca: lo decide quien corrige.
#ifndef COMPROBADOR_SIMILITUD_H
#define COMPROBADOR_SIMILITUD_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace comprobador {

constexpr std::size_t kFichasPorHuella = 12;
constexpr std::size_t kVentana = 4;
constexpr double kUmbralDeParecido = 0.6;
// Con menos huellas propias que estas, una entrega es demasiado corta para decir nada.
constexpr std::size_t kHuellasMinimas = 8;

// Un fuente como fichas normalizadas, cada una con su lugar («ringchain.cpp:12»).
struct Fichas {
    std::vector<std::string> fichas;
    std::vector<std::string> archivos;
    std::vector<int> lineas;
};

// Las fichas de las líneas «T» del analizador: los nombres pasan a ser «N» y los literales «L»;
// quedan las palabras clave y los signos. Las líneas del preprocesador (#include...) se quitan.
Fichas normalizar(const std::string& lineasDelAnalizador);

// Las huellas de un fuente: cada una con las posiciones (la primera ficha de su tramo) donde sale.
using Huellas = std::map<std::uint64_t, std::vector<std::size_t>>;
Huellas huellas(const Fichas& fichas);

// Todos los tramos de un texto común (sin «winnowing»: cualquiera de ellos se descuenta).
std::set<std::uint64_t> tramos(const Fichas& fichas);

struct Parecido {
    double parecido = 0;  // de 0 a 1: la parte de las huellas de la más corta que están en la otra
    std::string lineasA;  // «12-30, 41-44»: las líneas donde coinciden, en cada una
    std::string lineasB;
};

// Compara dos entregas, sin contar las huellas de `comun`.
Parecido comparar(const Fichas& a, const Huellas& ha, const Fichas& b, const Huellas& hb,
                  const std::set<std::uint64_t>& comun);

}  // namespace comprobador

#endif

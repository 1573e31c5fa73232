// Los pasos de una revisión y el orden en que se hacen. Cada paso dice de cuáles depende y qué
// comprobaciones dará (su sitio fijo en la lista); el orquestador los lanza en cuanto lo que
// necesitan ha terminado, a la vez los que pueden, y es el único que decide qué no se ejecuta:
// si un paso falla, las comprobaciones de los que dependen de él quedan «no ejecutadas», con el
// paso que esperaban. Si un paso lanza ErrorDelComprobador (disco lleno, un aislamiento que no
// arranca), no empieza ninguno más y la revisión no tiene veredicto.
//
//   std::vector<Paso> pasos = {
//       {"compilar", "la compilación", {}, {}, {compila}, [&] { return compilar(); }},
//       {"casos", "los casos", {"compilar"}, {}, casosPrevistos, [&] { return casos(); }},
//   };
//   Revision r;
//   orquestar(pasos, r);
#ifndef COMPROBADOR_ORQUESTA_H
#define COMPROBADOR_ORQUESTA_H

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "resultado.h"

namespace comprobador {

// Lo que devuelve un paso: sus comprobaciones y si lo que depende de él puede seguir.
struct Salida {
    std::vector<Comprobacion> comprobaciones;
    bool bien = true;
    // Si no: por qué, en pocas palabras («no compila»); lo leen las que no se ejecutan.
    std::string causa;
};

struct Paso {
    std::string id;
    std::string descripcion;            // «la compilación», para decir a qué se esperaba
    std::vector<std::string> requiere;  // pasos que deben terminar bien antes
    std::vector<std::string> espera;    // pasos que deben terminar, bien o mal, antes
    // Las comprobaciones que dará, con id, frase, grupo y tipo: si no se ejecuta, quedan así.
    std::vector<Comprobacion> previstas;
    std::function<Salida()> correr;
};

// Un fallo del comprobador, no de la entrega: se dice en una línea y no hay veredicto.
class ErrorDelComprobador : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
};

// Hace los pasos (a la vez, en `hilos` hilos, los que ya pueden) y deja en `revision` sus
// comprobaciones, en el orden de los pasos y, dentro de cada uno, en el de sus previstas (las
// que no estaban previstas, detrás). Un paso que requiere uno que falló o no se hizo no se
// hace. Con un ErrorDelComprobador, revision.errorPropio lo dice y lo que faltaba queda como
// ErrorPropio. Los ids de `requiere` y `espera` deben ser de pasos anteriores de la lista.
void orquestar(const std::vector<Paso>& pasos, Revision& revision, unsigned hilos = 4);

}  // namespace comprobador

#endif

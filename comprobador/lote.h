// Muchas entregas revisadas a la vez, para ./ejercicios comprobar con varias y para corregir una
// clase: la carpeta temporal donde trabajan y el reparto de las revisiones entre los núcleos.
#ifndef COMPROBADOR_LOTE_H
#define COMPROBADOR_LOTE_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"
#include "resultado.h"
#include "revision.h"

namespace comprobador {

// La carpeta temporal de una comprobación, que se borra al terminar (también con Ctrl+C). Está
// bajo $TMPDIR, o en /tmp si el usuario sin privilegios del aislamiento no llega a la otra, y
// tiene un cerrojo mientras se usa: al crear una se borran las que dejó una comprobación que ya
// no está (matada con kill -9, o la máquina apagada a medias).
class Taller {
   public:
    // nullptr, con `error`, si no se pudo crear.
    static std::unique_ptr<Taller> abrir(bool aislar, std::string& error);
    ~Taller();
    Taller(const Taller&) = delete;
    Taller& operator=(const Taller&) = delete;
    const std::string& ruta() const { return carpeta_.ruta(); }

   private:
    explicit Taller(const std::string& base) : carpeta_("comprobar", base) {}
    nucleo::CarpetaTemporal carpeta_;
    int cerrojo_ = -1;
};

// Una entrega y el ejercicio con que se revisa.
struct Trabajo {
    const nucleo::Ejercicio* ejercicio = nullptr;
    Entrega entrega;
};

// Revisa los trabajos, cada uno en una subcarpeta de `temporal`: a la vez, con aislamiento (los
// procesos de todos se reparten los núcleos); sin él, de uno en uno, recogiendo lo que cada uno
// deje atrás. `alEmpezar(i)` se llama al empezar el trabajo i (de uno en uno, desde cualquier
// hilo); `enOrden(i, revision)`, en el orden de los trabajos, en cuanto él y los anteriores están
// hechos. Un fallo del comprobador para todo: no empieza ningún trabajo más, `enOrden` no se
// llama más y se devuelve lo que dice; si no, "".
std::string revisarTodas(const std::vector<Trabajo>& trabajos, const Entorno& entorno,
                         const std::string& temporal, std::vector<Revision>& revisiones,
                         const std::function<void(std::size_t)>& alEmpezar,
                         const std::function<void(std::size_t, const Revision&)>& enOrden);

// Lee el valor de una opción de la orden («--junit X» o «--junit=X») si argumentos[i] es esa
// opción: true y el valor en `valor` (avanza `i` si iba aparte). `falta` queda en true si la
// opción va sin valor.
bool opcionConValor(const std::vector<std::string>& argumentos, std::size_t& i,
                    const std::string& opcion, std::string& valor, bool& falta);

}  // namespace comprobador

#endif

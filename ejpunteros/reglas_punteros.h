// Las reglas de la técnica de pointerchain y pointerwrite, como las cuentan sus enunciados: el int
// se lee a través del puntero (*ptr, **ptr2) al escribir su línea, no en una copia tomada antes,
// y pointerwrite guarda 30 a través de ptr sin nombrar var.
#ifndef EJPUNTEROS_REGLAS_PUNTEROS_H
#define EJPUNTEROS_REGLAS_PUNTEROS_H

#include <set>
#include <string>

#include "reglas.h"

namespace nucleo::datos::punteros {

// main, o sus ayudantes, leen a través de un puntero (destino "deref*:ptr", "deref**:ptr2";
// escrito, como en el fuente: "*ptr") en una línea que no guarda el valor en otra variable: al
// escribir la línea, no en una copia tomada antes. La desreferencia que recibe una asignación
// (*ptr = 30) no es una lectura. Si solo leen sus ayudantes, a través de sus parámetros, lo
// decide una persona.
inline Juicio leeAlEscribir(const Arbol& a, const std::string& destino, const std::string& escrito,
                            const std::string& pide) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    std::set<int> guardan, reciben;
    for (const Variable& v : a.variables) {
        if (v.en == m->usr) guardan.insert(v.lugar.linea);
    }
    for (const Escritura& e : a.asignaciones) {
        if (e.en != m->usr) continue;
        (e.destino == destino ? reciben : guardan).insert(e.lugar.linea);
    }
    const Escritura* copia = nullptr;
    for (const Escritura& d : a.desreferencias) {
        if (d.en != m->usr || d.destino != destino || reciben.count(d.lugar.linea) != 0) continue;
        if (guardan.count(d.lugar.linea) == 0) return {};
        if (copia == nullptr) copia = &d;
    }
    const std::string puntero = destino.substr(destino.find(':') + 1);
    for (const std::string& usr : a.conAyudantes(m->usr)) {
        if (usr == m->usr) continue;
        for (const Escritura& d : a.desreferencias) {
            if (d.en != usr) continue;
            return {Juicio::Como::Revisar, d.lugar,
                    "main no escribe " + escrito + ": la lectura a través de un puntero está en " +
                        a.funcionDe(usr)->nombre + " (" + reglas::donde(a, d.lugar) +
                        "); mira que reciba " + puntero +
                        " y lea al escribir la línea. El "
                        "enunciado pide " +
                        pide + "."};
        }
    }
    if (copia != nullptr)
        return {Juicio::Como::Incumple, copia->lugar,
                "main lee " + escrito + " en " + reglas::donde(a, copia->lugar) +
                    " para guardarlo en una variable: el enunciado pide " + pide +
                    ", no una copia tomada antes."};
    return {Juicio::Como::Incumple, m->lugar,
            "main (" + reglas::donde(a, m->lugar) + ") no lee ningún valor a través de " + puntero +
                " (" + escrito + "): el enunciado pide " + pide + "."};
}

}  // namespace nucleo::datos::punteros

#endif

// La revisión de una entrega, en pasos (orquesta.h): leerla, compilarla (normal, con
// sanitizadores y con la sonda de sus funciones), ejecutar los casos del ejercicio y otros
// sorteados, preguntar a sus funciones y buscar fallos con las entradas hostiles. El resultado es
// la lista de comprobaciones (resultado.h) que escriben los informes.
#ifndef COMPROBADOR_REVISION_H
#define COMPROBADOR_REVISION_H

#include <cstdint>
#include <string>
#include <vector>

#include "aislamiento.h"
#include "caso.h"
#include "resultado.h"

namespace comprobador {

// Dónde y con qué se compila: el compilador, la raíz de la colección, lo precompilado y la
// carpeta temporal de esta entrega, que guarda la copia de sus archivos y lo que se compila.
// Con `aislar`, cada compilación y cada ejecución corre dentro de bubblewrap, donde esa carpeta
// es nucleo::kCarpetaDentro y solo se ve, además, lo que se lista en `lectura`.
struct Entorno {
    std::string compilador;
    std::string raiz;
    std::string precompilado;  // la sonda ya compilada con los sanitizadores (sin la solución)
    std::string lanzadera;  // la que ejecuta dentro del aislamiento (vacía: un bwrap por programa)
    std::string analizador;            // el de la técnica (vacío: sin libclang, no se comprueba)
    std::string cabecerasDelAnalisis;  // las de la biblioteca, precompiladas para él (o vacío)
    std::string temporal;
    std::uint64_t semilla = 0;  // la de las entradas sorteadas
    bool aislar = false;
    // Guardar en la revisión las fichas léxicas del fuente (las lee el analizador de la técnica,
    // que entonces se ejecuta aunque el ejercicio no tenga reglas).
    bool fichas = false;
    // Las compilaciones ven las cabeceras de la colección; los programas, nada de ella salvo
    // la orden cls.
    nucleo::Aislamiento compilacion;
    nucleo::Aislamiento normal;    // ejecuciones sin sanitizadores
    nucleo::Aislamiento vigilado;  // ejecuciones con AddressSanitizer y UBSan

    // Cómo ve la orden un archivo de la carpeta de la entrega.
    std::string dentro(const std::string& nombre) const {
        return (aislar ? std::string(nucleo::kCarpetaDentro) : temporal) + "/" + nombre;
    }
    const nucleo::Aislamiento* aislamientoDeCompilacion() const {
        return aislar ? &compilacion : nullptr;
    }
    const nucleo::Aislamiento* aislamiento(bool sanitizadores) const {
        return !aislar ? nullptr : sanitizadores ? &vigilado : &normal;
    }
};

Revision revisar(const nucleo::Ejercicio& ejercicio, const Entrega& entrega,
                 const Entorno& entorno);

// Los resúmenes que hablan de un arreglo local, sin él si la entrega (los fuentes de la carpeta
// de `fuente`) no declara ningún arreglo.
void sinArreglosQueNoHay(Revision& revision, const std::string& fuente);

}  // namespace comprobador

#endif

// Las comprobaciones de funciones: el programa de comprobaciones del ejercicio, compilado contra
// el fuente del alumno, se ejecuta primero con todas y después una vez por cada comprobación que
// no pasó así, y cuenta lo que pasó por el protocolo de su oyente (oyente.cpp), nunca por su
// texto en la consola.
#ifndef COMPROBADOR_FUNCIONES_H
#define COMPROBADOR_FUNCIONES_H

#include <string>
#include <vector>

#include "caso.h"
#include "compilacion.h"
#include "revision.h"

namespace comprobador {

// Una línea del protocolo del oyente.
struct Comprobacion {
    std::string grupo, nombre;
    std::string origen;     // enunciado | decidido | propia
    std::string veredicto;  // bien | mal | lista
    std::string frase, mensaje;
};

// Las líneas de un archivo del protocolo; las que no lo siguen se descartan.
std::vector<Comprobacion> leerProtocolo(const std::string& texto);

// Las comprobaciones que declara un archivo de comprobaciones (PIDE_EL_EJERCICIO y
// DECIDE_LA_COLECCION, con su frase), también las de las cabeceras *_unidad.h que incluye:
// cada entrega se mide con todas, aunque no compilen con ella. `leer` da el texto de un
// archivo por su ruta ("" si no existe).
std::vector<Comprobacion> declaradas(const std::string& archivo,
                                     std::string (*leer)(const std::string& ruta));

// Las comprobaciones del ejercicio, todas fallidas por esa causa (la entrega no compila).
void funcionesSinEjecutar(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                          const std::string& causa, Revision& revision);

void comprobarFunciones(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                        const Compilaciones& compilaciones, Revision& revision);

}  // namespace comprobador

#endif

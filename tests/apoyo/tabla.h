// Unión con GoogleTest de las tablas de casos: cada caso se ejecuta y se juzga, y un caso
// que falla se informa una sola vez con su explicación (entrada, esperado y obtenido a la
// vista, la primera diferencia y las pistas).
#ifndef PRUEBAS_APOYO_TABLA_H
#define PRUEBAS_APOYO_TABLA_H

#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"

namespace nucleo {

// Ejecuta cada caso con el programa de esa ruta y añade un fallo por cada caso que no pasa.
void comprobarTabla(const std::string& ruta, const Ejercicio& ejercicio,
                    const std::vector<Caso>& casos);

// Opciones con la detección de fugas desactivada, para los programas que conservan sus
// nodos a propósito hasta el final (el resto de comprobaciones de memoria sigue activo).
Opciones sinDeteccionDeFugas();

}  // namespace nucleo

#endif

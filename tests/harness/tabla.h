// Tablas de casos exactos para las pruebas de caja negra: cada fila es una entrada y los
// bytes que el programa debe escribir, con una descripción que el fallo muestra.
#ifndef PRUEBAS_HARNESS_TABLA_H
#define PRUEBAS_HARNESS_TABLA_H

#include <string>
#include <vector>

#include "ejecutar.h"

namespace arnes {

struct Caso {
    std::string descripcion;
    std::string entrada;
    std::string salida;        // salida estándar exacta
    std::string errores = "";  // salida de error exacta
};

// Ejecuta cada caso y comprueba salida, errores, estado 0 y que no hubo señal ni espera.
void comprobarTabla(const std::string& programa, const std::vector<Caso>& casos,
                    const Opciones& opciones = {});

// Opciones con la detección de fugas desactivada, para los programas que conservan sus
// nodos a propósito hasta el final (el resto de comprobaciones de memoria sigue activo).
Opciones sinDeteccionDeFugas();

}  // namespace arnes

#endif

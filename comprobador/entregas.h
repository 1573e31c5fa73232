// Las entregas que hay en una ruta: un archivo, una carpeta de archivos .cpp o, para el
// ejercicio de varios archivos, una carpeta con main.cpp o una carpeta de esas carpetas.
#ifndef COMPROBADOR_ENTREGAS_H
#define COMPROBADOR_ENTREGAS_H

#include <string>
#include <vector>

#include "caso.h"
#include "revision.h"

namespace comprobador {

// Añade las entregas de `ruta` y, en `omitidas`, las subcarpetas que no se comprueban con su
// motivo; false, con `error` en español, si no hay ninguna o si un archivo no es un .cpp.
bool entregasDe(const nucleo::Ejercicio& ejercicio, const std::string& ruta,
                std::vector<Entrega>& entregas, std::vector<std::string>& omitidas,
                std::string& error);

}  // namespace comprobador

#endif

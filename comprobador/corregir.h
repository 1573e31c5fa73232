// ./ejercicios corregir DESCARGA... [--salida CARPETA] [--hoja EJERCICIO=HOJA.csv]...
// [--escala N]: la orden de quien corrige. Lee las descargas de la plataforma del curso tal como
// llegan (una por ejercicio), revisa cada entrega como ./ejercicios comprobar, y deja en CARPETA
// las notas, la hoja de calificaciones rellena, la retroalimentación de cada alumno, la página
// de la clase y las entregas muy parecidas.
#ifndef COMPROBADOR_CORREGIR_H
#define COMPROBADOR_CORREGIR_H

#include <string>
#include <vector>

#include "revision.h"

namespace comprobador {

extern const char* const kUsoDeCorregir;

// El estado de salida: 0 si todo se corrigió y se escribió, 1 si alguna descarga no se pudo
// leer o algo no se pudo escribir, 2 si la orden está mal escrita, 3 si falló el propio
// comprobador. `base` trae el compilador, lo precompilado y la raíz de la colección.
int corregir(const std::vector<std::string>& argumentos, const Entorno& base);

}  // namespace comprobador

#endif

// Piezas comunes de las tablas de casos: el texto de una lectura fallida y los atajos para los
// casos de salidas unidas y de conversación.
#ifndef NUCLEO_TABLAS_H
#define NUCLEO_TABLAS_H

#include <string>
#include <vector>

#include "caso.h"

namespace nucleo::datos {

// Lo que escribe cada programa cuando falla una lectura en una variable sin valor inicial.
inline const std::string kEntradaNoValida = "Entrada no válida.\n";

// Añade a la tabla del ejercicio los casos dados, todos con ese origen.
void agregar(Ejercicio& ejercicio, Origen origen, std::vector<Caso> casos);

// Las dos salidas por la misma tubería: `salida` es lo que llega, en su orden.
Caso unidas(Origen origen, std::string descripcion, std::string entrada, std::string salida);

// Cada respuesta se escribe solo cuando su aviso ya llegó.
Caso conversacion(Origen origen, std::string descripcion, std::vector<Paso> pasos,
                  std::string salida, std::string errores = "");

// Un caso cuya salida depende de cómo lee la biblioteca estándar un número en coma flotante:
// libstdc++ (la de GCC, en Linux) se para antes de las letras que siguen al número y, si no cabe
// en double, guarda el mayor; libc++ (la de clang en macOS) se traga esas letras y falla, y
// guarda inf. Se escriben los dos resultados; se espera el de la biblioteca con que se compila,
// y la descripción lo dice.
Caso segunLaBiblioteca(Caso conLibstdcxx, Caso conLibcxx);

// Cada ejercicio tiene en su carpeta un casos.cpp con la función del nombre de su programa,
//   void ringchain(Ejercicio& e);
// que añade a `e` (que ya trae lo que dice su línea del catálogo) su primer aviso, las
// declaraciones que pide y sus casos.

}  // namespace nucleo::datos

#endif

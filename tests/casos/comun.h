// Piezas comunes de las tablas de casos: el texto de una lectura fallida, los atajos para
// los casos de salidas unidas y de conversación, y la función de cada ejercicio.
#ifndef PRUEBAS_CASOS_COMUN_H
#define PRUEBAS_CASOS_COMUN_H

#include <string>
#include <vector>

#include "casos.h"

namespace arnes::datos {

// Lo que escribe cada programa cuando falla una lectura en una variable sin valor inicial.
inline const std::string kEntradaNoValida = "Entrada no válida.\n";

// Añade a la tabla del ejercicio los casos dados, todos con ese origen.
void agregar(Ejercicio& ejercicio, Origen origen, std::vector<Caso> casos);

// Las dos salidas por la misma tubería: `salida` es lo que llega, en su orden.
Caso unidas(Origen origen, std::string descripcion, std::string entrada, std::string salida);

// Cada respuesta se escribe solo cuando su aviso ya llegó.
Caso conversacion(Origen origen, std::string descripcion, std::vector<Paso> pasos,
                  std::string salida, std::string errores = "");

// Un ejercicio por programa, en el orden del catálogo del lanzador.
Ejercicio nodesearch();
Ejercicio nodeprune();
Ejercicio ringchain();
Ejercicio maxgeneric();
Ejercicio mingeneric();
Ejercicio swapgeneric();
Ejercicio absgeneric();
Ejercicio dividegeneric();
Ejercicio equalspecial();
Ejercicio zeronotice();
Ejercicio vectorsum();
Ejercicio ellipsegirth();
Ejercicio factcalc();
Ejercicio fibcalc();
Ejercicio powercalc();
Ejercicio ackcalc();
Ejercicio palincheck();
Ejercicio arraysum();
Ejercicio closureproduct();
Ejercicio closuresquare();
Ejercicio fixedsquare();
Ejercicio fixedproduct();
Ejercicio closurecounter();
Ejercicio pointerchain();
Ejercicio pointerwrite();
Ejercicio textnumber();

}  // namespace arnes::datos

#endif

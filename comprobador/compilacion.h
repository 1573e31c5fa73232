// Compilar una entrega: la compilación normal (la que ve el alumno), la vigilada por
// AddressSanitizer y UBSan, y la de la sonda de sus funciones. Y explicar en los términos del
// ejercicio por qué no compila la sonda.
#ifndef COMPROBADOR_COMPILACION_H
#define COMPROBADOR_COMPILACION_H

#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"
#include "revision.h"

namespace comprobador {

// Lo que una compilación aislada ve de la colección, solo para leer: la cabecera de la sonda y
// lo que incluye, la sonda del ejercicio y lo precompilado, y node_list.h.
std::vector<std::string> lecturaDe(const nucleo::Ejercicio& ejercicio, const Entorno& entorno);

// Lo que ve de ella un programa de la entrega: solo la orden cls que no hace nada.
std::vector<std::string> lecturaDeEjecucion(const Entorno& entorno);

// La compilación normal (la que ve el alumno, optimizada), en <temporal>/normal.
nucleo::Resultado compilarNormal(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                                 const Entorno& entorno);

// La vigilada por AddressSanitizer y UBSan, en <temporal>/vigilado.
nucleo::Resultado compilarVigilada(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                                   const Entorno& entorno);

// La sonda de las funciones del ejercicio con la solución (sonda.h), en <temporal>/funciones: la
// solución se preprocesa sola, con su main renombrado; detrás se pega la sonda del ejercicio y
// se compila y enlaza con el programa de la sonda ya compilado.
nucleo::Resultado compilarFunciones(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                                    const Entorno& entorno);

// ¿Es culpa del comprobador que falló una compilación (un disco lleno, un compilador que no se
// puede ejecutar, un aislamiento que no arranca)? Entonces, la línea que lo dice; si no, "".
// Lo comprueba aparte, no por lo que dice la salida, que la entrega puede escribir.
std::string fallaDelComprobador(const nucleo::Resultado& compilacion, const Entorno& entorno);

// Una comprobación de la preparación (leer la entrega, compilarla), aún sin hacer.
Comprobacion preparacion(const std::string& id, const std::string& frase);

// Una compilación como comprobación de la preparación (id, frase): pasa si compiló, con lo que
// dijo el compilador (sus avisos) como evidencia; si no, falla con su salida y, si se paró por
// tiempo o por lo que escribía, lo dice. Si es culpa del comprobador, ErrorDelComprobador.
Comprobacion comprobacionDeCompilacion(const std::string& id, const std::string& frase,
                                       const nucleo::Resultado& compilacion,
                                       const Entorno& entorno);

// Las banderas con que se compila la sonda de funciones.
std::vector<std::string> banderasDeFunciones();

// Las del programa vigilado por AddressSanitizer y UBSan (sin el enlazador, que pone compilar).
std::vector<std::string> banderasVigiladas();

// ¿Empieza el fuente, tras blancos y comentarios, por #include <iostream> (y nada más en esa
// línea)? Entonces su cabecera precompilada no le cambia nada: es lo primero que lee.
bool empiezaPorIostream(const std::string& texto);

// El nombre dentro de una cita del compilador: "bool isPalindrome(const string&)" da
// isPalindrome, "ListaCircularDobleEnlazada::agregar" da agregar, "class Cir" da Cir.
std::string nombreCitado(std::string citado);

// Los errores de compilación de la sonda de funciones, explicados: una función que falta, una
// firma distinta... (una frase por problema, sin repetir).
std::vector<std::string> explicarErroresDeFunciones(const nucleo::Ejercicio& ejercicio,
                                                    const std::string& salida);

}  // namespace comprobador

#endif

// Las piezas con que se escriben las reglas de la técnica de los ejercicios (el campo `tecnica`
// de cada casos.cpp): lo que el enunciado dice de una función, mirado en el árbol de sintaxis de
// la solución (arbol.h). Cada una devuelve un Juicio con el lugar y una pista en los términos del
// enunciado, por ejemplo «fibonacci tiene un bucle for en la línea 7: el enunciado pide recursión
// sin bucles». Lo que hace una función incluye lo que hacen las funciones de la solución a las
// que llama (sus ayudantes): un bucle escondido en un ayudante cuenta.
#ifndef NUCLEO_REGLAS_H
#define NUCLEO_REGLAS_H

#include <string>
#include <vector>

#include "arbol.h"
#include "caso.h"

namespace nucleo::reglas {

// La función de ese nombre (calificado) está definida en la solución.
Juicio definida(const Arbol& a, const std::string& funcion);

// Ni ella ni sus ayudantes tienen bucles (for, while, do, for de rango) ni goto.
Juicio sinBucles(const Arbol& a, const std::string& funcion, const std::string& pide);

// Ni ella ni sus ayudantes guardan resultados: ni variables locales static ni escrituras en
// variables globales.
Juicio sinMemoria(const Arbol& a, const std::string& funcion, const std::string& pide);

// Se llama a sí misma. Si no, y la recursión pasa por un ayudante, lo decide una persona.
Juicio seLlamaASiMisma(const Arbol& a, const std::string& funcion, const std::string& pide);

// Ni ella ni sus ayudantes llaman a ninguna de esas funciones ("std::max", "strtof"...).
Juicio noLlamaA(const Arbol& a, const std::string& funcion, const std::vector<std::string>& otras,
                const std::string& pide);

// Ella (o un ayudante) llama a alguna de esas.
Juicio llamaA(const Arbol& a, const std::string& funcion, const std::vector<std::string>& otras,
              const std::string& pide);

// El primero de los juicios que no se cumple (los que incumplen antes que los que hay que
// revisar); si todos se cumplen, uno que se cumple.
Juicio primero(const std::vector<Juicio>& juicios);

// Lo primero de lo que examinan las reglas del ejercicio (Ejercicio::examina) que no está en la
// solución (Ejercicio::encuentra; si no dice cómo, ni una función, ni una clase, ni una variable
// con ese nombre); "" si está todo.
std::string falta(const Ejercicio& e, const Arbol& a);

// El juicio de una regla del ejercicio sobre una solución: el suyo, salvo que a la solución le
// falte algo de lo que el ejercicio examina y la regla no lo vea ya incumplida: entonces, que
// falta (una regla no se cumple sobre lo que no existe).
Juicio juzgar(const Ejercicio& e, const ReglaDeTecnica& regla, const Arbol& a);

// «la línea 7», o «la línea 7 de Cir.cpp» si no es el archivo principal de la solución.
std::string donde(const Arbol& a, const Lugar& l);

}  // namespace nucleo::reglas

#endif

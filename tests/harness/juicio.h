// Ejecutar un caso y juzgar el resultado: lo que comparten las pruebas de la colección y el
// comprobador de soluciones. Un veredicto dice si el caso pasó y, si no, lo explica en
// español: la entrada, lo esperado y lo obtenido con los caracteres invisibles a la vista,
// la primera diferencia marcada y una pista para los errores habituales.
#ifndef PRUEBAS_HARNESS_JUICIO_H
#define PRUEBAS_HARNESS_JUICIO_H

#include <string>
#include <vector>

#include "casos.h"
#include "ejecutar.h"

namespace arnes {

// Opciones para ejecutar los casos de un ejercicio: sin detección de fugas si conserva nodos,
// el límite del caso y un PATH con la orden "cls" que no hace nada (ellipsegirth la llama).
Opciones opcionesDe(const Ejercicio& ejercicio, const Caso& caso);

// Ejecuta el caso con el programa de esa ruta, en el modo del caso.
Resultado ejecutarCaso(const std::string& ruta, const Ejercicio& ejercicio, const Caso& caso);

struct Veredicto {
    bool correcto = false;
    // Varias líneas en español, sin color: entrada, esperado y obtenido visibles, la primera
    // diferencia y las pistas. Vacía si el caso pasó.
    std::string explicacion;
    // Las pistas sueltas (una frase cada una), también incluidas en la explicación.
    std::vector<std::string> pistas;
};

Veredicto juzgar(const Caso& caso, const Resultado& resultado);

// Una entrada hostil como caso: sin salida esperada (solo se mira cómo termina el programa)
// y con su propio límite de tiempo. Se ejecuta con ejecutarCaso.
Caso casoHostil(const Hostil& hostil);

// Una entrada hostil pasa si el programa termina bien (estado 0, sin señal, a tiempo, sin
// salida excesiva), su salida empieza por el primer aviso del ejercicio y no hay informe de
// los sanitizadores. La explicación muestra la entrada y las dos salidas, recortadas.
Veredicto juzgarHostil(const Ejercicio& ejercicio, const Caso& caso, const Resultado& resultado);

// Un texto con lo invisible a la vista: "·" por cada blanco final de línea, "\r", "\t",
// bytes no imprimibles como "\xNN", "⏎" al final de cada línea y "(sin fin de línea)" si
// el texto no termina en '\n'.
std::string visible(const std::string& texto);

// Posición (en bytes) de la primera diferencia entre dos textos; npos si son iguales.
size_t primeraDiferencia(const std::string& a, const std::string& b);

// Esperado y obtenido, uno debajo del otro, con la primera diferencia marcada (línea y
// columna, y una marca "^" bajo el primer carácter distinto).
std::string compararTextos(const std::string& esperado, const std::string& obtenido);

// Una línea por cada informe de AddressSanitizer, UBSan o LeakSanitizer que haya en la salida
// de error: qué pasó (en español), dónde (archivo:línea) y qué suele significar. Vacío si no
// hay ninguno.
std::vector<std::string> resumirSanitizadores(const std::string& errores);

}  // namespace arnes

#endif

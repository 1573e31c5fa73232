// Ejecutar un caso y juzgar el resultado: lo que comparten las pruebas de la colección y el
// comprobador de soluciones. Un veredicto dice si el caso pasó y, si no, lo explica en
// español: la entrada, lo esperado y lo obtenido con los caracteres invisibles a la vista,
// la primera diferencia marcada y una pista para los errores habituales.
#ifndef NUCLEO_JUEZ_H
#define NUCLEO_JUEZ_H

#include <chrono>
#include <string>
#include <vector>

#include "caso.h"
#include "proceso.h"
#include "sanitizadores.h"
#include "texto.h"

namespace nucleo {

// Cuánto se espera, como mucho, cada aviso en una conversación.
constexpr std::chrono::milliseconds kEsperaAviso{5000};
// Límite de tiempo de cada entrada hostil: un programa correcto la despacha en milisegundos.
constexpr std::chrono::milliseconds kLimiteHostil{300};

// Opciones para ejecutar los casos de un ejercicio: sin detección de fugas si conserva nodos,
// el límite del caso y, fuera de Windows, un PATH con la orden "cls" que no hace nada
// (ellipsegirth la llama; en Windows "cls" es de cmd).
Opciones opcionesDe(const Ejercicio& ejercicio, const Caso& caso);

// Ejecuta el caso con el programa de esa ruta, en el modo del caso, con esas opciones (las
// de opcionesDe, quizá con otro límite o más variables de entorno).
Resultado ejecutarCaso(const std::string& ruta, const Caso& caso, const Opciones& opciones);
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

// El tope en tiempo real de un programa cuyo límite es de CPU: el doble de su límite y un segundo
// más. Uno que espera su turno en una máquina cargada lo necesita (una entrada hostil que un
// programa correcto despacha con 20 ms de CPU tardó 0,3 s con la máquina llena); uno que se ha
// quedado parado (una pausa) no hace esperar mucho más que uno que calcula sin parar.
std::chrono::milliseconds topeParado(std::chrono::milliseconds limite);

// Una entrada hostil pasa si el programa termina bien (estado 0, sin señal, a tiempo, sin
// salida excesiva), su salida empieza por el primer aviso del ejercicio y no hay informe de
// los sanitizadores. La explicación muestra la entrada y las dos salidas, recortadas.
Veredicto juzgarHostil(const Ejercicio& ejercicio, const Caso& caso, const Resultado& resultado);

}  // namespace nucleo

#endif

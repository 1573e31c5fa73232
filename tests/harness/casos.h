// Los casos de cada ejercicio como datos: la entrada, los bytes exactos que el programa debe
// escribir y de dónde sale cada caso. Las mismas tablas las usan las pruebas de la colección
// y el comprobador de soluciones de los alumnos: no hay una segunda copia de ninguna salida.
#ifndef PRUEBAS_HARNESS_CASOS_H
#define PRUEBAS_HARNESS_CASOS_H

#include <chrono>
#include <string>
#include <vector>

#include "ejecutar.h"

namespace arnes {

// Enunciado: lo pide el ejercicio; una solución correcta y literal lo cumple.
// Decidido: lo decidió la colección donde el ejercicio deja el caso abierto (lecturas
// fallidas, resultados que no caben, recursión demasiado profunda); no se exige al alumno.
enum class Origen { Enunciado, Decidido };

// Tuberias: la entrada de una vez; salida estándar y de error por separado.
// Unidas: las dos salidas por la misma tubería, para comprobar su orden relativo.
// Conversacion: cada respuesta se escribe solo cuando su aviso ya llegó (prueba que el
// programa vacía la salida antes de leer).
enum class Modo { Tuberias, Unidas, Conversacion };

struct Caso {
    std::string descripcion;
    std::string entrada;       // Tuberias y Unidas
    std::string salida;        // salida estándar exacta (con Unidas, las dos salidas juntas)
    std::string errores = "";  // salida de error exacta (Tuberias y Conversacion)
    Origen origen = Origen::Enunciado;
    Modo modo = Modo::Tuberias;
    std::vector<Paso> pasos = {};  // Conversacion: aviso esperado y respuesta, en orden
    std::chrono::milliseconds limite{10000};
};

struct Ejercicio {
    std::string programa;
    // Conserva nodos reservados hasta el final a propósito (nodeprune, ringchain): sin
    // detección de fugas al ejecutarlo.
    bool conservaNodos = false;
    // Lo primero que escribe, pase lo que pase con la entrada; vacío si no lee nada.
    std::string primerAviso;
    std::vector<Caso> casos;
};

// Los 26 ejercicios, en el orden del catálogo del lanzador.
const std::vector<Ejercicio>& ejercicios();

// El ejercicio de ese programa; nullptr si no existe.
const Ejercicio* buscarEjercicio(const std::string& programa);

// Las entradas hostiles con las que se prueba cada programa que lee: vacía, letras, números
// fuera de rango, una palabra de 1 MiB, bytes nulos, UTF-8 no válido...
struct Hostil {
    std::string descripcion;
    std::string bytes;
};
const std::vector<Hostil>& entradasHostiles();

}  // namespace arnes

#endif

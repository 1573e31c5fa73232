// Los casos del ejercicio con el programa de una entrega: cada uno con la compilación normal y,
// si pasa, otra vez con AddressSanitizer, UBSan y LeakSanitizer (memoria mal usada, fugas). Y las
// entradas sorteadas: nuevas en cada comprobación, con la salida de la respuesta modelo.
#ifndef COMPROBADOR_EJECUCION_H
#define COMPROBADOR_EJECUCION_H

#include <chrono>
#include <vector>

#include "caso.h"
#include "proceso.h"
#include "resultado.h"
#include "revision.h"

namespace comprobador {

// La memoria residente que pueden sumar un programa de la entrega y lo que lance: 1 GiB, y con
// los sanitizadores 256 MiB más (los suyos: el asignador de AddressSanitizer se para antes, en
// 1 GiB, con un informe que dice dónde).
constexpr std::size_t kMemoria = std::size_t{1} << 30;
constexpr std::size_t kMemoriaVigilada = kMemoria + (std::size_t{256} << 20);

// Si la máquina estaba tan cargada que un programa no avanzaba, no hay veredicto:
// ErrorDelComprobador.
void siLaMaquinaNoDa(const nucleo::Resultado& r);

// Las opciones de un caso para el programa de un alumno: su límite, el tope de salida, su
// aislamiento y los sanitizadores (`vigilado`: el programa los lleva; con `fugas`, LeakSanitizer
// también busca fugas).
nucleo::Opciones opcionesAlumno(const nucleo::Ejercicio& ejercicio, const nucleo::Caso& caso,
                                std::chrono::milliseconds limite, bool vigilado, bool fugas,
                                const Entorno& entorno);

// Una comprobación por caso de la tabla del ejercicio, en su orden.
std::vector<Comprobacion> casosPrevistos(const nucleo::Ejercicio& ejercicio);

// Ejecuta los casos con <temporal>/normal y, con `conSanitizadores`, también con
// <temporal>/vigilado.
std::vector<Comprobacion> ejecutarCasos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                                        bool conSanitizadores);

// Sin la respuesta modelo compilada (el programa y su sonda, que dan lo esperado de lo sorteado)
// no hay veredicto: lanza ErrorDelComprobador diciendo cómo compilarla.
void exigirRespuestaModelo(const nucleo::Ejercicio& ejercicio);

// La comprobación de las entradas sorteadas (ninguna si el ejercicio no sortea).
std::vector<Comprobacion> sorteoPrevisto(const nucleo::Ejercicio& ejercicio, std::uint64_t semilla);

// Sortea las entradas con la semilla del entorno, pide la salida a la respuesta modelo (fuera
// del aislamiento, antes de ejecutar nada de la entrega) y las pasa como casos del ejercicio.
// Si la respuesta modelo no responde, ErrorDelComprobador.
std::vector<Comprobacion> ejecutarSorteo(const nucleo::Ejercicio& ejercicio,
                                         const Entorno& entorno);

}  // namespace comprobador

#endif

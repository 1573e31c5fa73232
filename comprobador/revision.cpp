#include "revision.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

#include "compilacion.h"
#include "ejecucion.h"
#include "funciones.h"
#include "lanzadera.h"
#include "robustez.h"

namespace comprobador {

namespace {

// Con EJ_TIEMPOS en el entorno, lo que tarda cada fase de una revisión, en la salida de error
// (para medir el comprobador, no para los alumnos).
class Fase {
   public:
    explicit Fase(const char* anterior) : nombre_(anterior) {}
    void siguiente(const char* nombre) {
        if (std::getenv("EJ_TIEMPOS") != nullptr) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - inicio_);
            std::cerr << "[tiempo] " << nombre_ << ": " << ms.count() << " ms\n";
        }
        inicio_ = std::chrono::steady_clock::now();
        nombre_ = nombre;
    }

   private:
    const char* nombre_;
    std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now();
};

}  // namespace

int Revision::correctos() const {
    int n = 0;
    if (!compila) return 0;
    for (const Linea& l : casos) n += l.origen == nucleo::Origen::Enunciado && l.correcto;
    for (const Linea& l : funciones) n += l.origen == nucleo::Origen::Enunciado && l.correcto;
    return n;
}

int Revision::total() const {
    int n = 0;
    for (const Linea& l : casos) n += l.origen == nucleo::Origen::Enunciado;
    for (const Linea& l : funciones) n += l.origen == nucleo::Origen::Enunciado;
    return n;
}

Revision revisar(const nucleo::Ejercicio& ejercicio, const Entrega& entrega, const Entorno& base) {
    Revision revision;
    revision.entrega = entrega;
    Entorno entorno = base;
    const std::string fuente = prepararCopia(ejercicio, entrega, entorno);
    if (entorno.aislar) {
        entorno.normal.carpeta = entorno.temporal;
        entorno.compilacion = entorno.normal;
        entorno.compilacion.lectura = lecturaDe(ejercicio, entorno);
        entorno.normal.lectura = lecturaDeEjecucion(entorno);
        if (!entorno.lanzadera.empty()) entorno.normal.lectura.push_back(entorno.lanzadera);
        entorno.vigilado = entorno.normal;
        entorno.vigilado.sanitizadores = true;
        std::string error;
        if (!nucleo::cederCarpeta(entorno.normal, &error)) {
            revision.errores = "No se pudo preparar la carpeta aislada: " + error + "\n";
            entorno.aislar = false;
        }
    }
    // Un solo aislamiento para todos los programas de la entrega: arrancar un bwrap cuesta más
    // que muchos de ellos. Sin lanzadera, cada uno en el suyo.
    std::unique_ptr<nucleo::Lanzadera> lanzadera;
    if (entorno.aislar && !entorno.lanzadera.empty()) {
        lanzadera = nucleo::Lanzadera::abrir(entorno.normal, entorno.lanzadera);
        entorno.normal.lanzadera = entorno.vigilado.lanzadera = lanzadera.get();
    }
    revision.aislada = entorno.aislar;
    std::error_code ec;
    const bool vacio = std::filesystem::file_size(entrega.principal, ec) == 0 && !ec;
    Fase fase("compilación");
    Compilaciones c;
    c.conFunciones = !vacio && hayFunciones(ejercicio, entorno);
    // Las comprobaciones de funciones (la compilación más larga) se compilan mientras se
    // ejecutan los casos y la robustez, que no las necesitan.
    std::thread hiloFunciones([&] {
        if (c.conFunciones) c.funciones = compilarFunciones(ejercicio, fuente, entorno);
    });
    struct Union {
        std::thread& hilo;
        ~Union() {
            if (hilo.joinable()) hilo.join();
        }
    } union_{hiloFunciones};
    if (!vacio) compilarPrograma(ejercicio, fuente, entorno, c);
    revision.compila = !vacio && c.normal.terminoBien();
    if (!revision.compila) {
        revision.errores =
            vacio ? "El archivo " + entrega.nombre + " está vacío: escribe en él tu solución.\n"
                  : c.normal.salida;
        // Todos los casos cuentan como fallidos: así el total es el de cualquier entrega.
        for (const nucleo::Caso& caso : ejercicio.casos) {
            Linea linea;
            linea.nombre = caso.descripcion;
            linea.origen = caso.origen;
            linea.explicacion = "No se pudo ejecutar: no compila.\n";
            linea.pistas = {"No se pudo ejecutar: no compila."};
            revision.casos.push_back(linea);
        }
        if (!entorno.gtestBiblioteca.empty()) {
            funcionesSinEjecutar(ejercicio, entorno, "no compila", revision);
        }
        return revision;
    }
    revision.avisos = c.normal.salida;
    const bool conSanitizadores = c.vigilada.terminoBien();
    if (!conSanitizadores) {
        revision.robustez.push_back(
            "No se pudo compilar con AddressSanitizer y UBSan; los casos se comprobaron sin "
            "ellos.");
    }

    // Los casos y la robustez a la vez: los procesos de los dos se reparten los núcleos, y un
    // caso largo (fibcalc 46) no deja esperando a los demás.
    fase.siguiente("casos y robustez");
    std::thread hiloRobustez([&] {
        if (conSanitizadores) buscarFallos(ejercicio, entorno, revision);
    });
    ejecutarCasos(ejercicio, entorno, conSanitizadores, revision);
    hiloRobustez.join();
    fase.siguiente("funciones");
    hiloFunciones.join();
    if (ejercicio.unidad.empty()) {
        // Ejercicio sin funciones propias que comprobar (las lambdas viven dentro de main).
    } else if (!c.conFunciones) {
        revision.notasFunciones.push_back(
            "Sin GoogleTest no se comprueban las funciones una a una (apt-get install "
            "libgtest-dev); el resto de la comprobación sí se hace.");
    } else {
        comprobarFunciones(ejercicio, entorno, c, revision);
    }
    fase.siguiente("");
    return revision;
}

}  // namespace comprobador

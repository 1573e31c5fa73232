// La revisión de una entrega: compilarla (normal, con sanitizadores y con las comprobaciones de
// funciones), ejecutar los casos del ejercicio, comprobar sus funciones y buscar fallos con las
// entradas hostiles. El resultado es una lista de líneas juzgadas que los informes escriben.
#ifndef COMPROBADOR_REVISION_H
#define COMPROBADOR_REVISION_H

#include <chrono>
#include <string>
#include <vector>

#include "aislamiento.h"
#include "caso.h"

namespace comprobador {

// Una entrega: el archivo que se compila (main.cpp en una carpeta) y cómo mostrarla.
struct Entrega {
    std::string nombre;     // como la escribió quien comprueba (practica/ringchain.cpp)
    std::string principal;  // ruta absoluta del fuente que se compila
};

// Dónde y con qué se compila: el compilador, la raíz de la colección, GoogleTest (si está) y
// la carpeta temporal de esta entrega, que guarda la copia de sus archivos y lo que se compila.
// Con `aislar`, cada compilación y cada ejecución corre dentro de bubblewrap, donde esa carpeta
// es nucleo::kCarpetaDentro y solo se ve, además, lo que se lista en `lectura`.
struct Entorno {
    std::string compilador;
    std::string raiz;
    std::string gtestIncluir;  // vacío si no hay GoogleTest
    std::string gtestBiblioteca;
    std::string precompilado;  // la cabecera de GoogleTest precompilada y el oyente compilado
    std::string lanzadera;  // la que ejecuta dentro del aislamiento (vacía: un bwrap por programa)
    std::string temporal;
    bool aislar = false;
    // Las compilaciones ven las cabeceras de la colección; los programas, nada de ella salvo
    // las órdenes cls. Menos que montar también hace más rápido cada arranque aislado.
    nucleo::Aislamiento compilacion;
    nucleo::Aislamiento normal;    // ejecuciones sin sanitizadores
    nucleo::Aislamiento vigilado;  // ejecuciones con AddressSanitizer y UBSan

    // Cómo ve la orden un archivo de la carpeta de la entrega.
    std::string dentro(const std::string& nombre) const {
        return (aislar ? std::string(nucleo::kCarpetaDentro) : temporal) + "/" + nombre;
    }
    const nucleo::Aislamiento* aislamientoDeCompilacion() const {
        return aislar ? &compilacion : nullptr;
    }
    const nucleo::Aislamiento* aislamiento(bool sanitizadores) const {
        return !aislar ? nullptr : sanitizadores ? &vigilado : &normal;
    }
};

// Un caso o una comprobación de funciones, ya juzgado.
struct Linea {
    std::string nombre;
    nucleo::Origen origen = nucleo::Origen::Enunciado;
    bool correcto = false;
    std::string explicacion;              // varias líneas; vacía si pasó
    std::vector<std::string> pistas;      // las pistas sueltas, también dentro de la explicación
    std::chrono::milliseconds tiempo{0};  // lo que tardó (0 si no se ejecutó)
};

struct Revision {
    Entrega entrega;
    bool compila = false;
    std::string errores;  // lo que dijo el compilador si no compila
    std::string avisos;   // avisos del compilador (no impiden la comprobación)
    std::vector<Linea> casos;
    std::vector<Linea> funciones;
    std::vector<std::string> notasFunciones;  // por qué no se comprobaron, qué falta...
    std::vector<std::string> robustez;        // hallazgos con las entradas hostiles
    bool robustezProbada = false;             // no, si el programa no lee la entrada
    bool aislada = false;                     // se compiló y se ejecutó dentro del aislamiento

    // Solo cuenta lo que pide el ejercicio; si no compila, nada es correcto.
    int correctos() const;
    int total() const;
    bool aprobada() const { return compila && correctos() == total(); }
};

Revision revisar(const nucleo::Ejercicio& ejercicio, const Entrega& entrega,
                 const Entorno& entorno);

}  // namespace comprobador

#endif

// La revisión de una entrega: compilarla (normal, con sanitizadores y con las comprobaciones de
// funciones), ejecutar los casos del ejercicio, comprobar sus funciones y buscar fallos con las
// entradas hostiles. El resultado es una lista de líneas juzgadas que los informes escriben.
#ifndef COMPROBADOR_REVISION_H
#define COMPROBADOR_REVISION_H

#include <string>
#include <vector>

#include "caso.h"

namespace comprobador {

// Una entrega: el archivo que se compila (main.cpp en una carpeta) y cómo mostrarla.
struct Entrega {
    std::string nombre;     // como la escribió quien comprueba (practica/ringchain.cpp)
    std::string principal;  // ruta absoluta del fuente que se compila
};

// Dónde y con qué se compila: el compilador, la raíz de la colección, GoogleTest (si está) y
// la carpeta temporal de esta entrega.
struct Entorno {
    std::string compilador;
    std::string raiz;
    std::string gtestIncluir;  // vacío si no hay GoogleTest
    std::string gtestBiblioteca;
    std::string gtestMain;
    std::string temporal;
};

// Un caso o una comprobación de funciones, ya juzgado.
struct Linea {
    std::string nombre;
    nucleo::Origen origen = nucleo::Origen::Enunciado;
    bool correcto = false;
    std::string explicacion;  // varias líneas; vacía si pasó
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

    // Solo cuenta lo que pide el ejercicio; si no compila, nada es correcto.
    int correctos() const;
    int total() const;
    bool aprobada() const { return compila && correctos() == total(); }
};

Revision revisar(const nucleo::Ejercicio& ejercicio, const Entrega& entrega,
                 const Entorno& entorno);

}  // namespace comprobador

#endif

// Las reglas de la técnica de las listas enlazadas, como las cuentan los enunciados de nodesearch,
// nodeprune y ringchain: cada nodo se crea con new, de uno en uno, y las listas se recorren con
// un bucle que avanza un puntero por siguiente, no por recursión. Las reglas de node_list.h
// (insertarCabeza, imprimirLista) las llevan nodesearch y nodeprune, que comparten la cabecera.
#ifndef EJLISTAS_REGLAS_LISTAS_H
#define EJLISTAS_REGLAS_LISTAS_H

#include <algorithm>
#include <string>
#include <vector>

#include "reglas.h"

namespace nucleo::datos::listas {

// El nombre como lo escribe el alumno: ListaCircularDobleEnlazada::agregar da agregar.
inline std::string corto(const std::string& nombre) {
    const std::size_t dos = nombre.rfind("::");
    return dos == std::string::npos ? nombre : nombre.substr(dos + 2);
}

// Quién hace algo dentro de una función: ella misma, o un ayudante suyo.
inline std::string quien(const Arbol& a, const Funcion& f, const std::string& usr) {
    const Funcion* ayudante = a.funcionDe(usr);
    if (ayudante == nullptr || ayudante == &f) return corto(f.nombre);
    return corto(f.nombre) + " (en " + corto(ayudante->nombre) + ", a la que llama)";
}

// Una llamada recursiva de la función o de sus ayudantes: primero la de una que se llama a sí
// misma, después la que vuelve a la función, después cualquier otra que cierre un ciclo.
inline Juicio recursion(const Arbol& a, const Funcion& f, const std::string& pide) {
    const std::vector<std::string> suyas = a.conAyudantes(f.usr);
    const auto esSuya = [&](const std::string& usr) {
        return std::find(suyas.begin(), suyas.end(), usr) != suyas.end();
    };
    const Llamada_* elegida = nullptr;
    int prioridad = 3;
    for (const Llamada_& l : a.llamadas) {
        if (!esSuya(l.desde) || !esSuya(l.usr)) continue;
        const std::vector<std::string> desdeEl = a.conAyudantes(l.usr);
        if (std::find(desdeEl.begin(), desdeEl.end(), l.desde) == desdeEl.end()) continue;
        const int p = l.usr == l.desde ? 0 : l.usr == f.usr ? 1 : 2;
        if (p < prioridad) {
            elegida = &l;
            prioridad = p;
        }
    }
    if (elegida == nullptr) return {};
    const Funcion* ayudante = a.funcionDe(elegida->desde);
    const std::string quien_ = ayudante == nullptr || ayudante == &f
                                   ? corto(f.nombre)
                                   : corto(f.nombre) +
                                         " recorre por recursión: " + corto(ayudante->nombre) +
                                         ", a la que llama,";
    const std::string que = prioridad == 0
                                ? " se llama a sí misma en "
                                : " vuelve a llamar a " + corto(elegida->nombre) + " en ";
    return {Juicio::Como::Incumple, elegida->lugar,
            quien_ + que + reglas::donde(a, elegida->lugar) + ": el enunciado pide " + pide + "."};
}

// La función recorre con un bucle: ni ella ni sus ayudantes se llaman a sí mismos, y alguno de
// ellos tiene un bucle (un bucle en un ayudante cuenta).
inline Juicio recorreConBucle(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return reglas::definida(a, funcion);
    const Juicio recursiva = recursion(a, *f, pide);
    if (recursiva.como != Juicio::Como::Cumple) return recursiva;
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Bucle& b : a.bucles) {
            if (b.en == usr) return {};
        }
    }
    return {Juicio::Como::Incumple, f->lugar,
            corto(funcion) + " (" + reglas::donde(a, f->lugar) +
                ") no tiene ningún bucle: el enunciado pide " + pide + "."};
}

// Ni la función ni sus ayudantes recorren nada: ni bucles ni recursión.
inline Juicio sinRecorrer(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return reglas::definida(a, funcion);
    return reglas::primero({recursion(a, *f, pide), reglas::sinBucles(a, funcion, pide)});
}

// La función (o un ayudante) crea sus nodos con la reserva ordinaria, new, de uno en uno: ni con
// las funciones de C ni con un arreglo de new[].
inline Juicio creaConNew(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return reglas::definida(a, funcion);
    const std::vector<std::string> suyas = a.conAyudantes(f->usr);
    const std::vector<Llamada_> deC =
        a.llamadasA(suyas, {"malloc", "calloc", "realloc", "aligned_alloc", "std::malloc",
                            "std::calloc", "std::realloc", "std::aligned_alloc", "operator new"});
    if (!deC.empty()) {
        const Llamada_& l = deC.front();
        return {Juicio::Como::Incumple, l.lugar,
                quien(a, *f, l.desde) + " reserva el nodo con " + corto(l.nombre) + " en " +
                    reglas::donde(a, l.lugar) + ": el enunciado pide " + pide + "."};
    }
    const Reserva* arreglo = nullptr;
    for (const Reserva& r : a.reservas) {
        if (std::find(suyas.begin(), suyas.end(), r.en) == suyas.end()) continue;
        if (!r.arreglo) return {};
        if (arreglo == nullptr) arreglo = &r;
    }
    if (arreglo != nullptr)
        return {Juicio::Como::Incumple, arreglo->lugar,
                quien(a, *f, arreglo->en) + " reserva un arreglo con new[] en " +
                    reglas::donde(a, arreglo->lugar) + ": el enunciado pide " + pide + "."};
    return {Juicio::Como::Incumple, f->lugar,
            corto(funcion) + " (" + reglas::donde(a, f->lugar) +
                ") no crea ningún nodo con new: el enunciado pide " + pide + "."};
}

// Lo que el enunciado de cada programa dice de node_list.h, y sus soluciones con ese error (una
// carpeta de errores/ con su propio node_list.h) y la línea que debe nombrar la regla.
struct ErroresDeNodeList {
    std::string conNew, insertarRecorre, imprimirRecursivo;
    int lineaConNew = 0, lineaInsertarRecorre = 0, lineaImprimirRecursivo = 0;
};

struct FrasesDeNodeList {
    std::string conNew, sinRecorrer, conBucle;
};

inline std::vector<ReglaDeTecnica> reglasDeNodeList(const FrasesDeNodeList& frases,
                                                    const ErroresDeNodeList& errores) {
    return {
        {"InsertarCabezaCreaElNodoConNew", "insertarCabeza crea cada nodo con new", frases.conNew,
         [](const Arbol& a) {
             return creaConNew(a, "insertarCabeza", "crear cada nodo con new, de uno en uno");
         },
         errores.conNew, errores.lineaConNew},
        {"InsertarCabezaNoRecorreLaLista", "insertarCabeza no recorre la lista", frases.sinRecorrer,
         [](const Arbol& a) {
             return sinRecorrer(a, "insertarCabeza",
                                "poner el nodo delante sin recorrer la lista ni mirar si el valor "
                                "se repite");
         },
         errores.insertarRecorre, errores.lineaInsertarRecorre},
        {"ImprimirListaRecorreConUnBucle", "imprimirLista recorre la lista con un bucle",
         frases.conBucle,
         [](const Arbol& a) {
             return recorreConBucle(a, "imprimirLista",
                                    "recorrer la lista con un bucle, avanzando actual por "
                                    "siguiente hasta nullptr");
         },
         errores.imprimirRecursivo, errores.lineaImprimirRecursivo},
    };
}

}  // namespace nucleo::datos::listas

#endif

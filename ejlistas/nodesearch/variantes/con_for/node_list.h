#pragma once

#include <iostream>

struct Nodo {
    int dato;
    Nodo* siguiente;
};

// El nodo nuevo queda delante: su siguiente es la cabeza de antes
inline void insertarCabeza(Nodo*& cabeza, int valor) {
    auto* nuevo_nodo = new Nodo{valor, cabeza};
    cabeza = nuevo_nodo;
}

inline void imprimirLista(Nodo* cabeza) {
    for (const Nodo* actual = cabeza; actual; actual = actual->siguiente) {
        std::cout << actual->dato << " -> ";
    }
    std::cout << "NULL" << '\n' << std::flush;
}

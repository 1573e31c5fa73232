#ifndef NODE_LIST_H
#define NODE_LIST_H

#include <cstdio>

struct Nodo {
    int dato;
    Nodo* siguiente;
};

inline void insertarCabeza(Nodo*& cabeza, int valor) {
    Nodo* nuevo_nodo = new Nodo();
    nuevo_nodo->dato = valor;
    nuevo_nodo->siguiente = cabeza;
    cabeza = nuevo_nodo;
}

inline void imprimirLista(Nodo* cabeza) {
    for (Nodo* actual = cabeza; actual != nullptr; actual = actual->siguiente) {
        std::printf("%d -> ", actual->dato);
    }
    std::printf("NULL\n");
    std::fflush(stdout);
}

#endif

#ifndef NODE_LIST_H
#define NODE_LIST_H

#include <iostream>

// Nodo de una lista simplemente enlazada
struct Nodo {
    int dato;
    Nodo* siguiente;
};

// Inserta un nuevo nodo al principio de la lista, si el valor no estaba ya
void insertarCabeza(Nodo*& cabeza, int valor) {
    for (Nodo* p = cabeza; p != nullptr; p = p->siguiente) {
        if (p->dato == valor) {
            return;
        }
    }
    Nodo* nuevo_nodo = new Nodo();
    nuevo_nodo->dato = valor;
    nuevo_nodo->siguiente = cabeza;
    cabeza = nuevo_nodo;
}

// Muestra la lista en una sola linea
void imprimirLista(Nodo* cabeza) {
    Nodo* actual = cabeza;
    while (actual != nullptr) {
        std::cout << actual->dato << " -> ";
        actual = actual->siguiente;
    }
    std::cout << "NULL" << std::endl;
}

#endif

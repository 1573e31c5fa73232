#ifndef NODE_LIST_H
#define NODE_LIST_H

#include <iostream>

// Nodo de una lista simplemente enlazada
struct Nodo {
    int dato;
    Nodo* siguiente;
};

// Inserta un nuevo nodo al principio de la lista
void insertarCabeza(Nodo*& cabeza, int valor) {
    Nodo* nuevo_nodo = new Nodo();
    nuevo_nodo->dato = valor;
    nuevo_nodo->siguiente = cabeza;
    cabeza = nuevo_nodo;
}

// Escribe un nodo y despues los que le siguen
void imprimirDesde(Nodo* nodo) {
    if (nodo != nullptr) {
        std::cout << nodo->dato << " -> ";
        imprimirDesde(nodo->siguiente);
    }
}

// Muestra la lista en una sola linea
void imprimirLista(Nodo* cabeza) {
    imprimirDesde(cabeza);
    std::cout << "NULL" << std::endl;
}

#endif

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

// Muestra la lista en una sola linea: el primero y despues el resto
void imprimirLista(Nodo* cabeza) {
    if (cabeza == nullptr) {
        std::cout << "NULL" << std::endl;
        return;
    }
    std::cout << cabeza->dato << " -> ";
    imprimirLista(cabeza->siguiente);
}

#endif

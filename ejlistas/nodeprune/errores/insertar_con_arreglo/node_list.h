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
    Nodo* nuevo_nodo = new Nodo[1]();
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

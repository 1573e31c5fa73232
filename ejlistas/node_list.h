// Lista simplemente enlazada de enteros: el nodo y las dos operaciones que comparten
// nodesearch y nodeprune. Una lista es solo un puntero a su primer nodo (nullptr si está
// vacía); cada nodo se crea con new y pertenece a quien guarda ese puntero.
//
// Ejemplo: insertar 5, 10 y 15 en una lista vacía y mostrarla escribe
//     15 -> 10 -> 5 -> NULL
// porque cada inserción por la cabeza deja el nuevo nodo delante de los anteriores.
#ifndef EJLISTAS_NODE_LIST_H
#define EJLISTAS_NODE_LIST_H

#include <iostream>

struct Nodo {
    int dato;
    Nodo* siguiente;
};

// La cabeza se recibe por referencia porque la función debe cambiar el puntero del llamador.
inline void insertarCabeza(Nodo*& cabeza, int valor) {
    Nodo* nuevo_nodo = new Nodo();
    nuevo_nodo->dato = valor;
    nuevo_nodo->siguiente = cabeza;
    cabeza = nuevo_nodo;
}

inline void imprimirLista(Nodo* cabeza) {
    Nodo* actual = cabeza;
    while (actual != nullptr) {
        std::cout << actual->dato << " -> ";
        actual = actual->siguiente;
    }
    std::cout << "NULL" << std::endl;
}

#endif

#include <iostream>
#include "node_list.h"

// Elimina el primer nodo que contiene el valor (la lista tiene como mucho 3 nodos)
void eliminarValor(Nodo*& cabeza, int valor) {
    if (cabeza == nullptr) {
        return;
    }

    if (cabeza->dato == valor) {
        Nodo* nodo_a_eliminar = cabeza;
        cabeza = cabeza->siguiente;
        delete nodo_a_eliminar;
        return;
    }

    Nodo* segundo = cabeza->siguiente;
    if (segundo == nullptr) {
        return;
    }
    if (segundo->dato == valor) {
        cabeza->siguiente = segundo->siguiente;
        delete segundo;
        return;
    }

    Nodo* tercero = segundo->siguiente;
    if (tercero != nullptr && tercero->dato == valor) {
        segundo->siguiente = tercero->siguiente;
        delete tercero;
    }
}

int main() {
    Nodo* cabeza = nullptr;

    insertarCabeza(cabeza, 3);
    insertarCabeza(cabeza, 2);
    insertarCabeza(cabeza, 1);

    imprimirLista(cabeza);

    eliminarValor(cabeza, 2);

    imprimirLista(cabeza);

    return 0;
}

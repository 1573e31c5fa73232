#include <iostream>
#include "node_list.h"

// Elimina el primer nodo que contiene el valor
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

    Nodo* actual = cabeza;
    while (actual->siguiente != nullptr && actual->siguiente->dato != valor) {
        actual = actual->siguiente;
    }

    if (actual->siguiente != nullptr) {
        Nodo* nodo_a_eliminar = actual->siguiente;
        actual->siguiente = nodo_a_eliminar->siguiente;
        delete nodo_a_eliminar;
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

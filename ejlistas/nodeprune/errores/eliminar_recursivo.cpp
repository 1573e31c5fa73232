#include <iostream>
#include "node_list.h"

// Elimina el primer nodo que contiene el valor: si no esta en la cabeza,
// lo elimina del resto de la lista
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

    eliminarValor(cabeza->siguiente, valor);
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

#include <iostream>
#include "node_list.h"

// Devuelve true si algun nodo contiene el valor
bool buscarElemento(Nodo* cabeza, int valor) {
    Nodo* actual = cabeza;
    while (actual != nullptr) {
        if (actual->dato == valor) {
            return true;
        }
        actual = actual->siguiente;
    }
    return false;
}

// Libera todos los nodos y deja la cabeza en nullptr
void liberarLista(Nodo*& cabeza) {
    Nodo* actual = cabeza;
    while (actual != nullptr) {
        Nodo* siguiente = actual->siguiente;
        delete actual;
        actual = siguiente;
    }
    cabeza = nullptr;
}

int main() {
    Nodo* cabeza = nullptr;

    insertarCabeza(cabeza, 5);
    insertarCabeza(cabeza, 10);
    insertarCabeza(cabeza, 15);

    imprimirLista(cabeza);

    int valorBuscado = 10;
    if (buscarElemento(cabeza, valorBuscado)) {
        std::cout << "El valor " << valorBuscado << " se encuentra en la lista." << std::endl;
    } else {
        std::cout << "El valor " << valorBuscado << " NO se encuentra en la lista." << std::endl;
    }

    liberarLista(cabeza);

    return 0;
}

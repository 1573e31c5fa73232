// Búsqueda en una lista simplemente enlazada y liberación de todos sus nodos.
// El programa crea la lista 15 -> 10 -> 5, busca el 10 y devuelve cada nodo a la memoria
// libre antes de terminar. Salida:
//     15 -> 10 -> 5 -> NULL
//     El valor 10 se encuentra en la lista.
#include <iostream>

#include "node_list.h"

// Recorre desde la cabeza y se detiene en la primera coincidencia.
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

// Se guarda el siguiente antes de liberar el nodo: un nodo liberado no se vuelve a leer.
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

#include <iostream>

#include "node_list.h"

bool buscarElemento(Nodo* cabeza, int valor) {
    for (auto* actual = cabeza; actual != nullptr; actual = actual->siguiente) {
        if (actual->dato == valor) return true;
    }
    return false;
}

void liberarLista(Nodo*& cabeza) {
    for (Nodo* actual = cabeza; actual != nullptr;) {
        Nodo* siguiente = actual->siguiente;
        delete actual;
        actual = siguiente;
    }
    cabeza = nullptr;
}

int main() {
    Nodo* cabeza = nullptr;
    for (int valor : {5, 10, 15}) insertarCabeza(cabeza, valor);
    imprimirLista(cabeza);

    const int valorBuscado = 10;
    const bool esta = buscarElemento(cabeza, valorBuscado);
    std::cout << "El valor " << valorBuscado << (esta ? " se encuentra" : " NO se encuentra")
              << " en la lista." << std::endl;

    liberarLista(cabeza);
    return 0;
}

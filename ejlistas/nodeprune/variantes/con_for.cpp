#include "node_list.h"

void eliminarValor(Nodo*& cabeza, int valor) {
    if (!cabeza) return;
    if (cabeza->dato == valor) {
        auto* quitado = cabeza;
        cabeza = quitado->siguiente;
        delete quitado;
        return;
    }
    // previo se detiene en el nodo anterior al que guarda el valor, o en el último
    auto* previo = cabeza;
    for (; previo->siguiente && previo->siguiente->dato != valor; previo = previo->siguiente) {
    }
    if (auto* quitado = previo->siguiente) {
        previo->siguiente = quitado->siguiente;
        delete quitado;
    }
}

int main() {
    Nodo* cabeza = nullptr;
    for (int v = 3; v >= 1; --v) insertarCabeza(cabeza, v);
    imprimirLista(cabeza);
    eliminarValor(cabeza, 2);
    imprimirLista(cabeza);
    return 0;
}

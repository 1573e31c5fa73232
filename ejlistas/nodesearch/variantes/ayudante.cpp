#include <cstdio>

#include "node_list.h"

// El primer nodo que guarda el valor, o nullptr si no hay ninguno
static const Nodo* primeroCon(const Nodo* nodo, int valor) {
    while (nodo != nullptr && nodo->dato != valor) {
        nodo = nodo->siguiente;
    }
    return nodo;
}

bool buscarElemento(Nodo* cabeza, int valor) { return primeroCon(cabeza, valor) != nullptr; }

// Se avanza con la propia cabeza hasta dejarla en nullptr
void liberarLista(Nodo*& cabeza) {
    while (cabeza != nullptr) {
        Nodo* resto = cabeza->siguiente;
        delete cabeza;
        cabeza = resto;
    }
}

int main() {
    Nodo* cabeza = nullptr;
    insertarCabeza(cabeza, 5);
    insertarCabeza(cabeza, 10);
    insertarCabeza(cabeza, 15);
    imprimirLista(cabeza);

    int valorBuscado = 10;
    if (buscarElemento(cabeza, valorBuscado)) {
        std::printf("El valor %d se encuentra en la lista.\n", valorBuscado);
    } else {
        std::printf("El valor %d NO se encuentra en la lista.\n", valorBuscado);
    }
    std::fflush(stdout);

    liberarLista(cabeza);
    return 0;
}

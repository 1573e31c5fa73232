#include "node_list.h"

// El nodo anterior al primero (sin contar la cabeza) que guarda el valor, o el último si no hay
// ninguno
static Nodo* anteriorA(Nodo* cabeza, int valor) {
    Nodo* actual = cabeza;
    while (actual->siguiente != nullptr && actual->siguiente->dato != valor) {
        actual = actual->siguiente;
    }
    return actual;
}

// Quita el nodo que sigue a anterior y lo libera
static void quitarSiguiente(Nodo* anterior) {
    Nodo* nodo_a_eliminar = anterior->siguiente;
    anterior->siguiente = nodo_a_eliminar->siguiente;
    delete nodo_a_eliminar;
}

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
    Nodo* anterior = anteriorA(cabeza, valor);
    if (anterior->siguiente != nullptr) {
        quitarSiguiente(anterior);
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

#include "node_list.h"

// enlace apunta al puntero que lleva al nodo que se mira: la cabeza del llamador o el
// siguiente del nodo anterior. Así quitar la cabeza y quitar otro nodo es lo mismo.
void eliminarValor(Nodo*& cabeza, int valor) {
    Nodo** enlace = &cabeza;
    while (*enlace != nullptr && (*enlace)->dato != valor) {
        enlace = &(*enlace)->siguiente;
    }
    if (*enlace != nullptr) {
        Nodo* nodo_a_eliminar = *enlace;
        *enlace = nodo_a_eliminar->siguiente;
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

// Eliminación del primer nodo que guarda un valor en una lista simplemente enlazada.
// El programa crea la lista 1 -> 2 -> 3, quita el 2 y la muestra antes y después. Salida:
//     1 -> 2 -> 3 -> NULL
//     1 -> 3 -> NULL
// Solo se libera el nodo eliminado; los dos que quedan siguen reservados hasta que el
// programa termina (así lo plantea el ejercicio).
#include "node_list.h"

// Quita, y libera, el primer nodo (desde la cabeza) cuyo dato sea valor; si no hay
// ninguno, la lista no cambia.
void eliminarValor(Nodo*& cabeza, int valor) {
    if (cabeza == nullptr) {
        return;
    }
    // Si el valor está en la cabeza, la cabeza pasa al segundo nodo.
    if (cabeza->dato == valor) {
        Nodo* nodo_a_eliminar = cabeza;
        cabeza = cabeza->siguiente;
        delete nodo_a_eliminar;
        return;
    }
    // Si no, se busca el nodo anterior al que hay que quitar, para poder saltarlo.
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

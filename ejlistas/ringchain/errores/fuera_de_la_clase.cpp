#include <iostream>

// Nodo de la lista circular doblemente enlazada
struct Nodo {
    int dato;
    Nodo* siguiente;
    Nodo* anterior;
};

class ListaCircularDobleEnlazada {
public:
    Nodo* cabeza;

    ListaCircularDobleEnlazada();
    void agregar(int dato);
    void mostrar();
};

ListaCircularDobleEnlazada::ListaCircularDobleEnlazada() {
    cabeza = nullptr;
}

// Agrega un nodo al final del anillo
void ListaCircularDobleEnlazada::agregar(int dato) {
    Nodo* nuevoNodo = new Nodo{dato, nullptr, nullptr};
    if (cabeza == nullptr) {
        cabeza = nuevoNodo;
        cabeza->siguiente = cabeza;
        cabeza->anterior = cabeza;
        return;
    }
    Nodo* temp = cabeza;
    while (temp->siguiente != cabeza) {
        temp = temp->siguiente;
    }
    temp->siguiente = nuevoNodo;
    nuevoNodo->anterior = temp;
    nuevoNodo->siguiente = cabeza;
    cabeza->anterior = nuevoNodo;
}

// Recorre el anillo una vez desde la cabeza
void ListaCircularDobleEnlazada::mostrar() {
    if (cabeza == nullptr) {
        return;
    }
    Nodo* temp = cabeza;
    do {
        std::cout << temp->dato << " <-> ";
        temp = temp->siguiente;
    } while (temp != cabeza);
    std::cout << "cabeza\n";
}

int main() {
    ListaCircularDobleEnlazada lista;
    int dato, n;

    std::cout << "Ingrese el número de elementos: ";
    std::cin >> n;

    for (int i = 0; i < n; i++) {
        std::cout << "Ingrese el dato " << i + 1 << ": ";
        std::cin >> dato;
        lista.agregar(dato);
    }

    lista.mostrar();

    return 0;
}

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

    ListaCircularDobleEnlazada() {
        cabeza = nullptr;
    }

    // Agrega un nodo al final del anillo
    void agregar(int dato) {
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

    // Escribe desde temp hasta el ultimo
    void mostrarDesde(Nodo* temp) {
        std::cout << temp->dato << " <-> ";
        if (temp->siguiente != cabeza) {
            mostrarDesde(temp->siguiente);
        }
    }

    // Recorre el anillo una vez desde la cabeza
    void mostrar() {
        if (cabeza == nullptr) {
            return;
        }
        mostrarDesde(cabeza);
        std::cout << "cabeza\n";
    }
};

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

#include <iostream>

struct Nodo {
    int dato;
    Nodo* siguiente;
    Nodo* anterior;
};

class ListaCircularDobleEnlazada {
   public:
    Nodo* cabeza;

    ListaCircularDobleEnlazada() : cabeza(nullptr) {}

    void agregar(int dato) {
        auto* nuevoNodo = new Nodo{dato, nullptr, nullptr};
        if (!cabeza) {
            cabeza = nuevoNodo->siguiente = nuevoNodo->anterior = nuevoNodo;
            return;
        }
        Nodo* temp = cabeza;
        for (; temp->siguiente != cabeza; temp = temp->siguiente) {
        }
        temp->siguiente = nuevoNodo;
        nuevoNodo->anterior = temp;
        nuevoNodo->siguiente = cabeza;
        cabeza->anterior = nuevoNodo;
    }

    // La cabeza se escribe antes del bucle, que para al volver a ella
    void mostrar() {
        if (!cabeza) return;
        std::cout << cabeza->dato << " <-> ";
        for (auto* temp = cabeza->siguiente; temp != cabeza; temp = temp->siguiente) {
            std::cout << temp->dato << " <-> ";
        }
        std::cout << "cabeza\n";
    }
};

int main() {
    ListaCircularDobleEnlazada lista;
    int dato, n;
    std::cout << "Ingrese el número de elementos: ";
    if (!(std::cin >> n)) return 0;
    int i = 0;
    while (i < n) {
        std::cout << "Ingrese el dato " << ++i << ": ";
        if (!(std::cin >> dato)) return 0;
        lista.agregar(dato);
    }
    lista.mostrar();
    return 0;
}

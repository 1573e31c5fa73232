#include <iostream>

struct Nodo {
    int dato;
    Nodo* siguiente;
    Nodo* anterior;
};

// Un dato seguido de su flecha doble
static void escribir(const Nodo* nodo) { std::cout << nodo->dato << " <-> "; }

class ListaCircularDobleEnlazada {
   public:
    Nodo* cabeza;

    ListaCircularDobleEnlazada() { cabeza = nullptr; }

    // El último es el nodo cuyo siguiente es la cabeza: se busca andando
    Nodo* ultimo() {
        Nodo* temp = cabeza;
        while (temp->siguiente != cabeza) temp = temp->siguiente;
        return temp;
    }

    void agregar(int dato) {
        Nodo* nuevoNodo = new Nodo();
        nuevoNodo->dato = dato;
        if (cabeza == nullptr) {
            cabeza = nuevoNodo;
            cabeza->siguiente = cabeza;
            cabeza->anterior = cabeza;
        } else {
            Nodo* temp = ultimo();
            temp->siguiente = nuevoNodo;
            nuevoNodo->anterior = temp;
            nuevoNodo->siguiente = cabeza;
            cabeza->anterior = nuevoNodo;
        }
    }

    void mostrar() {
        if (cabeza == nullptr) return;
        Nodo* temp = cabeza;
        do {
            escribir(temp);
            temp = temp->siguiente;
        } while (temp != cabeza);
        std::cout << "cabeza" << '\n';
    }
};

int main() {
    ListaCircularDobleEnlazada lista;
    int dato, n;

    std::cout << "Ingrese el número de elementos: ";
    std::cin >> n;
    for (int i = 1; i <= n; ++i) {
        std::cout << "Ingrese el dato " << i << ": ";
        std::cin >> dato;
        lista.agregar(dato);
    }
    lista.mostrar();
    return 0;
}

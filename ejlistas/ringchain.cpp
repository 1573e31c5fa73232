// Lista circular doblemente enlazada: cada nodo conoce al siguiente y al anterior, y el
// último vuelve a la cabeza. El programa lee cuántos elementos habrá, lee cada uno, los
// añade al final del anillo y lo recorre una vez desde la cabeza. Ejemplo (3, 10, 20, 30):
//     Ingrese el número de elementos: 3
//     Ingrese el dato 1: 10
//     Ingrese el dato 2: 20
//     Ingrese el dato 3: 30
//     10 <-> 20 <-> 30 <-> cabeza
// Los nodos no se liberan: el anillo sigue reservado hasta que el programa termina.
#include <iostream>

struct Nodo {
    int dato;
    Nodo* siguiente;
    Nodo* anterior;
};

class ListaCircularDobleEnlazada {
   public:
    Nodo* cabeza;

    ListaCircularDobleEnlazada() { cabeza = nullptr; }

    void agregar(int dato) {
        Nodo* nuevoNodo = new Nodo{dato, nullptr, nullptr};
        if (cabeza == nullptr) {
            // Un anillo de un solo nodo apunta a sí mismo en los dos sentidos.
            cabeza = nuevoNodo;
            cabeza->siguiente = cabeza;
            cabeza->anterior = cabeza;
            return;
        }
        // El último nodo es el que vuelve a la cabeza.
        Nodo* temp = cabeza;
        while (temp->siguiente != cabeza) {
            temp = temp->siguiente;
        }
        temp->siguiente = nuevoNodo;
        nuevoNodo->anterior = temp;
        nuevoNodo->siguiente = cabeza;
        cabeza->anterior = nuevoNodo;
    }

    // La condición va después de escribir: así un anillo de un nodo también se muestra.
    void mostrar() {
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
};

int main() {
    ListaCircularDobleEnlazada lista;
    int dato, n;

    // Cada lectura se comprueba: si falla (no es un número entero, no cabe en int o la
    // entrada se acabó), la variable no tiene un valor con el que seguir.
    std::cout << "Ingrese el número de elementos: ";
    if (!(std::cin >> n)) {
        std::cout << "Entrada no válida." << std::endl;
        return 0;
    }
    for (int i = 0; i < n; i++) {
        std::cout << "Ingrese el dato " << i + 1 << ": ";
        if (!(std::cin >> dato)) {
            std::cout << "Entrada no válida." << std::endl;
            return 0;
        }
        lista.agregar(dato);
    }
    lista.mostrar();
    return 0;
}

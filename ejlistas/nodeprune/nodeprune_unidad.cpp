// eliminarValor de nodeprune en todas las posiciones de una lista.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "captura.h"
#include "comprobacion.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejlistas/nodeprune.cpp"
#endif
#define main nodeprune_main
#include EJ_FUENTE
#undef main

namespace {

// Construye la lista con los valores en el orden dado, desde la cabeza.
Nodo* listaDesdeCabeza(std::initializer_list<int> valores) {
    Nodo* cabeza = nullptr;
    for (auto v = valores.end(); v != valores.begin();) insertarCabeza(cabeza, *--v);
    return cabeza;
}

std::string textoDe(Nodo* cabeza) {
    nucleo::Captura captura;
    imprimirLista(cabeza);
    return captura.texto();
}

// El programa deja sus nodos reservados a propósito; las pruebas sí liberan los suyos.
void liberar(Nodo* cabeza) {
    while (cabeza != nullptr) {
        Nodo* siguiente = cabeza->siguiente;
        delete cabeza;
        cabeza = siguiente;
    }
}

PIDE_EL_EJERCICIO(EliminarValorQuitaSoloLaPrimeraCoincidencia,
                  "eliminarValor quita solo el primer nodo que guarda el valor, esté donde esté") {
    struct Fila {
        const char* descripcion;
        std::initializer_list<int> lista;
        int valor;
        const char* despues;
    } filas[] = {
        {"lista vacía", {}, 2, "NULL\n"},
        {"en la cabeza", {1, 2, 3}, 1, "2 -> 3 -> NULL\n"},
        {"lista de un nodo que lo tiene", {4}, 4, "NULL\n"},
        {"lista de un nodo que no lo tiene", {4}, 5, "4 -> NULL\n"},
        {"en medio", {1, 2, 3}, 2, "1 -> 3 -> NULL\n"},
        {"al final", {1, 2, 3}, 3, "1 -> 2 -> NULL\n"},
        {"ausente", {1, 2, 3}, 7, "1 -> 2 -> 3 -> NULL\n"},
        {"repetido con la cabeza", {2, 5, 2}, 2, "5 -> 2 -> NULL\n"},
        {"repetido detrás de la cabeza", {1, 2, 2}, 2, "1 -> 2 -> NULL\n"},
        {"todos iguales", {9, 9, 9}, 9, "9 -> 9 -> NULL\n"},
        {"negativo", {-1, 0, 1}, -1, "0 -> 1 -> NULL\n"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Nodo* cabeza = listaDesdeCabeza(f.lista);
        eliminarValor(cabeza, f.valor);
        EXPECT_EQ(textoDe(cabeza), f.despues);
        liberar(cabeza);
    }
}

PIDE_EL_EJERCICIO(QuitarLaCabezaMueveElPunteroDelLlamador,
                  "eliminarValor sobre la cabeza mueve el puntero cabeza del que llama") {
    Nodo* cabeza = listaDesdeCabeza({1, 2});
    Nodo* segundo = cabeza->siguiente;
    eliminarValor(cabeza, 1);
    EXPECT_EQ(cabeza, segundo);
    eliminarValor(cabeza, 2);
    EXPECT_EQ(cabeza, nullptr);
    eliminarValor(cabeza, 2);  // sobre la lista ya vacía no hace nada
    EXPECT_EQ(cabeza, nullptr);
}

PIDE_EL_EJERCICIO(QuitarElUltimoDejaNuloAlPenultimo,
                  "eliminarValor sobre el último nodo deja nulo el siguiente del penúltimo") {
    Nodo* cabeza = listaDesdeCabeza({1, 2, 3});
    Nodo* penultimo = cabeza->siguiente;
    eliminarValor(cabeza, 3);
    EXPECT_EQ(penultimo->siguiente, nullptr);
    liberar(cabeza);
}

}  // namespace

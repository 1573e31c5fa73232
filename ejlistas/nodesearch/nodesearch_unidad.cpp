// Funciones de nodesearch (y de la cabecera común) sobre listas que el programa no crea.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "captura.h"
#include "comprobacion.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejlistas/nodesearch.cpp"
#endif
#define main nodesearch_main
#include EJ_FUENTE
#undef main

namespace {

// Inserta por la cabeza cada valor en orden: la lista queda al revés.
Nodo* listaCon(std::initializer_list<int> valores) {
    Nodo* cabeza = nullptr;
    for (int v : valores) insertarCabeza(cabeza, v);
    return cabeza;
}

std::string textoDe(Nodo* cabeza) {
    nucleo::Captura captura;
    imprimirLista(cabeza);
    return captura.texto();
}

PIDE_EL_EJERCICIO(ImprimirListaEscribeCadaValorYNull,
                  "imprimirLista escribe cada valor seguido de \" -> \" y termina con NULL") {
    struct Fila {
        const char* descripcion;
        std::initializer_list<int> insertados;
        const char* linea;
    } filas[] = {
        {"lista vacía", {}, "NULL\n"},
        {"un nodo", {7}, "7 -> NULL\n"},
        {"la inserción por la cabeza invierte el orden", {5, 10, 15}, "15 -> 10 -> 5 -> NULL\n"},
        {"negativo con su signo", {-3}, "-3 -> NULL\n"},
        {"duplicados, un nodo cada uno", {7, 7}, "7 -> 7 -> NULL\n"},
        {"extremos de int", {-2147483647 - 1, 2147483647}, "2147483647 -> -2147483648 -> NULL\n"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Nodo* cabeza = listaCon(f.insertados);
        EXPECT_EQ(textoDe(cabeza), f.linea);
        EXPECT_EQ(textoDe(cabeza), f.linea) << "imprimir no debe cambiar la lista";
        liberarLista(cabeza);
    }
}

PIDE_EL_EJERCICIO(InsertarCabezaEnlazaElNuevoNodoDelante,
                  "insertarCabeza pone el nodo nuevo delante y cambia la cabeza del que llama") {
    Nodo* cabeza = nullptr;
    insertarCabeza(cabeza, 7);
    ASSERT_NE(cabeza, nullptr);
    EXPECT_EQ(cabeza->dato, 7);
    EXPECT_EQ(cabeza->siguiente, nullptr);
    Nodo* primero = cabeza;
    insertarCabeza(cabeza, 8);
    EXPECT_EQ(cabeza->dato, 8);
    EXPECT_EQ(cabeza->siguiente, primero) << "el nodo anterior sigue detrás, sin copiarse";
    liberarLista(cabeza);
}

PIDE_EL_EJERCICIO(
    BuscarElementoEncuentraCualquierPosicion,
    "buscarElemento encuentra el valor en cualquier posición y da false en la lista vacía") {
    struct Fila {
        const char* descripcion;
        std::initializer_list<int> insertados;
        int valor;
        bool esperado;
    } filas[] = {
        {"lista vacía", {}, 10, false},      {"primero", {5, 10, 15}, 15, true},
        {"en medio", {5, 10, 15}, 10, true}, {"último", {5, 10, 15}, 5, true},
        {"ausente", {5, 10, 15}, 7, false},  {"repetido", {4, 9, 4}, 4, true},
        {"negativo", {-1, -2}, -2, true},    {"cero no se confunde con vacío", {1}, 0, false},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Nodo* cabeza = listaCon(f.insertados);
        EXPECT_EQ(buscarElemento(cabeza, f.valor), f.esperado);
        liberarLista(cabeza);
    }
}

PIDE_EL_EJERCICIO(BuscarElementoSeDetieneEnLaPrimeraCoincidencia,
                  "buscarElemento se detiene en el primer nodo que guarda el valor") {
    // Un ciclo detrás de la coincidencia solo se podría recorrer si la búsqueda siguiera.
    Nodo segundo{2, nullptr};
    Nodo primero{1, &segundo};
    segundo.siguiente = &primero;
    EXPECT_TRUE(buscarElemento(&primero, 1));
    EXPECT_TRUE(buscarElemento(&primero, 2));
}

PIDE_EL_EJERCICIO(LiberarListaDejaLaCabezaNula,
                  "liberarLista libera cada nodo y deja nula la cabeza del que llama") {
    for (std::initializer_list<int> valores :
         {std::initializer_list<int>{}, std::initializer_list<int>{1},
          std::initializer_list<int>{1, 2, 3}}) {
        Nodo* cabeza = listaCon(valores);
        liberarLista(cabeza);  // con AddressSanitizer, un nodo sin liberar sería una fuga
        EXPECT_EQ(cabeza, nullptr);
        EXPECT_EQ(textoDe(cabeza), "NULL\n");
    }
}

// La línea de imprimirLista acaba con std::endl, que vacía la salida (un '\n' no la vacía).
PIDE_EL_EJERCICIO(ImprimirListaAcabaConStdEndl, "imprimirLista termina su línea con std::endl") {
    Nodo* cabeza = listaCon({5, 10});
    nucleo::Captura captura;
    imprimirLista(cabeza);
    EXPECT_EQ(captura.vaciados(), 1) << "la línea acaba con std::endl";
    liberarLista(cabeza);
}

}  // namespace

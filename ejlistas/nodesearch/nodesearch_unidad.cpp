// Funciones de nodesearch (y de la cabecera común, en node_list_unidad.h) sobre listas que el
// programa no crea. El fuente del programa (EJ_FUENTE) se compila tal cual, con su main
// renombrado y sin llamarlo.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejlistas/nodesearch.cpp"
#endif
#define main nodesearch_main
#include EJ_FUENTE
#undef main

#include "ejlistas/node_list_unidad.h"

namespace {

PIDE_EL_EJERCICIO(
    BuscarElementoEncuentraCualquierPosicion,
    "buscarElemento encuentra el valor en cualquier posición y da false en la lista vacía") {
    struct Fila {
        const char* descripcion;
        std::initializer_list<int> lista;
        int valor;
        bool esperado;
    } filas[] = {
        {"lista vacía", {}, 10, false},      {"primero", {15, 10, 5}, 15, true},
        {"en medio", {15, 10, 5}, 10, true}, {"último", {15, 10, 5}, 5, true},
        {"ausente", {15, 10, 5}, 7, false},  {"repetido", {4, 9, 4}, 4, true},
        {"negativo", {-2, -1}, -2, true},    {"cero no se confunde con vacío", {1}, 0, false},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Nodo* cabeza = listaDesdeCabeza(f.lista);
        const std::string antes = impresion(cabeza).texto;
        bool encontrado = !f.esperado;
        const nucleo::Escrito e =
            nucleo::escritoPor([&] { encontrado = buscarElemento(cabeza, f.valor); });
        EXPECT_EQ(encontrado, f.esperado);
        EXPECT_EQ(e.texto, "") << "buscarElemento no escribe nada";
        EXPECT_EQ(impresion(cabeza).texto, antes) << "buscarElemento no cambia la lista";
        liberarNodos(cabeza);
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

PIDE_EL_EJERCICIO(LiberarListaLiberaCadaNodoYDejaLaCabezaNula,
                  "liberarLista libera cada nodo y deja nula la cabeza del que llama") {
    struct Fila {
        const char* descripcion;
        std::initializer_list<int> lista;
    } filas[] = {
        {"lista vacía", {}},
        {"un nodo", {1}},
        {"tres nodos", {1, 2, 3}},
        {"valores repetidos", {4, 4}},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Cuenta antes;
        Nodo* cabeza = listaDesdeCabeza(f.lista);
        const long nodos = antes.reservadosDesde();
        liberarLista(cabeza);
        const long vivos = antes.reservadosDesde() - antes.liberadosDesde();
        EXPECT_EQ(vivos, 0) << "quedan " << vivos << " de los " << nodos << " nodos sin liberar";
        EXPECT_EQ(cabeza, nullptr);
        EXPECT_EQ(impresion(cabeza).texto, "NULL\n");
    }
}

PIDE_EL_EJERCICIO(FirmaDeBuscarElemento, "buscarElemento se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(buscarElemento, bool(Nodo*, int));
}

PIDE_EL_EJERCICIO(FirmaDeLiberarLista, "liberarLista se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(liberarLista, void(Nodo*&));
}

}  // namespace

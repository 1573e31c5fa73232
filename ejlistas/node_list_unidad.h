// Comprobaciones de node_list.h (Nodo, insertarCabeza, imprimirLista), comunes a nodesearch y
// nodeprune, y la cuenta de la memoria que reservan y liberan sus funciones.
// Se incluye en el *_unidad.cpp de cada uno, detrás del fuente del programa (que incluye
// node_list.h: la de la colección o la del alumno) y en un solo archivo de cada ejecutable,
// porque sustituye el operator new y el operator delete de todo el programa.
#ifndef EJLISTAS_NODE_LIST_UNIDAD_H
#define EJLISTAS_NODE_LIST_UNIDAD_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <new>
#include <string>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

// Cada bloque que se reserva o se libera con new y delete (también los de GoogleTest o de
// std::string): una prueba mira solo la diferencia alrededor de la llamada que comprueba.
namespace ej_memoria {
inline long reservados = 0;
inline long liberados = 0;
inline const void* ultimoLiberado = nullptr;
}  // namespace ej_memoria

void* operator new(std::size_t tam) {
    void* p = std::malloc(tam == 0 ? 1 : tam);
    if (p == nullptr) throw std::bad_alloc();
    ++ej_memoria::reservados;
    return p;
}

void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    ++ej_memoria::liberados;
    ej_memoria::ultimoLiberado = p;
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// Lo reservado y lo liberado hasta ahora, para restarlo después de una llamada.
struct Cuenta {
    long reservados = ej_memoria::reservados;
    long liberados = ej_memoria::liberados;
    long reservadosDesde() const { return ej_memoria::reservados - reservados; }
    long liberadosDesde() const { return ej_memoria::liberados - liberados; }
};

// La lista con los valores dados, en ese orden desde la cabeza, hecha con insertarCabeza.
Nodo* listaDesdeCabeza(std::initializer_list<int> valores) {
    Nodo* cabeza = nullptr;
    for (auto v = valores.end(); v != valores.begin();) insertarCabeza(cabeza, *--v);
    return cabeza;
}

// Los nodos que quedan los libera la prueba, no el programa.
void liberarNodos(Nodo* cabeza) {
    while (cabeza != nullptr) {
        Nodo* siguiente = cabeza->siguiente;
        delete cabeza;
        cabeza = siguiente;
    }
}

nucleo::Escrito impresion(Nodo* cabeza) {
    return nucleo::escritoPor([&] { imprimirLista(cabeza); });
}

PIDE_EL_EJERCICIO(ImprimirListaEscribeCadaValorYNull,
                  "imprimirLista escribe cada valor seguido de \" -> \" y termina con NULL") {
    struct Fila {
        const char* descripcion;
        std::initializer_list<int> lista;
        const char* linea;
    } filas[] = {
        {"lista vacía", {}, "NULL\n"},
        {"un nodo", {7}, "7 -> NULL\n"},
        {"varios, desde la cabeza", {15, 10, 5}, "15 -> 10 -> 5 -> NULL\n"},
        {"negativo con su signo", {-3}, "-3 -> NULL\n"},
        {"duplicados, un nodo cada uno", {7, 7}, "7 -> 7 -> NULL\n"},
        {"extremos de int", {2147483647, -2147483647 - 1}, "2147483647 -> -2147483648 -> NULL\n"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Nodo* cabeza = listaDesdeCabeza(f.lista);
        const std::string primera = impresion(cabeza).texto;
        const std::string segunda = impresion(cabeza).texto;
        EXPECT_EQ(primera, f.linea);
        EXPECT_EQ(segunda, f.linea) << "imprimir no debe cambiar la lista";
        liberarNodos(cabeza);
    }
}

PIDE_EL_EJERCICIO(ImprimirListaAcabaConStdEndl, "imprimirLista termina su línea con std::endl") {
    for (std::initializer_list<int> valores :
         {std::initializer_list<int>{}, std::initializer_list<int>{5, 10}}) {
        Nodo* cabeza = listaDesdeCabeza(valores);
        const nucleo::Escrito e = impresion(cabeza);
        EXPECT_EQ(e.comoAcaba(), nucleo::Final::SaltoVaciado)
            << "la línea de imprimirLista acaba con std::endl; se escribió "
            << ::testing::PrintToString(e.texto);
        liberarNodos(cabeza);
    }
}

PIDE_EL_EJERCICIO(InsertarCabezaEnlazaElNuevoNodoDelante,
                  "insertarCabeza pone un nodo nuevo delante y cambia la cabeza del que llama") {
    Nodo* cabeza = nullptr;
    Cuenta antes;
    insertarCabeza(cabeza, 7);
    EXPECT_EQ(antes.reservadosDesde(), 1) << "cada inserción reserva un nodo con new";
    EXPECT_EQ(antes.liberadosDesde(), 0);
    ASSERT_NE(cabeza, nullptr);
    EXPECT_EQ(cabeza->dato, 7);
    EXPECT_EQ(cabeza->siguiente, nullptr);

    Nodo* primero = cabeza;
    Cuenta otra;
    insertarCabeza(cabeza, 8);
    EXPECT_EQ(otra.reservadosDesde(), 1) << "cada inserción reserva un nodo con new";
    EXPECT_EQ(otra.liberadosDesde(), 0);
    EXPECT_EQ(cabeza->dato, 8);
    EXPECT_EQ(cabeza->siguiente, primero) << "el nodo anterior sigue detrás, sin copiarse";
    EXPECT_EQ(primero->dato, 7);
    liberarNodos(cabeza);
}

PIDE_EL_EJERCICIO(FirmaDeInsertarCabeza, "insertarCabeza se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(insertarCabeza, void(Nodo*&, int));
}

PIDE_EL_EJERCICIO(FirmaDeImprimirLista, "imprimirLista se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(imprimirLista, void(Nodo*));
}

}  // namespace

#endif

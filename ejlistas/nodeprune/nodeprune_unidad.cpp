// eliminarValor de nodeprune en todas las posiciones de una lista, con la cuenta de los nodos
// que libera; las funciones de la cabecera común se comprueban en node_list_unidad.h.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejlistas/nodeprune.cpp"
#endif
#define main nodeprune_main
#include EJ_FUENTE
#undef main

#include "ejlistas/node_list_unidad.h"

namespace {

// El nodo en la posición dada, contando desde 0 en la cabeza.
Nodo* nodoEn(Nodo* cabeza, int posicion) {
    while (posicion-- > 0) cabeza = cabeza->siguiente;
    return cabeza;
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
        const nucleo::Escrito e = nucleo::escritoPor([&] { eliminarValor(cabeza, f.valor); });
        EXPECT_EQ(impresion(cabeza).texto, f.despues);
        EXPECT_EQ(e.texto, "") << "eliminarValor no escribe nada";
        liberarNodos(cabeza);
    }
}

// Con AddressSanitizer una fuga solo se ve al terminar, y el comprobador no las busca en estas
// pruebas: por eso se cuentan los bloques que libera cada llamada, y cuál.
PIDE_EL_EJERCICIO(
    EliminarValorLiberaElNodoQuitadoEsteDondeEste,
    "eliminarValor libera con delete el nodo que quita, esté donde esté, y nada más") {
    struct Fila {
        const char* descripcion;
        std::initializer_list<int> lista;
        int valor;
        int quitado;  // posición del nodo que se quita; -1 si ninguno
    } filas[] = {
        {"en la cabeza", {1, 2, 3}, 1, 0}, {"el único nodo", {4}, 4, 0},
        {"en medio", {1, 2, 3}, 2, 1},     {"al final", {1, 2, 3}, 3, 2},
        {"al final de dos", {1, 2}, 2, 1}, {"repetido: solo el primero", {1, 2, 2}, 2, 1},
        {"ausente", {1, 2, 3}, 7, -1},     {"lista de un nodo que no lo tiene", {4}, 5, -1},
        {"lista vacía", {}, 2, -1},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Nodo* cabeza = listaDesdeCabeza(f.lista);
        const void* quitado = f.quitado < 0 ? nullptr : nodoEn(cabeza, f.quitado);
        Cuenta antes;
        eliminarValor(cabeza, f.valor);
        const long liberados = antes.liberadosDesde();
        const long reservados = antes.reservadosDesde();
        const void* ultimo = ej_memoria::ultimoLiberado;
        const long nodosQuitados = quitado == nullptr ? 0 : 1;
        EXPECT_EQ(liberados, nodosQuitados)
            << (quitado == nullptr ? "sin nodo que quitar no se libera nada"
                                   : "el nodo quitado se libera con delete, y solo él");
        if (quitado != nullptr && liberados == 1) {
            EXPECT_EQ(ultimo, quitado) << "el nodo liberado debe ser el que se quita";
        }
        EXPECT_EQ(reservados, 0) << "eliminarValor no reserva nodos";
        liberarNodos(cabeza);
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
    liberarNodos(cabeza);
}

PIDE_EL_EJERCICIO(FirmaDeEliminarValor, "eliminarValor se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(eliminarValor, void(Nodo*&, int));
}

}  // namespace

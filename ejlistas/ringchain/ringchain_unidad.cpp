// Invariantes del anillo de ringchain: enlaces en los dos sentidos y orden de inserción.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejlistas/ringchain.cpp"
#endif
#define main ringchain_main
#include EJ_FUENTE
#undef main

namespace {

// La clase no libera sus nodos (así lo plantea el ejercicio); las pruebas sí.
struct Anillo {
    ListaCircularDobleEnlazada lista;
    explicit Anillo(const std::vector<int>& valores) {
        for (int v : valores) lista.agregar(v);
    }
    ~Anillo() {
        if (lista.cabeza == nullptr) return;
        Nodo* actual = lista.cabeza->siguiente;
        while (actual != lista.cabeza) {
            Nodo* siguiente = actual->siguiente;
            delete actual;
            actual = siguiente;
        }
        delete lista.cabeza;
    }
};

std::vector<int> haciaDelante(Nodo* cabeza, size_t tope) {
    std::vector<int> vistos;
    Nodo* n = cabeza;
    do {
        vistos.push_back(n->dato);
        n = n->siguiente;
    } while (n != cabeza && vistos.size() <= tope);
    return vistos;
}

std::vector<int> haciaAtras(Nodo* cabeza, size_t tope) {
    std::vector<int> vistos;
    Nodo* n = cabeza;
    do {
        vistos.push_back(n->dato);
        n = n->anterior;
    } while (n != cabeza && vistos.size() <= tope);
    return vistos;
}

nucleo::Escrito mostrado(ListaCircularDobleEnlazada& lista) {
    return nucleo::escritoPor([&] { lista.mostrar(); });
}

PIDE_EL_EJERCICIO(ListaNuevaVaciaNoMuestraNada,
                  "una lista recién construida tiene la cabeza nula y mostrar no escribe nada") {
    Anillo a({});
    EXPECT_EQ(a.lista.cabeza, nullptr);
    EXPECT_EQ(mostrado(a.lista).texto, "");
}

PIDE_EL_EJERCICIO(UnNodoApuntaASiMismoEnLosDosSentidos,
                  "con un solo nodo, su siguiente y su anterior apuntan a él mismo") {
    Anillo a({7});
    Nodo* c = a.lista.cabeza;
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->siguiente, c);
    EXPECT_EQ(c->anterior, c);
    EXPECT_EQ(mostrado(a.lista).texto, "7 <-> cabeza\n");
}

PIDE_EL_EJERCICIO(EnlacesCoherentesEnAmbosSentidos,
                  "agregar mantiene el anillo enlazado en los dos sentidos") {
    const std::vector<std::vector<int>> casos = {{1, 2}, {10, 20, 30}, {-1, -1, 5, 0, 5}};
    for (const auto& valores : casos) {
        SCOPED_TRACE(::testing::PrintToString(valores));
        Anillo a(valores);
        Nodo* c = a.lista.cabeza;
        EXPECT_EQ(haciaDelante(c, valores.size()), valores);

        // Hacia atrás: la cabeza y después del último añadido al segundo.
        std::vector<int> atras = {valores.front()};
        atras.insert(atras.end(), valores.rbegin(), valores.rend() - 1);
        EXPECT_EQ(haciaAtras(c, valores.size()), atras);

        Nodo* n = c;
        do {
            EXPECT_EQ(n->siguiente->anterior, n);
            EXPECT_EQ(n->anterior->siguiente, n);
            n = n->siguiente;
        } while (n != c);
        EXPECT_EQ(c->anterior->dato, valores.back()) << "la anterior de la cabeza es la cola";
    }
}

PIDE_EL_EJERCICIO(LaCabezaNoCambiaAlAgregar,
                  "agregar no cambia la cabeza, que es el primer nodo agregado") {
    Anillo a({1});
    Nodo* primera = a.lista.cabeza;
    a.lista.agregar(2);
    a.lista.agregar(3);
    EXPECT_EQ(a.lista.cabeza, primera);
    EXPECT_EQ(mostrado(a.lista).texto, "1 <-> 2 <-> 3 <-> cabeza\n");
}

// mostrar acaba con el '\n' del literal "cabeza\n", que no vacía la salida: al volver, esa
// línea aún no ha llegado (con std::endl, o con un vaciado detrás, sí).
PIDE_EL_EJERCICIO(MostrarAcabaConSaltoDeLineaSinVaciar,
                  "mostrar termina con \"cabeza\n\", un salto de línea que no vacía la salida") {
    for (const std::vector<int>& valores : {std::vector<int>{10, 20}, std::vector<int>{7}}) {
        SCOPED_TRACE(::testing::PrintToString(valores));
        Anillo a(valores);
        const nucleo::Escrito e = mostrado(a.lista);
        EXPECT_EQ(e.comoAcaba(), nucleo::Final::SaltoSinVaciar)
            << "\"cabeza\\n\" no vacía la salida; std::endl sí. Se escribió "
            << ::testing::PrintToString(e.texto);
    }
}

PIDE_EL_EJERCICIO(FirmaDeAgregar,
                  "ListaCircularDobleEnlazada::agregar se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(ListaCircularDobleEnlazada::agregar, void(ListaCircularDobleEnlazada::*)(int));
}

PIDE_EL_EJERCICIO(FirmaDeMostrar,
                  "ListaCircularDobleEnlazada::mostrar se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(ListaCircularDobleEnlazada::mostrar, void(ListaCircularDobleEnlazada::*)());
}

}  // namespace

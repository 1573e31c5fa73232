// nodeprune: quita el nodo del medio de una lista fija. No lee nada y conserva a propósito
// los dos nodos que quedan.
#include "../node_list_casos.h"
#include "../reglas_listas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

using listas::conListaYValor;
using listas::enLinea;
using listas::sorteada;
using listas::sorteo;

// La lista sin el primer nodo que guarda el valor, y dónde estaba (-1 si no está).
int primero(const std::vector<int>& valores, int valor) {
    for (std::size_t i = 0; i < valores.size(); ++i) {
        if (valores[i] == valor) return static_cast<int>(i);
    }
    return -1;
}

std::vector<int> sin(std::vector<int> valores, int valor) {
    const int i = primero(valores, valor);
    if (i >= 0) valores.erase(valores.begin() + i);
    return valores;
}

// "2.º", contando desde 1 en la cabeza, como la sonda.
std::string posicion(int i) {
    return std::to_string(i + 1) + ".º" + (i == 0 ? " (la cabeza)" : "");
}

Llamada quitar(const std::vector<int>& valores, int valor) {
    return conListaYValor("eliminarValor", "eliminarValor", valores, valor,
                          "la lista queda " + enLinea(sin(valores, valor)));
}

Llamada quitarYLiberar(const std::vector<int>& valores, int valor) {
    const int i = primero(valores, valor);
    return conListaYValor(
        "eliminarValor libera", "eliminarValor", valores, valor,
        i < 0 ? "no libera nada" : "libera el nodo " + posicion(i) + " y nada más");
}

Llamada quitarLaCabeza(const std::vector<int>& valores) {
    return conListaYValor(
        "eliminarValor cabeza", "eliminarValor", valores, valores.empty() ? 2 : valores.front(),
        valores.size() < 2 ? "la cabeza queda nula" : "la cabeza pasa al nodo " + posicion(1));
}

Llamada quitarElUltimo(const std::vector<int>& valores) {
    return conListaYValor("eliminarValor último", "eliminarValor", valores, valores.back(),
                          "el siguiente del penúltimo queda nulo");
}

// eliminarValor recorre con un bucle. Si lo hace con un puntero a puntero (Nodo**), que no se
// detiene en el nodo anterior al que se quita como describe el enunciado, lo decide una persona.
Juicio eliminaConBucle(const Arbol& a) {
    const std::string pide =
        "recorrer la lista con un bucle, deteniendo actual en el nodo anterior al que se quita";
    const Juicio j = listas::recorreConBucle(a, "eliminarValor", pide);
    if (j.como != Juicio::Como::Cumple) return j;
    const Funcion* f = a.definicion("eliminarValor");
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Variable& v : a.variables) {
            if (v.en != usr || v.tipo.find("**") == std::string::npos) continue;
            return {Juicio::Como::Revisar, v.lugar,
                    listas::quien(a, *f, usr) + " recorre la lista con el puntero a puntero " +
                        v.nombre + " (" + reglas::donde(a, v.lugar) +
                        ") en vez de detener actual en el nodo anterior al que se quita, como "
                        "describe el enunciado: mira si esa técnica vale aquí."};
        }
    }
    return {};
}

}  // namespace

void nodeprune(Ejercicio& e) {
    e.firmas = {
        "struct Nodo { int dato; Nodo* siguiente; };",
        "void insertarCabeza(Nodo*& cabeza, int valor);",
        "void imprimirLista(Nodo* cabeza);",
        "void eliminarValor(Nodo*& cabeza, int valor);",
    };
    agregar(e, Origen::Enunciado, {{"salida fija", "", "1 -> 2 -> 3 -> NULL\n1 -> 3 -> NULL\n"}});

    // Listas cortas con valores que se repiten a menudo: el valor está al principio, en medio,
    // al final, repetido o no está.
    const auto listaYValor = [](Azar& azar, auto hacer) {
        std::vector<Llamada> r;
        for (int i = 0; i < 4; ++i) {
            const std::vector<int> lista = sorteada(azar, 0, 6, 0, 4);
            r.push_back(sorteo(hacer(lista, static_cast<int>(azar.entero(0, 5)))));
        }
        // Una lista más larga que la del programa con el valor solo en su último nodo.
        std::vector<int> larga = sorteada(azar, 3, 6, 0, 4);
        larga.push_back(static_cast<int>(azar.entero(5, 9)));
        r.push_back(sorteo(hacer(larga, larga.back())));
        return r;
    };
    e.funciones = listas::comprobacionesDeNodeList();
    e.funciones.push_back(
        {"EliminarValorQuitaSoloLaPrimeraCoincidencia",
         Origen::Enunciado,
         "eliminarValor quita solo el primer nodo que guarda el valor, esté donde esté",
         {
             quitar({}, 2),
             quitar({1, 2, 3}, 1),
             quitar({4}, 4),
             quitar({4}, 5),
             quitar({1, 2, 3}, 2),
             quitar({1, 2, 3}, 3),
             quitar({1, 2, 3}, 7),
             quitar({2, 5, 2}, 2),
             quitar({1, 2, 2}, 2),
             quitar({9, 9, 9}, 9),
             quitar({-1, 0, 1}, -1),
         },
         [listaYValor](Azar& azar) { return listaYValor(azar, quitar); },
         "eliminarValor quita como mucho un nodo, el primero desde la cabeza que guarda el valor; "
         "si no lo hay, la lista queda igual. No escribe nada."});
    e.funciones.push_back(
        {"EliminarValorLiberaElNodoQuitadoEsteDondeEste",
         Origen::Enunciado,
         "eliminarValor libera con delete el nodo que quita, esté donde esté, y nada más",
         {
             quitarYLiberar({1, 2, 3}, 1),
             quitarYLiberar({4}, 4),
             quitarYLiberar({1, 2, 3}, 2),
             quitarYLiberar({1, 2, 3}, 3),
             quitarYLiberar({1, 2}, 2),
             quitarYLiberar({1, 2, 2}, 2),
             quitarYLiberar({1, 2, 3}, 7),
             quitarYLiberar({4}, 5),
             quitarYLiberar({}, 2),
         },
         [listaYValor](Azar& azar) { return listaYValor(azar, quitarYLiberar); },
         "El nodo que se quita se guarda en nodo_a_eliminar y se libera con delete, tanto si es "
         "la cabeza como si está más adelante; los demás no se liberan."});
    e.funciones.push_back(
        {"QuitarLaCabezaMueveElPunteroDelLlamador",
         Origen::Enunciado,
         "eliminarValor sobre la cabeza mueve el puntero cabeza del que llama",
         {quitarLaCabeza({1, 2}), quitarLaCabeza({2}), quitarLaCabeza({})},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i)
                 r.push_back(sorteo(quitarLaCabeza(sorteada(azar, 1, 6, 0, 4))));
             return r;
         },
         "Si la cabeza guarda el valor, la cabeza del que llama (Nodo*&) pasa a su siguiente: el "
         "segundo nodo, o nullptr si era el único."});
    e.funciones.push_back(
        {"QuitarElUltimoDejaNuloAlPenultimo",
         Origen::Enunciado,
         "eliminarValor sobre el último nodo deja nulo el siguiente del penúltimo",
         {quitarElUltimo({1, 2, 3}), quitarElUltimo({1, 2})},
         [](Azar& azar) {
             // El último valor no está antes: es el último nodo el que se quita.
             std::vector<int> lista = sorteada(azar, 1, 5, 0, 4);
             lista.push_back(static_cast<int>(azar.entero(5, 9)));
             return std::vector<Llamada>{sorteo(quitarElUltimo(lista))};
         },
         "El siguiente del nodo anterior al quitado pasa a ser el siguiente del quitado: nullptr "
         "si se quita el último."});

    // Lo que pide el enunciado de la técnica: cada nodo con new, la inserción por la cabeza sin
    // recorrer nada, y los recorridos con un bucle.
    e.tecnica = listas::reglasDeNodeList(
        {"insertarCabeza crea el nodo nuevo con new y lo pone delante.",
         "No recorre la lista, no mira si el valor se repite.",
         "imprimirLista recorre los nodos con un bucle, avanzando una variable local actual por "
         "siguiente hasta nullptr"},
        {"errores/insertar_con_arreglo/nodeprune.cpp",
         "errores/insertar_sin_repetidos/nodeprune.cpp",
         "errores/imprimir_con_ayudante/nodeprune.cpp", 14, 15, 24});
    e.tecnica.push_back({"EliminarValorRecorreConUnBucle",
                         "eliminarValor recorre la lista con un bucle",
                         "si no, avanza con un bucle una variable local actual desde la cabeza "
                         "mientras el nodo siguiente de actual exista y no guarde valor",
                         eliminaConBucle, "errores/eliminar_recursivo.cpp", 18});

    e.funciones.push_back({"FirmaDeEliminarValor",
                           Origen::Enunciado,
                           "eliminarValor se declara como pide el ejercicio",
                           {{"firma eliminarValor", {}, "void (Nodo*&, int)"}}});
}

}  // namespace nucleo::datos

// nodesearch: lista fija, búsqueda del 10 y liberación de todos los nodos. No lee nada.
#include "../node_list_casos.h"
#include "../reglas_listas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

using listas::conLista;
using listas::conListaYValor;
using listas::sorteada;
using listas::sorteo;

Llamada buscar(const std::vector<int>& valores, int valor, bool esperado) {
    return conListaYValor("buscarElemento", "buscarElemento", valores, valor,
                          ej_sonda::ver(esperado));
}

// Tras el último nodo se vuelve a la cabeza: la búsqueda solo termina si se detiene en la
// primera coincidencia.
Llamada buscarEnCiclo(const std::vector<int>& valores, int valor) {
    Llamada l = conListaYValor("buscarElemento en un ciclo", "buscarElemento", valores, valor,
                               ej_sonda::ver(true));
    l.muestra += ", cuyo último nodo vuelve a la cabeza";
    return l;
}

Llamada liberar(const std::vector<int>& valores) {
    return conLista("liberarLista", "liberarLista(cabeza)", valores,
                    "libera " + listas::bloques(static_cast<long>(valores.size())) +
                        "; la cabeza queda nula; imprimirLista(cabeza) escribe " +
                        ej_sonda::ver(std::string("NULL\n")));
}

}  // namespace

void nodesearch(Ejercicio& e) {
    const std::string salida = "15 -> 10 -> 5 -> NULL\nEl valor 10 se encuentra en la lista.\n";
    // Con detección de fugas: no debe quedar ningún nodo sin liberar.
    e.firmas = {
        "struct Nodo { int dato; Nodo* siguiente; };",
        "void insertarCabeza(Nodo*& cabeza, int valor);",
        "void imprimirLista(Nodo* cabeza);",
        "bool buscarElemento(Nodo* cabeza, int valor);",
        "void liberarLista(Nodo*& cabeza);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "7\n", salida}});
    e.casos.push_back(
        unidas(Origen::Enunciado, "todo va a la salida estándar, nada a la de error", "", salida));

    e.funciones = listas::comprobacionesDeNodeList();
    e.funciones.push_back(
        {"BuscarElementoEncuentraCualquierPosicion",
         Origen::Enunciado,
         "buscarElemento encuentra el valor en cualquier posición y da false en la lista vacía",
         {
             buscar({}, 10, false),
             buscar({15, 10, 5}, 15, true),
             buscar({15, 10, 5}, 10, true),
             buscar({15, 10, 5}, 5, true),
             buscar({15, 10, 5}, 7, false),
             buscar({4, 9, 4}, 4, true),
             buscar({-2, -1}, -2, true),
             buscar({1}, 0, false),
         },
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) {
                 const std::vector<int> lista = sorteada(azar, 0, 8, -9, 9);
                 r.push_back(sorteo(buscar(lista, static_cast<int>(azar.entero(-9, 9)), false)));
             }
             // Una lista más larga que la del programa con el valor solo en su último nodo.
             std::vector<int> larga = sorteada(azar, 4, 9, -9, 9);
             larga.push_back(static_cast<int>(azar.entero(10, 99)));
             r.push_back(sorteo(buscar(larga, larga.back(), true)));
             return r;
         },
         "buscarElemento devuelve true en cuanto un nodo guarda el valor y false si llega al "
         "final (nullptr); no escribe nada ni cambia la lista."});
    e.funciones.push_back(
        {"BuscarElementoSeDetieneEnLaPrimeraCoincidencia",
         Origen::Enunciado,
         "buscarElemento se detiene en el primer nodo que guarda el valor",
         {buscarEnCiclo({1, 2}, 1), buscarEnCiclo({1, 2}, 2)},
         [](Azar& azar) {
             // Siempre un valor que está en el ciclo: con uno que no está, ninguna búsqueda
             // termina.
             const std::vector<int> lista = sorteada(azar, 1, 5, -9, 9);
             const int valor = lista[static_cast<std::size_t>(
                 azar.entero(0, static_cast<long long>(lista.size()) - 1))];
             return std::vector<Llamada>{sorteo(buscarEnCiclo(lista, valor))};
         },
         "Devuelve true en cuanto encuentra el valor, sin visitar los nodos que siguen."});
    e.funciones.push_back(
        {"LiberarListaLiberaCadaNodoYDejaLaCabezaNula",
         Origen::Enunciado,
         "liberarLista libera cada nodo y deja nula la cabeza del que llama",
         {liberar({}), liberar({1}), liberar({1, 2, 3}), liberar({4, 4})},
         [](Azar& azar) {
             std::vector<Llamada> r;
             r.push_back(sorteo(liberar(sorteada(azar, 0, 10, -9, 9))));
             for (int i = 0; i < 2; ++i) r.push_back(sorteo(liberar(sorteada(azar, 4, 12, -9, 9))));
             return r;
         },
         "liberarLista guarda el siguiente de cada nodo antes de liberarlo con delete, y al "
         "acabar deja en nullptr la cabeza del que llama, que recibe por referencia (Nodo*&)."});

    // Lo que pide el enunciado de la técnica: cada nodo con new, la inserción por la cabeza sin
    // recorrer nada, y los recorridos con un bucle que avanza actual por siguiente.
    e.tecnica = listas::reglasDeNodeList(
        {"Crea un nodo nuevo con new (variable local nuevo_nodo, inicializado a valor: dato 0 y "
         "siguiente nulo)",
         "No recorre la lista, no mira si el valor se repite.",
         "Recorre los nodos con un bucle, avanzando una variable local actual por siguiente hasta "
         "nullptr"},
        {"errores/insertar_con_malloc/nodesearch.cpp",
         "errores/insertar_sin_repetidos/nodesearch.cpp",
         "errores/imprimir_recursivo/nodesearch.cpp", 15, 14, 27});
    const std::string recorrer = "recorrer la lista con un bucle, avanzando actual por siguiente";
    e.tecnica.push_back(
        {"BuscarElementoRecorreConUnBucle", "buscarElemento recorre la lista con un bucle",
         "buscarElemento recibe la cabeza por valor y la recorre con un bucle, con una variable "
         "local actual que empieza en la cabeza.",
         [recorrer](const Arbol& a) {
             return listas::recorreConBucle(a, "buscarElemento", recorrer);
         },
         "errores/buscar_recursivo.cpp", 12});
    e.tecnica.push_back(
        {"LiberarListaRecorreConUnBucle", "liberarLista recorre la lista con un bucle",
         "Recorre la lista con un bucle y un puntero actual: para cada nodo guarda primero su "
         "siguiente en una variable local siguiente, luego libera el nodo con delete y sigue por "
         "el guardado.",
         [](const Arbol& a) {
             return listas::recorreConBucle(a, "liberarLista",
                                            "recorrer la lista con un bucle, liberando cada nodo "
                                            "desde la cabeza después de guardar su siguiente");
         },
         "errores/liberar_recursivo.cpp", 21});

    e.funciones.push_back({"FirmaDeBuscarElemento",
                           Origen::Enunciado,
                           "buscarElemento se declara como pide el ejercicio",
                           {{"firma buscarElemento", {}, "bool (Nodo*, int)"}}});
    e.funciones.push_back({"FirmaDeLiberarLista",
                           Origen::Enunciado,
                           "liberarLista se declara como pide el ejercicio",
                           {{"firma liberarLista", {}, "void (Nodo*&)"}}});
}

}  // namespace nucleo::datos

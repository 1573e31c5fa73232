// Las comprobaciones de node_list.h (Nodo, insertarCabeza, imprimirLista), que llevan en su tabla
// nodesearch y nodeprune, y lo que las dos tablas usan para escribir sus listas. Lo observado lo
// escribe la sonda de cada programa (<programa>_sonda.cpp) con estas mismas palabras.
#ifndef EJLISTAS_NODE_LIST_CASOS_H
#define EJLISTAS_NODE_LIST_CASOS_H

#include <string>
#include <vector>

#include "caso.h"
#include "sonda.h"

namespace nucleo::datos::listas {

// Los valores de una lista, desde la cabeza, como argumento de la sonda: "15 10 5".
inline std::string argumento(const std::vector<int>& valores) {
    std::string r;
    for (int v : valores) r += (r.empty() ? "" : " ") + std::to_string(v);
    return r;
}

// La lista como la escribe imprimirLista, sin el fin de línea: "15 -> 10 -> 5 -> NULL".
inline std::string enLinea(const std::vector<int>& valores) {
    std::string r;
    for (int v : valores) r += std::to_string(v) + " -> ";
    return r + "NULL";
}

// Cómo se nombra en un informe: "la lista 15 -> 10 -> 5 -> NULL", "la lista vacía".
inline std::string laLista(const std::vector<int>& valores) {
    return valores.empty() ? "la lista vacía" : "la lista " + enLinea(valores);
}

// "1 bloque", "3 bloques": lo que reserva o libera una llamada con new y delete.
inline std::string bloques(long n) { return std::to_string(n) + (n == 1 ? " bloque" : " bloques"); }

// Una lista sorteada: de desde a hasta nodos, con valores en [minimo, maximo].
inline std::vector<int> sorteada(Azar& azar, int desde, int hasta, int minimo, int maximo) {
    std::vector<int> r(static_cast<std::size_t>(azar.entero(desde, hasta)));
    for (int& v : r) v = static_cast<int>(azar.entero(minimo, maximo));
    return r;
}

// Una llamada con una lista y, si lo hay, un valor; muestra: "buscarElemento(cabeza, 7) con la
// lista 15 -> 10 -> 5 -> NULL".
inline Llamada conLista(const std::string& operacion, const std::string& funcion,
                        const std::vector<int>& valores, const std::string& esperado) {
    return {operacion, {argumento(valores)}, esperado, funcion + " con " + laLista(valores)};
}

inline Llamada conListaYValor(const std::string& operacion, const std::string& funcion,
                              const std::vector<int>& valores, int valor,
                              const std::string& esperado) {
    return {operacion,
            {argumento(valores), std::to_string(valor)},
            esperado,
            funcion + "(cabeza, " + std::to_string(valor) + ") con " + laLista(valores)};
}

// Una llamada sorteada: lo esperado lo da la respuesta modelo.
inline Llamada sorteo(Llamada llamada) {
    llamada.esperado.clear();
    return llamada;
}

// imprimirLista dos veces seguidas: la misma línea cada vez.
inline Llamada imprimirDosVeces(const std::vector<int>& valores) {
    const std::string linea = enLinea(valores) + "\n";
    return conLista("imprimirLista", "imprimirLista(cabeza), dos veces,", valores,
                    "escribe " + ej_sonda::ver(linea) + " las dos veces");
}

// imprimirLista una vez, con cómo acaba su línea: std::endl la vacía.
inline Llamada imprimirUnaVez(const std::vector<int>& valores) {
    const std::string linea = enLinea(valores) + "\n";
    return conLista("imprimirLista una vez", "imprimirLista(cabeza)", valores,
                    ej_sonda::ver(ej_sonda::Escrito{linea, linea, ""}));
}

// insertarCabeza sobre una lista: un nodo nuevo delante, cuyo siguiente es la cabeza de antes.
inline Llamada insertar(const std::vector<int>& valores, int valor) {
    std::vector<int> despues = {valor};
    despues.insert(despues.end(), valores.begin(), valores.end());
    return conListaYValor("insertarCabeza", "insertarCabeza", valores, valor,
                          "reserva " + bloques(1) + "; la cabeza guarda " + std::to_string(valor) +
                              " y su siguiente es la cabeza de antes; la lista queda " +
                              enLinea(despues));
}

inline std::vector<ComprobacionDeFunciones> comprobacionesDeNodeList() {
    std::vector<Llamada> dosVeces;
    for (const std::vector<int>& v : std::vector<std::vector<int>>{
             {}, {7}, {15, 10, 5}, {-3}, {7, 7}, {2147483647, -2147483647 - 1}}) {
        dosVeces.push_back(imprimirDosVeces(v));
    }
    return {
        {"ImprimirListaEscribeCadaValorYNull", Origen::Enunciado,
         "imprimirLista escribe cada valor seguido de \" -> \" y termina con NULL", dosVeces,
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i)
                 r.push_back(sorteo(imprimirDosVeces(sorteada(azar, 1, 8, -1000, 1000))));
             return r;
         },
         "Cada dato, también el último, va seguido de \" -> \", y la línea acaba en NULL; la "
         "lista vacía escribe solo NULL. imprimirLista no cambia la lista."},
        {"ImprimirListaAcabaConStdEndl",
         Origen::Enunciado,
         "imprimirLista termina su línea con std::endl",
         {imprimirUnaVez({}), imprimirUnaVez({5, 10})},
         [](Azar& azar) {
             return std::vector<Llamada>{sorteo(imprimirUnaVez(sorteada(azar, 1, 5, -99, 99)))};
         }},
        {"InsertarCabezaEnlazaElNuevoNodoDelante",
         Origen::Enunciado,
         "insertarCabeza pone un nodo nuevo delante y cambia la cabeza del que llama",
         {insertar({}, 7), insertar({7}, 8)},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) {
                 const std::vector<int> lista = sorteada(azar, 0, 6, -50, 50);
                 r.push_back(sorteo(insertar(lista, static_cast<int>(azar.entero(-50, 50)))));
             }
             return r;
         },
         "insertarCabeza reserva un nodo con new, le pone el valor, hace que su siguiente sea la "
         "cabeza actual y deja apuntando a él la cabeza del que llama, que recibe por referencia "
         "(Nodo*&)."},
        {"FirmaDeInsertarCabeza",
         Origen::Enunciado,
         "insertarCabeza se declara como pide el ejercicio",
         {{"firma insertarCabeza", {}, "void (Nodo*&, int)"}}},
        {"FirmaDeImprimirLista",
         Origen::Enunciado,
         "imprimirLista se declara como pide el ejercicio",
         {{"firma imprimirLista", {}, "void (Nodo*)"}}},
    };
}

}  // namespace nucleo::datos::listas

#endif

// Salidas exactas de los tres programas de listas, ejecutados como los ejecuta un alumno.
#include <gtest/gtest.h>

#include "ejecutar.h"
#include "tabla.h"

using arnes::Caso;

namespace {

const std::string kCuenta = "Ingrese el número de elementos: ";
const std::string kInvalida = "Entrada no válida.\n";

std::string avisos(int n) {
    std::string texto;
    for (int i = 1; i <= n; ++i) texto += "Ingrese el dato " + std::to_string(i) + ": ";
    return texto;
}

TEST(Listas, NodesearchMuestraLaListaYEncuentraElDiez) {
    // Con detección de fugas activa en la compilación con sanitizadores: no debe quedar nodo.
    arnes::comprobarTabla(
        "nodesearch",
        {{"salida fija", "", "15 -> 10 -> 5 -> NULL\nEl valor 10 se encuentra en la lista.\n"},
         {"ignora la entrada", "7\n",
          "15 -> 10 -> 5 -> NULL\nEl valor 10 se encuentra en la lista.\n"}});
}

TEST(Listas, NodepruneQuitaElNodoDelMedio) {
    // nodeprune conserva a propósito los dos nodos que quedan: sin detección de fugas.
    arnes::comprobarTabla("nodeprune",
                          {{"salida fija", "", "1 -> 2 -> 3 -> NULL\n1 -> 3 -> NULL\n"}},
                          arnes::sinDeteccionDeFugas());
}

TEST(Listas, RingchainRecorreElAnilloEnOrdenDeEntrada) {
    // ringchain no libera ningún nodo (así lo plantea el ejercicio): sin detección de fugas.
    arnes::comprobarTabla(
        "ringchain",
        {
            {"ejemplo, un número por línea", "3\n10\n20\n30\n",
             kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"},
            {"ejemplo, todo en una línea", "3 10 20 30\n",
             kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"},
            {"cuenta 0: solo el aviso, sin fin de línea", "0\n", kCuenta},
            {"cuenta negativa: como 0", "-4\n", kCuenta},
            {"cuenta 1: un nodo", "1\n7\n", kCuenta + avisos(1) + "7 <-> cabeza\n"},
            {"valores negativos repetidos", "2\n-1\n-1\n",
             kCuenta + avisos(2) + "-1 <-> -1 <-> cabeza\n"},
            {"extremos de int", "2\n2147483647 -2147483648\n",
             kCuenta + avisos(2) + "2147483647 <-> -2147483648 <-> cabeza\n"},
            {"lo que sobra tras los valores no se lee", "1 5 6 xyz\n",
             kCuenta + avisos(1) + "5 <-> cabeza\n"},
            {"números de avisos hasta 12", "12 1 2 3 4 5 6 7 8 9 10 11 12",
             kCuenta + avisos(12) +
                 "1 <-> 2 <-> 3 <-> 4 <-> 5 <-> 6 <-> 7 <-> 8 <-> 9 <-> 10 <-> 11 <-> 12 <-> "
                 "cabeza\n"},
        },
        arnes::sinDeteccionDeFugas());
}

TEST(Listas, RingchainRechazaLecturasFallidas) {
    arnes::comprobarTabla(
        "ringchain",
        {
            {"entrada vacía", "", kCuenta + kInvalida},
            {"solo blancos", "  \n\n\t", kCuenta + kInvalida},
            {"cuenta que no es número", "abc\n", kCuenta + kInvalida},
            {"cuenta fuera de int", "2147483648\n", kCuenta + kInvalida},
            {"cuenta muy negativa fuera de int", "-99999999999\n", kCuenta + kInvalida},
            {"valor que no es número", "2\n5\nx\n", kCuenta + avisos(2) + kInvalida},
            {"valor fuera de int", "1\n-2147483649\n", kCuenta + avisos(1) + kInvalida},
            {"la entrada acaba antes de tiempo", "3\n10\n", kCuenta + avisos(2) + kInvalida},
            {"cuenta enorme sin datos", "2147483647\n", kCuenta + avisos(1) + kInvalida},
            {"cuenta con decimales: lee 2, el punto falla", "2.5\n",
             kCuenta + avisos(1) + kInvalida},
        },
        arnes::sinDeteccionDeFugas());
}

TEST(Listas, RingchainVaciaCadaAvisoAntesDeLeer) {
    // Cada respuesta se escribe solo cuando su aviso ya llegó: si faltara el vaciado de la
    // salida antes de leer, el aviso no llegaría y la conversación se agotaría.
    arnes::Resultado r = arnes::conversar("ringchain",
                                          {{kCuenta, "3\n"},
                                           {"Ingrese el dato 1: ", "10\n"},
                                           {"Ingrese el dato 2: ", "20\n"},
                                           {"Ingrese el dato 3: ", "30\n"}},
                                          arnes::sinDeteccionDeFugas());
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.pasoSinAviso, -1) << r;
    EXPECT_EQ(r.salida, kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n");
}

TEST(Listas, NodesearchEscribeErroresVacios) {
    // El orden entre los flujos: todo va a la salida estándar.
    arnes::Opciones unidas;
    unidas.unirSalidas = true;
    arnes::Resultado r = arnes::ejecutar("nodesearch", "", unidas);
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "15 -> 10 -> 5 -> NULL\nEl valor 10 se encuentra en la lista.\n");
}

}  // namespace

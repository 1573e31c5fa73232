// Los hechos del analizador leídos como árbol, y las piezas de las reglas de la técnica sobre
// árboles escritos a mano: lo que hace una función incluye a sus ayudantes, la recursión por un
// ayudante se deja a una persona, y cada pista dice la línea.
#include "arbol.h"

#include <gtest/gtest.h>

#include "reglas.h"

namespace nucleo {
namespace {

// Un árbol de hechos escritos como los escribe el analizador (campos separados por «|» aquí,
// para leerlos mejor).
Arbol arbol(std::string hechos, bool conFin = true) {
    for (char& c : hechos) {
        if (c == '|') c = '\t';
    }
    Arbol a = Arbol::leer(hechos + (conFin ? "fin\n" : ""));
    a.principal = "a.cpp";
    return a;
}

const std::string kFib =
    "F|f|fib|a.cpp:3|funcion|1|-|-|fib(int)\n"
    "F|m|main|a.cpp:20|funcion|1|-|-|main()\n"
    "C|m|f|fib|a.cpp:22\n";

TEST(Arbol, LeeCadaHechoYSabeSiLlegoEntero) {
    const Arbol a = arbol(kFib +
                          "K|Comparador|a.cpp:9|especializacion|Comparador|Comparador<char *>|1\n"
                          "M|Cir|longitud|private|Cir.h:4|campo\n"
                          "B|f|for|a.cpp:5\n"
                          "V|f|memo|int[47]|a.cpp:4|-|1\n"
                          "L|m|a.cpp:21|=|&x y|1|cuenta\n"
                          "A|f|global:total|a.cpp:6|+=\n"
                          "D|m|deref**:ptr2|a.cpp:23\n"
                          "N|m|Nodo|a.cpp:24|0\n"
                          "X|basura\n");
    EXPECT_TRUE(a.completo);
    ASSERT_EQ(a.funciones.size(), 2u);
    EXPECT_EQ(a.funciones[0].lugar.linea, 3);
    EXPECT_EQ(a.clases.at(0).mostrado, "Comparador<char *>");
    EXPECT_EQ(a.miembros.at(0).acceso, "private");
    EXPECT_TRUE(a.variables.at(0).estatica);
    EXPECT_EQ(a.lambdas.at(0).capturas, (std::vector<std::string>{"&x", "y"}));
    EXPECT_EQ(a.lambdas.at(0).porDefecto, "=");
    EXPECT_EQ(a.lambdas.at(0).guardada, "cuenta");
    EXPECT_EQ(a.asignaciones.at(0).destino, "global:total");
    EXPECT_EQ(a.desreferencias.at(0).destino, "deref**:ptr2");
    EXPECT_EQ(a.reservas.at(0).tipo, "Nodo");
    EXPECT_FALSE(arbol(kFib, false).completo) << "sin «fin», el analizador no acabó";
}

TEST(Reglas, CadaPiezaJuzgaLaFuncionYSusAyudantes) {
    using C = Juicio::Como;
    struct Fila {
        const char* que;
        std::string hechos;
        Juicio (*regla)(const Arbol&);
        C como;
        int linea;
        std::string pista;
    } filas[] = {
        {"recursiva y sin bucles", kFib + "C|f|f|fib|a.cpp:6\n",
         [](const Arbol& a) {
             return reglas::primero({reglas::seLlamaASiMisma(a, "fib", "recursión"),
                                     reglas::sinBucles(a, "fib", "recursión")});
         },
         C::Cumple, 0, ""},
        {"un bucle en la propia función", kFib + "C|f|f|fib|a.cpp:6\nB|f|while|a.cpp:5\n",
         [](const Arbol& a) { return reglas::sinBucles(a, "fib", "recursión sin bucles"); },
         C::Incumple, 5,
         "fib tiene un bucle while en la línea 5: el enunciado pide recursión sin bucles."},
        {"un bucle escondido en un ayudante",
         kFib + "F|h|ayuda|b.cpp:30|funcion|1|-|-|ayuda(int)\nC|f|h|ayuda|a.cpp:6\n"
                "B|h|for-rango|b.cpp:31\n",
         [](const Arbol& a) { return reglas::sinBucles(a, "fib", "recursión"); }, C::Incumple, 31,
         "fib (en ayuda, a la que llama) tiene un bucle for de rango en la línea 31 de b.cpp: el "
         "enunciado pide recursión."},
        {"el bucle de main no es de fib", kFib + "B|m|for|a.cpp:21\n",
         [](const Arbol& a) { return reglas::sinBucles(a, "fib", "recursión"); }, C::Cumple, 0, ""},
        {"sin recursión", kFib,
         [](const Arbol& a) { return reglas::seLlamaASiMisma(a, "fib", "recursión"); }, C::Incumple,
         3, "fib (la línea 3) no se llama a sí misma: el enunciado pide recursión."},
        {"la recursión pasa por un ayudante",
         kFib + "F|h|ayuda|a.cpp:10|funcion|1|-|-|ayuda(int,int)\nC|f|h|ayuda|a.cpp:4\n"
                "C|h|h|ayuda|a.cpp:12\n",
         [](const Arbol& a) { return reglas::seLlamaASiMisma(a, "fib", "recursión"); }, C::Revisar,
         3, ""},
        {"una variable static", kFib + "V|f|memo|int[47]|a.cpp:4|-|1\n",
         [](const Arbol& a) { return reglas::sinMemoria(a, "fib", "sin memoria"); }, C::Incumple, 4,
         ""},
        {"una global escrita", kFib + "A|f|global:tabla|a.cpp:7|=\n",
         [](const Arbol& a) { return reglas::sinMemoria(a, "fib", "sin memoria"); }, C::Incumple, 7,
         ""},
        {"una local no static no es memoria", kFib + "V|f|x|int|a.cpp:4|-|0\nA|f|var:x|a.cpp:5|=\n",
         [](const Arbol& a) { return reglas::sinMemoria(a, "fib", "sin memoria"); }, C::Cumple, 0,
         ""},
        {"una función de la biblioteca prohibida", kFib + "C|f|s|std::max|a.cpp:5\n",
         [](const Arbol& a) {
             return reglas::noLlamaA(a, "fib", {"std::max", "std::min"}, "la plantilla");
         },
         C::Incumple, 5, "fib llama a std::max en la línea 5: el enunciado pide la plantilla."},
        {"una que se pide y no se llama", kFib,
         [](const Arbol& a) { return reglas::llamaA(a, "main", {"atof"}, "atof"); }, C::Incumple,
         20, ""},
        {"una función que no está", kFib,
         [](const Arbol& a) { return reglas::sinBucles(a, "otra", "recursión"); }, C::Incumple, 0,
         "No se encuentra la definición de otra."},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.que);
        const Juicio j = f.regla(arbol(f.hechos));
        EXPECT_EQ(j.como, f.como) << j.pista;
        EXPECT_EQ(j.lugar.linea, f.linea) << j.pista;
        if (!f.pista.empty()) {
            EXPECT_EQ(j.pista, f.pista);
        }
    }
}

}  // namespace
}  // namespace nucleo

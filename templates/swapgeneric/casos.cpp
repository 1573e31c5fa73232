// swapgeneric: intercambio de dos int y dos char por referencia. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const long long kMenorInt = -2147483647LL - 1;
const long long kMayorInt = 2147483647LL;

// Un char como argumento de la sonda ("a", o "\xC3") y como se escribe en C++ ('a', '\xC3'),
// que es también como lo muestra la sonda.
std::string argumentoChar(int byte) {
    const char* const cifras = "0123456789ABCDEF";
    if (byte >= 'a' && byte <= 'z') return std::string(1, static_cast<char>(byte));
    return std::string("\\x") + cifras[byte >> 4] + cifras[byte & 0xF];
}

std::string literalChar(int byte) { return "'" + argumentoChar(byte) + "'"; }

// Lo que se observa de dos variables: "a = 10, b = 5".
std::string par(const std::string& a, const std::string& b) { return "a = " + a + ", b = " + b; }

// intercambiar(a, b) una o dos veces, con a y b de tipo int o char.
Llamada deInts(const std::string& operacion, long long a, long long b, std::string esperado) {
    const std::string x = std::to_string(a), y = std::to_string(b);
    const bool dos = operacion.find("dos veces") != std::string::npos;
    return {operacion,
            {x, y},
            std::move(esperado),
            std::string(dos ? "intercambiar(a, b) dos veces" : "intercambiar(a, b)") +
                ", con int a = " + x + ", b = " + y};
}

Llamada deChars(const std::string& operacion, int a, int b, std::string esperado) {
    const bool dos = operacion.find("dos veces") != std::string::npos;
    return {operacion,
            {argumentoChar(a), argumentoChar(b)},
            std::move(esperado),
            std::string(dos ? "intercambiar(a, b) dos veces" : "intercambiar(a, b)") +
                ", con char a = " + literalChar(a) + ", b = " + literalChar(b)};
}

Llamada consigoMisma(long long a, std::string esperado) {
    return {"intercambiar consigo misma<int>",
            {std::to_string(a)},
            std::move(esperado),
            "intercambiar(a, a), con int a = " + std::to_string(a)};
}

Llamada consigoMismaChar(int a, std::string esperado) {
    return {"intercambiar consigo misma<char>",
            {argumentoChar(a)},
            std::move(esperado),
            "intercambiar(a, a), con char a = " + literalChar(a)};
}

}  // namespace

void swapgeneric(Ejercicio& e) {
    const std::string salida =
        "Antes del intercambio: num1 = 5, num2 = 10\n"
        "Después del intercambio: num1 = 10, num2 = 5\n"
        "Antes del intercambio: char1 = a, char2 = b\n"
        "Después del intercambio: char1 = b, char2 = a\n";
    e.firmas = {
        "template <typename T> void intercambiar(T& a, T& b);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});

    const std::string kDosInt = "intercambiar dos veces<int>";
    const std::string kDosChar = "intercambiar dos veces<char>";
    e.funciones = {
        {"IntercambiarDosVecesRestauraElOrden",
         Origen::Enunciado,
         "intercambiar cambia los valores, y dos veces los deja como estaban",
         {deInts(kDosInt, 5, 10, par("10", "5") + "; otra vez: " + par("5", "10")),
          deChars(kDosChar, 'a', 'b', par("'b'", "'a'") + "; otra vez: " + par("'a'", "'b'"))},
         [kDosInt, kDosChar](Azar& azar) {
             const long long a = azar.entero(kMenorInt, kMayorInt);
             const long long b = azar.entero(kMenorInt, kMayorInt);
             const int c = static_cast<int>(azar.entero(0, 255));
             const int d = static_cast<int>(azar.entero(0, 255));
             return std::vector<Llamada>{deInts(kDosInt, a, b, ""), deChars(kDosChar, c, d, "")};
         },
         "intercambiar recibe a y b por referencia (T&) y usa temp: copia a en temp, asigna b a a "
         "y temp a b."},
        {"LaMismaVariableComoAmbosArgumentosNoCambia",
         Origen::Enunciado,
         "intercambiar con la misma variable en los dos argumentos no la cambia",
         {consigoMisma(42, "a = 42"), consigoMismaChar('z', "a = 'z'")},
         [](Azar& azar) {
             const long long a = azar.entero(kMenorInt, kMayorInt);
             const int c = static_cast<int>(azar.entero(0, 255));
             return std::vector<Llamada>{consigoMisma(a, ""), consigoMismaChar(c, "")};
         },
         "Con a y b la misma variable, temp guarda su valor antes de asignar: a = b y b = temp "
         "la dejan como estaba."},
        {"ValoresIgualesSiguenIguales",
         Origen::Enunciado,
         "intercambiar dos valores iguales los deja iguales",
         {deInts("intercambiar<int>", 7, 7, par("7", "7"))},
         [](Azar& azar) {
             const long long a = azar.entero(kMenorInt, kMayorInt);
             const int c = static_cast<int>(azar.entero(0, 255));
             return std::vector<Llamada>{deInts("intercambiar<int>", a, a, ""),
                                         deChars("intercambiar<char>", c, c, "")};
         }},
        {"FirmaDeIntercambiar",
         Origen::Enunciado,
         "intercambiar se declara como pide el ejercicio",
         {{"firma intercambiar<int>", {}, "void (int&, int&)"}}},
    };
}

}  // namespace nucleo::datos

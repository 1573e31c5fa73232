// swapgeneric: intercambio de dos int y dos char por referencia. No lee nada.
#include <algorithm>
#include <string>
#include <vector>

#include "../reglas_plantillas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

// intercambiar (o una función a la que llama) tiene una variable local donde guardar a: sin
// ella, tras a = b el valor de a se pierde (o se recurre a std::swap, a sumas o a ^=). El nombre
// no se mira.
Juicio intercambiaConVariableLocal(const Arbol& a) {
    const Funcion* f = a.definicion("intercambiar");
    if (f == nullptr) return reglas::definida(a, "intercambiar");
    const std::vector<std::string> suyas = a.conAyudantes(f->usr);
    for (const Variable& v : a.variables) {
        if (std::find(suyas.begin(), suyas.end(), v.en) != suyas.end()) return {};
    }
    // Si no asigna nada ella misma y hay otra plantilla de la solución con variables locales,
    // puede llamarla con a y b (el analizador no ve esa llamada): lo decide una persona.
    const bool asigna = std::any_of(a.asignaciones.begin(), a.asignaciones.end(),
                                    [&](const Escritura& e) { return e.en == f->usr; });
    for (const Funcion& g : a.funciones) {
        if (asigna || !g.definicion || g.tipo != "plantilla" || g.usr == f->usr) continue;
        const bool conLocal = std::any_of(a.variables.begin(), a.variables.end(),
                                          [&](const Variable& v) { return v.en == g.usr; });
        if (conLocal)
            return {Juicio::Como::Revisar, f->lugar,
                    "intercambiar (" + reglas::donde(a, f->lugar) +
                        ") no tiene variables locales a la vista, pero " + g.nombre + " (" +
                        reglas::donde(a, g.lugar) +
                        ") sí: mira si intercambiar la llama para copiar a en una variable "
                        "temp, como pide el enunciado."};
    }
    return {Juicio::Como::Incumple, f->lugar,
            "intercambiar (" + reglas::donde(a, f->lugar) +
                ") no tiene ninguna variable local: el enunciado pide copiar a en una variable "
                "temp de tipo T, asignar b a a y después temp a b."};
}

// main no asigna nada a num1, num2, char1 ni char2 después de declararlas: las cambia
// intercambiar.
Juicio mainNoCambiaLasVariables(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return {};
    for (const Escritura& e : a.asignaciones) {
        if (e.en != m->usr) continue;
        for (const char* nombre : {"num1", "num2", "char1", "char2"}) {
            if (e.destino != std::string("var:") + nombre) continue;
            return {Juicio::Como::Incumple, e.lugar,
                    "main cambia " + std::string(nombre) + " en " + reglas::donde(a, e.lugar) +
                        ": el enunciado pide que solo intercambiar cambie las variables."};
        }
    }
    return {};
}

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

    // Lo que pide el enunciado de la técnica: una sola plantilla, con su parámetro T, que cambia
    // las variables de main con una variable auxiliar; main la usa con int y con char.
    namespace p = reglas::plantillas;
    e.examina = {"intercambiar"};
    e.tecnica = {
        {"IntercambiarEsPlantilla", "intercambiar es una plantilla de función",
         "intercambiar es una sola plantilla de función para los dos tipos, no una función para "
         "cada tipo.",
         [](const Arbol& a) {
             return p::esPlantilla(
                 a, "intercambiar",
                 "una sola plantilla de función, template <typename T>, para int y char");
         },
         "errores/funcion_por_tipo.cpp", 4},
        {"ParametroDeTipoT", "el parámetro de tipo de intercambiar se llama T",
         "Su parámetro de tipo se llama T.",
         [](const Arbol& a) { return p::parametroDeTipo(a, "intercambiar", "T"); },
         "errores/parametro_tipo.cpp", 5},
        {"IntercambiarConTemp", "intercambiar guarda a en una variable local",
         "Usa una variable local temp de tipo T: copia a en temp, asigna b a a y asigna temp a b.",
         intercambiaConVariableLocal, "errores/con_sumas.cpp", 5},
        {"SoloIntercambiarCambiaLasVariables", "main no cambia num1, num2, char1 ni char2",
         "Solo intercambiar cambia estas variables.", mainNoCambiaLasVariables,
         "errores/a_mano_en_main.cpp", 21},
        {"MainUsaIntercambiar", "main usa intercambiar con int y con char",
         "Llama una vez a la versión int y otra a la versión char, y devuelve 0.",
         [](const Arbol& a) {
             return p::usadaDesdeMain(a, "intercambiar", 2,
                                      "llamarla una vez con num1 y num2 y otra con char1 y char2");
         },
         "errores/chars_a_mano.cpp", 11},
    };
}

}  // namespace nucleo::datos

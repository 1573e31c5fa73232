// maxgeneric: el máximo de dos int, dos char y dos double fijos. No lee nada.
#include <cmath>
#include <tuple>

#include "../reglas_plantillas.h"
#include "sonda.h"
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

// Un double como argumento de la sonda ("nan", "-0", "2.5") y como literal de C++ (NaN, -0.0).
std::string argumentoDouble(double v) { return ej_sonda::ver(v); }

std::string literalDouble(double v) {
    if (std::isnan(v)) return "NaN";
    const std::string t = ej_sonda::ver(v);
    return t.find_first_of(".en") == std::string::npos ? t + ".0" : t;
}

Llamada deInts(const std::string& operacion, long long a, long long b, std::string esperado) {
    return {operacion,
            {std::to_string(a), std::to_string(b)},
            std::move(esperado),
            "encontrarMaximo(" + std::to_string(a) + ", " + std::to_string(b) + ")"};
}

Llamada deChars(const std::string& operacion, int a, int b, std::string esperado) {
    return {operacion,
            {argumentoChar(a), argumentoChar(b)},
            std::move(esperado),
            "encontrarMaximo(" + literalChar(a) + ", " + literalChar(b) + ")"};
}

Llamada deDoubles(const std::string& operacion, double a, double b, std::string esperado) {
    return {operacion,
            {argumentoDouble(a), argumentoDouble(b)},
            std::move(esperado),
            "encontrarMaximo(" + literalDouble(a) + ", " + literalDouble(b) + ")"};
}

// Un double cualquiera con pocas cifras, exacto en binario: entero o con fracción de 1/1024.
double unDouble(Azar& azar) {
    const long long numerador = azar.entero(-1000000, 1000000);
    return static_cast<double>(numerador) / static_cast<double>(1LL << azar.entero(0, 10));
}

const double kNaN = std::nan("");

}  // namespace

void maxgeneric(Ejercicio& e) {
    const std::string salida =
        "El máximo entre 10 y 5 es: 10\n"
        "El máximo entre 'a' y 'c' es: c\n"
        "El máximo entre 3.14 y 2.71 es: 3.14\n";
    e.firmas = {
        "template <typename T> T encontrarMaximo(T a, T b);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});

    const std::string kInt = "encontrarMaximo<int>";
    const std::string kChar = "encontrarMaximo<char>";
    const std::string kDouble = "encontrarMaximo<double>";
    const std::string kNada = ej_sonda::ver(ej_sonda::Escrito{});

    std::vector<Llamada> enteros;
    for (const auto& [a, b, m] : std::vector<std::tuple<long long, long long, long long>>{
             {10, 5, 10},
             {5, 10, 10},
             {7, 7, 7},
             {-3, 2, 2},
             {-3, -8, -3},
             {kMenorInt, kMayorInt, kMayorInt},
         }) {
        enteros.push_back(deInts(kInt, a, b, std::to_string(m)));
    }

    e.funciones = {
        {"EncontrarMaximoDeEnteros", Origen::Enunciado,
         "encontrarMaximo devuelve el mayor de dos enteros", enteros,
         [kInt](Azar& azar) {
             std::vector<Llamada> r;
             // Un par distinto en los dos órdenes: una vez gana el primero y otra el segundo.
             const long long x = azar.entero(kMenorInt, kMayorInt - 1);
             const long long y = azar.entero(x + 1, kMayorInt);
             r.push_back(deInts(kInt, y, x, ""));
             r.push_back(deInts(kInt, x, y, ""));
             // Uno cualquiera, y uno pequeño, donde los empates son frecuentes.
             const long long a = azar.entero(kMenorInt, kMayorInt);
             const long long b = azar.entero(kMenorInt, kMayorInt);
             r.push_back(deInts(kInt, a, b, ""));
             const long long c = azar.entero(-5, 5);
             const long long d = azar.entero(-5, 5);
             r.push_back(deInts(kInt, c, d, ""));
             return r;
         },
         "encontrarMaximo devuelve a si a > b, y b en otro caso; con int la comparación es con "
         "signo."},
        {"ConCerosIgualesDevuelveElSegundo",
         Origen::Enunciado,
         "encontrarMaximo con dos ceros de distinto signo devuelve el segundo",
         {deDoubles(kDouble, 0.0, -0.0, "-0"), deDoubles(kDouble, -0.0, 0.0, "0")},
         [kDouble](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 2; ++i) {
                 const double a = azar.unoDe(2) ? 0.0 : -0.0;
                 const double b = azar.unoDe(2) ? 0.0 : -0.0;
                 r.push_back(deDoubles(kDouble, a, b, ""));
             }
             return r;
         },
         "0.0 y -0.0 son iguales para >: a > b es falso y se devuelve b, el segundo. Con >= se "
         "devolvería el primero."},
        {"ConNaNDevuelveElSegundo",
         Origen::Enunciado,
         "encontrarMaximo con un NaN en cualquier posición devuelve el segundo",
         {deDoubles(kDouble, kNaN, 1.0, "1"), deDoubles(kDouble, kNaN, -1.0, "-1"),
          deDoubles(kDouble, 1.0, kNaN, "nan"), deDoubles(kDouble, kNaN, kNaN, "nan")},
         [kDouble](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) {
                 const double x = unDouble(azar);
                 r.push_back(azar.unoDe(2) ? deDoubles(kDouble, kNaN, x, "")
                                           : deDoubles(kDouble, x, kNaN, ""));
             }
             return r;
         },
         "Un NaN no es mayor ni menor que nada: a > b es falso y se devuelve b, sin tratar el NaN "
         "aparte."},
        {"UnByteDesde128PierdeContraLaA",
         Origen::Enunciado,
         "un char de 128 o más pierde contra la letra a (char tiene signo)",
         {deChars(kChar, 0xC3, 'a', literalChar('a')), deChars(kChar, 'a', 0xC3, literalChar('a')),
          deChars(kChar, 0x80, 0x7F, literalChar(0x7F)),
          deChars(kChar, 'c', 'a', literalChar('c'))},
         [kChar](Azar& azar) {
             std::vector<Llamada> r;
             const int alto = static_cast<int>(azar.entero(0x80, 0xFF));
             const int letra = static_cast<int>(azar.entero('a', 'z'));
             r.push_back(deChars(kChar, alto, letra, ""));
             r.push_back(deChars(kChar, letra, alto, ""));
             for (int i = 0; i < 2; ++i) {
                 const int a = static_cast<int>(azar.entero(0, 255));
                 const int b = static_cast<int>(azar.entero(0, 255));
                 r.push_back(deChars(kChar, a, b, ""));
             }
             return r;
         },
         "Compara los char tal cual, con >: char tiene signo, y un byte de 128 o más es negativo."},
        {"EncontrarMaximoNoEscribeNada",
         Origen::Enunciado,
         "encontrarMaximo no escribe nada",
         {deInts("escribe " + kInt, 1, 2, kNada), deChars("escribe " + kChar, 'a', 'b', kNada),
          deDoubles("escribe " + kDouble, 1.5, 2.5, kNada)},
         [kInt, kChar, kDouble](Azar& azar) {
             const long long a = azar.entero(-1000, 1000), b = azar.entero(-1000, 1000);
             const int c = static_cast<int>(azar.entero('a', 'z'));
             const int d = static_cast<int>(azar.entero('a', 'z'));
             const double x = unDouble(azar), y = unDouble(azar);
             return std::vector<Llamada>{deInts("escribe " + kInt, a, b, ""),
                                         deChars("escribe " + kChar, c, d, ""),
                                         deDoubles("escribe " + kDouble, x, y, "")};
         },
         "encontrarMaximo solo devuelve el mayor: lo escribe main."},
        {"FirmaDeEncontrarMaximo",
         Origen::Enunciado,
         "encontrarMaximo se declara como pide el ejercicio",
         {{"firma encontrarMaximo<int>", {}, "int (int, int)"}}},
    };

    // Lo que pide el enunciado de la técnica: una sola plantilla, con su parámetro T, que main
    // usa con los tres tipos. Que compare ella misma, sin std::max, no se ve aún: el analizador
    // no cuenta las llamadas que dependen de T dentro de la plantilla.
    namespace p = reglas::plantillas;
    e.examina = {"encontrarMaximo"};
    e.tecnica = {
        {"EncontrarMaximoEsPlantilla", "encontrarMaximo es una plantilla de función",
         "encontrarMaximo es una sola plantilla de función para los tres tipos, no una función "
         "para cada tipo.",
         [](const Arbol& a) {
             return p::esPlantilla(
                 a, "encontrarMaximo",
                 "una sola plantilla de función, template <typename T>, para int, char y double");
         },
         "errores/funcion_por_tipo.cpp", 4},
        {"ParametroDeTipoT", "el parámetro de tipo de encontrarMaximo se llama T",
         "Su parámetro de tipo se llama T.",
         [](const Arbol& a) { return p::parametroDeTipo(a, "encontrarMaximo", "T"); },
         "errores/parametro_tipo.cpp", 5},
        {"MainUsaEncontrarMaximo", "main usa encontrarMaximo con int, con char y con double",
         "Llama una vez a cada versión de la plantilla y devuelve 0.",
         [](const Arbol& a) {
             return p::usadaDesdeMain(
                 a, "encontrarMaximo", 3,
                 "usarla en las tres líneas, una vez con int, otra con char y otra con double");
         },
         "errores/char_a_mano.cpp", 12},
    };
}

}  // namespace nucleo::datos

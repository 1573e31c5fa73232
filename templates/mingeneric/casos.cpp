// mingeneric: el mínimo de dos enteros leídos (con 10 y 5 de valor inicial) y de dos reales
// fijos.
#include <cmath>
#include <tuple>

#include "../reglas_plantillas.h"
#include "sonda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPrimero = "Ingrese el primer numero: ";
const std::string kSegundo = "Ingrese el segundo numero";
const std::string kReales = "El mínimo entre 3.14 y 2.71 es: 2.71\n";

const long long kMenorInt = -2147483647LL - 1;
const long long kMayorInt = 2147483647LL;

// Un double como literal de C++ en la muestra de una llamada (NaN, -0.0, 2.5); a la sonda va
// como lo escribe ej_sonda::ver ("nan", "-0", "2.5").
std::string literalDouble(double v) {
    if (std::isnan(v)) return "NaN";
    const std::string t = ej_sonda::ver(v);
    return t.find_first_of(".en") == std::string::npos ? t + ".0" : t;
}

Llamada deInts(long long a, long long b, std::string esperado) {
    return {"encontrarMinimo<int>",
            {std::to_string(a), std::to_string(b)},
            std::move(esperado),
            "encontrarMinimo(" + std::to_string(a) + ", " + std::to_string(b) + ")"};
}

Llamada deDoubles(double a, double b, std::string esperado) {
    return {"encontrarMinimo<double>",
            {ej_sonda::ver(a), ej_sonda::ver(b)},
            std::move(esperado),
            "encontrarMinimo(" + literalDouble(a) + ", " + literalDouble(b) + ")"};
}

// Un double cualquiera con pocas cifras, exacto en binario: entero o con fracción de 1/1024.
double unDouble(Azar& azar) {
    const long long numerador = azar.entero(-1000000, 1000000);
    return static_cast<double>(numerador) / static_cast<double>(1LL << azar.entero(0, 10));
}

const double kNaN = std::nan("");

// Un entero como se teclea: a veces con su signo + delante.
std::string tecleado(Azar& azar, long long n) {
    return (n >= 0 && azar.unoDe(4) ? "+" : "") + std::to_string(n);
}

// Todo lo que escribe cuando los enteros quedan en a y b y el mínimo es m.
std::string minimo(const std::string& a, const std::string& b, const std::string& m) {
    return kPrimero + kSegundo + "El mínimo entre " + a + " y " + b + " es: " + m + "\n" + kReales;
}

}  // namespace

void mingeneric(Ejercicio& e) {
    e.primerAviso = kPrimero;
    e.firmas = {
        "template <typename T> T encontrarMinimo(T a, T b);",
    };
    agregar(
        e, Origen::Enunciado,
        {
            {"ejemplo, un número por línea", "7\n3\n", minimo("7", "3", "3")},
            {"los dos en una línea", "7 3\n", minimo("7", "3", "3")},
            {"el primero es el menor", "3\n7\n", minimo("3", "7", "3")},
            {"iguales", "4\n4\n", minimo("4", "4", "4")},
            {"negativo con signo", "-3\n2\n", minimo("-3", "2", "-3")},
            {"extremos de int", "2147483647 -2147483648\n",
             minimo("2147483647", "-2147483648", "-2147483648")},
            {"lo que sobra no se lee", "8 9 10\n", minimo("8", "9", "8")},
            // Lo que deja la extracción fallida: 0, el límite de int o el valor inicial.
            {"primero no numérico: 0, y el segundo conserva 5", "x\n3\n", minimo("0", "5", "0")},
            {"segundo no numérico: 0", "7\nx\n", minimo("7", "0", "0")},
            {"entrada vacía: conservan 10 y 5", "", minimo("10", "5", "5")},
            {"la entrada acaba tras el primero", "7\n", minimo("7", "5", "5")},
            {"12abc: 12, y las letras hacen fallar el segundo", "12abc\n", minimo("12", "0", "0")},
            {"primero por encima de int: el máximo, y el segundo conserva 5", "2147483648\n3\n",
             minimo("2147483647", "5", "5")},
            {"primero por debajo de int: el mínimo", "-2147483649\n3\n",
             minimo("-2147483648", "5", "-2147483648")},
            {"segundo por encima de int: el máximo", "1\n99999999999\n",
             minimo("1", "2147483647", "1")},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kPrimero, "7\n"}, {kSegundo, "3\n"}}, minimo("7", "3", "3")));

    // Dos enteros que caben en int, separados por blancos o saltos de línea, a veces con algo
    // detrás que ya no se lee: el ejercicio define la salida de todos. Las lecturas fallidas, que
    // también define, ya están en la tabla.
    e.sorteo = [](Azar& azar) {
        const std::vector<std::string> blancos = {" ", "\n", "\t", "  ", "\n\n", " \n "};
        std::vector<std::string> entradas;
        for (const long long tope : {1000LL, 1000LL, kMayorInt, kMayorInt}) {
            const long long a = azar.entero(tope == kMayorInt ? kMenorInt : -tope, tope);
            const long long b =
                azar.unoDe(5) ? a : azar.entero(tope == kMayorInt ? kMenorInt : -tope, tope);
            std::string entrada = tecleado(azar, a);
            entrada += azar.elegir(blancos);
            entrada += tecleado(azar, b);
            if (azar.unoDe(3)) entrada += " " + std::to_string(azar.entero(-99, 99));
            entradas.push_back(entrada + "\n");
        }
        return entradas;
    };

    std::vector<Llamada> enteros;
    for (const auto& [a, b, m] : std::vector<std::tuple<long long, long long, long long>>{
             {3, 7, 3},
             {7, 3, 3},
             {4, 4, 4},
             {-3, 2, -3},
             {kMayorInt, kMenorInt, kMenorInt},
         }) {
        enteros.push_back(deInts(a, b, std::to_string(m)));
    }

    e.funciones = {
        {"EncontrarMinimoDeEnteros", Origen::Enunciado,
         "encontrarMinimo devuelve el menor de dos enteros", enteros,
         [](Azar& azar) {
             std::vector<Llamada> r;
             // Un par distinto en los dos órdenes: una vez gana el primero y otra el segundo.
             const long long x = azar.entero(kMenorInt, kMayorInt - 1);
             const long long y = azar.entero(x + 1, kMayorInt);
             r.push_back(deInts(y, x, ""));
             r.push_back(deInts(x, y, ""));
             // Uno cualquiera, y uno pequeño, donde los empates son frecuentes.
             const long long a = azar.entero(kMenorInt, kMayorInt);
             const long long b = azar.entero(kMenorInt, kMayorInt);
             r.push_back(deInts(a, b, ""));
             const long long c = azar.entero(-5, 5);
             const long long d = azar.entero(-5, 5);
             r.push_back(deInts(c, d, ""));
             return r;
         },
         "encontrarMinimo devuelve a si a < b, y b en otro caso; con int la comparación es con "
         "signo."},
        {"ConCerosIgualesDevuelveElSegundo",
         Origen::Enunciado,
         "encontrarMinimo con dos ceros de distinto signo devuelve el segundo",
         {deDoubles(0.0, -0.0, "-0"), deDoubles(-0.0, 0.0, "0")},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 2; ++i) {
                 const double a = azar.unoDe(2) ? 0.0 : -0.0;
                 const double b = azar.unoDe(2) ? 0.0 : -0.0;
                 r.push_back(deDoubles(a, b, ""));
             }
             return r;
         },
         "0.0 y -0.0 son iguales para <: a < b es falso y se devuelve b, el segundo. Con <= se "
         "devolvería el primero."},
        {"ConNaNDevuelveElSegundo",
         Origen::Enunciado,
         "encontrarMinimo con un NaN en cualquier posición devuelve el segundo",
         {deDoubles(kNaN, 1.0, "1"), deDoubles(1.0, kNaN, "nan"), deDoubles(2.71, 3.14, "2.71")},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) {
                 const double x = unDouble(azar);
                 r.push_back(azar.unoDe(2) ? deDoubles(kNaN, x, "") : deDoubles(x, kNaN, ""));
             }
             const double a = unDouble(azar), b = unDouble(azar);
             r.push_back(deDoubles(a, b, ""));
             return r;
         },
         "Un NaN no es mayor ni menor que nada: a < b es falso y se devuelve b, sin tratar el NaN "
         "aparte."},
        {"FirmaDeEncontrarMinimo",
         Origen::Enunciado,
         "encontrarMinimo se declara como pide el ejercicio",
         {{"firma encontrarMinimo<int>", {}, "int (int, int)"}}},
    };

    // Lo que pide el enunciado de la técnica: una sola plantilla, con su parámetro T, que main
    // usa con int y con double. Que compare ella misma, sin std::min, no se ve aún: el
    // analizador no cuenta las llamadas que dependen de T dentro de la plantilla.
    namespace p = reglas::plantillas;
    e.examina = {"encontrarMinimo"};
    e.tecnica = {
        {"EncontrarMinimoEsPlantilla", "encontrarMinimo es una plantilla de función",
         "encontrarMinimo es una sola plantilla de función para los dos tipos, no una función "
         "para cada tipo.",
         [](const Arbol& a) {
             return p::esPlantilla(
                 a, "encontrarMinimo",
                 "una sola plantilla de función, template <typename T>, para int y double");
         },
         "errores/funcion_por_tipo.cpp", 4},
        {"ParametroDeTipoT", "el parámetro de tipo de encontrarMinimo se llama T",
         "Su parámetro de tipo se llama T.",
         [](const Arbol& a) { return p::parametroDeTipo(a, "encontrarMinimo", "T"); },
         "errores/dos_parametros_de_tipo.cpp", 5},
        {"MainUsaEncontrarMinimo", "main usa encontrarMinimo con int y con double",
         "Llama una vez a la versión int y otra a la versión double, y devuelve 0.",
         [](const Arbol& a) {
             return p::usadaDesdeMain(
                 a, "encontrarMinimo", 2,
                 "usarla en las dos líneas, una vez con int y otra con double");
         },
         "errores/reales_a_mano.cpp", 12},
    };
}

}  // namespace nucleo::datos

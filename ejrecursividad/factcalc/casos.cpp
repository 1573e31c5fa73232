// factcalc: factorial recursivo módulo 2^64 de un entero leído.
#include "../reglas_recursividad.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "Introduce un número para calcular su factorial: ";
const std::string kNegativo = "El factorial no está definido para números negativos.\n";

std::string factorial(const std::string& n, const std::string& valor) {
    return kPide + "El factorial de " + n + " es " + valor + "\n";
}

}  // namespace

void factcalc(Ejercicio& e) {
    e.primerAviso = kPide;
    e.firmas = {
        "unsigned long long factorial(int n);",
    };
    agregar(e, Origen::Enunciado,
            {
                {"0", "0\n", factorial("0", "1")},
                {"1", "1\n", factorial("1", "1")},
                {"ejemplo", "5\n", factorial("5", "120")},
                {"el mayor exacto", "20\n", factorial("20", "2432902008176640000")},
                {"21 da la vuelta", "21\n", factorial("21", "14197454024290336768")},
                {"65 es 2^63", "65\n", factorial("65", "9223372036854775808")},
                {"66 es 0", "66\n", factorial("66", "0")},
                {"100 es 0", "100\n", factorial("100", "0")},
                {"letras detrás del número", "7abc\n", factorial("7", "5040")},
                {"líneas en blanco antes", "\n\n  \t5\n", factorial("5", "120")},
                {"signo más", "+5\n", factorial("5", "120")},
                {"-1", "-1\n", kPide + kNegativo},
                {"el menor int", "-2147483648\n", kPide + kNegativo},
            });
    agregar(e, Origen::Decidido,
            {
                {"el mayor int no agota la pila", "2147483647\n", factorial("2147483647", "0")},
                {"entrada vacía", "", kPide + kEntradaNoValida},
                {"solo blancos", " \n\n", kPide + kEntradaNoValida},
                {"no es número", "abc\n", kPide + kEntradaNoValida},
                {"fuera de int", "2147483648\n", kPide + kEntradaNoValida},
                {"negativo fuera de int", "-2147483649\n", kPide + kEntradaNoValida},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "5\n"}}, factorial("5", "120")));
    // Números nuevos donde el ejercicio define la salida, que no salen en el enunciado: uno
    // exacto, uno que da la vuelta, uno desde 66 (0) y uno negativo.
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        const std::pair<int, int> rangos[] = {{8, 19}, {26, 64}, {67, 150}, {-100000, -2}};
        for (const auto& [desde, hasta] : rangos)
            entradas.push_back(std::to_string(azar.entero(desde, hasta)) + "\n");
        return entradas;
    };

    struct Fila {
        int n;
        unsigned long long valor;
    };
    const Fila filas[] = {
        {-2147483647 - 1, 1ULL},
        {-1, 1ULL},
        {0, 1ULL},
        {1, 1ULL},
        {2, 2ULL},
        {5, 120ULL},
        {20, 2432902008176640000ULL},
        {21, 14197454024290336768ULL},
        {25, 7034535277573963776ULL},
        {65, 9223372036854775808ULL},
        // main responde 0 desde 66 sin llamar a factorial: la regla da lo mismo.
        {66, 0ULL},
        {100, 0ULL},
        {5000, 0ULL},
    };
    std::vector<Llamada> valores;
    for (const Fila& f : filas)
        valores.push_back({"factorial", {std::to_string(f.n)}, std::to_string(f.valor)});
    // Lo que pide el enunciado de la técnica: factorial(n) es n · factorial(n - 1), «sin memoria
    // de resultados y sin bucles», y sin std::tgamma.
    const std::string recursion =
        "que la repetición la haga la recursión, sin memoria de resultados y sin bucles";
    const std::string repeticion =
        "Sin memoria de resultados y sin bucles, tampoco los de un algoritmo de la biblioteca "
        "como `std::accumulate`: la repetición la hace la recursión.";
    e.tecnica = {
        {"FactorialSeLlamaASiMisma", "factorial se llama a sí misma",
         "Si no, devuelve `n` (convertido a `unsigned long long`) multiplicado por "
         "`factorial(n - 1)`",
         [recursion](const Arbol& a) { return reglas::seLlamaASiMisma(a, "factorial", recursion); },
         "errores/tabla_completa.cpp", 26},
        {"FactorialSinBucles", "factorial no tiene bucles", repeticion,
         [recursion](const Arbol& a) { return recursividad::sinBucles(a, "factorial", recursion); },
         "errores/dos_factores.cpp", 10},
        {"FactorialSinMemoria", "factorial no guarda resultados", repeticion,
         [recursion](const Arbol& a) {
             return recursividad::sinMemoria(a, "factorial", recursion);
         },
         "errores/con_memoria.cpp", 15},
        {"FactorialSinTgamma", "factorial no usa std::tgamma",
         "Tampoco vale `std::tgamma`, que da el factorial en `double`.",
         [](const Arbol& a) {
             return recursividad::noUsa(
                 a, "factorial",
                 {"std::tgamma", "tgamma", "tgammaf", "tgammal", "__builtin_tgamma", "std::lgamma",
                  "lgamma", "lgammaf", "lgammal", "__builtin_lgamma"},
                 "el producto n · factorial(n - 1), sin std::tgamma");
         },
         "errores/tgamma.cpp", 10},
    };
    e.funciones = {
        {"FactorialModulo2a64", Origen::Enunciado,
         "factorial da n! en unsigned long long, módulo 2^64", valores,
         [](Azar& azar) {
             // Ninguno sale en el enunciado ni en esta tabla: de 8 a 19, exactos, y de 26 a 64,
             // que dan la vuelta. Una copia de los resultados publicados no acierta ninguno.
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i)
                 r.push_back({"factorial", {std::to_string(azar.entero(8, 19))}, ""});
             r.push_back({"factorial", {std::to_string(azar.entero(26, 64))}, ""});
             r.push_back({"factorial", {std::to_string(azar.entero(-100000, -1))}, ""});
             return r;
         },
         "factorial(n) es 1 con n de 1 o menos, y n · factorial(n - 1) en unsigned long long si "
         "no: el producto da la vuelta módulo 2^64."},
        {"FirmaDeFactorial",
         Origen::Enunciado,
         "factorial se declara como pide el ejercicio",
         {{"firma factorial", {}, "unsigned long long (int)"}}},
    };
}

}  // namespace nucleo::datos

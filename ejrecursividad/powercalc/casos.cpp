// powercalc: potencia recursiva de una base real con exponente entero, también negativo.
#include <cmath>
#include <limits>

#include "../reglas_recursividad.h"
#include "sonda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kBase = "Introduce la base: ";
const std::string kExponente = "Introduce el exponente: ";
const std::string kAvisos = kBase + kExponente;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Una llamada a power con lo que debe devolver, escrito como lo ve la sonda.
Llamada potencia(double base, int exponente, double esperado) {
    return {"power", {ej_sonda::ver(base), std::to_string(exponente)}, ej_sonda::ver(esperado)};
}

// Una base sorteada: hasta dos cifras enteras y tres decimales, con signo.
std::string baseSorteada(Azar& azar) {
    return ej_sonda::ver(static_cast<double>(azar.entero(-99999, 99999)) / 1000);
}

Llamada sorteada(std::string base, long long exponente) {
    return {"power", {std::move(base), std::to_string(exponente)}, ""};
}

}  // namespace

void powercalc(Ejercicio& e) {
    e.primerAviso = kBase;
    e.firmas = {
        "double power(double base, int exponent);",
    };
    agregar(
        e, Origen::Enunciado,
        {
            {"ejemplo", "2\n10\n", kAvisos + "2 elevado a 10 es 1024\n"},
            {"exponente negativo", "2 -2\n", kAvisos + "2 elevado a -2 es 0.25\n"},
            {"base con decimales", "2.5 3\n", kAvisos + "2.5 elevado a 3 es 15.625\n"},
            {"seis cifras con exponente", "2 20\n", kAvisos + "2 elevado a 20 es 1.04858e+06\n"},
            {"un tercio", "3 -1\n", kAvisos + "3 elevado a -1 es 0.333333\n"},
            {"base negativa", "-2 3\n", kAvisos + "-2 elevado a 3 es -8\n"},
            {"cero a la cero", "0 0\n", kAvisos + "0 elevado a 0 es 1\n"},
            {"exponente 1", "7.5 1\n", kAvisos + "7.5 elevado a 1 es 7.5\n"},
            {"1 / 0 es infinito", "0 -1\n", kAvisos + "0 elevado a -1 es inf\n"},
            {"1 / infinito es 0", "2 -1100\n", kAvisos + "2 elevado a -1100 es 0\n"},
            {"coma decimal: el exponente queda en 0", "2,5\n", kAvisos + "2 elevado a 0 es 1\n"},
            {"un millón", "10 6\n", kAvisos + "10 elevado a 6 es 1e+06\n"},
            {"base en notación científica", "1e3 1\n", kAvisos + "1000 elevado a 1 es 1000\n"},
        });
    const std::string fuera = kAvisos + "El exponente debe estar entre -10000 y 10000.\n";
    agregar(
        e, Origen::Decidido,
        {
            {"exponente que no es número: 0", "2 abc\n", kAvisos + "2 elevado a 0 es 1\n"},
            {"el mayor exponente admitido", "1 10000\n", kAvisos + "1 elevado a 10000 es 1\n"},
            {"el menor exponente admitido", "1 -10000\n", kAvisos + "1 elevado a -10000 es 1\n"},
            {"base negativa en el tope", "-1 9999\n", kAvisos + "-1 elevado a 9999 es -1\n"},
            {"exponente: el menor int", "2 -2147483648\n", fuera},
            {"exponente justo encima del tope", "1 10001\n", fuera},
            {"exponente justo debajo del tope", "1 -10001\n", fuera},
            {"exponente 100000", "1 100000\n", fuera},
            {"exponente -100000", "1 -100000\n", fuera},
            {"exponente fuera de int", "2 99999999999\n", fuera},
            {"entrada vacía", "", kBase + kEntradaNoValida},
            {"base que no es número", "abc 2\n", kBase + kEntradaNoValida},
            // libstdc++ lee la base 2.5 y el exponente falla en la x (0); libc++ no lee la base.
            segunLaBiblioteca(
                {"letra pegada a la base", "2.5x\n", kAvisos + "2.5 elevado a 0 es 1\n"},
                {"letra pegada a la base", "2.5x\n", kBase + kEntradaNoValida}),
            {"base fuera de double", "1e999 2\n", kBase + kEntradaNoValida},
            {"acaba antes del exponente", "2\n", kAvisos + kEntradaNoValida},
            {"acaba tras blancos", "2 \n\n", kAvisos + kEntradaNoValida},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kBase, "2\n"}, {kExponente, "10\n"}},
                                   kAvisos + "2 elevado a 10 es 1024\n"));
    // Bases y exponentes nuevos donde el ejercicio define la salida: bases de cuartos, que se
    // escriben tal como se teclean, y exponentes pequeños; a veces, la base con coma decimal.
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        for (int i = 0; i < 3; ++i) {
            const std::string base = ej_sonda::ver(static_cast<double>(azar.entero(-40, 40)) / 4);
            const std::string entre = azar.unoDe(2) ? " " : "\n";
            entradas.push_back(base + entre + std::to_string(azar.entero(-8, 8)) + "\n");
        }
        const std::string entera = std::to_string(azar.entero(-9, 9));
        entradas.push_back(entera + "," + std::to_string(azar.entero(1, 9)) + "\n");
        return entradas;
    };

    std::vector<Llamada> cero;
    for (double base : {0.0, -0.0, 1.0, -2.5, 1e308, kInf, -kInf, kNaN})
        cero.push_back(potencia(base, 0, 1.0));
    std::vector<Llamada> uno;
    for (double base : {2.0, -7.5, 1e-300, kInf, -kInf, -0.0, kNaN})
        uno.push_back(potencia(base, 1, base));
    // El mismo orden que la regla: ((1.0 · b) · b) · … · b, y 1.0 / b^k para el negativo. Otra
    // forma de calcularlo (pow, k divisiones) cambia los últimos bits.
    std::vector<Llamada> orden;
    for (double base : {1.1, 0.3, -1.7, 3.14159}) {
        for (int k : {2, 3, 7, 25}) {
            double producto = 1.0;
            for (int i = 0; i < k; ++i) producto = producto * base;
            orden.push_back(potencia(base, k, producto));
            orden.push_back(potencia(base, -k, 1.0 / producto));
        }
    }
    // Lo que pide el enunciado de la técnica: power(base, exponent - 1) · base y, con exponente
    // negativo, 1.0 / power(base, -exponent), «sin memoria de resultados y sin bucles», y sin
    // std::pow.
    const std::string recursion =
        "que la repetición la haga la recursión, sin memoria de resultados y sin bucles";
    const std::string repeticion =
        "Sin memoria de resultados y sin bucles, tampoco los de un algoritmo de la biblioteca: la "
        "repetición la hace la recursión.";
    e.tecnica = {
        {"PowerSeLlamaASiMisma", "power se llama a sí misma",
         "si `exponent` es mayor que 0, devuelve `power(base, exponent - 1)` multiplicado por "
         "`base`",
         [recursion](const Arbol& a) { return reglas::seLlamaASiMisma(a, "power", recursion); },
         "errores/lambda_recursiva.cpp", 5},
        {"PowerSinBucles", "power no tiene bucles", repeticion,
         [recursion](const Arbol& a) { return recursividad::sinBucles(a, "power", recursion); },
         "errores/bucle_en_ayudante.cpp", 6},
        {"PowerSinMemoria", "power no guarda resultados", repeticion,
         [recursion](const Arbol& a) { return recursividad::sinMemoria(a, "power", recursion); },
         "errores/ultima_potencia.cpp", 21},
        {"PowerSinPow", "power no usa std::pow",
         "Tampoco vale `std::pow` (ni `std::exp` de un logaritmo), que calcula la potencia de "
         "otra manera.",
         [](const Arbol& a) {
             return recursividad::noUsa(
                 a, "power",
                 {"std::pow", "pow", "powf", "powl", "__builtin_pow", "std::exp", "exp", "expf",
                  "expl", "std::exp2", "exp2", "std::ldexp", "ldexp", "std::scalbn", "scalbn"},
                 "el producto power(base, exponent - 1) · base, sin std::pow");
         },
         "errores/con_pow.cpp", 9},
    };
    e.funciones = {
        {"ExponenteCeroDaUnoParaCualquierBase", Origen::Enunciado,
         "power con exponente 0 da 1 para cualquier base", cero,
         [](Azar& azar) { return std::vector<Llamada>{sorteada(baseSorteada(azar), 0)}; },
         "El primer caso de power: con exponente 0 devuelve 1.0, sin mirar la base."},
        {"ExponenteUnoDevuelveLaBase", Origen::Enunciado, "power con exponente 1 devuelve la base",
         uno, [](Azar& azar) { return std::vector<Llamada>{sorteada(baseSorteada(azar), 1)}; },
         "Con exponente 1, power(base, 0) · base es 1.0 · base: la base misma, también -0, "
         "infinito y nan."},
        {"MultiplicaDesdeUnoYDivideUnaSolaVez", Origen::Enunciado,
         "power multiplica desde 1.0 y, con exponente negativo, divide una sola vez", orden,
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 4; ++i) {
                 std::string base = baseSorteada(azar);
                 r.push_back(sorteada(std::move(base), azar.entero(-60, 60)));
             }
             return r;
         },
         "b^k es power(b, k - 1) · b, de uno en uno desde 1.0; b^-k es una sola división, "
         "1.0 / power(b, k). Otro orden de las operaciones (std::pow, una división por paso) "
         "cambia los últimos bits."},
        {"LimitesDelDouble",
         Origen::Enunciado,
         "power sigue la aritmética de double: infinito al desbordarse y 0 en su inverso",
         {
             potencia(2.0, 1024, kInf),
             potencia(2.0, 1023, std::ldexp(1.0, 1023)),
             potencia(2.0, -1100, 0.0),
             potencia(0.0, -1, kInf),
             potencia(-0.0, -1, -kInf),
             potencia(-2.0, 4, 16.0),
             potencia(-2.0, -3, -0.125),
         },
         nullptr,
         "Todo en double, sin comprobar nada: un producto que se sale del rango es infinito, y "
         "1.0 entre 0 o entre infinito da infinito o 0."},
        // Los exponentes más grandes que admite el programa: 10000 llamadas anidadas.
        {"ElTopeDeProfundidadNoAgotaLaPila",
         Origen::Decidido,
         "power llega al exponente máximo admitido sin agotar la pila",
         {
             potencia(1.0, 10000, 1.0),
             potencia(-1.0, -10000, 1.0),
             potencia(-1.0, 9999, -1.0),
         }},
        {"FirmaDePower",
         Origen::Enunciado,
         "power se declara como pide el ejercicio",
         {{"firma power", {}, "double (double, int)"}}},
    };
}

}  // namespace nucleo::datos

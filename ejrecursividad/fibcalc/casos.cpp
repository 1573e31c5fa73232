// fibcalc: término de Fibonacci por recursión doble, de 0 a 46.
#include <chrono>

#include "reglas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide =
    "Introduce un número para calcular su término en la secuencia de Fibonacci: ";
const std::string kNoCabe = " de la secuencia de Fibonacci no cabe en un int.\n";
// Los términos que el alumno ve en los casos y en las llamadas de las funciones.
const std::vector<long long> kPublicados = {-1, 0, 1, 2, 3, 4, 5, 10, 20, 25, 30, 46};

std::string termino(const std::string& n, const std::string& valor) {
    return kPide + "El término " + n + " de la secuencia de Fibonacci es " + valor + "\n";
}

}  // namespace

void fibcalc(Ejercicio& e) {
    e.primerAviso = kPide;
    e.firmas = {
        "int fibonacci(int n);",
    };
    agregar(e, Origen::Enunciado,
            {
                {"0", "0\n", termino("0", "0")},
                {"1", "1\n", termino("1", "1")},
                {"2", "2\n", termino("2", "1")},
                {"ejemplo", "10\n", termino("10", "55")},
                {"20", "20\n", termino("20", "6765")},
                {"-1", "-1\n",
                 kPide + "La secuencia de Fibonacci no está definida para números negativos.\n"},
            });
    // Unos 5900 millones de llamadas: segundos compilado con optimización, más con
    // sanitizadores.
    Caso ultimo{"46, el último que cabe en un int", "46\n", termino("46", "1836311903")};
    ultimo.limite = std::chrono::seconds(60);
    agregar(e, Origen::Enunciado, {ultimo});
    agregar(e, Origen::Decidido,
            {
                {"47 no cabe, sin calcularlo", "47\n", kPide + "El término 47" + kNoCabe},
                {"el mayor int", "2147483647\n", kPide + "El término 2147483647" + kNoCabe},
                {"entrada vacía", "", kPide + kEntradaNoValida},
                {"no es número", "x\n", kPide + kEntradaNoValida},
                {"fuera de int", "99999999999\n", kPide + kEntradaNoValida},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "10\n"}}, termino("10", "55")));
    // Términos nuevos donde el ejercicio define la salida, pequeños (la recursión es
    // exponencial) y ninguno de los que el alumno ya ve en los casos o en las llamadas: una
    // solución que se los aprende de memoria no pasa.
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        for (int i = 0; i < 3; ++i)
            entradas.push_back(std::to_string(azar.entero(0, 25, kPublicados)) + "\n");
        entradas.push_back(std::to_string(azar.entero(-1000, -1, kPublicados)) + "\n");
        return entradas;
    };

    std::vector<Llamada> terminos;
    for (const auto& [n, f] : std::vector<std::pair<int, int>>{{-2147483647 - 1, 0},
                                                               {-1, 0},
                                                               {0, 0},
                                                               {1, 1},
                                                               {2, 1},
                                                               {3, 2},
                                                               {4, 3},
                                                               {5, 5},
                                                               {10, 55},
                                                               {20, 6765},
                                                               {25, 75025},
                                                               {30, 832040}}) {
        terminos.push_back({"fibonacci", {std::to_string(n)}, std::to_string(f)});
    }
    // Lo que pide el enunciado de la técnica: «Sin memoria de resultados y sin bucles», con dos
    // llamadas recursivas.
    const std::string recursion = "recursión doble, sin memoria de resultados y sin bucles";
    e.tecnica = {
        {"FibonacciSeLlamaASiMisma", "fibonacci se llama a sí misma",
         "si no, llama a fibonacci(n - 1), después a fibonacci(n - 2), y devuelve la suma de los "
         "dos resultados",
         [recursion](const Arbol& a) {
             return reglas::seLlamaASiMisma(a, "fibonacci", recursion);
         }},
        {"FibonacciSinBucles", "fibonacci no tiene bucles",
         "Sin memoria de resultados y sin bucles",
         [recursion](const Arbol& a) { return reglas::sinBucles(a, "fibonacci", recursion); },
         "errores/sumas_en_bucle.cpp", 12},
        {"FibonacciSinMemoria", "fibonacci no guarda resultados",
         "Sin memoria de resultados y sin bucles",
         [recursion](const Arbol& a) { return reglas::sinMemoria(a, "fibonacci", recursion); },
         "errores/con_memoria.cpp", 5},
    };
    e.funciones = {
        {"FibonacciDeCadaPosicion", Origen::Enunciado,
         "fibonacci da el término de cada posición, y 0 para las negativas", terminos,
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 4; ++i)
                 r.push_back({"fibonacci", {std::to_string(azar.entero(0, 24, kPublicados))}, ""});
             r.push_back(
                 {"fibonacci", {std::to_string(azar.entero(-100000, -1, kPublicados))}, ""});
             return r;
         },
         "F(0) = 0, F(1) = 1 y cada término es la suma de los dos anteriores; con n de 0 o "
         "menos, 0."},
        {"FirmaDeFibonacci",
         Origen::Enunciado,
         "fibonacci se declara como pide el ejercicio",
         {{"firma fibonacci", {}, "int (int)"}}},
    };
}

}  // namespace nucleo::datos

// ackcalc: función de Ackermann por recursión directa.
#include "../reglas_recursividad.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "Introduce dos números no negativos m y n: ";

std::string valor(const std::string& par, const std::string& resultado) {
    return kPide + "Ackermann(" + par + ") = " + resultado + "\n";
}

std::string aviso(const std::string& par, const std::string& texto) {
    return kPide + "Ackermann(" + par + ") " + texto + "\n";
}

// A(m, n) para m de 0 a 3 y n >= 0, por sus fórmulas cerradas.
long long formula(int m, int n) {
    switch (m) {
        case 0:
            return n + 1LL;
        case 1:
            return n + 2LL;
        case 2:
            return 2LL * n + 3;
        default:
            return (1LL << (n + 3)) - 3;
    }
}

Llamada ackermann(long long m, long long n, const std::string& esperado = "") {
    return {"ackermann", {std::to_string(m), std::to_string(n)}, esperado};
}

// Rechazo porque anidaría esas llamadas (A(m, n) + m − 1).
std::string hondo(const std::string& par, const std::string& niveles) {
    return aviso(par,
                 "no se calcula: anidaría " + niveles + " llamadas y la pila solo admite 10000.");
}

}  // namespace

void ackcalc(Ejercicio& e) {
    e.primerAviso = kPide;
    e.firmas = {
        "int ackermann(int m, int n);",
    };
    agregar(
        e, Origen::Enunciado,
        {
            {"0 0", "0 0\n", valor("0, 0", "1")},
            {"1 0", "1 0\n", valor("1, 0", "2")},
            {"1 5", "1 5\n", valor("1, 5", "7")},
            {"ejemplo", "2 3\n", valor("2, 3", "9")},
            {"en dos líneas", "2\n3\n", valor("2, 3", "9")},
            {"3 3", "3 3\n", valor("3, 3", "61")},
            {"4 0", "4 0\n", valor("4, 0", "13")},
            {"m = 0 con n negativo", "0 -5\n", valor("0, -5", "-4")},
            {"m = 0 con n negativo, dos líneas", "0\n-5\n", valor("0, -5", "-4")},
            {"m = 0, el mayor que cabe", "0 2147483646\n", valor("0, 2147483646", "2147483647")},
            {"3 10", "3 10\n", valor("3, 10", "8189")},
        });
    const std::string noTermina = "no termina: con números negativos nunca llega a un caso base.";
    const std::string noCabe = "no cabe en un int.";
    agregar(
        e, Origen::Decidido,
        {
            {"m negativo", "-1 1\n", aviso("-1, 1", noTermina)},
            {"n negativo", "1 -1\n", aviso("1, -1", noTermina)},
            {"4 2", "4 2\n", aviso("4, 2", noCabe)},
            {"3 29", "3 29\n", aviso("3, 29", noCabe)},
            {"5 1", "5 1\n", aviso("5, 1", noCabe)},
            {"6 0", "6 0\n", aviso("6, 0", noCabe)},
            {"n + 1 se desbordaría", "0 2147483647\n", aviso("0, 2147483647", noCabe)},
            // m = 1: anida n + 2 llamadas.
            {"1 9997", "1 9997\n", valor("1, 9997", "9999")},
            {"m = 1 en el tope: 10000 llamadas anidadas", "1 9998\n", valor("1, 9998", "10000")},
            {"1 9999: una anidada de más", "1 9999\n", hondo("1, 9999", "10001")},
            // m = 2: anida 2n + 4 y hace 2n² + 7n + 5 (unos 50 millones en el tope).
            {"m = 2 en el tope: 10000 llamadas anidadas", "2 4998\n", valor("2, 4998", "9999")},
            {"2 4999: dos anidadas de más", "2 4999\n", hondo("2, 4999", "10002")},
            // m = 3: anida A(3, n) + 2; el ejercicio ya calcula A(3, 10), que anida 8191.
            {"3 11", "3 11\n", hondo("3, 11", "16383")},
            {"3 28: el mayor que cabe en int", "3 28\n", hondo("3, 28", "2147483647")},
            // m = 4 y m = 5: solo se calcula A(4, 0) = 13, en la tabla de arriba.
            {"4 1", "4 1\n", hondo("4, 1", "65536")},
            {"5 0", "5 0\n", hondo("5, 0", "65537")},
            {"entrada vacía", "", kPide + kEntradaNoValida},
            {"no es número", "x 1\n", kPide + kEntradaNoValida},
            {"falta n", "1\n", kPide + kEntradaNoValida},
            {"n no es número", "1 x\n", kPide + kEntradaNoValida},
            {"fuera de int", "2147483648 1\n", kPide + kEntradaNoValida},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "2 3\n"}}, valor("2, 3", "9")));
    // Pares nuevos donde el ejercicio define la salida, uno por cada m de 0 a 3, con n pequeños:
    // cada llamada de A(m, n) abre otras y su número crece muy deprisa con m.
    e.sorteo = [](Azar& azar) {
        const long long mayores[] = {50, 50, 30, 5};
        std::vector<std::string> entradas;
        for (int m = 0; m <= 3; ++m) {
            const long long n = azar.entero(m == 0 ? -50 : 0, mayores[m]);
            entradas.push_back(std::to_string(m) + (azar.unoDe(3) ? "\n" : " ") +
                               std::to_string(n) + "\n");
        }
        return entradas;
    };

    std::vector<Llamada> formulas;
    for (int m = 0; m <= 3; ++m) {
        for (int n = 0; n <= 10; ++n)
            formulas.push_back(ackermann(m, n, std::to_string(formula(m, n))));
    }
    formulas.push_back(ackermann(4, 0, "13"));
    // m = 0 responde sin recursión, también con n negativo.
    formulas.push_back(ackermann(0, -5, "-4"));
    // Lo que pide el enunciado de la técnica: una recursión anidada, «sin memoria de resultados,
    // sin pila propia y sin bucles».
    const std::string recursion =
        "que cada llamada sea una llamada de verdad, sin memoria de resultados, sin pila propia "
        "y sin bucles";
    const std::string deVerdad =
        "Sin memoria de resultados, sin pila propia y sin bucles: cada llamada es una llamada de "
        "verdad.";
    e.tecnica = {
        {"AckermannSeLlamaASiMisma", "ackermann se llama a sí misma",
         "en cualquier otro caso, calcula primero el valor interior `ackermann(m, n - 1)` y "
         "devuelve `ackermann(m - 1, valor interior)`",
         [recursion](const Arbol& a) { return reglas::seLlamaASiMisma(a, "ackermann", recursion); },
         "errores/formulas.cpp", 5},
        {"AckermannSinBucles", "ackermann no tiene bucles", deVerdad,
         [recursion](const Arbol& a) { return recursividad::sinBucles(a, "ackermann", recursion); },
         "errores/bucle_mientras.cpp", 6},
        {"AckermannSinMemoria", "ackermann no guarda resultados", deVerdad,
         [recursion](const Arbol& a) {
             return recursividad::sinMemoria(a, "ackermann", recursion);
         },
         "errores/con_memoria.cpp", 5},
        {"AckermannSinPilaPropia", "ackermann no lleva su propia pila", deVerdad,
         [recursion](const Arbol& a) {
             return recursividad::sinPilaPropia(a, "ackermann", recursion);
         },
         "errores/pila_propia.cpp", 9},
    };
    e.funciones = {
        {"CoincideConLasFormulasCerradas", Origen::Enunciado,
         "ackermann da A(m, n) para m de 0 a 4, y n + 1 para m = 0 con cualquier n", formulas,
         [](Azar& azar) {
             return std::vector<Llamada>{
                 ackermann(0, azar.entero(-1000, 1000)),
                 ackermann(1, azar.entero(0, 100)),
                 ackermann(2, azar.entero(0, 60)),
                 ackermann(3, azar.entero(0, 6)),
             };
         },
         "Las comprobaciones en su orden: m = 0 da n + 1; m > 0 con n = 0 da ackermann(m - 1, "
         "1); si no, ackermann(m - 1, ackermann(m, n - 1))."},
        {"FirmaDeAckermann",
         Origen::Enunciado,
         "ackermann se declara como pide el ejercicio",
         {{"firma ackermann", {}, "int (int, int)"}}},
    };
}

}  // namespace nucleo::datos

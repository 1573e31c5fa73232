// Salidas exactas de los seis programas de recursividad, ejecutados como los ejecuta un alumno.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "ejecutar.h"
#include "tabla.h"

using arnes::Caso;

namespace {

const std::string kInvalida = "Entrada no válida.\n";

// ---------------------------------------------------------------------------- factcalc
const std::string kFact = "Introduce un número para calcular su factorial: ";
const std::string kFactNegativo = "El factorial no está definido para números negativos.\n";

TEST(Factcalc, MuestraElFactorialModulo2a64) {
    arnes::comprobarTabla(
        "factcalc",
        {
            {"0", "0\n", kFact + "El factorial de 0 es 1\n"},
            {"1", "1\n", kFact + "El factorial de 1 es 1\n"},
            {"ejemplo", "5\n", kFact + "El factorial de 5 es 120\n"},
            {"el mayor exacto", "20\n", kFact + "El factorial de 20 es 2432902008176640000\n"},
            {"21 da la vuelta", "21\n", kFact + "El factorial de 21 es 14197454024290336768\n"},
            {"65 es 2^63", "65\n", kFact + "El factorial de 65 es 9223372036854775808\n"},
            {"66 es 0", "66\n", kFact + "El factorial de 66 es 0\n"},
            {"100 es 0", "100\n", kFact + "El factorial de 100 es 0\n"},
            {"el mayor int no agota la pila", "2147483647\n",
             kFact + "El factorial de 2147483647 es 0\n"},
            {"letras detrás del número", "7abc\n", kFact + "El factorial de 7 es 5040\n"},
            {"líneas en blanco antes", "\n\n  \t5\n", kFact + "El factorial de 5 es 120\n"},
            {"signo más", "+5\n", kFact + "El factorial de 5 es 120\n"},
            {"-1", "-1\n", kFact + kFactNegativo},
            {"el menor int", "-2147483648\n", kFact + kFactNegativo},
        });
}

TEST(Factcalc, RechazaLecturasFallidas) {
    arnes::comprobarTabla("factcalc",
                          {
                              {"entrada vacía", "", kFact + kInvalida},
                              {"solo blancos", " \n\n", kFact + kInvalida},
                              {"no es número", "abc\n", kFact + kInvalida},
                              {"fuera de int", "2147483648\n", kFact + kInvalida},
                              {"negativo fuera de int", "-2147483649\n", kFact + kInvalida},
                          });
}

// ----------------------------------------------------------------------------- fibcalc
const std::string kFib =
    "Introduce un número para calcular su término en la secuencia de Fibonacci: ";

std::string termino(const std::string& n, const std::string& valor) {
    return kFib + "El término " + n + " de la secuencia de Fibonacci es " + valor + "\n";
}

TEST(Fibcalc, MuestraElTermino) {
    const std::string noCabe = " de la secuencia de Fibonacci no cabe en un int.\n";
    arnes::comprobarTabla(
        "fibcalc",
        {
            {"0", "0\n", termino("0", "0")},
            {"1", "1\n", termino("1", "1")},
            {"2", "2\n", termino("2", "1")},
            {"ejemplo", "10\n", termino("10", "55")},
            {"20", "20\n", termino("20", "6765")},
            {"-1", "-1\n",
             kFib + "La secuencia de Fibonacci no está definida para números negativos.\n"},
            {"47 no cabe, sin calcularlo", "47\n", kFib + "El término 47" + noCabe},
            {"el mayor int", "2147483647\n", kFib + "El término 2147483647" + noCabe},
        });
}

TEST(Fibcalc, RechazaLecturasFallidas) {
    arnes::comprobarTabla("fibcalc", {
                                         {"entrada vacía", "", kFib + kInvalida},
                                         {"no es número", "x\n", kFib + kInvalida},
                                         {"fuera de int", "99999999999\n", kFib + kInvalida},
                                     });
}

TEST(Fibcalc, Termino46EsElUltimoQueCabe) {
    // Unos 5900 millones de llamadas: segundos en la compilación optimizada, más con
    // sanitizadores.
    arnes::Opciones lento;
    lento.limite = std::chrono::seconds(55);
    arnes::comprobarTabla("fibcalc", {{"46", "46\n", termino("46", "1836311903")}}, lento);
}

// --------------------------------------------------------------------------- powercalc
const std::string kPot = "Introduce la base: Introduce el exponente: ";

TEST(Powercalc, ElevaLaBase) {
    arnes::comprobarTabla(
        "powercalc",
        {
            {"ejemplo", "2\n10\n", kPot + "2 elevado a 10 es 1024\n"},
            {"exponente negativo", "2 -2\n", kPot + "2 elevado a -2 es 0.25\n"},
            {"base con decimales", "2.5 3\n", kPot + "2.5 elevado a 3 es 15.625\n"},
            {"seis cifras con exponente", "2 20\n", kPot + "2 elevado a 20 es 1.04858e+06\n"},
            {"un tercio", "3 -1\n", kPot + "3 elevado a -1 es 0.333333\n"},
            {"base negativa", "-2 3\n", kPot + "-2 elevado a 3 es -8\n"},
            {"cero a la cero", "0 0\n", kPot + "0 elevado a 0 es 1\n"},
            {"exponente 1", "7.5 1\n", kPot + "7.5 elevado a 1 es 7.5\n"},
            {"1 / 0 es infinito", "0 -1\n", kPot + "0 elevado a -1 es inf\n"},
            {"1 / infinito es 0", "2 -1100\n", kPot + "2 elevado a -1100 es 0\n"},
            {"coma decimal: el exponente queda en 0", "2,5\n", kPot + "2 elevado a 0 es 1\n"},
            {"un millón", "10 6\n", kPot + "10 elevado a 6 es 1e+06\n"},
            {"base en notación científica", "1e3 1\n", kPot + "1000 elevado a 1 es 1000\n"},
            {"exponente que no es número: 0", "2 abc\n", kPot + "2 elevado a 0 es 1\n"},
            {"el mayor exponente admitido", "1 100000\n", kPot + "1 elevado a 100000 es 1\n"},
            {"el menor exponente admitido", "1 -100000\n", kPot + "1 elevado a -100000 es 1\n"},
        });
}

TEST(Powercalc, AvisaDeExponentesFueraDeRango) {
    const std::string fuera = kPot + "El exponente debe estar entre -100000 y 100000.\n";
    arnes::comprobarTabla("powercalc", {
                                           {"el menor int", "2 -2147483648\n", fuera},
                                           {"justo encima", "1 100001\n", fuera},
                                           {"justo debajo", "1 -100001\n", fuera},
                                           {"fuera de int", "2 99999999999\n", fuera},
                                       });
}

TEST(Powercalc, RechazaLecturasFallidas) {
    arnes::comprobarTabla(
        "powercalc", {
                         {"entrada vacía", "", "Introduce la base: " + kInvalida},
                         {"base que no es número", "abc 2\n", "Introduce la base: " + kInvalida},
                         {"base fuera de double", "1e999 2\n", "Introduce la base: " + kInvalida},
                         {"acaba antes del exponente", "2\n", kPot + kInvalida},
                         {"acaba tras blancos", "2 \n\n", kPot + kInvalida},
                     });
}

// ----------------------------------------------------------------------------- ackcalc
const std::string kAck = "Introduce dos números no negativos m y n: ";

TEST(Ackcalc, CalculaPorRecursionDirecta) {
    arnes::comprobarTabla(
        "ackcalc",
        {
            {"0 0", "0 0\n", kAck + "Ackermann(0, 0) = 1\n"},
            {"1 0", "1 0\n", kAck + "Ackermann(1, 0) = 2\n"},
            {"1 5", "1 5\n", kAck + "Ackermann(1, 5) = 7\n"},
            {"ejemplo", "2 3\n", kAck + "Ackermann(2, 3) = 9\n"},
            {"en dos líneas", "2\n3\n", kAck + "Ackermann(2, 3) = 9\n"},
            {"3 3", "3 3\n", kAck + "Ackermann(3, 3) = 61\n"},
            {"4 0", "4 0\n", kAck + "Ackermann(4, 0) = 13\n"},
            {"m = 0 con n negativo", "0 -5\n", kAck + "Ackermann(0, -5) = -4\n"},
            {"m = 0 con n negativo, dos líneas", "0\n-5\n", kAck + "Ackermann(0, -5) = -4\n"},
            {"m = 0, el mayor que cabe", "0 2147483646\n",
             kAck + "Ackermann(0, 2147483646) = 2147483647\n"},
            {"m = 1 en el tope: 65531 llamadas anidadas", "1 65531\n",
             kAck + "Ackermann(1, 65531) = 65533\n"},
            {"3 10", "3 10\n", kAck + "Ackermann(3, 10) = 8189\n"},
        });
}

TEST(Ackcalc, AvisaDeParesSinRespuesta) {
    auto aviso = [](const std::string& par, const std::string& texto) {
        return kAck + "Ackermann(" + par + ") " + texto + "\n";
    };
    const std::string noTermina = "no termina: con números negativos nunca llega a un caso base.";
    const std::string noCabe = "no cabe en un int.";
    const std::string lento = "necesita demasiadas llamadas para calcularlo por recursión directa.";
    arnes::comprobarTabla(
        "ackcalc", {
                       {"m negativo", "-1 1\n", aviso("-1, 1", noTermina)},
                       {"n negativo", "1 -1\n", aviso("1, -1", noTermina)},
                       {"4 2", "4 2\n", aviso("4, 2", noCabe)},
                       {"3 29", "3 29\n", aviso("3, 29", noCabe)},
                       {"5 1", "5 1\n", aviso("5, 1", noCabe)},
                       {"6 0", "6 0\n", aviso("6, 0", noCabe)},
                       {"n + 1 se desbordaría", "0 2147483647\n", aviso("0, 2147483647", noCabe)},
                       {"1 65532", "1 65532\n", aviso("1, 65532", lento)},
                       {"2 32766", "2 32766\n", aviso("2, 32766", lento)},
                       {"3 14", "3 14\n", aviso("3, 14", lento)},
                       {"3 28", "3 28\n", aviso("3, 28", lento)},
                   });
}

TEST(Ackcalc, RechazaLecturasFallidas) {
    arnes::comprobarTabla("ackcalc", {
                                         {"entrada vacía", "", kAck + kInvalida},
                                         {"no es número", "x 1\n", kAck + kInvalida},
                                         {"falta n", "1\n", kAck + kInvalida},
                                         {"n no es número", "1 x\n", kAck + kInvalida},
                                         {"fuera de int", "2147483648 1\n", kAck + kInvalida},
                                     });
}

// -------------------------------------------------------------------------- palincheck
const std::string kPal = "Introduce una cadena: ";
const std::string kSi = kPal + "La cadena es un palíndromo.\n";
const std::string kNo = kPal + "La cadena no es un palíndromo.\n";

TEST(Palincheck, CompruebaLaPrimeraPalabraByteABByte) {
    arnes::comprobarTabla("palincheck",
                          {
                              {"radar", "radar\n", kSi},
                              {"ejemplo", "reconocer\n", kSi},
                              {"longitud par", "anna\n", kSi},
                              {"una letra", "a\n", kSi},
                              {"dos distintas", "ab\n", kNo},
                              {"mayúscula distinta", "Ana\n", kNo},
                              {"solo la primera palabra", "anita lava la tina\n", kNo},
                              {"primera palabra palíndromo", "abba xyz\n", kSi},
                              {"fallo en el centro", "abcxba\n", kNo},
                              {"ñ son dos bytes", "aña\n", kNo},
                              {"ñ sola", "ñ\n", kNo},
                              {"entrada vacía", "", kSi},
                              {"solo blancos", "  \n\t\n", kSi},
                          });
}

TEST(Palincheck, UnaPalabraDeUnMegabyteNoAgotaLaPila) {
    const std::string mitad(512 * 1024, 'x');
    std::string centroDistinto = mitad;
    centroDistinto[centroDistinto.size() - 1] = 'y';
    arnes::comprobarTabla("palincheck",
                          {{"palíndromo: recorre hasta el centro", mitad + mitad + "\n", kSi},
                           {"solo el centro distinto", centroDistinto + mitad + "\n", kNo}});
}

// ---------------------------------------------------------------------------- arraysum
TEST(Arraysum, SumaElArregloFijo) {
    const std::string linea = "La suma de los elementos del arreglo es 15\n";
    arnes::comprobarTabla("arraysum",
                          {{"sin entrada", "", linea}, {"ignora la entrada", "7\n", linea}});
}

// ------------------------------------------------------------- avisos antes de leer
TEST(Recursividad, CadaAvisoLlegaAntesDeLeer) {
    struct Fila {
        const char* programa;
        std::vector<arnes::Paso> pasos;
        std::string salida;
    } filas[] = {
        {"factcalc", {{kFact, "5\n"}}, kFact + "El factorial de 5 es 120\n"},
        {"fibcalc", {{kFib, "10\n"}}, termino("10", "55")},
        {"powercalc",
         {{"Introduce la base: ", "2\n"}, {"Introduce el exponente: ", "10\n"}},
         kPot + "2 elevado a 10 es 1024\n"},
        {"ackcalc", {{kAck, "2 3\n"}}, kAck + "Ackermann(2, 3) = 9\n"},
        {"palincheck", {{kPal, "reconocer\n"}}, kSi},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.programa);
        arnes::Resultado r = arnes::conversar(f.programa, f.pasos);
        EXPECT_TRUE(r.terminoBien()) << r;
        EXPECT_EQ(r.pasoSinAviso, -1) << r;
        EXPECT_EQ(r.salida, f.salida);
    }
}

}  // namespace

// Salidas exactas de los siete programas de plantillas, ejecutados como los ejecuta un alumno.
#include <gtest/gtest.h>

#include <string>

#include "ejecutar.h"
#include "tabla.h"

namespace {

TEST(Templates, LosProgramasSinEntradaEscribenSiempreLoMismo) {
    struct Fila {
        const char* programa;
        std::string salida;
    } filas[] = {
        {"maxgeneric",
         "El máximo entre 10 y 5 es: 10\n"
         "El máximo entre 'a' y 'c' es: c\n"
         "El máximo entre 3.14 y 2.71 es: 3.14\n"},
        {"swapgeneric",
         "Antes del intercambio: num1 = 5, num2 = 10\n"
         "Después del intercambio: num1 = 10, num2 = 5\n"
         "Antes del intercambio: char1 = a, char2 = b\n"
         "Después del intercambio: char1 = b, char2 = a\n"},
        {"absgeneric",
         "el valor absoluto del nuero es: 4\n"
         "el valor absoluto del nuero es: 56.3\n"
         "el valor absoluto del nuero es: 123.344\n"},
        {"equalspecial",
         "5 y 5 son iguales: 1\n"
         "\"Hola\" y \"Hola\" son iguales: 1\n"},
    };
    for (const Fila& f : filas) {
        arnes::comprobarTabla(f.programa, {{"salida fija", "", f.salida},
                                           {"ignora la entrada", "-7 hola\n", f.salida}});
    }
}

const std::string kPrimero = "Ingrese el primer numero: ";
const std::string kSegundo = "Ingrese el segundo numero";
const std::string kReales = "El mínimo entre 3.14 y 2.71 es: 2.71\n";

std::string minimo(const std::string& a, const std::string& b, const std::string& m) {
    return kPrimero + kSegundo + "El mínimo entre " + a + " y " + b + " es: " + m + "\n" + kReales;
}

TEST(Templates, MingenericEscribeElMinimoDeLosEnterosLeidos) {
    arnes::comprobarTabla("mingeneric",
                          {
                              {"ejemplo, un número por línea", "7\n3\n", minimo("7", "3", "3")},
                              {"los dos en una línea", "7 3\n", minimo("7", "3", "3")},
                              {"el primero es el menor", "3\n7\n", minimo("3", "7", "3")},
                              {"iguales", "4\n4\n", minimo("4", "4", "4")},
                              {"negativo con signo", "-3\n2\n", minimo("-3", "2", "-3")},
                              {"extremos de int", "2147483647 -2147483648\n",
                               minimo("2147483647", "-2147483648", "-2147483648")},
                              {"lo que sobra no se lee", "8 9 10\n", minimo("8", "9", "8")},
                          });
}

TEST(Templates, MingenericConservaLoQueDejaLaExtraccionFallida) {
    arnes::comprobarTabla(
        "mingeneric",
        {
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
}

TEST(Templates, MingenericVaciaCadaAvisoAntesDeLeer) {
    arnes::Resultado r = arnes::conversar("mingeneric", {{kPrimero, "7\n"}, {kSegundo, "3\n"}});
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.pasoSinAviso, -1) << r;
    EXPECT_EQ(r.salida, minimo("7", "3", "3"));
}

const std::string kDividendo = "Introduce el primer número: ";
const std::string kDivisor = "Introduce el segundo número: ";
const std::string kCero = "Error: No se puede dividir por cero.\n";
const std::string kInvalida = "Entrada no válida.\n";

std::string division(const std::string& a, const std::string& b, const std::string& r) {
    return kDividendo + kDivisor + "El resultado de dividir " + a + " entre " + b + " es: " + r +
           "\n";
}

TEST(Templates, DividegenericEscribeElCociente) {
    arnes::comprobarTabla(
        "dividegeneric",
        {
            {"ejemplo 7 entre 2", "7\n2\n", division("7", "2", "3.5")},
            {"los dos en una línea", "7 2\n", division("7", "2", "3.5")},
            {"seis cifras significativas", "10\n3\n", division("10", "3", "3.33333")},
            {"cero delante del punto", "2\n3\n", division("2", "3", "0.666667")},
            {"2.50 se escribe 2.5", "2.50\n1\n", division("2.5", "1", "2.5")},
            {"exponente desde 1e6", "1000000\n1\n", division("1e+06", "1", "1e+06")},
            {"dividendo 0", "0\n4\n", division("0", "4", "0")},
            {"dividendo 0 entre negativo: -0", "0\n-4\n", division("0", "-4", "-0")},
            {"divisor diminuto", "1\n1e-300\n", division("1", "1e-300", "1e+300")},
            {"cociente demasiado grande: inf", "1e300\n1e-300\n",
             division("1e+300", "1e-300", "inf")},
            {"cociente demasiado grande y negativo: -inf", "-1e300\n1e-300\n",
             division("-1e+300", "1e-300", "-inf")},
            {"segundo por encima de double: el máximo", "5\n1e400\n",
             division("5", "1.79769e+308", "2.78134e-308")},
        });
}

TEST(Templates, DividegenericRechazaElDivisorCero) {
    arnes::comprobarTabla(
        "dividegeneric",
        {
            {"ejemplo 5 entre 0", "5\n0\n", division("5", "0", "0"), kCero},
            {"divisor -0", "5\n-0\n", division("5", "-0", "0"), kCero},
            {"divisor 0.0", "-3\n0.0\n", division("-3", "0", "0"), kCero},
            {"0 entre 0", "0\n0\n", division("0", "0", "0"), kCero},
            {"segundo no numérico: se lee 0", "5\nx\n", division("5", "0", "0"), kCero},
            {"signo suelto: se lee 0", "5\n-\n", division("5", "0", "0"), kCero},
            {"coma decimal: lee 2 y la coma hace leer 0", "2,5\n1\n", division("2", "0", "0"),
             kCero},
        });
}

TEST(Templates, DividegenericRechazaLaEntradaSinDosNumeros) {
    arnes::comprobarTabla(
        "dividegeneric",
        {
            {"entrada vacía", "", kDividendo, kInvalida},
            {"solo blancos", " \n\t\n", kDividendo, kInvalida},
            {"primero no numérico", "x\n3\n", kDividendo, kInvalida},
            {"primero por encima de double", "1e400\n3\n", kDividendo, kInvalida},
            {"la entrada acaba tras el primero", "5\n", kDividendo + kDivisor, kInvalida},
            {"tras el primero solo hay blancos", "5   \n\n", kDividendo + kDivisor, kInvalida},
            {"el primero llega hasta el final", "5", kDividendo + kDivisor, kInvalida},
        });
}

TEST(Templates, DividegenericEscribeElErrorTrasLaEtiqueta) {
    // Con las dos salidas en una tubería se ve el orden: la etiqueta pendiente sale antes
    // que el error, y el 0 del resultado queda en la línea siguiente.
    arnes::Opciones unidas;
    unidas.unirSalidas = true;
    arnes::comprobarTabla(
        "dividegeneric",
        {
            {"divisor cero", "5\n0\n",
             kDividendo + kDivisor + "El resultado de dividir 5 entre 0 es: " + kCero + "0\n"},
            {"división normal, sin error", "7\n2\n", division("7", "2", "3.5")},
            {"primero no numérico: el aviso sigue en la misma línea", "x\n",
             kDividendo + kInvalida},
            {"falta el segundo", "5\n", kDividendo + kDivisor + kInvalida},
        },
        unidas);
}

TEST(Templates, DividegenericVaciaCadaAvisoAntesDeLeer) {
    arnes::Resultado r =
        arnes::conversar("dividegeneric", {{kDividendo, "5\n"}, {kDivisor, "0\n"}});
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.pasoSinAviso, -1) << r;
    EXPECT_EQ(r.salida, division("5", "0", "0"));
    EXPECT_EQ(r.errores, kCero);
}

const std::string kNumerador = "ingrese el numerador";
const std::string kDenominador = "ingresar el denominador";
const std::string kAvisos = kNumerador + kDenominador +
                            "no se puede dividir para 0"
                            "no se puede dividir para 0";

TEST(Templates, ZeronoticeEscribeDosAvisosSinFinDeLinea) {
    arnes::comprobarTabla("zeronotice", {
                                            {"ejemplo 10 y 2", "10\n2\n", kAvisos},
                                            {"0 y 0: igual que 10 y 2", "0\n0\n", kAvisos},
                                            {"primero no numérico", "abc\n", kAvisos},
                                            {"entrada vacía", "", kAvisos},
                                            {"fuera de int", "-99999999999 5\n", kAvisos},
                                            {"lo que sobra no se lee", "1 2 3 4\n", kAvisos},
                                        });
}

TEST(Templates, ZeronoticeVaciaCadaAvisoAntesDeLeer) {
    arnes::Resultado r =
        arnes::conversar("zeronotice", {{kNumerador, "10\n"}, {kDenominador, "2\n"}});
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.pasoSinAviso, -1) << r;
    EXPECT_EQ(r.salida, kAvisos);
}

}  // namespace

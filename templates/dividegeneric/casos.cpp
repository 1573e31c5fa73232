// dividegeneric: cociente de dos reales; el divisor cero se avisa por la salida de error.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kDividendo = "Introduce el primer número: ";
const std::string kDivisor = "Introduce el segundo número: ";
const std::string kCero = "Error: No se puede dividir por cero.\n";

// La salida estándar completa cuando se divide a entre b y se escribe r.
std::string division(const std::string& a, const std::string& b, const std::string& r) {
    return kDividendo + kDivisor + "El resultado de dividir " + a + " entre " + b + " es: " + r +
           "\n";
}

}  // namespace

void dividegeneric(Ejercicio& e) {
    e.primerAviso = kDividendo;
    e.firmas = {
        "template <typename T> T dividir(T a, T b);",
    };
    agregar(e, Origen::Enunciado,
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
                // El divisor cero: el error va a la salida de error y el resultado es 0.
                {"ejemplo 5 entre 0", "5\n0\n", division("5", "0", "0"), kCero},
                {"divisor -0", "5\n-0\n", division("5", "-0", "0"), kCero},
                {"divisor 0.0", "-3\n0.0\n", division("-3", "0", "0"), kCero},
                {"0 entre 0", "0\n0\n", division("0", "0", "0"), kCero},
                {"segundo no numérico: se lee 0", "5\nx\n", division("5", "0", "0"), kCero},
                {"signo suelto: se lee 0", "5\n-\n", division("5", "0", "0"), kCero},
                {"coma decimal: lee 2 y la coma hace leer 0", "2,5\n1\n", division("2", "0", "0"),
                 kCero},
            });
    agregar(
        e, Origen::Decidido,
        {
            segunLaBiblioteca(
                {"segundo por encima de double: el máximo", "5\n1e400\n",
                 division("5", "1.79769e+308", "2.78134e-308")},
                {"segundo por encima de double: inf", "5\n1e400\n", division("5", "inf", "0")}),
            // libstdc++ no conoce el hexadecimal ni "nan" al leer; libc++ sí.
            segunLaBiblioteca({"hexadecimal: lee el 0 y la x hace leer 0", "0x1A\n2\n",
                               division("0", "0", "0"), kCero},
                              {"hexadecimal: 26", "0x1A\n2\n", division("26", "2", "13")}),
            segunLaBiblioteca({"nan no es un número", "nan\n2\n", kDividendo, kEntradaNoValida},
                              {"nan se lee", "nan\n2\n", division("nan", "2", "nan")}),
            // libstdc++ lee 250 y deja "abc", que el segundo lee como 0; libc++ no lee nada.
            segunLaBiblioteca(
                {"letras pegadas al primero", "2.5e2abc\n3\n", division("250", "0", "0"), kCero},
                {"letras pegadas al primero", "2.5e2abc\n3\n", kDividendo, kEntradaNoValida}),
            // Sin dos números no se divide: el aviso va a la salida de error.
            {"entrada vacía", "", kDividendo, kEntradaNoValida},
            {"solo blancos", " \n\t\n", kDividendo, kEntradaNoValida},
            {"primero no numérico", "x\n3\n", kDividendo, kEntradaNoValida},
            {"primero por encima de double", "1e400\n3\n", kDividendo, kEntradaNoValida},
            {"la entrada acaba tras el primero", "5\n", kDividendo + kDivisor, kEntradaNoValida},
            {"tras el primero solo hay blancos", "5   \n\n", kDividendo + kDivisor,
             kEntradaNoValida},
            {"el primero llega hasta el final", "5", kDividendo + kDivisor, kEntradaNoValida},
        });
    // Con las dos salidas en una tubería se ve el orden: la etiqueta pendiente sale antes
    // que el error, y el 0 del resultado queda en la línea siguiente.
    e.casos.push_back(
        unidas(Origen::Enunciado, "divisor cero: el error tras la etiqueta", "5\n0\n",
               kDividendo + kDivisor + "El resultado de dividir 5 entre 0 es: " + kCero + "0\n"));
    e.casos.push_back(unidas(Origen::Enunciado, "división normal, sin error", "7\n2\n",
                             division("7", "2", "3.5")));
    e.casos.push_back(unidas(Origen::Decidido,
                             "primero no numérico: el aviso sigue en la misma línea", "x\n",
                             kDividendo + kEntradaNoValida));
    e.casos.push_back(unidas(Origen::Decidido, "falta el segundo", "5\n",
                             kDividendo + kDivisor + kEntradaNoValida));
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kDividendo, "5\n"}, {kDivisor, "0\n"}},
                                   division("5", "0", "0"), kCero));
}

}  // namespace nucleo::datos

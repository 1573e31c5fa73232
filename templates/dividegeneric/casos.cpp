// dividegeneric: cociente de dos reales; el divisor cero se avisa por la salida de error.
#include <limits>

#include "../reglas_plantillas.h"
#include "sonda.h"
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

// Lo que se observa de una llamada a dividir: lo que devuelve y lo que escribe.
const std::string kAvisa =
    "devuelve 0; en la salida de error escribe «Error: No se puede dividir por "
    "cero.⏎»";
std::string sinEscribir(double resultado) {
    return "devuelve " + ej_sonda::ver(resultado) + "; no escribe nada";
}

// Un real al azar escrito en decimal, con hasta tres decimales: "-123.45", "7", "0.008".
std::string realAlAzar(Azar& azar, long long hasta) {
    const long long n = azar.entero(-hasta, hasta);
    const int decimales = static_cast<int>(azar.entero(0, 3));
    std::string cifras = std::to_string(n < 0 ? -n : n);
    if (decimales > 0) {
        if (cifras.size() <= static_cast<std::size_t>(decimales))
            cifras.insert(0, static_cast<std::size_t>(decimales) + 1 - cifras.size(), '0');
        cifras.insert(cifras.size() - static_cast<std::size_t>(decimales), ".");
    }
    return (n < 0 ? "-" : "") + cifras;
}

// Uno que no es cero ni se lee como cero.
std::string noCeroAlAzar(Azar& azar, long long hasta) {
    for (;;) {
        std::string r = realAlAzar(azar, hasta);
        if (r.find_first_not_of("-0.") != std::string::npos) return r;
    }
}

// Las formas de escribir el cero.
const std::vector<std::string> kCeros = {"0", "-0", "0.0", "-0.000", "0e5"};

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
    // Dos números nuevos, a veces con el divisor cero: la salida la fija el ejercicio (nada de
    // lecturas fallidas ni de números fuera de double, que decide la colección).
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        for (int i = 0; i < 4; ++i) {
            const std::string a = realAlAzar(azar, 9999999);
            const std::string b =
                i == 0 || azar.unoDe(4) ? azar.elegir(kCeros) : noCeroAlAzar(azar, 99999);
            entradas.push_back(a + (azar.unoDe(2) ? "\n" : " ") + b + "\n");
        }
        return entradas;
    };

    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kInf = std::numeric_limits<double>::infinity();
    e.funciones = {
        {"DividirConDivisorCeroAvisaYDevuelveCeroPositivo",
         Origen::Enunciado,
         "dividir con divisor cero escribe el aviso en std::cerr y devuelve 0",
         {
             {"dividir", {"5", "0"}, kAvisa},
             {"dividir", {"5", "-0"}, kAvisa},
             // El 0 devuelto no lleva signo, aunque el dividendo sea negativo.
             {"dividir", {"-5", "0"}, kAvisa},
             {"dividir", {"nan", "0"}, kAvisa},
             {"dividir", {"0", "0"}, kAvisa},
         },
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i)
                 r.push_back({"dividir", {realAlAzar(azar, 9999999), azar.elegir(kCeros)}, ""});
             return r;
         },
         "Con b igual a 0 (también -0), dividir escribe «Error: No se puede dividir por cero.» "
         "con std::endl en std::cerr, no en std::cout, y devuelve 0 sin dividir."},
        {"DividirSinCeroNoEscribeNada",
         Origen::Enunciado,
         "dividir con otro divisor devuelve el cociente y no escribe nada",
         {
             {"dividir", {"7", "2"}, sinEscribir(3.5)},
             {"dividir", {"-7", "2"}, sinEscribir(-3.5)},
             // El cociente exacto redondeado, no a multiplicado por 1 / b (que da
             // 3.333333333333333).
             {"dividir", {"10", "3"}, sinEscribir(10.0 / 3)},
             {"dividir", {"2", "3"}, sinEscribir(2.0 / 3)},
             {"dividir", {"0", "-4"}, sinEscribir(-0.0)},
             // El double más cercano a 1e-300 no es exacto: el cociente no es justo 1e300.
             {"dividir", {"1", "1e-300"}, sinEscribir(1.0 / 1e-300)},
             {"dividir", {"1e300", "1e-300"}, sinEscribir(kInf)},
             // NaN no es igual a 0: se divide.
             {"dividir", {"1", "nan"}, sinEscribir(kNaN)},
             {"dividir", {"nan", "2"}, sinEscribir(kNaN)},
         },
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 4; ++i) {
                 r.push_back(
                     {"dividir", {realAlAzar(azar, 9999999), noCeroAlAzar(azar, 99999)}, ""});
             }
             r.push_back({"dividir", {realAlAzar(azar, 999), "nan"}, ""});
             return r;
         },
         "Con un divisor que no es igual a 0 (un NaN no lo es), dividir devuelve a / b y no "
         "escribe nada."},
        {"FirmaDeDividir",
         Origen::Enunciado,
         "dividir se declara como pide el ejercicio",
         {{"firma dividir<double>", {}, "double (double, double)"}}},
    };

    // Lo que pide el enunciado de la técnica: una plantilla, con su parámetro T, que escribe ella
    // misma el error, y que main usa para el resultado.
    namespace p = reglas::plantillas;
    e.examina = {"dividir"};
    e.tecnica = {
        {"DividirEsPlantilla", "dividir es una plantilla de función",
         "dividir es una plantilla de función, no una función para double.",
         [](const Arbol& a) {
             return p::esPlantilla(a, "dividir",
                                   "una plantilla de función, template <typename T>, aunque solo "
                                   "se use con double");
         },
         "errores/funcion_double.cpp", 4},
        {"ParametroDeTipoT", "el parámetro de tipo de dividir se llama T",
         "Su parámetro de tipo se llama T.",
         [](const Arbol& a) { return p::parametroDeTipo(a, "dividir", "T"); },
         "errores/parametro_tipo.cpp", 5},
        {"DividirEscribeElError", "dividir escribe ella misma el mensaje de error",
         "Si b es igual a cero (la comparación de igualdad con cero: +0.0 y -0.0 cuentan como "
         "cero; un NaN no), escribe el mensaje de error en std::cerr con std::endl y devuelve 0 "
         "(cero positivo).",
         [](const Arbol& a) {
             return p::escribeElla(a, "dividir",
                                   "que dividir, cuando b es cero, escriba ella misma el mensaje "
                                   "en std::cerr");
         },
         "errores/error_en_main.cpp", 5},
        {"MainUsaDividir", "main usa dividir para el resultado",
         "main llama una vez a dividir, dentro de la sentencia que escribe la línea del resultado.",
         [](const Arbol& a) {
             return p::usadaDesdeMain(a, "dividir", 1,
                                      "llamar a dividir(num1, num2) en la línea del resultado");
         },
         "errores/division_en_main.cpp", 13},
    };
}

}  // namespace nucleo::datos

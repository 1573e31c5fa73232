// closureproduct: producto de dos enteros leídos con una lambda sin captura.
#include "../reglas_lambda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "Por favor, ingrese dos números enteros separados por espacio: ";

std::string producto(const std::string& a, const std::string& b, const std::string& p) {
    return kPide + "El producto de " + a + " y " + b + " es: " + p + "\n";
}

std::string noCabe(const std::string& a, const std::string& b) {
    return kPide + "El producto de " + a + " y " + b + " no cabe en un int.\n";
}

}  // namespace

void closureproduct(Ejercicio& e) {
    e.primerAviso = kPide;
    // La técnica: la lambda producto, sin captura y sin mutable, en una variable local de main,
    // y resultado calculado llamándola como a una función.
    e.examina = {"producto"};
    e.encuentra = lambdas::hayLambda;
    e.tecnica = {
        {"ProductoEsUnaLambdaLocal",
         "producto es una lambda guardada en una variable local de main",
         "Este ejercicio enseña a definir una expresión lambda, guardarla en una variable local de "
         "`main` y llamarla como si fuera una función.",
         [](const Arbol& a) {
             return lambdas::guardadaEnMain(a, "producto",
                                            "una lambda guardada en una variable local de main "
                                            "(auto producto = [](int x, int y) -> int { … })");
         },
         "errores/funcion.cpp", 4},
        {"ProductoSinCaptura", "producto no captura nada",
         "La lambda no captura nada (`[]`), así que no guarda estado: solo usa sus parámetros.",
         [](const Arbol& a) {
             return lambdas::sinCaptura(a, "producto", "una lambda sin captura ([])");
         },
         "errores/captura_todo.cpp", 10},
        {"ProductoNoEsMutable", "producto no es mutable",
         "No escribe nada ni es `mutable`: llamarla no cambia nada",
         [](const Arbol& a) {
             return lambdas::noMutable(a, "producto",
                                       "una lambda sin mutable, cuya llamada no cambia nada");
         },
         "errores/mutable.cpp", 10},
        {"ResultadoLlamaAProducto", "resultado se calcula llamando a producto",
         "`int resultado`, inicializado con `producto(numero1, numero2)`",
         [](const Arbol& a) {
             return lambdas::seLlama(a, "producto", 1,
                                     "inicializar resultado con producto(numero1, numero2)");
         },
         "errores/sin_llamar.cpp", 10},
    };
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo", "6 7\n", producto("6", "7", "42")},
                {"en dos líneas", "6\n7\n", producto("6", "7", "42")},
                {"lo que sigue no se lee", "6 7 8\n", producto("6", "7", "42")},
                {"un negativo", "-3 5\n", producto("-3", "5", "-15")},
                {"dos negativos", "-4 -5\n", producto("-4", "-5", "20")},
                {"cero", "0 123\n", producto("0", "123", "0")},
                {"el mayor producto", "2147483647 1\n", producto("2147483647", "1", "2147483647")},
                {"el menor producto", "65536 -32768\n", producto("65536", "-32768", "-2147483648")},
            });
    agregar(e, Origen::Decidido,
            {
                {"50000 por 50000 no cabe", "50000 50000\n", noCabe("50000", "50000")},
                {"justo encima de int", "65536 32768\n", noCabe("65536", "32768")},
                {"justo debajo de int", "-2 1073741825\n", noCabe("-2", "1073741825")},
                {"el menor int por -1", "-2147483648 -1\n", noCabe("-2147483648", "-1")},
                {"entrada vacía", "", kPide + kEntradaNoValida},
                {"no es número", "x 2\n", kPide + kEntradaNoValida},
                {"falta el segundo", "6\n", kPide + kEntradaNoValida},
                {"el segundo no es número", "6 x\n", kPide + kEntradaNoValida},
                {"fuera de int", "2147483648 1\n", kPide + kEntradaNoValida},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "6 7\n"}}, producto("6", "7", "42")));

    // Dos enteros cuyo producto cabe en int (si no, decide la colección), en una línea o en dos,
    // a veces con algo detrás que ya no se lee.
    e.sorteo = [](Azar& azar) {
        const long long kMayor = 2147483647;
        const std::vector<std::string> blancos = {" ", "\n", "\t", "   ", " \n"};
        std::vector<std::string> entradas;
        for (const long long tope : {100LL, 50000LL, 50000LL, kMayor}) {
            const long long a = azar.entero(-tope, tope);
            // |a · b| <= 2147483647: b tan grande como deje a.
            const long long hasta = a == 0 ? kMayor : kMayor / (a < 0 ? -a : a);
            const long long b = azar.entero(-hasta, hasta);
            std::string entrada = std::to_string(a) + azar.elegir(blancos) + std::to_string(b);
            if (azar.unoDe(3)) entrada += " " + std::to_string(azar.entero(-99, 99));
            entradas.push_back(entrada + "\n");
        }
        return entradas;
    };
}

}  // namespace nucleo::datos

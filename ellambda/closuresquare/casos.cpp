// closuresquare: cuadrado de un entero leído con una lambda sin captura.
#include "../reglas_lambda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "Por favor, ingrese un número entero: ";

std::string cuadrado(const std::string& n, const std::string& c) {
    return kPide + "El cuadrado de " + n + " es: " + c + "\n";
}

std::string noCabe(const std::string& n) {
    return kPide + "El cuadrado de " + n + " no cabe en un int.\n";
}

}  // namespace

void closuresquare(Ejercicio& e) {
    e.primerAviso = kPide;
    // La técnica: la lambda cuadrado, sin captura y sin mutable, en una variable local de main,
    // y resultado calculado llamándola como a una función.
    e.examina = {"cuadrado"};
    e.encuentra = lambdas::hayLambda;
    e.tecnica = {
        {"CuadradoEsUnaLambdaLocal",
         "cuadrado es una lambda guardada en una variable local de main",
         "Este ejercicio enseña a definir una expresión lambda de un parámetro, guardarla en una "
         "variable local y llamarla con un número leído del teclado.",
         [](const Arbol& a) {
             return lambdas::guardadaEnMain(a, "cuadrado",
                                            "una lambda guardada en una variable local de main "
                                            "(auto cuadrado = [](int x) -> int { … })");
         },
         "errores/funcion.cpp", 4},
        {"CuadradoSinCaptura", "cuadrado no captura nada", "La lambda no captura nada (`[]`).",
         [](const Arbol& a) {
             return lambdas::sinCaptura(a, "cuadrado", "una lambda sin captura ([])");
         },
         "errores/captura_todo.cpp", 10},
        {"CuadradoNoEsMutable", "cuadrado no es mutable",
         "No escribe nada ni es `mutable`: llamarla no cambia nada",
         [](const Arbol& a) {
             return lambdas::noMutable(a, "cuadrado",
                                       "una lambda sin mutable, cuya llamada no cambia nada");
         },
         "errores/mutable.cpp", 10},
        {"ResultadoLlamaACuadrado", "resultado se calcula llamando a cuadrado",
         "`int resultado`, inicializado con `cuadrado(numero)`",
         [](const Arbol& a) {
             return lambdas::seLlama(a, "cuadrado", 1,
                                     "inicializar resultado con cuadrado(numero)");
         },
         "errores/sin_llamar.cpp", 10},
    };
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo", "12\n", cuadrado("12", "144")},
                {"negativo", "-5\n", cuadrado("-5", "25")},
                {"cero", "0\n", cuadrado("0", "0")},
                {"el mayor cuadrado", "46340\n", cuadrado("46340", "2147395600")},
                {"el mismo en negativo", "-46340\n", cuadrado("-46340", "2147395600")},
                {"letras detrás", "7abc\n", cuadrado("7", "49")},
            });
    agregar(e, Origen::Decidido,
            {
                {"justo encima", "46341\n", noCabe("46341")},
                {"justo debajo", "-46341\n", noCabe("-46341")},
                {"el menor int", "-2147483648\n", noCabe("-2147483648")},
                {"entrada vacía", "", kPide + kEntradaNoValida},
                {"no es número", "abc\n", kPide + kEntradaNoValida},
                {"fuera de int", "2147483648\n", kPide + kEntradaNoValida},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "12\n"}}, cuadrado("12", "144")));

    // Enteros cuyo cuadrado cabe en int, de -46340 a 46340 (fuera, decide la colección), a veces
    // con blancos delante o letras detrás que ya no se leen.
    e.sorteo = [](Azar& azar) {
        const std::vector<std::string> delante = {"", "", " ", "\n", "\t"};
        const std::vector<std::string> detras = {"", "", " 5", "abc", " x"};
        std::vector<std::string> entradas;
        for (const long long tope : {100LL, 46340LL, 46340LL}) {
            const long long n = azar.entero(-tope, tope);
            std::string entrada = azar.elegir(delante) + std::to_string(n);
            entradas.push_back(entrada + azar.elegir(detras) + "\n");
        }
        // Cerca del mayor cuadrado que cabe.
        const long long n = azar.entero(46000, 46340);
        entradas.push_back((azar.unoDe(2) ? "-" : "") + std::to_string(n) + "\n");
        return entradas;
    };
}

}  // namespace nucleo::datos

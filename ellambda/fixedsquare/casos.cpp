// fixedsquare: una lambda eleva al cuadrado el número fijo 6. No lee nada.
#include "../reglas_lambda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

// La lambda cuadrado es la primera variable de main: va antes que el número y el resultado.
Juicio antesDelNumero(const Arbol& a) {
    const lambdas::LaLambda b = lambdas::buscar(a, "cuadrado", "");
    if (b.lambda == nullptr || b.variable == nullptr) return {};
    for (const Variable& v : a.variables) {
        if (v.en != b.main->usr || v.lugar.archivo != b.variable->lugar.archivo ||
            v.lugar.linea >= b.variable->lugar.linea)
            continue;
        return lambdas::incumple(v.lugar, "la variable " + v.nombre + " (" +
                                              reglas::donde(a, v.lugar) +
                                              ") se declara antes que la lambda " + b.nombre +
                                              " (" + reglas::donde(a, b.variable->lugar) +
                                              "): el enunciado pide definir cuadrado antes que el "
                                              "número.");
    }
    return {};
}

}  // namespace

void fixedsquare(Ejercicio& e) {
    // La técnica: la lambda cuadrado, sin captura y sin mutable, en una variable local de main
    // definida antes que el número, y resultado calculado llamándola como a una función.
    e.examina = {"cuadrado"};
    e.encuentra = lambdas::hayLambda;
    e.tecnica = {
        {"CuadradoEsUnaLambdaLocal",
         "cuadrado es una lambda guardada en una variable local de main",
         "Este ejercicio enseña la forma más simple de una expresión lambda: se define, se guarda "
         "en una variable local y se llama con un número fijo.",
         [](const Arbol& a) {
             return lambdas::guardadaEnMain(a, "cuadrado",
                                            "una lambda guardada en una variable local de main "
                                            "(auto cuadrado = [](int x) -> int { … })");
         },
         "errores/macro.cpp", 6},
        {"CuadradoSinCaptura", "cuadrado no captura nada", "No captura nada (`[]`) y no lee nada.",
         [](const Arbol& a) {
             return lambdas::sinCaptura(a, "cuadrado", "una lambda sin captura ([])");
         },
         "errores/captura_todo.cpp", 5},
        {"CuadradoNoEsMutable", "cuadrado no es mutable",
         "No escribe nada ni es `mutable`: llamarla no cambia nada",
         [](const Arbol& a) {
             return lambdas::noMutable(a, "cuadrado",
                                       "una lambda sin mutable, cuya llamada no cambia nada");
         },
         "errores/mutable.cpp", 5},
        {"CuadradoAntesDelNumero", "cuadrado se define antes que el número",
         "`cuadrado`: la lambda, sin captura, definida **antes** del número", antesDelNumero,
         "errores/numero_primero.cpp", 4},
        {"ResultadoLlamaACuadrado", "resultado se calcula llamando a cuadrado",
         "`int resultado`, inicializado con `cuadrado(numero)` (36)",
         [](const Arbol& a) {
             return lambdas::seLlama(a, "cuadrado", 1,
                                     "inicializar resultado con cuadrado(numero)");
         },
         "errores/sin_llamar.cpp", 5},
    };
    const std::string salida = "El cuadrado de 6 es: 36\n";
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
}

}  // namespace nucleo::datos

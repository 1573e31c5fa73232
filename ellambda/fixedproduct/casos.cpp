// fixedproduct: una lambda multiplica 3 por 4. No lee nada.
#include "../reglas_lambda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

// multiplicar es la única variable de main: 3 y 4 van directamente en la llamada. Una variable
// entre la lambda y su primera llamada puede estar dentro del cuerpo de la lambda (el analizador
// la cuenta en main): esa la mira una persona.
Juicio sinMasVariables(const Arbol& a) {
    const lambdas::LaLambda b = lambdas::buscar(a, "multiplicar", "");
    if (b.lambda == nullptr) return {};
    const lambdas::Llamadas l = lambdas::llamadas(a, b);
    const std::string pide =
        ": el enunciado pide que multiplicar sea la única variable de main, con 3 y 4 escritos "
        "directamente en la llamada multiplicar(3, 4).";
    Juicio dudosa;
    for (const Variable& v : a.variables) {
        if (v.en != b.main->usr || &v == b.variable) continue;
        const bool antes = v.lugar.linea < b.lambda->lugar.linea;
        const bool conLaLlamada =
            v.inicial.rfind("llamada:", 0) == 0 && lambdas::corto(v.inicial) == "operator()";
        const bool despues = l.veces > 0 && v.lugar.linea > l.primera.linea;
        const std::string cual =
            "main tiene la variable " + v.nombre + " (" + reglas::donde(a, v.lugar) + ")";
        if (antes || conLaLlamada || despues) return lambdas::incumple(v.lugar, cual + pide);
        if (dudosa.como == Juicio::Como::Cumple)
            dudosa = {Juicio::Como::Revisar, v.lugar,
                      cual + ", quizá dentro de la lambda; si está fuera" + pide};
    }
    return dudosa;
}

}  // namespace

void fixedproduct(Ejercicio& e) {
    // La técnica: la lambda multiplicar, sin captura y sin mutable, única variable de main, y
    // llamada como una función con 3 y 4 directamente.
    const std::string directos =
        "Los números 3 y 4 se escriben directamente como argumentos de la llamada "
        "`multiplicar(3, 4)`: no hay más variables.";
    e.examina = {"multiplicar"};
    e.encuentra = lambdas::hayLambda;
    e.tecnica = {
        {"MultiplicarEsUnaLambdaLocal",
         "multiplicar es una lambda guardada en una variable local de main",
         "Este ejercicio enseña a llamar a una expresión lambda de dos parámetros guardada en una "
         "variable local, pasándole los argumentos directamente en la llamada.",
         [](const Arbol& a) {
             return lambdas::guardadaEnMain(a, "multiplicar",
                                            "una lambda guardada en una variable local de main "
                                            "(auto multiplicar = [](int a, int b) -> int { … })");
         },
         "errores/multiplies.cpp", 6},
        {"MultiplicarSinCaptura", "multiplicar no captura nada",
         "No captura nada (`[]`) y no lee nada.",
         [](const Arbol& a) {
             return lambdas::sinCaptura(a, "multiplicar", "una lambda sin captura ([])");
         },
         "errores/captura_todo.cpp", 5},
        {"MultiplicarNoEsMutable", "multiplicar no es mutable",
         "No escribe nada ni es `mutable`: llamarla no cambia nada",
         [](const Arbol& a) {
             return lambdas::noMutable(a, "multiplicar",
                                       "una lambda sin mutable, cuya llamada no cambia nada");
         },
         "errores/mutable.cpp", 5},
        {"MultiplicarSeLlamaCon3Y4", "main llama a multiplicar como a una función", directos,
         [](const Arbol& a) {
             return lambdas::seLlama(a, "multiplicar", 1,
                                     "escribir multiplicar(3, 4) en la sentencia de salida");
         },
         "errores/sin_llamar.cpp", 5},
        {"MultiplicarUnicaVariable", "multiplicar es la única variable de main", directos,
         sinMasVariables, "errores/con_resultado.cpp", 9},
    };
    const std::string salida = "3 * 4 = 12\n";
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
}

}  // namespace nucleo::datos

// closurecounter: una lambda mutable cuenta en su propia copia del contador. No lee nada.
#include "../reglas_lambda.h"
#include "reglas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

// La cuenta vive en la copia de contador de la lambda: ni variables static ni escrituras en
// variables globales, ni en main (con el cuerpo de la lambda) ni en las funciones a que llama.
Juicio cuentaEnSuCopia(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    const std::string pide =
        ": el enunciado pide que incrementar cuente en su propia copia de contador.";
    for (const std::string& usr : a.conAyudantes(m->usr)) {
        for (const Variable& v : a.variables) {
            if (v.en == usr && v.estatica)
                return lambdas::incumple(
                    v.lugar, "la variable static " + v.nombre + " (" + reglas::donde(a, v.lugar) +
                                 ") guarda una cuenta fuera de la lambda" + pide);
        }
        for (const Escritura& w : a.asignaciones) {
            if (w.en == usr && w.destino.rfind("global:", 0) == 0)
                return lambdas::incumple(w.lugar, "la variable global " + w.destino.substr(7) +
                                                      " se escribe en " +
                                                      reglas::donde(a, w.lugar) + pide);
        }
    }
    return {};
}

}  // namespace

void closurecounter(Ejercicio& e) {
    // La técnica: la lambda incrementar en una variable local de main, con contador capturado por
    // copia y nada más, mutable, contando en esa copia, y tres llamadas sin bucle.
    const std::string laLambda =
        "`incrementar`: una lambda que captura `contador`, y nada más, **por copia** (no por "
        "referencia), no recibe parámetros, devuelve `int` y es `mutable`.";
    const std::string tresLlamadas =
        "tres sentencias de salida seguidas, **sin bucle**, cada una llama a `incrementar()` y "
        "escribe el valor devuelto";
    e.examina = {"incrementar"};
    e.encuentra = lambdas::hayLambda;
    e.tecnica = {
        {"IncrementarEsUnaLambdaLocal",
         "incrementar es una lambda guardada en una variable local de main",
         "Un archivo, `closurecounter.cpp`, que solo tiene `main` (la lambda se define dentro)",
         [](const Arbol& a) {
             return lambdas::guardadaEnMain(
                 a, "incrementar",
                 "una lambda guardada en una variable local de main "
                 "(auto incrementar = [contador]() mutable -> int { … })");
         },
         "errores/objeto_funcion.cpp", 16},
        {"IncrementarCapturaContadorPorCopia", "incrementar captura contador por copia, y nada más",
         laLambda,
         [](const Arbol& a) {
             return lambdas::capturaPorCopia(
                 a, "incrementar", "contador",
                 "capturar contador, y nada más, por copia ([contador])");
         },
         "errores/captura_todo.cpp", 7},
        {"IncrementarEsMutable", "incrementar es mutable", laLambda,
         [](const Arbol& a) {
             return lambdas::esMutable(
                 a, "incrementar", "una lambda mutable, que cambie su propia copia de contador");
         },
         "errores/sin_mutable.cpp", 7},
        {"IncrementarCuentaEnSuCopia", "incrementar cuenta en su propia copia de contador",
         "Cada llamada suma 1 a **su** copia de `contador` y devuelve el valor ya aumentado (la "
         "primera llamada devuelve 1).",
         cuentaEnSuCopia, "errores/cuenta_global.cpp", 11},
        {"TresLlamadasSinBucle", "main no tiene bucles", tresLlamadas,
         [](const Arbol& a) {
             return reglas::sinBucles(a, "main", "tres sentencias de salida seguidas, sin bucle");
         },
         "errores/con_bucle.cpp", 12},
        {"IncrementarSeLlamaTresVeces", "main llama tres veces a incrementar", tresLlamadas,
         [](const Arbol& a) {
             return lambdas::seLlama(a, "incrementar", 3,
                                     "tres sentencias de salida seguidas, cada una con su llamada "
                                     "a incrementar()");
         },
         "errores/una_llamada.cpp", 12},
    };
    const std::string salida = "1\n2\n3\nValor original del contador: 0\n";
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", salida}, {"ignora la entrada", "5 5\n", salida}});
}

}  // namespace nucleo::datos

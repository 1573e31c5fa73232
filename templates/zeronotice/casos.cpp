// zeronotice: dos avisos sin fin de línea, sea cual sea la entrada.
#include <limits>

#include "../reglas_plantillas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kAviso = "no se puede dividir para 0";

// Lo que se observa de una llamada que escribe `texto`, sin salto de línea al final.
std::string escribe(const std::string& texto) { return "escribe «" + texto + "»"; }

// Un int cualquiera, en decimal.
std::string enteroAlAzar(Azar& azar) {
    return std::to_string(
        azar.entero(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

void zeronotice(Ejercicio& e) {
    const std::string numerador = "ingrese el numerador";
    const std::string denominador = "ingresar el denominador";
    const std::string todo = numerador + denominador +
                             "no se puede dividir para 0"
                             "no se puede dividir para 0";
    e.primerAviso = numerador;
    e.firmas = {
        "template <typename TD> void sum(TD numero);",
    };
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo 10 y 2", "10\n2\n", todo},
                {"0 y 0: igual que 10 y 2", "0\n0\n", todo},
                {"primero no numérico", "abc\n", todo},
                {"entrada vacía", "", todo},
                {"fuera de int", "-99999999999 5\n", todo},
                {"lo que sobra no se lee", "1 2 3 4\n", todo},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{numerador, "10\n"}, {denominador, "2\n"}}, todo));
    // Dos int nuevos, pequeños o grandes: la salida es la misma para todos.
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        for (int i = 0; i < 3; ++i) {
            const std::string a =
                azar.unoDe(2) ? std::to_string(azar.entero(-100, 100)) : enteroAlAzar(azar);
            entradas.push_back(a + (azar.unoDe(2) ? "\n" : " ") + enteroAlAzar(azar) + "\n");
        }
        return entradas;
    };

    std::vector<Llamada> cadaValor;
    for (const char* valor : {"0", "2", "10", "-1", "2147483647", "-2147483648"})
        cadaValor.push_back({"sum", {valor}, escribe(kAviso)});
    e.funciones = {
        {"SumEscribeUnAvisoPorLlamadaSeaCualSeaElValor", Origen::Enunciado,
         "sum escribe el aviso una vez por llamada, sea cual sea el valor", cadaValor,
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) r.push_back({"sum", {enteroAlAzar(azar)}, ""});
             r.push_back({"sum", {std::to_string(azar.entero(-9, 9))}, ""});
             return r;
         },
         "sum escribe «no se puede dividir para 0» exactamente una vez por llamada, sin salto de "
         "línea ni nada antes o después, sea cual sea numero."},
        {"DosLlamadasDosAvisosSeguidos",
         Origen::Enunciado,
         "dos llamadas a sum escriben dos avisos seguidos, sin nada entre ellos",
         {{"sum dos veces", {"10", "0"}, escribe(kAviso + kAviso), "sum(10); sum(0)"}},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 2; ++i) {
                 const std::string a = enteroAlAzar(azar);
                 const std::string b = std::to_string(azar.entero(-9, 9));
                 r.push_back({"sum dos veces", {a, b}, "", "sum(" + a + "); sum(" + b + ")"});
             }
             return r;
         }},
        {"FirmaDeSum",
         Origen::Enunciado,
         "sum se declara como pide el ejercicio",
         {{"firma sum<int>", {}, "void (int)"}}},
    };

    // Lo que pide el enunciado de la técnica: una plantilla, con su parámetro TD, declarada antes
    // de main y definida después, que escribe ella misma el aviso y que main llama dos veces.
    namespace p = reglas::plantillas;
    e.examina = {"sum"};
    e.tecnica = {
        {"SumEsPlantilla", "sum es una plantilla de función",
         "sum es una plantilla de función, no una función para int.",
         [](const Arbol& a) {
             return p::esPlantilla(a, "sum",
                                   "una plantilla de función, template <typename TD>, aunque solo "
                                   "se use con int");
         },
         "errores/funcion_int.cpp", 20},
        {"ParametroDeTipoTD", "el parámetro de tipo de sum se llama TD",
         "El parámetro de tipo se llama TD.",
         [](const Arbol& a) { return p::parametroDeTipo(a, "sum", "TD"); },
         "errores/parametro_tipo.cpp", 4},
        {"SumDeclaradaAntesDefinidaDespues", "sum se declara antes de main y se define después",
         "Este ejercicio enseña una plantilla de función declarada antes de main y definida "
         "después",
         [](const Arbol& a) {
             return p::declaradaAntesDefinidaDespues(
                 a, "sum",
                 "declarar la plantilla antes de main y escribir su definición después de main");
         },
         "errores/definida_antes.cpp", 5},
        {"SumEscribeElAviso", "sum escribe ella misma el aviso",
         "en cada llamada escribe una vez el aviso no se puede dividir para 0, sin nada antes ni "
         "después y sin fin de línea, sea cual sea el valor de numero.",
         [](const Arbol& a) {
             return p::escribeElla(a, "sum",
                                   "que sum escriba ella misma, en cada llamada, el aviso «no se "
                                   "puede dividir para 0»");
         },
         "errores/aviso_en_main.cpp", 24},
        {"MainUsaSum", "main llama a sum con num1 y con num2",
         "llama a sum(num1) y después a sum(num2)",
         [](const Arbol& a) {
             return p::usadaDesdeMain(a, "sum", 2, "llamar a sum(num1) y después a sum(num2)");
         },
         "errores/una_llamada.cpp", 7},
    };
}

}  // namespace nucleo::datos

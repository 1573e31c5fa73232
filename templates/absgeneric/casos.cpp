// absgeneric: valor absoluto de un int, un float y un double fijos. No lee nada.
#include <cmath>
#include <limits>

#include "../reglas_plantillas.h"
#include "sonda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const long long kMenorInt = -2147483647LL - 1;
const long long kMayorInt = 2147483647LL;
const std::string kEtiqueta = "el valor absoluto del nuero es: ";

// Lo que escribe mostrarAbs con el número ya escrito, sin decir si vació la salida.
std::string escribe(const std::string& numero) {
    return "escribe " + ej_sonda::ver(kEtiqueta + numero + "\n");
}

// Lo mismo, con su fin de línea como lo pide el ejercicio: '\n', sin vaciar.
std::string escribeSinVaciar(const std::string& numero) {
    return ej_sonda::ver(ej_sonda::Escrito{kEtiqueta + numero + "\n", "", ""});
}

enum class Tipo { Int, Float, Double };

// Un valor de uno de los tres tipos: como argumento de la sonda ("-2.5", "nan") y como se
// escribiría en C++ (-2.5f, NaN).
struct Valor {
    Tipo tipo;
    double v;

    std::string argumento() const {
        return tipo == Tipo::Int ? std::to_string(static_cast<long long>(v)) : ej_sonda::ver(v);
    }
    std::string literal() const {
        if (tipo == Tipo::Int) return argumento();
        if (std::isnan(v)) return "NaN";
        if (std::isinf(v)) return v < 0 ? "-INFINITY" : "INFINITY";
        std::string t = ej_sonda::ver(v);
        if (t.find_first_of(".e") == std::string::npos) t += ".0";
        return tipo == Tipo::Float ? t + "f" : t;
    }
    std::string nombreDelTipo() const {
        return tipo == Tipo::Int ? "int" : tipo == Tipo::Float ? "float" : "double";
    }
};

Valor deInt(long long v) { return {Tipo::Int, static_cast<double>(v)}; }
Valor deFloat(double v) { return {Tipo::Float, v}; }
Valor deDouble(double v) { return {Tipo::Double, v}; }

// La operación de la sonda (mostrarAbs, "línea de mostrarAbs"...) con la versión del tipo.
Llamada llamada(const std::string& operacion, const Valor& x, std::string esperado) {
    return {operacion + "<" + x.nombreDelTipo() + ">",
            {x.argumento()},
            std::move(esperado),
            "mostrarAbs(" + x.literal() + ")"};
}

Llamada variableTras(const Valor& x, std::string esperado) {
    return {"variable tras mostrarAbs<" + x.nombreDelTipo() + ">",
            {x.argumento()},
            std::move(esperado),
            x.nombreDelTipo() + " x = " + x.literal() + "; mostrarAbs(x); el valor de x"};
}

// Un real cualquiera exacto en float y en double (así se lee igual en los dos): hasta siete
// cifras, a veces con fracción binaria, a veces muy grande o muy pequeño.
double unReal(Azar& azar) {
    const long long mantisa = azar.entero(-1000000, 1000000);
    return std::ldexp(static_cast<double>(mantisa), static_cast<int>(azar.entero(-12, 12)));
}

// Un valor sorteado de cada tipo: el int, cualquiera menos el más negativo, cuyo opuesto no
// cabe (ahí decide la colección).
std::vector<Valor> unoDeCada(Azar& azar) {
    const long long n = azar.entero(kMenorInt + 1, kMayorInt);
    const double f = unReal(azar);
    const double d = unReal(azar);
    return {deInt(n), deFloat(f), deDouble(d)};
}

}  // namespace

void absgeneric(Ejercicio& e) {
    const std::string salida =
        "el valor absoluto del nuero es: 4\n"
        "el valor absoluto del nuero es: 56.3\n"
        "el valor absoluto del nuero es: 123.344\n";
    e.firmas = {
        "template <typename TIPOD> void mostrarAbs(TIPOD numero);",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});

    const double kInf = std::numeric_limits<double>::infinity();
    std::vector<Llamada> absolutos;
    for (const auto& [x, numero] : std::vector<std::pair<Valor, std::string>>{
             {deInt(0), "0"},
             {deInt(7), "7"},
             {deInt(-4), "4"},
             {deInt(kMayorInt), "2147483647"},
             {deInt(-kMayorInt), "2147483647"},
             {deDouble(0.0), "0"},
             {deDouble(-0.0), "-0"},
             {deFloat(-0.0), "-0"},
             {deDouble(-2.5), "2.5"},
             {deFloat(-2.5), "2.5"},
             {deDouble(-1234567.0), "1.23457e+06"},
             {deFloat(-1234567.0), "1.23457e+06"},
             {deDouble(std::nan("")), "nan"},
             {deDouble(-kInf), "inf"},
             {deFloat(56.3), "56.3"},
             {deDouble(123.3445), "123.344"},
         }) {
        absolutos.push_back(llamada("mostrarAbs", x, escribe(numero)));
    }

    e.funciones = {
        {"MostrarAbsEscribeElValorAbsoluto", Origen::Enunciado,
         "mostrarAbs escribe el valor absoluto con su texto", absolutos,
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (const Valor& x : unoDeCada(azar)) r.push_back(llamada("mostrarAbs", x, ""));
             const long long negativo = azar.entero(kMenorInt + 1, -1);
             r.push_back(llamada("mostrarAbs", deInt(negativo), ""));
             return r;
         },
         "Si numero es menor que 0 se cambia por su opuesto; después se escribe «" + kEtiqueta +
             "», el número con el formato por defecto del flujo y '\\n'."},
        {"MostrarAbsAcabaEnSaltoDeLineaSinVaciar",
         Origen::Enunciado,
         "mostrarAbs termina con un salto de línea que no vacía la salida",
         {llamada("línea de mostrarAbs", deInt(-4), escribeSinVaciar("4")),
          llamada("línea de mostrarAbs", deFloat(56.3), escribeSinVaciar("56.3")),
          llamada("línea de mostrarAbs", deDouble(123.3445), escribeSinVaciar("123.344"))},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (const Valor& x : unoDeCada(azar))
                 r.push_back(llamada("línea de mostrarAbs", x, ""));
             return r;
         }},
        {"MostrarAbsDelIntMinimo",
         Origen::Decidido,
         "mostrarAbs del int más negativo",
         {llamada("línea de mostrarAbs", deInt(kMenorInt), escribeSinVaciar("2147483648"))},
         nullptr,
         "El opuesto de -2147483648 no cabe en int: negarlo desborda. Su valor absoluto se puede "
         "escribir pasándolo al tipo sin signo del mismo tamaño."},
        {"MostrarAbsNoCambiaLaVariableDelLlamador",
         Origen::Enunciado,
         "mostrarAbs no cambia la variable del que llama",
         {variableTras(deInt(-4), "-4"), variableTras(deDouble(-2.5), "-2.5"),
          variableTras(deFloat(-2.5), "-2.5")},
         [](Azar& azar) {
             const long long n = azar.entero(kMenorInt + 1, -1);
             const double f = -std::fabs(unReal(azar));
             const double d = -std::fabs(unReal(azar));
             return std::vector<Llamada>{variableTras(deInt(n), ""), variableTras(deFloat(f), ""),
                                         variableTras(deDouble(d), "")};
         },
         "mostrarAbs recibe numero por valor (TIPOD numero): cambia su copia, no la variable de "
         "main."},
        {"FirmaDeMostrarAbs",
         Origen::Enunciado,
         "mostrarAbs se declara como pide el ejercicio",
         {{"firma mostrarAbs<int>", {}, "void (int)"}}},
    };

    // Lo que pide el enunciado de la técnica: una sola plantilla, con su parámetro TIPOD,
    // declarada antes de main y definida después, que main usa con los tres tipos.
    namespace p = reglas::plantillas;
    e.examina = {"mostrarAbs"};
    e.tecnica = {
        {"MostrarAbsEsPlantilla", "mostrarAbs es una plantilla de función",
         "mostrarAbs es una sola plantilla de función para los tres tipos, no una función para "
         "cada tipo.",
         [](const Arbol& a) {
             return p::esPlantilla(
                 a, "mostrarAbs",
                 "una sola plantilla de función, template <typename TIPOD>, para int, float y "
                 "double");
         },
         "errores/funcion_por_tipo.cpp", 19},
        {"ParametroDeTipoTIPOD", "el parámetro de tipo de mostrarAbs se llama TIPOD",
         "El parámetro de tipo se llama TIPOD.",
         [](const Arbol& a) { return p::parametroDeTipo(a, "mostrarAbs", "TIPOD"); },
         "errores/parametro_tipo.cpp", 4},
        {"MostrarAbsDeclaradaAntesDefinidaDespues",
         "mostrarAbs se declara antes de main y se define después",
         "mostrarAbs se declara antes de main y se define después.",
         [](const Arbol& a) {
             return p::declaradaAntesDefinidaDespues(
                 a, "mostrarAbs",
                 "declarar la plantilla antes de main y escribir su definición después de main");
         },
         "errores/definida_antes.cpp", 5},
        {"MainUsaMostrarAbs", "main usa mostrarAbs con int, con float y con double",
         "Llama a mostrarAbs(num1), luego a mostrarAbs(num4), luego a mostrarAbs(num3), y "
         "devuelve 0.",
         [](const Arbol& a) {
             return p::usadaDesdeMain(a, "mostrarAbs", 3, "llamarla con num1, con num4 y con num3");
         },
         "errores/double_a_mano.cpp", 7},
    };
}

}  // namespace nucleo::datos

// equalspecial: Comparador con dos int y, especializado, con dos textos. No lee nada.
#include <algorithm>
#include <limits>
#include <tuple>

#include "tablas.h"

namespace nucleo::datos {

namespace {

// Una llamada a la especialización con dos textos, cada uno en su propio array.
Llamada textos(const std::string& a, const std::string& b, bool iguales) {
    return {"Comparador<char*>::esIgual",
            {a, b},
            iguales ? "true" : "false",
            "Comparador<char*>::esIgual(\"" + a + "\", \"" + b + "\")"};
}

// Una palabra corta, de unas pocas letras: así a menudo salen dos iguales o casi.
std::string palabraAlAzar(Azar& azar) {
    static const std::vector<std::string> kLetras = {"a", "b", "H", "o", "l", " "};
    std::string r;
    for (long long n = azar.entero(0, 4); n > 0; --n) r += azar.elegir(kLetras);
    return r;
}

// Un texto parecido: el mismo, con una letra cambiada, con una de más o con una de menos.
std::string parecida(Azar& azar, const std::string& t) {
    switch (azar.entero(0, 3)) {
        case 0:
            return t;
        case 1:
            return t.empty() ? "a" : t.substr(0, t.size() - 1) + (t.back() == 'a' ? "A" : "a");
        case 2:
            return t + "o";
        default:
            return t.empty() ? t : t.substr(1);
    }
}

}  // namespace

void equalspecial(Ejercicio& e) {
    const std::string salida =
        "5 y 5 son iguales: 1\n"
        "\"Hola\" y \"Hola\" son iguales: 1\n";
    e.firmas = {
        "template <typename T> class Comparador { public: static bool esIgual(T a, T b); };",
        "template <> class Comparador<char*> { public: static bool esIgual(const char* a, const "
        "char* b); };",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "-7 hola\n", salida}});

    std::vector<Llamada> contenidos = {textos("Hola", "Hola", true)};
    for (const auto& [a, b, iguales] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"Hola", "hola", false},    // mayúsculas y minúsculas
             {"Hola", "Hola ", false},   // un blanco al final
             {"Hol", "Hola", false},     // un prefijo
             {"", "", true},             // dos textos vacíos
             {"", "Hola", false},        // vacío y no vacío
             {"número", "número", true}  // acentos iguales
         }) {
        contenidos.push_back(textos(a, b, iguales));
        contenidos.push_back(textos(b, a, iguales));  // en el otro orden
    }
    e.funciones = {
        {"EsIgualDeEnteros",
         Origen::Enunciado,
         "Comparador<int>::esIgual compara dos enteros",
         {
             {"Comparador<int>::esIgual", {"5", "5"}, "true"},
             {"Comparador<int>::esIgual", {"5", "6"}, "false"},
             {"Comparador<int>::esIgual", {"-5", "5"}, "false"},
         },
         [](Azar& azar) {
             const long long minimo = std::numeric_limits<int>::min();
             const long long maximo = std::numeric_limits<int>::max();
             auto llamada = [](long long a, long long b) {
                 return Llamada{
                     "Comparador<int>::esIgual", {std::to_string(a), std::to_string(b)}, ""};
             };
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) {
                 const long long a = azar.entero(minimo, maximo);
                 const long long b =
                     azar.unoDe(2) ? a : std::clamp(a + azar.entero(-2, 2), minimo, maximo);
                 r.push_back(llamada(a, b));
             }
             // Dos lejanos de signo contrario: su diferencia no cabe en un int, y esIgual compara
             // con ==, sin restar.
             const long long positivo = azar.entero(maximo / 2 + 1, maximo);
             const long long negativo = azar.entero(minimo, minimo / 2 - 1);
             r.push_back(azar.unoDe(2) ? llamada(positivo, negativo) : llamada(negativo, positivo));
             return r;
         }},
        {"LaEspecializacionComparaElContenido", Origen::Enunciado,
         "Comparador<char*>::esIgual compara el contenido de los textos, no las direcciones",
         contenidos,
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 5; ++i) {
                 const std::string a = palabraAlAzar(azar);
                 const std::string b = parecida(azar, a);
                 r.push_back(textos(a, b, false));
                 r.back().esperado = "";
             }
             return r;
         },
         "Los dos textos llegan en arrays distintos: la especialización compara su contenido "
         "con strcmp (iguales si devuelve 0), no los punteros."},
        {"FirmaDeEsIgual",
         Origen::Enunciado,
         "Comparador<T>::esIgual se declara como pide el ejercicio",
         {{"firma Comparador<int>::esIgual", {}, "bool (int, int)"}}},
        // La especialización recibe const char*, no los char* del argumento de la plantilla.
        {"FirmaDeEsIgualDeTextos",
         Origen::Enunciado,
         "Comparador<char*>::esIgual se declara como pide el ejercicio",
         {{"firma Comparador<char*>::esIgual", {}, "bool (const char*, const char*)"}}},
    };
}

}  // namespace nucleo::datos

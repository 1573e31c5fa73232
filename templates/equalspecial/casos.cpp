// equalspecial: Comparador con dos int y, especializado, con dos textos. No lee nada.
#include <algorithm>
#include <limits>
#include <string>
#include <tuple>

#include "reglas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

// Reglas de la técnica de este ejercicio, sobre las clases del árbol (arbol.h).

const Clase* claseComparador(const Arbol& a, const std::string& tipo) {
    for (const Clase& c : a.clases) {
        if (c.definicion && c.nombre == "Comparador" && c.tipo == tipo) return &c;
    }
    return nullptr;
}

// Comparador es una plantilla de clase, no una clase corriente con un esIgual para cada tipo.
Juicio comparadorEsPlantilla(const Arbol& a) {
    if (claseComparador(a, "plantilla") != nullptr) return {};
    const Clase* c = claseComparador(a, "clase");
    if (c == nullptr) c = claseComparador(a, "estructura");
    if (c == nullptr) return reglas::definida(a, "Comparador");
    return {Juicio::Como::Incumple, c->lugar,
            "Comparador (" + reglas::donde(a, c->lugar) +
                ") es una clase corriente, no una plantilla: el enunciado pide template "
                "<typename T> class Comparador."};
}

// Hay una especialización completa, template <> class Comparador<char*>.
Juicio especializadaParaTextos(const Arbol& a) {
    if (claseComparador(a, "plantilla") == nullptr) return {};  // lo dice comparadorEsPlantilla
    const std::string pide =
        "el enunciado pide una especialización completa para char*, template <> class "
        "Comparador<char*>";
    const Clase* otra = nullptr;
    for (const Clase& c : a.clases) {
        if (!c.definicion || c.nombre != "Comparador") continue;
        if (c.tipo == "especializacion" && c.mostrado == "Comparador<char *>") return {};
        if (c.tipo.rfind("especializacion", 0) == 0 && otra == nullptr) otra = &c;
    }
    if (otra != nullptr)
        return {Juicio::Como::Incumple, otra->lugar,
                "Comparador se especializa para " + otra->mostrado + " en " +
                    reglas::donde(a, otra->lugar) +
                    (otra->tipo == "especializacion" ? "" : ", una especialización parcial") +
                    ", no para char*: " + pide + "."};
    const Clase* t = claseComparador(a, "plantilla");
    return {Juicio::Como::Incumple, t->lugar,
            "Comparador (" + reglas::donde(a, t->lugar) +
                ") no tiene especialización para char*: " + pide +
                ", cuyo esIgual compare el contenido de los textos."};
}

// El esIgual de Comparador<char*> compara el contenido con strcmp. Sin strcmp, si no llama a
// nada ni tiene bucles compara los punteros (Incumple); si no, lo decide una persona.
Juicio textosConStrcmp(const Arbol& a) {
    const Funcion* f = a.definicion("Comparador<char *>::esIgual");
    if (f == nullptr) return {};  // lo dice especializadaParaTextos, o la firma
    const std::vector<std::string> suyas = a.conAyudantes(f->usr);
    if (!a.llamadasA(suyas, {"strcmp", "std::strcmp"}).empty()) return {};
    bool hace = false;
    for (const Llamada_& l : a.llamadas) {
        if (std::find(suyas.begin(), suyas.end(), l.desde) != suyas.end()) hace = true;
    }
    for (const Bucle& b : a.bucles) {
        if (std::find(suyas.begin(), suyas.end(), b.en) != suyas.end()) hace = true;
    }
    if (hace)
        return {Juicio::Como::Revisar, f->lugar,
                "Comparador<char*>::esIgual (" + reglas::donde(a, f->lugar) +
                    ") no usa strcmp: mira si compara el contenido de los textos byte a byte, "
                    "como strcmp(a, b) == 0, que es lo que pide el enunciado."};
    return {Juicio::Como::Incumple, f->lugar,
            "Comparador<char*>::esIgual (" + reglas::donde(a, f->lugar) +
                ") no llama a strcmp: el enunciado pide comparar el contenido de los textos con "
                "strcmp(a, b) == 0, no las direcciones de los punteros."};
}

// main llama a Comparador<int>::esIgual (el de la plantilla) y a Comparador<char*>::esIgual.
Juicio mainUsaLasDos(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    const Funcion* general = a.definicion("Comparador<T>::esIgual");
    const Funcion* textos = a.definicion("Comparador<char *>::esIgual");
    if (m == nullptr || general == nullptr || textos == nullptr) return {};
    const std::vector<std::string> desdeMain = a.conAyudantes(m->usr);
    auto llama = [&](const Funcion* f) {
        for (const Llamada_& l : a.llamadas) {
            if (l.usr == f->usr &&
                std::find(desdeMain.begin(), desdeMain.end(), l.desde) != desdeMain.end())
                return true;
        }
        return false;
    };
    const std::string falta = !llama(general)  ? "Comparador<int>::esIgual"
                              : !llama(textos) ? "Comparador<char*>::esIgual"
                                               : "";
    if (falta.empty()) return {};
    return {Juicio::Como::Incumple, m->lugar,
            "main (" + reglas::donde(a, m->lugar) + ") no llama a " + falta +
                ": el enunciado pide comparar a y b con Comparador<int>::esIgual y str1 y str2 "
                "con Comparador<char*>::esIgual, a través del nombre de la clase."};
}

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

    // Lo que pide el enunciado de la técnica: una plantilla de clase, su especialización
    // completa para char* que compara con strcmp, y main usando las dos.
    e.examina = {"Comparador"};
    e.tecnica = {
        {"ComparadorEsPlantillaDeClase", "Comparador es una plantilla de clase",
         "Este ejercicio enseña una plantilla de clase con una función miembro estática, y una "
         "especialización completa de esa plantilla para char*.",
         comparadorEsPlantilla, "errores/clase_corriente.cpp", 5},
        {"EspecializacionParaCharPtr", "Comparador tiene una especialización completa para char*",
         "Este ejercicio enseña una plantilla de clase con una función miembro estática, y una "
         "especialización completa de esa plantilla para char*.",
         especializadaParaTextos, "errores/sin_especializacion.cpp", 5},
        {"TextosConStrcmp", "Comparador<char*>::esIgual compara los textos con strcmp",
         "Comparador<char*>::esIgual(a, b) recibe punteros a const char (no los char* del "
         "argumento de la plantilla) y devuelve true cuando strcmp(a, b) devuelve 0.",
         textosConStrcmp, "errores/compara_punteros.cpp", 13},
        {"MainUsaLasDos", "main usa Comparador<int>::esIgual y Comparador<char*>::esIgual",
         "llama a Comparador<int>::esIgual(a, b) y a Comparador<char*>::esIgual(str1, str2) a "
         "través del nombre de la clase",
         mainUsaLasDos, "errores/strcmp_en_main.cpp", 18},
    };
}

}  // namespace nucleo::datos

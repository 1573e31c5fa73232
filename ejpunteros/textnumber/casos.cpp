// textnumber: una palabra de hasta 6 caracteres convertida con atof y guardada en un float.
#include <algorithm>

#include "reglas.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "escriba un numero: ";

// Las otras maneras de pasar texto a número, que el enunciado no pide: las de C, las de
// <string>, from_chars y los flujos de texto.
bool otraConversion(const std::string& nombre) {
    static const char* const kOtras[] = {
        "strtof",       "strtod",    "strtold",     "std::strtof",    "std::strtod",
        "std::strtold", "std::stof", "std::stod",   "std::stold",     "std::stoi",
        "std::stol",    "atoi",      "atol",        "atoll",          "strtol",
        "std::strtol",  "sscanf",    "std::sscanf", "std::from_chars"};
    if (std::find(std::begin(kOtras), std::end(kOtras), nombre) != std::end(kOtras)) return true;
    return nombre.rfind("std::basic_istringstream", 0) == 0 ||
           nombre.rfind("std::basic_stringstream", 0) == 0;
}

// Las funciones que hacen el trabajo de main: ella y sus ayudantes.
std::vector<std::string> deMain(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    return m == nullptr ? std::vector<std::string>{} : a.conAyudantes(m->usr);
}

// El texto se convierte con atof. Otra conversión sin atof incumple; junto a atof (para mirar el
// rango, por ejemplo), lo decide una persona.
Juicio convierteConAtof(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    const std::vector<std::string> suyas = deMain(a);
    const Llamada_* atof = nullptr;
    const Llamada_* otra = nullptr;
    for (const Llamada_& l : a.llamadas) {
        if (std::find(suyas.begin(), suyas.end(), l.desde) == suyas.end()) continue;
        if (l.nombre == "atof" || l.nombre == "std::atof") atof = atof ? atof : &l;
        if (otraConversion(l.nombre)) otra = otra ? otra : &l;
    }
    const std::string pide = "convertir el texto con atof";
    if (otra != nullptr && atof == nullptr)
        return {Juicio::Como::Incumple, otra->lugar,
                "El texto se convierte con " + otra->nombre + " en " +
                    reglas::donde(a, otra->lugar) + ": el enunciado pide " + pide + "."};
    if (otra != nullptr)
        return {Juicio::Como::Revisar, otra->lugar,
                "Además de atof, se llama a " + otra->nombre + " en " +
                    reglas::donde(a, otra->lugar) +
                    ": mira que el número que se escribe sea el que da atof."};
    if (atof != nullptr) return {};
    return {Juicio::Como::Incumple, m->lugar,
            "main (" + reglas::donde(a, m->lugar) + ") no llama a atof: el enunciado pide " + pide +
                "."};
}

// Una variable local de main (o de un ayudante) de ese tipo, sin const ni volatile.
const Variable* local(const Arbol& a, bool (*es)(const std::string&)) {
    const std::vector<std::string> suyas = deMain(a);
    for (const Variable& v : a.variables) {
        std::string tipo = v.tipo;
        for (const std::string q : {"const ", "volatile "}) {
            if (tipo.rfind(q, 0) == 0) tipo.erase(0, q.size());
        }
        if (std::find(suyas.begin(), suyas.end(), v.en) != suyas.end() && es(tipo)) return &v;
    }
    return nullptr;
}

bool esFloat(const std::string& tipo) { return tipo == "float"; }
bool esArregloDeChar(const std::string& tipo) {
    return (tipo.rfind("char[", 0) == 0 || tipo.rfind("char [", 0) == 0) ||
           tipo.rfind("std::array<char,", 0) == 0;
}
bool esTexto(const std::string& tipo) {
    return tipo == "std::string" || tipo.rfind("std::basic_string<char", 0) == 0;
}

// El número convertido se guarda en un float: el que se escribe.
Juicio guardaEnUnFloat(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    if (local(a, esFloat) != nullptr) return {};
    const std::string pide = "guardar el resultado de atof en un float y escribir ese float";
    for (const Variable& v : a.variables) {
        if (v.en == m->usr && (v.inicial == "llamada:atof" || v.inicial == "llamada:std::atof"))
            return {Juicio::Como::Incumple, v.lugar,
                    "El resultado de atof se guarda en " + v.nombre + ", de tipo " + v.tipo + " (" +
                        reglas::donde(a, v.lugar) + "): el enunciado pide " + pide + "."};
    }
    return {Juicio::Como::Incumple, m->lugar,
            "main (" + reglas::donde(a, m->lugar) +
                ") no tiene ninguna variable float: el enunciado pide " + pide + "."};
}

// La palabra se lee en un arreglo de char, no en un std::string.
Juicio leeEnUnArregloDeChar(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    if (local(a, esArregloDeChar) != nullptr) return {};
    const std::string pide = "leer la palabra en un arreglo de char (char cad[7])";
    if (const Variable* s = local(a, esTexto))
        return {Juicio::Como::Incumple, s->lugar,
                "La palabra se lee en " + s->nombre + ", un std::string (" +
                    reglas::donde(a, s->lugar) + "): el enunciado pide " + pide + "."};
    return {Juicio::Como::Incumple, m->lugar,
            "main (" + reglas::donde(a, m->lugar) +
                ") no tiene ningún arreglo de char: el enunciado pide " + pide + "."};
}

}  // namespace

void textnumber(Ejercicio& e) {
    e.primerAviso = kPide;
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo", "2.5\n", kPide + "2.5\n"},
                {"el float más cercano, con 6 cifras", "123.34\n", kPide + "123.34\n"},
                {"sin número al principio", "abc\n", kPide + "0\n"},
                {"solo el principio numérico", "12abc\n", kPide + "12\n"},
                {"blancos delante", "   -0.5\n", kPide + "-0.5\n"},
                {"línea vacía y tabulador delante", "\n\t-0.5\n", kPide + "-0.5\n"},
                {"solo la primera palabra", "4 5\n", kPide + "4\n"},
                {"forma exponencial desde 1e6", "1e7\n", kPide + "1e+07\n"},
                {"0.0001 aún sin exponente", "0.0001\n", kPide + "0.0001\n"},
                {"exponente por debajo de -4", "1e-5\n", kPide + "1e-05\n"},
                {"seis cifras enteras", "123456\n", kPide + "123456\n"},
                {"demasiado pequeño para float", "1e-50\n", kPide + "0\n"},
                {"demasiado pequeño y negativo", "-1e-50\n", kPide + "-0\n"},
                {"signo más y punto inicial", "+.5\n", kPide + "0.5\n"},
                {"hexadecimal", "0x1p-2\n", kPide + "0.25\n"},
                {"no es un número escrito", "nan\n", kPide + "nan\n"},
                {"3.4e38 aún cabe en float", "34e37\n", kPide + "3.4e+38\n"},
                // Sin ninguna palabra se convierte el texto inicial.
                {"entrada vacía", "", kPide + "123.34\n"},
                {"solo blancos", "  \n\t\n", kPide + "123.34\n"},
            });
    agregar(e, Origen::Decidido,
            {
                {"infinito escrito", "inf\n", kPide + "inf\n"},
                // La lectura se limita a 6 caracteres: el resto queda sin leer.
                {"40 cifras: solo entran 6", "1234567890123456789012345678901234567890\n",
                 kPide + "123456\n"},
                {"siete cifras", "1234567\n", kPide + "123456\n"},
                {"decimales de más", "3.14159265\n", kPide + "3.1415\n"},
                {"el exponente queda fuera", "3.4028235e38\n", kPide + "3.4028\n"},
                {"letras largas", "abcdefghijklmnopqrstuvwxyz\n", kPide + "0\n"},
                // Fuera del rango de float: infinito con su signo.
                {"1e39", "1e39\n", kPide + "inf\n"},
                {"-1e39", "-1e39\n", kPide + "-inf\n"},
                {"3.5e38", "35e37\n", kPide + "inf\n"},
                {"cabe en double", "1e308\n", kPide + "inf\n"},
                {"ni en double", "-1e999\n", kPide + "-inf\n"},
            });
    // Lo que pide el enunciado de la técnica: la palabra en un arreglo de char, convertida con
    // atof, y el número en un float.
    const std::string ensena =
        "Este ejercicio enseña a leer una palabra en un arreglo pequeño de char y a convertirla en "
        "número con atof, de la biblioteca de C.";
    e.tecnica = {
        {"ConvierteConAtof", "el texto se convierte con atof", ensena, convierteConAtof,
         "errores/con_strtof.cpp", 12},
        {"GuardaElNumeroEnUnFloat", "el número se guarda en un float",
         "atof devuelve un double; aquí el resultado se guarda en un float, y lo que se escribe es "
         "ese float.",
         guardaEnUnFloat, "errores/en_double.cpp", 11},
        {"LeeLaPalabraEnUnArregloDeChar", "la palabra se lee en un arreglo de char", ensena,
         leeEnUnArregloDeChar, "errores/en_string.cpp", 6},
    };
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "2.5\n"}}, kPide + "2.5\n"));
    // Números nuevos de como mucho 6 caracteres, donde el ejercicio define la salida: un
    // entero, uno con dos decimales y uno con exponente que no pasa del mayor float (los más
    // pequeños quedan por debajo del menor float y se vuelven 0, como 1e-50).
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        entradas.push_back(std::to_string(azar.entero(-99999, 999999)));
        const std::string signo = azar.unoDe(2) ? "-" : "";
        const std::string entera = std::to_string(azar.entero(0, 99));
        const long long decimales = azar.entero(0, 99);
        entradas.push_back(signo + entera + (decimales < 10 ? ".0" : ".") +
                           std::to_string(decimales));
        const std::string mantisa = std::to_string(azar.entero(1, 99));
        entradas.push_back(mantisa + "e" + std::to_string(azar.entero(-47, 30)));
        // Los blancos de delante se saltan y lo que sigue a la palabra queda sin leer.
        const std::string delante = azar.elegir(std::vector<std::string>{"", " ", "\n\t"});
        entradas.push_back(delante + std::to_string(azar.entero(-9999, 9999)) + " 7");
        for (std::string& entrada : entradas) entrada += "\n";
        return entradas;
    };
}

}  // namespace nucleo::datos

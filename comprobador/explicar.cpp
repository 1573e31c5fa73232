#include "explicar.h"

#include <map>
#include <set>

#include "catalogo.h"
#include "compilacion.h"
#include "texto.h"

namespace comprobador {

namespace {

// Lo que sale de la biblioteca estándar sin std:: o sin su #include, con su cabecera.
const std::map<std::string, std::string> kCabeceras = {
    {"cout", "iostream"},
    {"cin", "iostream"},
    {"cerr", "iostream"},
    {"endl", "iostream"},
    {"string", "string"},
    {"getline", "string"},
    {"vector", "vector"},
    {"setprecision", "iomanip"},
    {"fixed", "ios"},
    {"sqrt", "cmath"},
    {"pow", "cmath"},
    {"fabs", "cmath"},
    {"abs", "cstdlib"},
    {"printf", "cstdio"},
    {"scanf", "cstdio"},
    {"strlen", "cstring"},
    {"strcpy", "cstring"},
    {"atof", "cstdlib"},
    {"atoi", "cstdlib"},
    {"swap", "utility"},
    {"max", "algorithm"},
    {"min", "algorithm"},
    {"numeric_limits", "limits"},
    {"function", "functional"},
};

// Una línea del compilador: dónde y qué dice, con las comillas tipográficas como rectas.
struct Mensaje {
    int linea = 0;
    std::string clase;  // "error", "aviso" o "enlace"
    std::string texto;
};

std::string rectas(std::string l) {
    for (const char* curva : {"\xE2\x80\x98", "\xE2\x80\x99"}) {
        for (std::size_t p = l.find(curva); p != std::string::npos; p = l.find(curva, p))
            l.replace(p, 3, "'");
    }
    return l;
}

// «archivo:línea:columna: error: texto» (o warning, o aviso); o un error del enlazador.
bool leerMensaje(const std::string& linea, Mensaje& m) {
    const std::string l = rectas(linea);
    for (const char* clase : {": error: ", ": warning: ", ": aviso: "}) {
        const std::size_t p = l.find(clase);
        if (p == std::string::npos) continue;
        // Delante, «archivo:línea:columna»: dos números tras los dos últimos «:».
        const std::size_t dos = l.rfind(':', p - 1);
        const std::size_t uno =
            dos == std::string::npos || dos == 0 ? std::string::npos : l.rfind(':', dos - 1);
        if (uno == std::string::npos) continue;
        const std::string fila = l.substr(uno + 1, dos - uno - 1);
        const std::string columna = l.substr(dos + 1, p - dos - 1);
        const auto cifras = [](const std::string& t) {
            return !t.empty() && t.size() < 9 &&
                   t.find_first_not_of("0123456789") == std::string::npos;
        };
        if (!cifras(fila) || !cifras(columna)) continue;
        m.linea = std::stoi(fila);
        m.clase = std::string(clase) == ": error: " ? "error" : "aviso";
        m.texto = l.substr(p + std::string(clase).size());
        return true;
    }
    if (l.find("undefined reference to") != std::string::npos ||
        (l.find("referencia a `") != std::string::npos &&
         l.find("sin definir") != std::string::npos)) {
        m.linea = 0;
        m.clase = "enlace";
        m.texto = l;
        return true;
    }
    return false;
}

// La cabecera de «#include <cabecera>» en el texto, si la hay.
std::string cabeceraCitada(const std::string& texto) {
    const std::size_t p = texto.find("#include <");
    if (p == std::string::npos) return "";
    const std::size_t inicio = p + 10;
    const std::size_t fin = texto.find('>', inicio);
    if (fin == std::string::npos) return "";
    const std::string nombre = texto.substr(inicio, fin - inicio);
    return nombre.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") == std::string::npos ? nombre
                                                                                        : "";
}

bool contiene(const std::string& texto, std::initializer_list<const char*> trozos) {
    for (const char* t : trozos)
        if (texto.find(t) != std::string::npos) return true;
    return false;
}

// La primera cita ('...' o `...') del texto.
std::string citado(const std::string& texto) {
    const std::size_t a = texto.find_first_of("'`");
    if (a == std::string::npos) return "";
    const std::size_t b = texto.find('\'', a + 1);
    return b == std::string::npos ? "" : texto.substr(a + 1, b - a - 1);
}

std::string enLaLinea(int linea) {
    return linea > 0 ? "En la línea " + std::to_string(linea) + ", " : "";
}

// Lo que el ejercicio pide de ese nombre, si es suyo: « El ejercicio pide: int f(int)».
std::string delEjercicio(const nucleo::Ejercicio& ejercicio, const std::string& nombre) {
    const std::string firma = nucleo::firmaDe(ejercicio, nombre);
    return firma.empty() ? "" : " El ejercicio pide: " + firma + ".";
}

// La pista de un mensaje y su tipo (para decir cada tipo una vez); "" si no es de los conocidos.
std::pair<std::string, std::string> explicar(const nucleo::Ejercicio& ejercicio, const Mensaje& m,
                                             const std::string& siguiente) {
    const std::string& t = m.texto;
    const std::string donde = enLaLinea(m.linea);
    if (m.clase == "aviso") {
        if (contiene(t, {"no return statement in function returning non-void",
                         "control reaches end of non-void function",
                         "no hay una declaración de devolución",
                         "el control alcanza el final de una función que no es void"}))
            return {"return", donde +
                                  "una función que devuelve un valor puede acabar sin "
                                  "return: falta el return de algún camino."};
        return {"", ""};
    }
    if (m.clase == "enlace") {
        const std::string nombre = citado(t);
        if (nombre == "main")
            return {"main", "Falta la función main: todo programa necesita su int main()."};
        return {"enlace:" + nombre, "«" + nombre +
                                        "» está declarada pero no definida: falta su cuerpo, o la "
                                        "definición tiene otra firma que la declaración."};
    }
    if (contiene(
            t, {"expected ';'", "expected ',' or ';'", "se esperaba ';'", "se esperaba ',' o ';'"}))
        return {";", "Falta un «;» al final de la instrucción anterior a la línea " +
                         std::to_string(m.linea) +
                         " (el compilador lo nota al llegar a lo que sigue)."};
    if (contiene(t, {"expected '}' at end of input", "expected declaration before '}'",
                     "se esperaba '}' al final de la entrada"}))
        return {"}",
                "Las llaves no cuadran: falta una «}» o sobra una (el compilador lo nota en "
                "la línea " +
                    std::to_string(m.linea) + "). Cada { necesita su }."};
    if (contiene(t, {"missing terminating", "falta el carácter terminando",
                     "falta el carácter de terminación"}))
        return {"\"", donde + "una cadena no se cierra: falta la comilla \" del final."};
    if (contiene(t, {"was not declared in this scope", "no se declaró en este ámbito"})) {
        const std::string nombre = citado(t);
        const auto cabecera = kCabeceras.find(nombre);
        if (cabecera != kCabeceras.end())
            return {"std:" + nombre,
                    donde + "«" + nombre + "» es de la biblioteca estándar: escríbelo std::" +
                        nombre + " y pon #include <" + cabecera->second + "> al principio."};
        return {"nombre:" + nombre,
                donde + "«" + nombre +
                    "» no está declarado: ¿está mal escrito, se usa antes de declararlo o fuera "
                    "del bloque donde se declaró?" +
                    delEjercicio(ejercicio, nombre)};
    }
    if (contiene(t, {"is not a member of 'std'", "no es un miembro de 'std'"})) {
        const std::string nombre = citado(t);
        std::string cabecera = cabeceraCitada(rectas(siguiente));
        if (cabecera.empty() && kCabeceras.count(nombre) != 0) cabecera = kCabeceras.at(nombre);
        return {"include:" + nombre,
                donde + "std::" + nombre + " necesita su cabecera" +
                    (cabecera.empty() ? "" : ": pon #include <" + cabecera + "> al principio") +
                    "."};
    }
    if (contiene(t, {"too few arguments to function", "faltan argumentos para la función"})) {
        const std::string nombre = nombreCitado(citado(t));
        return {"argumentos:" + nombre, donde + "la llamada a «" + nombre +
                                            "» lleva menos argumentos que parámetros tiene." +
                                            delEjercicio(ejercicio, nombre)};
    }
    if (contiene(t, {"too many arguments to function", "demasiados argumentos para la función"})) {
        const std::string nombre = nombreCitado(citado(t));
        return {"argumentos:" + nombre, donde + "la llamada a «" + nombre +
                                            "» lleva más argumentos que parámetros tiene." +
                                            delEjercicio(ejercicio, nombre)};
    }
    if (contiene(t, {"no match for 'operator<<' (operand types are 'std::istream",
                     "no match for 'operator>>' (operand types are 'std::ostream"}))
        return {"flujo", donde + "cin se usa con >> y cout con <<: ¿están al revés?"};
    if (contiene(t, {"cannot convert", "invalid conversion from", "no se puede convertir",
                     "conversión inválida de", "to non-scalar type"}))
        return {"tipo", donde +
                            "un valor no es del tipo que se espera (un texto donde va un "
                            "número, un puntero donde va un valor...): revisa el tipo de la "
                            "variable o del parámetro."};
    if (contiene(t, {"return-statement with no value", "declaración return sin valores"}))
        return {"return", donde + "un return sin valor, en una función que debe devolver uno."};
    if (contiene(t, {"return-statement with a value, in function returning 'void'",
                     "declaración return con un valor, en una función que devuelve 'void'"}))
        return {"return-void", donde +
                                   "un return con valor, en una función void (que no "
                                   "devuelve nada)."};
    if (contiene(t, {"lvalue required as left operand of assignment",
                     "se requiere un l-valor como operando izquierdo de la asignación"}))
        return {"=", donde +
                         "se asigna (=) a algo que no es una variable: ¿querías comparar "
                         "con ==?"};
    if (contiene(t, {"redeclaration of", "redeclaración de", "redefinition of", "redefinición de",
                     "conflicting declaration", "declaración en conflicto"})) {
        const std::string nombre = nombreCitado(citado(t));
        return {"dos veces:" + nombre, donde + "«" + nombre +
                                           "» se declara dos veces: quita una de las dos o "
                                           "cambia un nombre."};
    }
    if (contiene(t, {"expected primary-expression before", "se esperaba una expresión primaria"}))
        return {"expresion", donde +
                                 "falta un valor donde el compilador lo esperaba: ¿un "
                                 "operador o una coma de más, o un paréntesis sin cerrar?"};
    return {"", ""};
}

}  // namespace

std::vector<std::string> pistasDelCompilador(const nucleo::Ejercicio& ejercicio,
                                             const std::string& salida, bool soloAvisos) {
    const std::vector<std::string> lineas = nucleo::lineasDe(salida);
    std::vector<std::string> r;
    std::set<std::string> dichas;
    for (std::size_t i = 0; i < lineas.size() && r.size() < 4; ++i) {
        Mensaje m;
        if (!leerMensaje(lineas[i], m)) continue;
        if (soloAvisos && m.clase != "aviso") continue;
        // Una nota de la línea siguiente puede nombrar la cabecera que falta.
        std::string siguiente;
        for (std::size_t j = i + 1; j < lineas.size() && j <= i + 3; ++j) siguiente += lineas[j];
        const auto [tipo, pista] = explicar(ejercicio, m, siguiente);
        if (!tipo.empty() && dichas.insert(tipo).second) r.push_back(pista);
    }
    return r;
}

}  // namespace comprobador

// Las piezas de las reglas de la técnica que comparten los ejercicios de plantillas (el campo
// `tecnica` de sus casos.cpp): la función es una plantilla, su parámetro de tipo tiene el nombre
// que le da el enunciado, main la usa para cada tipo, se declara antes de main y se define
// después, escribe ella misma. Como las de nucleo/reglas.h, cada una devuelve un Juicio con el
// lugar y una pista en los términos del enunciado.
#ifndef TEMPLATES_REGLAS_PLANTILLAS_H
#define TEMPLATES_REGLAS_PLANTILLAS_H

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "arbol.h"
#include "caso.h"
#include "reglas.h"

namespace nucleo::reglas::plantillas {

namespace detalle {

inline Juicio incumple(const Lugar& l, const std::string& pista) {
    return {Juicio::Como::Incumple, l, pista};
}

// «la línea 5», «las líneas 5 y 9», «las líneas 5, 9 y 14».
inline std::string lineas(const std::vector<int>& n) {
    if (n.size() == 1) return "la línea " + std::to_string(n[0]);
    std::string r = "las líneas ";
    for (std::size_t i = 0; i < n.size(); ++i) {
        r += (i == 0 ? "" : i + 1 == n.size() ? " y " : ", ") + std::to_string(n[i]);
    }
    return r;
}

inline std::string veces(int n) { return n == 1 ? "una vez" : std::to_string(n) + " veces"; }

// Los parámetros de plantilla que cuenta el USR de una plantilla de función
// (c:@FT@>1#T...: uno).
inline int parametrosDePlantilla(const std::string& usr) {
    const std::size_t p = usr.find("@FT@>");
    if (p == std::string::npos) return 0;
    int n = 0;
    for (std::size_t i = p + 5; i < usr.size() && std::isdigit(static_cast<unsigned char>(usr[i]));
         ++i)
        n = n * 10 + (usr[i] - '0');
    return n;
}

// Los nombres que aparecen en los tipos de los parámetros de una firma ("intercambiar(T &, T
// &)" da {T}), sin const ni volatile.
inline std::vector<std::string> nombresDeTipos(const std::string& firma) {
    std::vector<std::string> r;
    const std::size_t abre = firma.find('(');
    if (abre == std::string::npos) return r;
    std::string actual;
    auto cerrar = [&] {
        if (!actual.empty() && actual != "const" && actual != "volatile" &&
            std::find(r.begin(), r.end(), actual) == r.end())
            r.push_back(actual);
        actual.clear();
    };
    for (std::size_t i = abre + 1; i < firma.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(firma[i]);
        if (std::isalnum(c) || c == '_') {
            actual += firma[i];
        } else {
            cerrar();
        }
    }
    cerrar();
    return r;
}

}  // namespace detalle

// La definición de la plantilla de función de ese nombre; nullptr si no la hay.
inline const Funcion* plantilla(const Arbol& a, const std::string& nombre) {
    for (const Funcion& f : a.funciones) {
        if (f.definicion && f.nombre == nombre && f.tipo == "plantilla") return &f;
    }
    return nullptr;
}

// La función es una plantilla de función, no una función corriente (ni una para cada tipo).
inline Juicio esPlantilla(const Arbol& a, const std::string& funcion, const std::string& pide) {
    if (plantilla(a, funcion) != nullptr) return {};
    std::vector<const Funcion*> corrientes;
    for (const Funcion& f : a.funciones) {
        if (f.definicion && f.nombre == funcion) corrientes.push_back(&f);
    }
    if (corrientes.empty()) return definida(a, funcion);
    if (corrientes.size() == 1)
        return detalle::incumple(corrientes[0]->lugar,
                                 funcion + " (" + donde(a, corrientes[0]->lugar) +
                                     ") es una función corriente, " + corrientes[0]->firma +
                                     ", no una plantilla: el enunciado pide " + pide + ".");
    std::vector<int> n;
    for (const Funcion* f : corrientes) n.push_back(f->lugar.linea);
    return detalle::incumple(corrientes[0]->lugar,
                             "hay una " + funcion + " para cada tipo (" + detalle::lineas(n) +
                                 "), no una plantilla: el enunciado pide " + pide + ".");
}

// El parámetro de tipo de la plantilla se llama así, en cada declaración, y es el único. El
// analizador no da los nombres de los parámetros de plantilla: se leen en los tipos de los
// parámetros de la función (mostrarAbs(TIPOD)), y su número en el USR. Si la función no es una
// plantilla, lo dice esPlantilla.
inline Juicio parametroDeTipo(const Arbol& a, const std::string& funcion,
                              const std::string& nombre) {
    for (const Funcion* f : a.declaraciones(funcion)) {
        if (f->tipo != "plantilla") continue;
        const int n = detalle::parametrosDePlantilla(f->usr);
        if (n > 1)
            return detalle::incumple(
                f->lugar, funcion + " tiene " + std::to_string(n) + " parámetros de plantilla (" +
                              donde(a, f->lugar) + "): el enunciado pide uno solo, " + nombre +
                              ".");
        for (const std::string& t : detalle::nombresDeTipos(f->firma)) {
            if (t != nombre)
                return detalle::incumple(
                    f->lugar, "el parámetro de tipo de " + funcion + " se llama " + t + " (" +
                                  donde(a, f->lugar) + "): el enunciado lo llama " + nombre + ".");
        }
    }
    return {};
}

// main usa la plantilla al menos `veces` veces: llamadas suyas a la plantilla, o a funciones de
// la solución que la llaman (cada llamada de main a una de ellas cuenta como una). Una llamada
// de main a otra función del mismo nombre que no es la plantilla incumple; si faltan llamadas
// pero main tiene un bucle o llama a otra plantilla de la solución (dentro de la cual el
// analizador puede no ver las llamadas que dependen del tipo), lo decide una persona.
inline Juicio usadaDesdeMain(const Arbol& a, const std::string& funcion, int veces,
                             const std::string& pide) {
    const Funcion* t = plantilla(a, funcion);
    const Funcion* m = a.definicion("main");
    if (t == nullptr || m == nullptr) return {};  // lo dice esPlantilla, o no compila
    for (const Llamada_& l : a.llamadas) {
        if (l.desde != m->usr || l.nombre != funcion || l.usr == t->usr) continue;
        const Funcion* otra = a.funcionDe(l.usr);
        return detalle::incumple(
            l.lugar, "main llama en " + donde(a, l.lugar) + " a " +
                         (otra != nullptr ? otra->firma : funcion) +
                         ", una función aparte, no a la plantilla: el enunciado pide " + pide +
                         ".");
    }
    int n = 0;
    std::vector<int> lineasDeUso;
    bool otraPlantilla = false;
    for (const Llamada_& l : a.llamadas) {
        if (l.desde != m->usr) continue;
        if (l.usr == t->usr) {
            ++n;
            lineasDeUso.push_back(l.lugar.linea);
            continue;
        }
        const Funcion* ayudante = a.funcionDe(l.usr);
        if (ayudante == nullptr) continue;
        const std::vector<std::string> suyas = a.conAyudantes(l.usr);
        if (std::find(suyas.begin(), suyas.end(), t->usr) != suyas.end()) {
            ++n;
            lineasDeUso.push_back(l.lugar.linea);
        } else if (ayudante->tipo == "plantilla") {
            otraPlantilla = true;
        }
    }
    if (n >= veces) return {};
    const std::string cuantas = n == 0 ? "main no usa " + funcion
                                       : "main usa " + funcion + " solo " + detalle::veces(n) +
                                             " (" + detalle::lineas(lineasDeUso) + ")";
    const bool bucle = std::any_of(a.bucles.begin(), a.bucles.end(),
                                   [&](const Bucle& b) { return b.en == m->usr; });
    if (bucle || otraPlantilla)
        return {Juicio::Como::Revisar, m->lugar,
                cuantas + ", y " +
                    (bucle ? "tiene un bucle" : "llama a otras plantillas de la solución") +
                    " (main está en " + donde(a, m->lugar) + "): mira si la usa " +
                    detalle::veces(veces) + "; el enunciado pide " + pide + "."};
    return detalle::incumple(m->lugar, cuantas + " (main está en " + donde(a, m->lugar) +
                                           "): el enunciado pide " + pide + ".");
}

// La plantilla se declara antes de main y se define después.
inline Juicio declaradaAntesDefinidaDespues(const Arbol& a, const std::string& funcion,
                                            const std::string& pide) {
    const Funcion* m = a.definicion("main");
    const Funcion* def = a.definicion(funcion);
    if (m == nullptr || def == nullptr) return {};  // no compila, o lo dice esPlantilla
    auto antes = [&](const Lugar& l) {
        return l.archivo == m->lugar.archivo && l.linea < m->lugar.linea;
    };
    if (antes(def->lugar))
        return detalle::incumple(def->lugar, funcion + " se define en " + donde(a, def->lugar) +
                                                 ", antes de main (" + donde(a, m->lugar) +
                                                 "): el enunciado pide " + pide + ".");
    for (const Funcion* f : a.declaraciones(funcion)) {
        if (!f->definicion && antes(f->lugar)) return {};
    }
    return detalle::incumple(def->lugar, funcion + " no se declara antes de main (" +
                                             donde(a, m->lugar) + "): el enunciado pide " + pide +
                                             ".");
}

// Las funciones con que se escribe en una salida: los << de los flujos, sus write y put, y las
// de C. Como el analizador no ve dentro de una plantilla las llamadas que dependen de su
// parámetro de tipo, basta con que el texto fijo se escriba así (std::cerr << "Error...").
inline const std::vector<std::string>& funcionesQueEscriben() {
    static const std::vector<std::string> r = {"std::operator<<",
                                               "std::basic_ostream<_CharT, _Traits>::operator<<",
                                               "std::basic_ostream<_CharT, _Traits>::write",
                                               "std::basic_ostream<_CharT, _Traits>::put",
                                               "printf",
                                               "fprintf",
                                               "dprintf",
                                               "vprintf",
                                               "vfprintf",
                                               "puts",
                                               "fputs",
                                               "putchar",
                                               "putc",
                                               "fputc",
                                               "fwrite",
                                               "perror",
                                               "write"};
    return r;
}

// Otra plantilla de función de la solución (ni esa ni main) que escribe: la plantilla puede
// llamarla con un argumento que depende de su tipo, y esa llamada el analizador no la ve.
inline const Funcion* otraPlantillaQueEscribe(const Arbol& a, const Funcion& f) {
    for (const Funcion& g : a.funciones) {
        if (!g.definicion || g.tipo != "plantilla" || g.usr == f.usr) continue;
        if (!a.llamadasA({g.usr}, funcionesQueEscriben()).empty()) return &g;
    }
    return nullptr;
}

// La función (o una a la que llama) escribe algo ella misma. Si no se ve que escriba pero hay
// otra plantilla de la solución que escribe, lo decide una persona.
inline Juicio escribeElla(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return definida(a, funcion);
    if (!a.llamadasA(a.conAyudantes(f->usr), funcionesQueEscriben()).empty()) return {};
    if (const Funcion* g = otraPlantillaQueEscribe(a, *f))
        return {Juicio::Como::Revisar, f->lugar,
                funcion + " (" + donde(a, f->lugar) + ") no escribe nada a la vista, pero " +
                    g->nombre + " (" + donde(a, g->lugar) + ") sí: mira si " + funcion +
                    " la llama; el enunciado pide " + pide + "."};
    return detalle::incumple(f->lugar, funcion + " (" + donde(a, f->lugar) +
                                           ") no escribe nada: el enunciado pide " + pide + ".");
}

}  // namespace nucleo::reglas::plantillas

#endif

// Las reglas de la técnica que comparten los ejercicios de recursividad, sobre las piezas de
// nucleo/reglas.h: sin bucles (tampoco los de un algoritmo de la biblioteca que recorre un tramo
// por su cuenta), sin memoria de resultados (tampoco en un arreglo global ni en un contenedor que
// no es de la llamada) y sin las funciones de la biblioteca que hacen el cálculo entero. Como en
// reglas.h, lo que hace una función incluye lo que hacen sus ayudantes.
#ifndef EJRECURSIVIDAD_REGLAS_RECURSIVIDAD_H
#define EJRECURSIVIDAD_REGLAS_RECURSIVIDAD_H

#include <algorithm>
#include <string>
#include <vector>

#include "reglas.h"

namespace nucleo::datos::recursividad {

// Los algoritmos de <algorithm> y <numeric> que recorren un tramo con su propio bucle.
inline const std::vector<std::string> kRecorridos = {
    "std::accumulate",
    "std::reduce",
    "std::transform_reduce",
    "std::inner_product",
    "std::partial_sum",
    "std::inclusive_scan",
    "std::exclusive_scan",
    "std::adjacent_difference",
    "std::iota",
    "std::for_each",
    "std::for_each_n",
    "std::transform",
    "std::generate",
    "std::generate_n",
    "std::equal",
    "std::mismatch",
    "std::reverse",
    "std::reverse_copy",
    "std::lexicographical_compare",
    "std::all_of",
    "std::any_of",
    "std::none_of",
    "std::count",
    "std::count_if",
    "std::find",
    "std::find_if",
    "std::find_if_not",
    "std::search",
    "std::copy",
    "std::copy_n",
    "std::copy_if",
    "std::copy_backward",
    "std::fill",
    "std::fill_n",
    "std::max_element",
    "std::min_element",
};

// Los contenedores de la biblioteca: uno que no es de la llamada guarda datos entre llamadas.
inline const std::vector<std::string> kContenedores = {
    "map",    "multimap", "unordered_map", "unordered_multimap",
    "set",    "multiset", "unordered_set", "unordered_multiset",
    "vector", "deque",    "list",          "forward_list",
    "array",  "stack",    "queue",         "priority_queue",
};

// El nombre sin clases delante: Cir::out da out.
inline std::string corto(const std::string& nombre) {
    const std::size_t dos = nombre.rfind("::");
    return dos == std::string::npos ? nombre : nombre.substr(dos + 2);
}

// El nombre sin argumentos de plantilla, igual en cualquier biblioteca:
// std::basic_string<_CharT, _Traits, _Alloc>::rbegin da std::basic_string::rbegin.
inline std::string sinPlantilla(const std::string& nombre) {
    std::string r;
    int nivel = 0;
    for (std::size_t i = 0; i < nombre.size(); ++i) {
        const char c = nombre[i];
        // operator<, operator<<, operator<= no abren argumentos de plantilla.
        if (c == '<' && nivel == 0 && i >= 8 && nombre.compare(i - 8, 8, "operator") == 0) {
            r += nombre.substr(i);
            break;
        }
        if (c == '<') {
            ++nivel;
        } else if (c == '>' && nivel > 0) {
            --nivel;
        } else if (nivel == 0) {
            r += c;
        }
    }
    return r;
}

// ¿Es una variable local (o static) de esa función?
inline bool esLocal(const Arbol& a, const std::string& usr, const std::string& nombre) {
    return std::any_of(a.variables.begin(), a.variables.end(),
                       [&](const Variable& v) { return v.en == usr && v.nombre == nombre; });
}

// Quién lo hace, en palabras: «factorial», o «factorial (en ayudante, a la que llama)».
inline std::string quien(const Arbol& a, const std::string& funcion, const std::string& usr) {
    const Funcion* f = a.definicion(funcion);
    const Funcion* g = a.funcionDe(usr);
    if (f == nullptr || g == nullptr || f == g) return corto(funcion);
    return corto(funcion) + " (en " + corto(g->nombre) + ", a la que llama)";
}

// Las llamadas de la función o de sus ayudantes a funciones de la biblioteca (no definidas en la
// solución) con alguno de esos nombres, sin argumentos de plantilla.
inline std::vector<Llamada_> llamadasDeBiblioteca(const Arbol& a, const std::string& funcion,
                                                  const std::vector<std::string>& nombres) {
    std::vector<Llamada_> r;
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return r;
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Llamada_& l : a.llamadas) {
            if (l.desde != usr || a.funcionDe(l.usr) != nullptr) continue;
            const std::string nombre = sinPlantilla(l.nombre);
            if (std::find(nombres.begin(), nombres.end(), nombre) != nombres.end()) r.push_back(l);
        }
    }
    return r;
}

// Ni ella ni sus ayudantes tienen bucles ni llaman a un algoritmo que recorre un tramo con el
// suyo (std::accumulate, std::equal...).
inline Juicio sinBucles(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Juicio j = reglas::sinBucles(a, funcion, pide);
    if (j.como != Juicio::Como::Cumple) return j;
    for (const Llamada_& l : llamadasDeBiblioteca(a, funcion, kRecorridos)) {
        return {Juicio::Como::Incumple, l.lugar,
                quien(a, funcion, l.desde) + " llama a " + sinPlantilla(l.nombre) + " en " +
                    reglas::donde(a, l.lugar) +
                    ", que recorre el tramo con su propio bucle: el enunciado pide " + pide + "."};
    }
    return {};
}

// El contenedor de la biblioteca de un método (std::map::find da std::map); vacío si no lo es.
inline std::string contenedorDe(const std::string& metodo) {
    const std::string n = sinPlantilla(metodo);
    if (n.rfind("std::", 0) != 0) return "";
    const std::size_t dos = n.find("::", 5);
    if (dos == std::string::npos) return "";
    const std::string clase = n.substr(5, dos - 5);
    return std::find(kContenedores.begin(), kContenedores.end(), clase) != kContenedores.end()
               ? "std::" + clase
               : "";
}

// ¿Tiene la función una variable local que es ese contenedor (std::map), no una referencia ni
// un iterador de otro?
inline bool tieneLocalDe(const Arbol& a, const std::string& usr, const std::string& contenedor) {
    const std::string clase = contenedor.substr(5);
    return std::any_of(a.variables.begin(), a.variables.end(), [&](const Variable& v) {
        if (v.en != usr || v.estatica) return false;
        std::string t = sinPlantilla(v.tipo);
        if (t.rfind("const ", 0) == 0) t = t.substr(6);
        if (t.rfind("std::", 0) == 0) t = t.substr(5);
        return t == clase;
    });
}

// Ni ella ni sus ayudantes guardan resultados: ni variables static ni variables globales que se
// escriben (reglas.h), ni arreglos que no son suyos (si `arreglosDeFuera`), ni contenedores que
// no son suyos (un std::map global, o uno que llega por referencia).
inline Juicio sinMemoria(const Arbol& a, const std::string& funcion, const std::string& pide,
                         bool arreglosDeFuera = true) {
    const Juicio j = reglas::sinMemoria(a, funcion, pide);
    if (j.como != Juicio::Como::Cumple) return j;
    const Funcion* f = a.definicion(funcion);
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Escritura& e : a.asignaciones) {
            if (!arreglosDeFuera || e.en != usr || e.destino.rfind("arreglo:", 0) != 0) continue;
            const std::string nombre = e.destino.substr(8);
            if (esLocal(a, usr, nombre)) continue;
            return {Juicio::Como::Incumple, e.lugar,
                    quien(a, funcion, usr) + " guarda resultados en el arreglo " + nombre +
                        ", que no es suyo (" + reglas::donde(a, e.lugar) + "): el enunciado pide " +
                        pide + "."};
        }
        for (const Llamada_& l : a.llamadas) {
            if (l.desde != usr || a.funcionDe(l.usr) != nullptr) continue;
            const std::string contenedor = contenedorDe(l.nombre);
            if (contenedor.empty() || tieneLocalDe(a, usr, contenedor)) continue;
            return {Juicio::Como::Incumple, l.lugar,
                    quien(a, funcion, usr) + " guarda datos en un " + contenedor +
                        " que no es suyo (" + reglas::donde(a, l.lugar) + "): el enunciado pide " +
                        pide + "."};
        }
    }
    return {};
}

// Ni ella ni sus ayudantes llaman a ninguna de esas funciones de la biblioteca (std::pow...).
inline Juicio noUsa(const Arbol& a, const std::string& funcion,
                    const std::vector<std::string>& nombres, const std::string& pide) {
    if (a.definicion(funcion) == nullptr) return reglas::definida(a, funcion);
    for (const Llamada_& l : llamadasDeBiblioteca(a, funcion, nombres)) {
        return {Juicio::Como::Incumple, l.lugar,
                quien(a, funcion, l.desde) + " llama a " + sinPlantilla(l.nombre) + " en " +
                    reglas::donde(a, l.lugar) + ": el enunciado pide " + pide + "."};
    }
    return {};
}

// Los contenedores que hacen de pila: se meten y se sacan elementos por un extremo.
inline const std::vector<std::string> kPilas = {
    "std::stack", "std::vector", "std::deque", "std::list", "std::forward_list", "std::queue",
};

// Ni ella ni sus ayudantes llevan una pila propia: ni un contenedor de los que hacen de pila
// (std::stack, std::vector...) ni un arreglo local en el que escriben.
inline Juicio sinPilaPropia(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return reglas::definida(a, funcion);
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Llamada_& l : a.llamadas) {
            if (l.desde != usr || a.funcionDe(l.usr) != nullptr) continue;
            const std::string contenedor = contenedorDe(l.nombre);
            if (std::find(kPilas.begin(), kPilas.end(), contenedor) == kPilas.end()) continue;
            return {Juicio::Como::Incumple, l.lugar,
                    quien(a, funcion, usr) + " lleva su propia pila en un " + contenedor + " (" +
                        reglas::donde(a, l.lugar) + "): el enunciado pide " + pide + "."};
        }
        for (const Escritura& e : a.asignaciones) {
            if (e.en != usr || e.destino.rfind("arreglo:", 0) != 0) continue;
            const std::string nombre = e.destino.substr(8);
            if (!esLocal(a, usr, nombre)) continue;
            return {Juicio::Como::Incumple, e.lugar,
                    quien(a, funcion, usr) + " lleva su propia pila en el arreglo " + nombre +
                        " (" + reglas::donde(a, e.lugar) + "): el enunciado pide " + pide + "."};
        }
    }
    return {};
}

// Ni ella ni sus ayudantes hacen una copia de la cadena: ni std::string construida de otra, ni
// substr. Lo que avanza en cada llamada son las posiciones.
inline Juicio sinCopiarLaCadena(const Arbol& a, const std::string& funcion,
                                const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return reglas::definida(a, funcion);
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Llamada_& l : a.llamadas) {
            if (l.desde != usr || a.funcionDe(l.usr) != nullptr) continue;
            const std::string n = sinPlantilla(l.nombre);
            const bool copia = n == "std::basic_string::basic_string" ||
                               n == "std::basic_string::substr" || n == "std::basic_string::assign";
            if (!copia) continue;
            const std::string como = n == "std::basic_string::substr" ? "con substr" : "";
            return {Juicio::Como::Incumple, l.lugar,
                    quien(a, funcion, usr) + " copia la cadena" + (como.empty() ? "" : " " + como) +
                        " en " + reglas::donde(a, l.lugar) + ": el enunciado pide " + pide + "."};
        }
    }
    return {};
}

}  // namespace nucleo::datos::recursividad

#endif

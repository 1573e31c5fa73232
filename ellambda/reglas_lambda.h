// Las reglas de la técnica de los ejercicios de lambdas (el campo `tecnica` de cada casos.cpp de
// ellambda/): la lambda guardada en una variable local de main y llamada como una función, sus
// capturas y si es mutable, mirado en el árbol de sintaxis de la solución (nucleo/arbol.h).
//
// El analizador cuenta lo que hay dentro del cuerpo de una lambda (sus llamadas, variables y
// asignaciones) como de la función que la contiene, main. Una llamada a una lambda de main lleva
// en su USR la posición de la lambda en el archivo ("c:f.cpp@731@F@main#@Sa@F@operator()#I#I#1"):
// esas posiciones crecen en el orden del fuente, como las lambdas, y así se sabe cuál se llama.
#ifndef ELLAMBDA_REGLAS_LAMBDA_H
#define ELLAMBDA_REGLAS_LAMBDA_H

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "reglas.h"

namespace nucleo::datos::lambdas {

// La lambda que el enunciado llama `nombre` (o la que hace su papel con otro nombre) y la
// variable local de main que la guarda.
struct LaLambda {
    const Funcion* main = nullptr;
    const Lambda* lambda = nullptr;      // nullptr si no hay ninguna que haga su papel
    const Variable* variable = nullptr;  // la que la guarda (un std::function, si la envuelve)
    std::string nombre;                  // como la llama la solución
    Juicio juicio;                       // ¿es una lambda guardada en una variable local de main?
};

inline Juicio incumple(const Lugar& l, const std::string& pista) {
    return {Juicio::Como::Incumple, l, pista};
}

inline std::string corto(const std::string& nombre) {
    const std::size_t dos = nombre.rfind("::");
    return dos == std::string::npos ? nombre : nombre.substr(dos + 2);
}

// Las lambdas de main, en el orden del fuente.
inline std::vector<const Lambda*> lambdasDe(const Arbol& a, const std::string& usr) {
    std::vector<const Lambda*> r;
    for (const Lambda& l : a.lambdas) {
        if (l.en == usr) r.push_back(&l);
    }
    return r;
}

// La variable local de `en` que guarda la lambda `l`: la última de su nombre declarada antes.
inline const Variable* variableDe(const Arbol& a, const Lambda& l) {
    const Variable* r = nullptr;
    for (const Variable& v : a.variables) {
        if (v.en == l.en && v.nombre == l.guardada && v.lugar.linea <= l.lugar.linea) r = &v;
    }
    return r;
}

// Busca la lambda `nombre` y juzga si es una lambda guardada en una variable local de main.
inline LaLambda buscar(const Arbol& a, const std::string& nombre, const std::string& pide) {
    LaLambda r;
    r.nombre = nombre;
    r.main = a.definicion("main");
    if (r.main == nullptr) {
        r.juicio = reglas::definida(a, "main");
        return r;
    }
    const std::string& m = r.main->usr;
    const std::vector<const Lambda*> deMain = lambdasDe(a, m);
    const std::string falta = ": el enunciado pide " + pide + ".";
    // Guardada con el nombre del enunciado.
    for (const Lambda* l : deMain) {
        if (l->guardada == nombre) {
            r.lambda = l;
            r.variable = variableDe(a, *l);
            return r;
        }
    }
    // Una variable de ese nombre que no es una lambda: un std::function que la envuelve, un
    // std::multiplies, un objeto función...
    for (const Variable& v : a.variables) {
        if (v.en != m || v.nombre != nombre) continue;
        const Lambda* dentro = nullptr;
        for (const Lambda* l : deMain) {
            if (!l->guardada.empty() || l->lugar.linea < v.lugar.linea) continue;
            const bool otraEnMedio =
                std::any_of(a.variables.begin(), a.variables.end(), [&](const Variable& w) {
                    return w.en == m && w.lugar.linea > v.lugar.linea &&
                           w.lugar.linea <= l->lugar.linea;
                });
            if (!otraEnMedio) dentro = l;
            break;
        }
        if (dentro != nullptr) {
            r.lambda = dentro;
            r.variable = &v;
            r.juicio = {Juicio::Como::Revisar, v.lugar,
                        nombre + " es un " + v.tipo + " que guarda una lambda (" +
                            reglas::donde(a, v.lugar) + ")" + falta};
            return r;
        }
        r.juicio = incumple(v.lugar, nombre + " es un " + v.tipo + " en " +
                                         reglas::donde(a, v.lugar) + ", no una lambda" + falta);
        return r;
    }
    // Una función con ese nombre.
    for (const Funcion& f : a.funciones) {
        if (f.definicion && corto(f.nombre) == nombre && f.nombre != "main") {
            r.juicio = incumple(f.lugar, nombre + " es una función en " +
                                             reglas::donde(a, f.lugar) + ", no una lambda" + falta);
            return r;
        }
    }
    // Una lambda de ese nombre en otra función.
    for (const Lambda& l : a.lambdas) {
        if (l.guardada != nombre) continue;
        const Funcion* f = a.funcionDe(l.en);
        r.juicio = incumple(l.lugar, "la lambda " + nombre + " está en " +
                                         (f != nullptr ? corto(f->nombre) : "otra función") + " (" +
                                         reglas::donde(a, l.lugar) + "), no en main" + falta);
        return r;
    }
    // Con otro nombre, en una variable local de main.
    for (const Lambda* l : deMain) {
        if (!l->guardada.empty()) {
            r.lambda = l;
            r.variable = variableDe(a, *l);
            r.nombre = l->guardada;
            return r;
        }
    }
    // Una lambda que no se guarda, o que está fuera de main.
    for (const Lambda& l : a.lambdas) {
        const Funcion* f = a.funcionDe(l.en);
        const std::string sitio = l.en == m      ? "no se guarda en ninguna variable"
                                  : f != nullptr ? "está en " + corto(f->nombre) + ", no en main"
                                  : l.en == "-"  ? "está fuera de main"
                                                 : "no está en main";
        r.juicio =
            incumple(l.lugar, "la lambda de " + reglas::donde(a, l.lugar) + " " + sitio + falta);
        return r;
    }
    // Ninguna lambda: quizá main llama a una función propia en su lugar.
    for (const Llamada_& c : a.llamadas) {
        const Funcion* f = c.desde == m ? a.funcionDe(c.usr) : nullptr;
        if (f == nullptr || f->tipo != "funcion" || !f->clase.empty() || f == r.main) continue;
        r.juicio = incumple(c.lugar, "main llama a la función " + corto(f->nombre) + " en " +
                                         reglas::donde(a, c.lugar) + ", y no guarda ninguna " +
                                         "lambda " + nombre + " en una variable local" + falta);
        return r;
    }
    r.juicio = incumple(r.main->lugar, "main (" + reglas::donde(a, r.main->lugar) +
                                           ") no guarda ninguna lambda " + nombre +
                                           " en una variable local" + falta);
    return r;
}

// Lo que se sabe de las llamadas de main a la lambda.
struct Llamadas {
    bool seSabe = true;  // falso si main tiene varias lambdas y no se sabe cuál se llama
    int veces = 0;
    Lugar primera;  // la primera llamada
};

// La posición de la lambda en el USR de una llamada a una lambda de main; -1 si no lo es.
inline long posicionEnLlamada(const std::string& usr, const std::string& usrMain) {
    const std::string marca = usrMain.substr(2) + "@Sa@F@operator()";
    const std::size_t p = usr.find(marca);
    if (usr.rfind("c:", 0) != 0 || p == std::string::npos) return -1;
    const std::size_t antes = usr.rfind('@', p - 1);
    if (antes == std::string::npos) return -1;
    const std::string cifras = usr.substr(antes + 1, p - antes - 1);
    if (cifras.empty() || cifras.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stol(cifras);
}

inline Llamadas llamadas(const Arbol& a, const LaLambda& b) {
    Llamadas r;
    if (b.main == nullptr || b.lambda == nullptr) return r;
    const std::string& m = b.main->usr;
    // Envuelta en un std::function: sus llamadas son las del std::function.
    if (b.variable != nullptr && b.variable->tipo.rfind("std::function", 0) == 0) {
        for (const Llamada_& c : a.llamadas) {
            if (c.desde == m && c.nombre.rfind("std::function", 0) == 0 &&
                corto(c.nombre) == "operator()") {
                if (r.veces++ == 0) r.primera = c.lugar;
            }
        }
        return r;
    }
    // Las lambdas llamadas, por su posición: la primera línea en que se llama y cuántas veces.
    struct Llamada {
        int veces = 0;
        Lugar lugar;
    };
    std::map<long, Llamada> llamadas_;
    for (const Llamada_& c : a.llamadas) {
        const long p = c.desde == m ? posicionEnLlamada(c.usr, m) : -1;
        if (p < 0) continue;
        Llamada& l = llamadas_[p];
        if (l.veces++ == 0) l.lugar = c.lugar;
    }
    const std::vector<const Lambda*> ls = lambdasDe(a, m);
    std::vector<Llamada> os;
    for (const auto& [p, l] : llamadas_) os.push_back(l);
    const std::size_t k =
        static_cast<std::size_t>(std::find(ls.begin(), ls.end(), b.lambda) - ls.begin());
    // Cada lambda llamada es una de las de main, en el mismo orden, y no se llama antes de
    // estar escrita: de todas las formas de emparejarlas, ¿qué llamada es la de la lambda k?
    std::set<int> cual;  // -1: ninguna
    std::function<void(std::size_t, std::size_t, int)> emparejar = [&](std::size_t j,
                                                                       std::size_t desde, int deK) {
        if (j == os.size()) {
            cual.insert(deK);
            return;
        }
        for (std::size_t i = desde; i < ls.size(); ++i) {
            if (ls[i]->lugar.archivo == os[j].lugar.archivo &&
                ls[i]->lugar.linea > os[j].lugar.linea)
                continue;
            emparejar(j + 1, i + 1, i == k ? static_cast<int>(j) : deK);
        }
    };
    emparejar(0, 0, -1);
    if (cual.size() != 1) {
        r.seSabe = false;
        return r;
    }
    const int j = *cual.begin();
    if (j >= 0) {
        r.veces = os[static_cast<std::size_t>(j)].veces;
        r.primera = os[static_cast<std::size_t>(j)].lugar;
    }
    return r;
}

// «una vez», «2 veces».
inline std::string veces(int n) { return n == 1 ? "una vez" : std::to_string(n) + " veces"; }

// Las capturas como se escribieron: "[&]", "[contador]", "[=, &x]".
inline std::string corchetes(const Lambda& l) {
    std::string r;
    if (!l.porDefecto.empty()) r = l.porDefecto;
    for (const std::string& c : l.capturas) r += (r.empty() ? "" : ", ") + c;
    return "[" + r + "]";
}

// Lo que captura, en palabras: «captura todo por referencia ([&])», «captura contador por
// referencia ([&contador])», «captura [a, b]», «no captura nada ([])».
inline std::string captura(const Lambda& l) {
    const std::string c = corchetes(l);
    if (l.capturas.empty()) {
        if (l.porDefecto == "&") return "captura todo por referencia (" + c + ")";
        if (l.porDefecto == "=") return "captura todo por copia (" + c + ")";
        if (l.porDefecto.empty()) return "no captura nada (" + c + ")";
    }
    if (l.porDefecto.empty() && l.capturas.size() == 1) {
        const std::string& x = l.capturas.front();
        if (x.rfind('&', 0) == 0 && x.find('=') == std::string::npos)
            return "captura " + x.substr(1) + " por referencia (" + c + ")";
    }
    return "captura " + c;
}

// ¿Hay una lambda que haga el papel de `nombre`, con ese nombre o con otro? (Ejercicio::encuentra:
// sin ella, ninguna regla de la lambda se cumple.)
inline bool hayLambda(const Arbol& a, const std::string& nombre) {
    return buscar(a, nombre, "").lambda != nullptr;
}

// La lambda es una lambda guardada en una variable local de main.
inline Juicio guardadaEnMain(const Arbol& a, const std::string& nombre, const std::string& pide) {
    return buscar(a, nombre, pide).juicio;
}

// No captura nada. Sin lambda que mirar, lo dice la regla de guardadaEnMain.
inline Juicio sinCaptura(const Arbol& a, const std::string& nombre, const std::string& pide) {
    const LaLambda b = buscar(a, nombre, "");
    if (b.lambda == nullptr || (b.lambda->porDefecto.empty() && b.lambda->capturas.empty()))
        return {};
    return incumple(b.lambda->lugar, "la lambda " + b.nombre + " " + captura(*b.lambda) + " en " +
                                         reglas::donde(a, b.lambda->lugar) +
                                         ": el enunciado pide " + pide + ".");
}

// Captura `variable`, y nada más, por copia: [contador] o [c = contador].
inline Juicio capturaPorCopia(const Arbol& a, const std::string& nombre,
                              const std::string& variable, const std::string& pide) {
    const LaLambda b = buscar(a, nombre, "");
    if (b.lambda == nullptr) return {};
    const Lambda& l = *b.lambda;
    if (l.porDefecto.empty() && l.capturas.size() == 1) {
        const std::string& c = l.capturas.front();
        const std::size_t igual = c.find('=');
        if (c == variable ||
            (c[0] != '&' && igual != std::string::npos && c.substr(igual + 1) == variable))
            return {};
    }
    const bool la = std::any_of(l.capturas.begin(), l.capturas.end(), [&](const std::string& c) {
        return c == variable ||
               (c.size() > variable.size() &&
                c.compare(c.size() - variable.size() - 1, std::string::npos, "=" + variable) == 0);
    });
    const std::string que =
        la && l.porDefecto.empty() ? "captura también otras variables " + corchetes(l) : captura(l);
    return incumple(l.lugar, "la lambda " + b.nombre + " " + que + " en " +
                                 reglas::donde(a, l.lugar) + ": el enunciado pide " + pide + ".");
}

// Su llamada no cambia nada: no es mutable.
inline Juicio noMutable(const Arbol& a, const std::string& nombre, const std::string& pide) {
    const LaLambda b = buscar(a, nombre, "");
    if (b.lambda == nullptr || !b.lambda->esMutable) return {};
    return incumple(b.lambda->lugar, "la lambda " + b.nombre + " es mutable (" +
                                         reglas::donde(a, b.lambda->lugar) +
                                         "): el enunciado pide " + pide + ".");
}

// Es mutable.
inline Juicio esMutable(const Arbol& a, const std::string& nombre, const std::string& pide) {
    const LaLambda b = buscar(a, nombre, "");
    if (b.lambda == nullptr || b.lambda->esMutable) return {};
    return incumple(b.lambda->lugar, "la lambda " + b.nombre + " no es mutable (" +
                                         reglas::donde(a, b.lambda->lugar) +
                                         "): el enunciado pide " + pide + ".");
}

// main la llama como una función, al menos `cuantas` veces. Con un bucle en main basta una: el
// bucle lo dice su propia regla.
inline Juicio seLlama(const Arbol& a, const std::string& nombre, int cuantas,
                      const std::string& pide) {
    const LaLambda b = buscar(a, nombre, "");
    if (b.lambda == nullptr) return {};
    const Llamadas l = llamadas(a, b);
    const std::string falta = ": el enunciado pide " + pide + ".";
    if (!l.seSabe)
        return {Juicio::Como::Revisar, b.lambda->lugar,
                "main tiene varias lambdas y no se sabe cuál llama: mira que llame a " + b.nombre +
                    " (" + reglas::donde(a, b.lambda->lugar) + ")" + falta};
    if (l.veces == 0)
        return incumple(b.lambda->lugar, "main no llama nunca a la lambda " + b.nombre + " (" +
                                             reglas::donde(a, b.lambda->lugar) + ")" + falta);
    const bool conBucle = std::any_of(a.bucles.begin(), a.bucles.end(),
                                      [&](const Bucle& x) { return x.en == b.main->usr; });
    if (l.veces >= cuantas || conBucle) return {};
    return incumple(l.primera, "main llama a la lambda " + b.nombre + " solo " + veces(l.veces) +
                                   " (" + reglas::donde(a, l.primera) + ")" + falta);
}

}  // namespace nucleo::datos::lambdas

#endif

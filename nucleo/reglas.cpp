#include "reglas.h"

#include <algorithm>

namespace nucleo::reglas {

namespace {

Juicio incumple(const Lugar& l, const std::string& pista) {
    return {Juicio::Como::Incumple, l, pista};
}

// El nombre sin clases delante, como lo escribe el alumno: Cir::out da out.
std::string corto(const std::string& nombre) {
    const std::size_t dos = nombre.rfind("::");
    return dos == std::string::npos ? nombre : nombre.substr(dos + 2);
}

}  // namespace

std::string donde(const Arbol& a, const Lugar& l) { return l.enPalabras(a.principal); }

std::string falta(const Ejercicio& e, const Arbol& a) {
    for (const std::string& nombre : e.examina) {
        if (e.encuentra) {
            if (!e.encuentra(a, nombre)) return nombre;
            continue;
        }
        const bool funcion = std::any_of(
            a.funciones.begin(), a.funciones.end(),
            [&](const Funcion& f) { return f.nombre == nombre || corto(f.nombre) == nombre; });
        const bool clase = std::any_of(a.clases.begin(), a.clases.end(), [&](const Clase& c) {
            return c.nombre == nombre || c.primaria == nombre;
        });
        const bool variable = std::any_of(a.variables.begin(), a.variables.end(),
                                          [&](const Variable& v) { return v.nombre == nombre; });
        if (!funcion && !clase && !variable) return nombre;
    }
    return "";
}

Juicio juzgar(const Ejercicio& e, const ReglaDeTecnica& regla, const Arbol& a) {
    const Juicio propio = regla.juzgar(a);
    const std::string nombre = falta(e, a);
    if (nombre.empty() || propio.como == Juicio::Como::Incumple) return propio;
    return incumple({}, "No se encuentra " + nombre +
                            ", que el enunciado nombra así: sin eso no hay técnica que mirar.");
}

Juicio definida(const Arbol& a, const std::string& funcion) {
    if (a.definicion(funcion) != nullptr) return {};
    return incumple({}, "No se encuentra la definición de " + corto(funcion) + ".");
}

Juicio sinBucles(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return definida(a, funcion);
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Bucle& b : a.bucles) {
            if (b.en != usr) continue;
            const Funcion* donde_ = a.funcionDe(usr);
            const std::string quien = donde_ == f ? corto(funcion)
                                                  : corto(funcion) + " (en " +
                                                        corto(donde_->nombre) + ", a la que llama)";
            const std::string que = b.tipo == "goto"        ? "un goto"
                                    : b.tipo == "for-rango" ? "un bucle for de rango"
                                                            : "un bucle " + b.tipo;
            return incumple(b.lugar, quien + " tiene " + que + " en " + donde(a, b.lugar) +
                                         ": el enunciado pide " + pide + ".");
        }
    }
    return {};
}

Juicio sinMemoria(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return definida(a, funcion);
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Variable& v : a.variables) {
            if (v.en == usr && v.estatica)
                return incumple(v.lugar, corto(funcion) +
                                             " guarda resultados en la variable static " +
                                             v.nombre + " (" + donde(a, v.lugar) +
                                             "): el enunciado pide " + pide + ".");
        }
        for (const Escritura& e : a.asignaciones) {
            if (e.en == usr && e.destino.rfind("global:", 0) == 0)
                return incumple(e.lugar, corto(funcion) + " escribe en la variable global " +
                                             e.destino.substr(7) + " (" + donde(a, e.lugar) +
                                             "): el enunciado pide " + pide + ".");
        }
    }
    return {};
}

Juicio seLlamaASiMisma(const Arbol& a, const std::string& funcion, const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return definida(a, funcion);
    if (a.seLlama(f->usr)) return {};
    // ¿Vuelve a ella a través de un ayudante?
    const std::vector<std::string> ayudantes = a.conAyudantes(f->usr);
    for (const std::string& usr : ayudantes) {
        if (usr != f->usr && (a.seLlama(usr) || !a.llamadasA({usr}, {f->nombre}).empty()))
            return {Juicio::Como::Revisar, f->lugar,
                    corto(funcion) + " no se llama a sí misma: la recursión pasa por " +
                        corto(a.funcionDe(usr)->nombre) + " (" + donde(a, f->lugar) +
                        "); el enunciado pide " + pide + "."};
    }
    return incumple(f->lugar, corto(funcion) + " (" + donde(a, f->lugar) +
                                  ") no se llama a sí misma: el enunciado pide " + pide + ".");
}

Juicio noLlamaA(const Arbol& a, const std::string& funcion, const std::vector<std::string>& otras,
                const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return definida(a, funcion);
    const std::vector<Llamada_> l = a.llamadasA(a.conAyudantes(f->usr), otras);
    if (l.empty()) return {};
    return incumple(l.front().lugar, corto(funcion) + " llama a " + l.front().nombre + " en " +
                                         donde(a, l.front().lugar) + ": el enunciado pide " + pide +
                                         ".");
}

Juicio llamaA(const Arbol& a, const std::string& funcion, const std::vector<std::string>& otras,
              const std::string& pide) {
    const Funcion* f = a.definicion(funcion);
    if (f == nullptr) return definida(a, funcion);
    if (!a.llamadasA(a.conAyudantes(f->usr), otras).empty()) return {};
    return incumple(f->lugar, corto(funcion) + " no llama a " + otras.front() +
                                  ": el enunciado pide " + pide + ".");
}

Juicio primero(const std::vector<Juicio>& juicios) {
    for (Juicio::Como como : {Juicio::Como::Incumple, Juicio::Como::Revisar}) {
        for (const Juicio& j : juicios) {
            if (j.como == como) return j;
        }
    }
    return {};
}

}  // namespace nucleo::reglas

#include "arbol.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "proceso.h"

namespace nucleo {

namespace {

Lugar lugarDe(const std::string& t) {
    Lugar l;
    const std::size_t dos = t.rfind(':');
    l.archivo = t.substr(0, dos);
    if (dos != std::string::npos) {
        try {
            l.linea = std::stoi(t.substr(dos + 1));
        } catch (...) {
            l.linea = 0;
        }
    }
    return l;
}

std::string valor(const std::string& campo) { return campo == "-" ? "" : campo; }

std::vector<std::string> palabras(const std::string& t) {
    std::vector<std::string> r;
    std::istringstream en(t);
    for (std::string p; en >> p;) r.push_back(p);
    return r;
}

}  // namespace

std::string Lugar::enPalabras(const std::string& principal) const {
    std::string r = "la línea " + std::to_string(linea);
    if (!archivo.empty() && archivo != principal) r += " de " + archivo;
    return r;
}

Arbol Arbol::leer(const std::string& hechos) {
    Arbol a;
    std::istringstream lineas(hechos);
    for (std::string linea; std::getline(lineas, linea);) {
        if (linea == "fin") {
            a.completo = true;
            continue;
        }
        std::vector<std::string> c;
        std::istringstream partes(linea);
        for (std::string campo; std::getline(partes, campo, '\t');) c.push_back(campo);
        if (c.empty()) continue;
        const std::string& que = c[0];
        if (que == "F" && c.size() >= 9) {
            a.funciones.push_back({c[1], c[2], c[4], valor(c[6]), valor(c[7]), valor(c[8]),
                                   lugarDe(c[3]), c[5] == "1"});
        } else if (que == "K" && c.size() >= 7) {
            a.clases.push_back({c[1], c[3], valor(c[4]), c[5], lugarDe(c[2]), c[6] == "1"});
        } else if (que == "M" && c.size() >= 5) {
            a.miembros.push_back({c[1], c[2], valor(c[3]), lugarDe(c[4])});
        } else if (que == "C" && c.size() >= 5) {
            a.llamadas.push_back({c[1], c[2], c[3], lugarDe(c[4])});
        } else if (que == "B" && c.size() >= 4) {
            a.bucles.push_back({c[1], c[2], lugarDe(c[3])});
        } else if (que == "V" && c.size() >= 7) {
            a.variables.push_back({c[1], c[2], c[3], valor(c[5]), lugarDe(c[4]), c[6] == "1"});
        } else if (que == "L" && c.size() >= 7) {
            a.lambdas.push_back({c[1], valor(c[3]), palabras(valor(c[4])), c[5] == "1", valor(c[6]),
                                 lugarDe(c[2])});
        } else if (que == "A" && c.size() >= 5) {
            a.asignaciones.push_back({c[1], c[2], c[4], lugarDe(c[3])});
        } else if (que == "D" && c.size() >= 4) {
            a.desreferencias.push_back({c[1], c[2], "", lugarDe(c[3])});
        } else if (que == "N" && c.size() >= 5) {
            a.reservas.push_back({c[1], c[2], c[4] == "1", lugarDe(c[3])});
        }
    }
    return a;
}

const Funcion* Arbol::definicion(const std::string& nombre) const {
    for (const Funcion& f : funciones) {
        if (f.definicion && f.nombre == nombre) return &f;
    }
    return nullptr;
}

std::vector<const Funcion*> Arbol::declaraciones(const std::string& nombre) const {
    std::vector<const Funcion*> r;
    for (const Funcion& f : funciones) {
        if (f.nombre == nombre) r.push_back(&f);
    }
    return r;
}

const Funcion* Arbol::funcionDe(const std::string& usr) const {
    for (const Funcion& f : funciones) {
        if (f.definicion && f.usr == usr) return &f;
    }
    return nullptr;
}

std::vector<std::string> Arbol::conAyudantes(const std::string& usr) const {
    std::vector<std::string> r = {usr};
    std::set<std::string> vistos = {usr};
    for (std::size_t i = 0; i < r.size(); ++i) {
        for (const Llamada_& l : llamadas) {
            if (l.desde != r[i] || vistos.count(l.usr) != 0) continue;
            const Funcion* f = funcionDe(l.usr);
            if (f == nullptr || f->nombre == "main") continue;
            vistos.insert(l.usr);
            r.push_back(l.usr);
        }
    }
    return r;
}

bool Arbol::seLlama(const std::string& usr) const {
    return std::any_of(llamadas.begin(), llamadas.end(),
                       [&](const Llamada_& l) { return l.desde == usr && l.usr == usr; });
}

std::vector<Llamada_> Arbol::llamadasA(const std::vector<std::string>& usrs,
                                       const std::vector<std::string>& nombres) const {
    std::vector<Llamada_> r;
    for (const Llamada_& l : llamadas) {
        if (std::find(usrs.begin(), usrs.end(), l.desde) == usrs.end()) continue;
        if (std::find(nombres.begin(), nombres.end(), l.nombre) != nombres.end()) r.push_back(l);
    }
    return r;
}

std::vector<Arbol> analizarVarios(const std::string& analizador, const std::string& cabeceras,
                                  const std::vector<std::string>& fuentes,
                                  const std::vector<std::string>& argumentos) {
    Opciones o;
    o.argumentos = {"--varios"};
    o.argumentos.insert(o.argumentos.end(), fuentes.begin(), fuentes.end());
    o.argumentos.push_back("--");
    o.argumentos.insert(o.argumentos.end(), argumentos.begin(), argumentos.end());
    if (!cabeceras.empty()) o.argumentos.insert(o.argumentos.end(), {"-include-pch", cabeceras});
    o.limite =
        std::chrono::seconds(60) * static_cast<int>(std::max<std::size_t>(1, fuentes.size()));
    const Resultado r = ejecutar(analizador, "", o);
    // Lo de cada fuente acaba en «fin» (completo) o en «sin árbol»; si el analizador no llegó al
    // final, los que faltan quedan sin completar.
    std::vector<Arbol> arboles;
    std::istringstream lineas(r.salida);
    std::string trozo;
    for (std::string linea; arboles.size() < fuentes.size() && std::getline(lineas, linea);) {
        if (linea == "sin árbol") {
            arboles.emplace_back();
            trozo.clear();
            continue;
        }
        trozo += linea + "\n";
        if (linea == "fin") {
            arboles.push_back(Arbol::leer(trozo));
            trozo.clear();
        }
    }
    arboles.resize(fuentes.size());
    for (std::size_t i = 0; i < fuentes.size(); ++i)
        arboles[i].principal = fuentes[i].substr(fuentes[i].rfind('/') + 1);
    return arboles;
}

}  // namespace nucleo

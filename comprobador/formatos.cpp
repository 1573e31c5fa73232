// Los escritores para otras herramientas: JUnit, CSV y JSON, de la misma lista de
// comprobaciones que el informe de texto.
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "informe.h"
#include "texto.h"

namespace comprobador {

namespace {

// Texto ajeno apto para XML 1.0, escapado (vale dentro de un elemento y de un atributo).
std::string xml(const std::string& texto) { return escaparMarcado(texto, "&apos;"); }

// Milisegundos como segundos con tres decimales, sin depender del idioma del sistema.
std::string segundos(std::chrono::milliseconds t) {
    const long long ms = std::max<long long>(0, t.count());
    const std::string milesimas = std::to_string(ms % 1000);
    return std::to_string(ms / 1000) + "." + std::string(3 - milesimas.size(), '0') + milesimas;
}

// El nombre de la entrega sin sus carpetas ni su extensión, con '_' en vez de '.': el de la
// carpeta si es una carpeta con main.cpp ("fabián/main.cpp" → "fabián").
std::string nombreCorto(const std::string& entrega) {
    std::vector<std::string> partes;
    std::string parte;
    for (char c : entrega + "/") {
        if (c != '/') {
            parte += c;
        } else if (!parte.empty()) {
            partes.push_back(parte);
            parte.clear();
        }
    }
    while (!partes.empty() && (partes.back() == "." || partes.back() == "..")) partes.pop_back();
    if (partes.size() > 1 && partes.back() == "main.cpp") partes.pop_back();
    std::string nombre = partes.empty() ? "" : partes.back();
    for (const char* extension : {".cpp", ".cc", ".cxx", ".c++", ".C"}) {
        const std::string e = extension;
        if (nombre.size() > e.size() &&
            nombre.compare(nombre.size() - e.size(), e.size(), e) == 0) {
            nombre.erase(nombre.size() - e.size());
            break;
        }
    }
    std::replace(nombre.begin(), nombre.end(), '.', '_');
    return nombre.empty() ? "entrega" : nombre;
}

// Lo que dice un fallo en una línea: su primera pista o, si no tiene, su causa o la primera
// línea de la explicación.
std::string mensajeDe(const Comprobacion& c) {
    if (c.estado == Estado::NoEjecutada) return "No se ejecutó: " + c.causa;
    if (c.estado == Estado::ErrorPropio) return "El comprobador no pudo hacerla: " + c.causa;
    std::string m = !c.evidencia.pistas.empty() ? c.evidencia.pistas.front()
                    : !c.causa.empty()          ? c.causa
                                                : c.evidencia.explicacion;
    m = m.substr(0, m.find('\n'));
    return m.empty() ? "Falla" : m;
}

// Un campo según RFC 4180: entre comillas si lleva una coma, una comilla o un salto de línea,
// con las comillas dobladas.
std::string csv(const std::string& texto) {
    const std::string t = textoSeguro(texto);
    if (t.find_first_of(",\"\n") == std::string::npos) return t;
    std::string r = "\"";
    for (char c : t) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

// Una cadena JSON: el texto seguro (lo que no es UTF-8, como "\xNN") con sus escapes.
std::string json(const std::string& texto) {
    std::string r = "\"";
    for (char c : textoSeguro(texto)) {
        switch (c) {
            case '"':
                r += "\\\"";
                break;
            case '\\':
                r += "\\\\";
                break;
            case '\n':
                r += "\\n";
                break;
            case '\t':
                r += "\\t";
                break;
            default:
                r += c;
        }
    }
    return r + "\"";
}

// El ejercicio con que se revisó una entrega (en una corrección hay varios).
std::string ejercicioDe(const Revision& r, const std::string& programa) {
    return r.programa.empty() ? programa : r.programa;
}

// Lo que las herramientas leen del estado de una entrega entera.
const char* estadoDe(const Revision& r) {
    if (!r.errorPropio.empty()) return "error_del_comprobador";
    return r.aprobada() ? "aprobada" : "no_aprobada";
}

void escribirComprobacion(std::ostream& os, const Comprobacion& c) {
    const Evidencia& e = c.evidencia;
    os << "        {\"id\": " << json(c.id) << ", \"frase\": " << json(c.frase) << ", \"grupo\": \""
       << nombre(c.grupo) << "\", \"tipo\": \"" << nombre(c.tipo) << "\", \"estado\": \""
       << nombre(c.estado) << "\", \"cuenta\": " << (c.cuenta() ? "true" : "false")
       << ",\n         \"causa\": " << json(c.causa) << ", \"espera_a\": " << json(c.esperaA)
       << ", \"tiempo_ms\": " << c.tiempo.count()
       << ",\n         \"evidencia\": {\"entrada\": " << json(e.entrada)
       << ", \"esperado\": " << json(e.esperado) << ", \"obtenido\": " << json(e.obtenido)
       << ", \"pistas\": [";
    for (std::size_t i = 0; i < e.pistas.size(); ++i) os << (i ? ", " : "") << json(e.pistas[i]);
    os << "], \"archivo\": " << json(e.archivo) << ", \"linea\": " << e.linea
       << ", \"explicacion\": " << json(e.explicacion) << "}}";
}

}  // namespace

bool escribirJUnit(const std::string& archivo, const std::string& programa,
                   const std::vector<Revision>& revisiones) {
    std::ofstream f(archivo, std::ios::binary);
    if (!f) return false;
    f << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    f << "<testsuites name=\"comprobar " << xml(lineaSegura(programa)) << "\">\n";
    for (const Revision& r : revisiones) {
        std::vector<const Comprobacion*> cuentan;
        std::chrono::milliseconds tiempo{0};
        for (const Comprobacion& c : r.comprobaciones) {
            if (!c.cuenta()) continue;
            cuentan.push_back(&c);
            tiempo += c.tiempo;
        }
        const Comprobacion* compilacion = r.buscar("compilacion");
        const bool noCompila = compilacion != nullptr && compilacion->estado == Estado::Fallo;
        const std::string clase =
            xml(lineaSegura(ejercicioDe(r, programa) + "." + nombreCorto(r.entrega.nombre)));
        f << "  <testsuite name=\"" << xml(lineaSegura(r.entrega.nombre)) << "\" tests=\""
          << cuentan.size() << "\" failures=\"" << r.total() - r.correctos() << "\" time=\""
          << segundos(tiempo) << "\">\n";
        if (!r.aislada) {
            f << "    <properties>\n      <property name=\"aislada\" value=\"no\"/>\n"
              << "    </properties>\n";
        }
        for (const Comprobacion* c : cuentan) {
            f << "    <testcase classname=\"" << clase << "\" name=\"" << xml(lineaSegura(c->frase))
              << "\" time=\"" << segundos(c->tiempo) << "\"";
            if (c->paso()) {
                f << "/>\n";
                continue;
            }
            // Si no compila, cada caso falla con una línea; lo que dijo el compilador va una
            // sola vez, en la salida de error de la entrega.
            f << ">\n";
            if (noCompila && c->esperaA == "compilacion") {
                f << "      <failure message=\"No compila\">No compila: mira la salida del "
                     "compilador de esta entrega</failure>\n";
            } else {
                const std::string texto =
                    c->estado == Estado::Fallo ? c->evidencia.explicacion : mensajeDe(*c);
                f << "      <failure message=\"" << xml(lineaSegura(mensajeDe(*c))) << "\">"
                  << xml(texto) << "</failure>\n";
            }
            f << "    </testcase>\n";
        }
        const std::vector<std::string> encontrados = hallazgos(r);
        if (!encontrados.empty()) {
            f << "    <system-out>Robustez (no cuenta):\n";
            for (const std::string& h : encontrados) f << xml(h) << "\n";
            f << "</system-out>\n";
        }
        if (noCompila) {
            // salidaDelCompilador ya es texto seguro; xml solo lo escapa.
            f << "    <system-err>" << xml(salidaDelCompilador(compilacion->evidencia.obtenido))
              << "</system-err>\n";
        }
        f << "  </testsuite>\n";
    }
    f << "</testsuites>\n";
    return static_cast<bool>(f);
}

bool escribirCsv(const std::string& archivo, const std::string& programa,
                 const std::vector<Revision>& revisiones) {
    std::ofstream f(archivo, std::ios::binary);
    if (!f) return false;
    f << "entrega,ejercicio,correctos,total,compila,hallazgos\n";
    for (const Revision& r : revisiones) {
        f << csv(r.entrega.nombre) << "," << csv(ejercicioDe(r, programa)) << "," << r.correctos()
          << "," << r.total() << "," << (r.compila() ? "si" : "no") << "," << hallazgos(r).size()
          << "\n";
    }
    return static_cast<bool>(f);
}

void escribirJson(std::ostream& os, const std::string& programa,
                  const std::vector<Revision>& revisiones) {
    os << "{\n  \"version\": " << kVersionJson << ",\n  \"ejercicio\": " << json(programa)
       << ",\n  \"entregas\": [";
    for (std::size_t i = 0; i < revisiones.size(); ++i) {
        const Revision& r = revisiones[i];
        os << (i ? "," : "") << "\n    {\"entrega\": " << json(r.entrega.nombre)
           << ", \"ejercicio\": " << json(ejercicioDe(r, programa)) << ", \"estado\": \""
           << estadoDe(r) << "\", \"correctos\": " << r.correctos() << ", \"total\": " << r.total()
           << ", \"aislada\": " << (r.aislada ? "true" : "false") << ", \"semilla\": " << r.semilla
           << ",\n     \"error_del_comprobador\": " << json(r.errorPropio)
           << ",\n     \"comprobaciones\": [";
        for (std::size_t k = 0; k < r.comprobaciones.size(); ++k) {
            os << (k ? "," : "") << "\n";
            escribirComprobacion(os, r.comprobaciones[k]);
        }
        os << "]}";
    }
    os << "\n  ]\n}\n";
}

bool escribirJson(const std::string& archivo, const std::string& programa,
                  const std::vector<Revision>& revisiones) {
    std::ofstream f(archivo, std::ios::binary);
    if (!f) return false;
    escribirJson(f, programa, revisiones);
    return static_cast<bool>(f);
}

}  // namespace comprobador

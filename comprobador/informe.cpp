#include "informe.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "texto.h"

namespace comprobador {

namespace {

void escribirLineas(std::ostream& os, const std::vector<Linea>& lineas, nucleo::Origen origen,
                    const Estilo& estilo) {
    for (const Linea& l : lineas) {
        if (l.origen != origen) continue;
        if (l.correcto) {
            os << "  " << estilo.bien("✓") << " " << l.nombre << "\n";
        } else if (origen == nucleo::Origen::Enunciado) {
            os << "  " << estilo.mal("✗") << " " << l.nombre << "\n"
               << nucleo::sangrar(l.explicacion, "      ");
        } else {
            // Lo que decidió la colección no se exige: una línea con lo que hace ella.
            os << "  " << estilo.tenue("–") << " " << l.nombre << ": " << l.explicacion << "\n";
        }
    }
}

bool hay(const std::vector<Linea>& lineas, nucleo::Origen origen) {
    for (const Linea& l : lineas) {
        if (l.origen == origen) return true;
    }
    return false;
}

// Texto apto para XML 1.0: sin caracteres de control (salvo tabulador y saltos) y escapado.
std::string xml(const std::string& texto) {
    std::string r;
    for (unsigned char c : texto) {
        switch (c) {
            case '&':
                r += "&amp;";
                break;
            case '<':
                r += "&lt;";
                break;
            case '>':
                r += "&gt;";
                break;
            case '"':
                r += "&quot;";
                break;
            case '\'':
                r += "&apos;";
                break;
            default:
                if (c < 0x20 && c != '\n' && c != '\t' && c != '\r') {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    r += hex;
                } else {
                    r += static_cast<char>(c);
                }
        }
    }
    return r;
}

}  // namespace

void escribirInforme(std::ostream& os, const std::string& programa, const Revision& revision,
                     const Estilo& estilo) {
    os << estilo.titulo("Comprobación de " + programa + ": " + revision.entrega.nombre) << "\n";
    if (!revision.compila) {
        os << estilo.mal("✗ No compila.") << " Lo que dice el compilador:\n"
           << revision.errores << "\n"
           << "0 de " << revision.total() << " casos correctos\n";
        return;
    }
    if (!revision.avisos.empty()) {
        os << estilo.aviso("Avisos del compilador") << " (no impiden la comprobación, pero "
           << "conviene corregirlos):\n"
           << revision.avisos;
    }
    os << "\n" << estilo.titulo("Casos del ejercicio") << "\n";
    escribirLineas(os, revision.casos, nucleo::Origen::Enunciado, estilo);
    if (hay(revision.funciones, nucleo::Origen::Enunciado) || !revision.notasFunciones.empty()) {
        os << "\n" << estilo.titulo("Funciones del ejercicio") << "\n";
        for (const std::string& n : revision.notasFunciones) os << "  " << n << "\n";
        escribirLineas(os, revision.funciones, nucleo::Origen::Enunciado, estilo);
    }
    if (hay(revision.casos, nucleo::Origen::Decidido) ||
        hay(revision.funciones, nucleo::Origen::Decidido)) {
        os << "\n"
           << estilo.titulo("Decisiones de la colección")
           << " (el ejercicio no pide nada en estos casos: no cuentan)\n";
        escribirLineas(os, revision.casos, nucleo::Origen::Decidido, estilo);
        escribirLineas(os, revision.funciones, nucleo::Origen::Decidido, estilo);
    }
    if (revision.robustezProbada || !revision.robustez.empty()) {
        os << "\n"
           << estilo.titulo("Robustez")
           << " (entradas hostiles con AddressSanitizer y UBSan; no cuenta)\n";
    }
    if (revision.robustezProbada && revision.robustez.empty()) {
        os << "  " << estilo.bien("✓")
           << " ningún fallo, cuelgue ni informe de los sanitizadores\n";
    }
    for (const std::string& h : revision.robustez)
        os << "  " << estilo.aviso("⚠") << " " << h << "\n";
    const std::string total = std::to_string(revision.correctos()) + " de " +
                              std::to_string(revision.total()) + " casos correctos";
    os << "\n" << (revision.aprobada() ? estilo.bien(total) : estilo.mal(total)) << "\n";
}

void escribirResumen(std::ostream& os, const std::vector<Revision>& revisiones,
                     const Estilo& estilo) {
    size_t ancho = nucleo::ancho("Entrega");
    for (const Revision& r : revisiones) ancho = std::max(ancho, nucleo::ancho(r.entrega.nombre));
    auto celda = [&](const std::string& t) {
        return t + std::string(ancho - nucleo::ancho(t) + 2, ' ');
    };
    os << estilo.titulo(celda("Entrega") + "Casos      Robustez") << "\n";
    int correctas = 0;
    for (const Revision& r : revisiones) {
        std::string casos = r.compila
                                ? std::to_string(r.correctos()) + "/" + std::to_string(r.total())
                                : "no compila";
        casos += std::string(casos.size() < 11 ? 11 - casos.size() : 1, ' ');
        std::string robustez = !r.compila ? "-"
                               : r.robustez.empty()
                                   ? "sin hallazgos"
                                   : std::to_string(r.robustez.size()) + " hallazgos";
        os << celda(r.entrega.nombre) << (r.aprobada() ? estilo.bien(casos) : estilo.mal(casos))
           << robustez << "\n";
        correctas += r.aprobada();
    }
    os << correctas << " de " << revisiones.size() << " entregas correctas\n";
}

bool escribirJUnit(const std::string& archivo, const std::string& programa,
                   const std::vector<Revision>& revisiones) {
    std::ofstream f(archivo, std::ios::binary);
    if (!f) return false;
    f << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    f << "<testsuites name=\"comprobar " << xml(programa) << "\">\n";
    for (const Revision& r : revisiones) {
        std::vector<const Linea*> cuentan;
        for (const Linea& l : r.casos) {
            if (l.origen == nucleo::Origen::Enunciado) cuentan.push_back(&l);
        }
        for (const Linea& l : r.funciones) {
            if (l.origen == nucleo::Origen::Enunciado) cuentan.push_back(&l);
        }
        const std::string clase = xml(programa + "." + r.entrega.nombre);
        f << "  <testsuite name=\"" << xml(r.entrega.nombre) << "\" tests=\"" << cuentan.size()
          << "\" failures=\"" << r.total() - r.correctos() << "\">\n";
        for (const Linea* l : cuentan) {
            f << "    <testcase classname=\"" << clase << "\" name=\"" << xml(l->nombre) << "\"";
            if (l->correcto && r.compila) {
                f << "/>\n";
                continue;
            }
            // Si no compila, cada caso falla con lo que dijo el compilador.
            const std::string mensaje = r.compila ? l->nombre : "No compila";
            const std::string detalle = r.compila ? l->explicacion : r.errores;
            f << ">\n      <failure message=\"" << xml(mensaje) << "\">" << xml(detalle)
              << "</failure>\n    </testcase>\n";
        }
        if (!r.robustez.empty()) {
            f << "    <system-out>Robustez (no cuenta):\n";
            for (const std::string& h : r.robustez) f << xml(h) << "\n";
            f << "</system-out>\n";
        }
        f << "  </testsuite>\n";
    }
    f << "</testsuites>\n";
    return static_cast<bool>(f);
}

}  // namespace comprobador

#include "informe.h"

#include <algorithm>
#include <fstream>

#include "texto.h"

namespace comprobador {

namespace {

// Lo que el profesor lee de la salida del compilador en el JUnit: las primeras líneas, cada una
// cortada; el resto lo muestra la comprobación de esa entrega sola.
constexpr std::size_t kLineasDelCompilador = 20;
constexpr std::size_t kBytesPorLinea = 400;

std::string plural(std::size_t n, const std::string& singular, const std::string& varios) {
    return std::to_string(n) + " " + (n == 1 ? singular : varios);
}

// ¿Es un carácter UTF-8 válido que aun así no se deja pasar: un control C1 (U+0080 a
// U+009F, que algunas terminales obedecen) o U+FFFE y U+FFFF (que XML 1.0 no admite)?
bool prohibido(const std::string& t, std::size_t i, std::size_t n) {
    const auto c0 = static_cast<unsigned char>(t[i]);
    const auto c1 = n > 1 ? static_cast<unsigned char>(t[i + 1]) : 0;
    const auto c2 = n > 2 ? static_cast<unsigned char>(t[i + 2]) : 0;
    return (n == 2 && c0 == 0xC2 && c1 <= 0x9F) ||
           (n == 3 && c0 == 0xEF && c1 == 0xBF && (c2 == 0xBE || c2 == 0xBF));
}

// Una línea segura cortada a unos `maximo` bytes, sin partir una letra.
std::string cortada(const std::string& linea, std::size_t maximo) {
    if (linea.size() <= maximo) return linea;
    std::size_t corte = maximo;
    while (corte > 0 && nucleo::esContinuacion(static_cast<unsigned char>(linea[corte]))) --corte;
    return linea.substr(0, corte) + "…";
}

// Una ruta tal como se escribe en una orden: entre comillas simples si lleva algo que la
// terminal interpretaría.
std::string paraLaOrden(const std::string& ruta) {
    if (!ruta.empty() && ruta.find_first_of(" \t\n'\"\\$`!*?[]{}()<>|&;#~") == std::string::npos)
        return ruta;
    std::string r = "'";
    for (char c : ruta) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

// ---------------------------------------------------------------------- Informe de texto

// Lo que explica un fallo sin su entrada: el bloque del principio, de "Entrada escrita de una
// vez:" o "Conversación (...):" hasta el título siguiente ("Salida estándar:", "Salida de
// error:", "Pistas:"...), que es la primera línea sin sangría.
std::string sinEntrada(const std::string& explicacion) {
    std::size_t fin = explicacion.find('\n');
    if (fin == std::string::npos) return explicacion;
    const std::string primera = explicacion.substr(0, fin);
    const bool conEntrada = primera == "Entrada escrita de una vez:" ||
                            (primera.rfind("Conversación (", 0) == 0 && primera.size() >= 2 &&
                             primera.compare(primera.size() - 2, 2, "):") == 0);
    if (!conEntrada) return explicacion;
    std::size_t inicio = fin + 1;
    while (inicio < explicacion.size() && explicacion[inicio] == ' ') {
        fin = explicacion.find('\n', inicio);
        if (fin == std::string::npos) return "";
        inicio = fin + 1;
    }
    return explicacion.substr(inicio);
}

// Dos casos fallan igual si dan las mismas pistas y lo mismo salvo la entrada.
bool mismoFallo(const Linea& a, const Linea& b) {
    return a.pistas == b.pistas && sinEntrada(a.explicacion) == sinEntrada(b.explicacion);
}

// "a", "a, y b", "a, b, y c": con la coma antes de la "y" se leen bien los nombres que ya
// llevan una ("mayor y menor").
std::string enumerar(const std::vector<std::string>& nombres) {
    std::string r;
    for (std::size_t i = 0; i < nombres.size(); ++i) {
        if (i > 0) r += i + 1 == nombres.size() ? ", y " : ", ";
        r += lineaSegura(nombres[i]);
    }
    return r;
}

void escribirLineas(std::ostream& os, const std::vector<Linea>& lineas, nucleo::Origen origen,
                    const Estilo& estilo) {
    // Un fallo que se repite en otros casos (con otra entrada) se explica en el primero; los
    // demás solo se nombran detrás de él.
    std::vector<std::vector<std::string>> iguales(lineas.size());
    std::vector<bool> repetido(lineas.size(), false);
    auto fallo = [&](std::size_t i) { return lineas[i].origen == origen && !lineas[i].correcto; };
    if (origen == nucleo::Origen::Enunciado) {
        for (std::size_t i = 0; i < lineas.size(); ++i) {
            if (!fallo(i)) continue;
            for (std::size_t j = 0; j < i; ++j) {
                if (fallo(j) && !repetido[j] && mismoFallo(lineas[j], lineas[i])) {
                    iguales[j].push_back(lineas[i].nombre);
                    repetido[i] = true;
                    break;
                }
            }
        }
    }
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        const Linea& l = lineas[i];
        if (l.origen != origen || repetido[i]) continue;
        const std::string nombre = lineaSegura(l.nombre);
        if (l.correcto) {
            os << "  " << estilo.bien("✓") << " " << nombre << "\n";
        } else if (origen == nucleo::Origen::Enunciado) {
            os << "  " << estilo.mal("✗") << " " << nombre << "\n"
               << nucleo::sangrar(textoSeguro(l.explicacion), "      ");
            if (!iguales[i].empty()) {
                os << "  " << estilo.mal("✗") << " " << enumerar(iguales[i])
                   << ": el mismo fallo que «" << nombre << "»\n";
            }
        } else {
            // Lo que decidió la colección no se exige: una línea con lo que hace ella.
            os << "  " << estilo.tenue("–") << " " << nombre << ": " << textoSeguro(l.explicacion)
               << "\n";
        }
    }
}

bool hay(const std::vector<Linea>& lineas, nucleo::Origen origen) {
    for (const Linea& l : lineas) {
        if (l.origen == origen) return true;
    }
    return false;
}

// --------------------------------------------------------------------------------- JUnit

// Texto ajeno apto para XML 1.0, escapado (vale dentro de un elemento y de un atributo).
std::string xml(const std::string& texto) {
    std::string r;
    for (char c : textoSeguro(texto)) {
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
                r += c;
        }
    }
    return r;
}

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

// Lo que dice un fallo en una línea: su primera pista o, si no tiene, la primera línea de la
// explicación.
std::string mensajeDe(const Linea& l) {
    std::string m = !l.pistas.empty() ? l.pistas.front() : l.explicacion;
    m = m.substr(0, m.find('\n'));
    return m.empty() ? "Falla" : m;
}

// La salida del compilador, en sus primeras líneas y con la orden que la muestra entera.
std::string salidaDelCompilador(const std::string& salida, const std::string& programa,
                                const std::string& ruta) {
    const std::vector<std::string> lineas = nucleo::lineasDe(salida);
    std::string r;
    for (std::size_t i = 0; i < lineas.size() && i < kLineasDelCompilador; ++i) {
        r += cortada(textoSeguro(lineas[i]), kBytesPorLinea) + "\n";
    }
    if (lineas.size() > kLineasDelCompilador) {
        r += "… (" + plural(lineas.size() - kLineasDelCompilador, "línea más", "líneas más") +
             ": ./ejercicios comprobar " + programa + " " + paraLaOrden(lineaSegura(ruta)) +
             " las muestra todas)\n";
    }
    return r;
}

// ----------------------------------------------------------------------------------- CSV

// Un campo según RFC 4180: entre comillas si lleva una coma, una comilla o un salto de línea,
// con las comillas dobladas.
std::string csv(const std::string& texto) {
    const std::string t = textoSeguro(texto);
    if (t.find_first_of(",\"\n") == std::string::npos) return t;
    std::string r = "\"";
    for (char c : t) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

}  // namespace

std::string textoSeguro(const std::string& texto) {
    std::string r;
    r.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size();) {
        const auto c = static_cast<unsigned char>(texto[i]);
        const std::size_t n = nucleo::secuenciaUtf8(texto, i);
        if (c == '\n' || c == '\t') {
            r += static_cast<char>(c);
            ++i;
        } else if (c == '\r') {
            r += "\\r";
            ++i;
        } else if (n == 0 || c < 0x20 || c == 0x7F) {
            r += nucleo::hex(c);
            ++i;
        } else if (prohibido(texto, i, n)) {
            for (std::size_t k = 0; k < n; ++k) r += nucleo::hex(texto[i + k]);
            i += n;
        } else {
            r.append(texto, i, n);
            i += n;
        }
    }
    return r;
}

std::string lineaSegura(const std::string& texto) {
    std::string r;
    for (char c : textoSeguro(texto)) {
        if (c == '\n') {
            r += "\\n";
        } else if (c == '\t') {
            r += "\\t";
        } else {
            r += c;
        }
    }
    return r;
}

void escribirInforme(std::ostream& os, const std::string& programa, const Revision& revision,
                     const Estilo& estilo) {
    os << estilo.titulo("Comprobación de " + lineaSegura(programa) + ": " +
                        lineaSegura(revision.entrega.nombre))
       << "\n";
    if (!revision.aislada) {
        os << estilo.aviso("⚠")
           << " Sin aislamiento: esta entrega se compiló y se ejecutó sin bubblewrap.\n";
    }
    if (!revision.compila) {
        std::string errores = textoSeguro(revision.errores);
        if (!errores.empty() && errores.back() != '\n') errores += "\n";
        os << estilo.mal("✗ No compila.") << " Lo que dice el compilador:\n"
           << errores << "\n"
           << "0 de " << revision.total() << " casos correctos\n";
        return;
    }
    if (!revision.avisos.empty()) {
        std::string avisos = textoSeguro(revision.avisos);
        if (avisos.back() != '\n') avisos += "\n";
        os << estilo.aviso("Avisos del compilador") << " (no impiden la comprobación, pero "
           << "conviene corregirlos):\n"
           << avisos;
    }
    os << "\n" << estilo.titulo("Casos del ejercicio") << "\n";
    escribirLineas(os, revision.casos, nucleo::Origen::Enunciado, estilo);
    if (hay(revision.funciones, nucleo::Origen::Enunciado) || !revision.notasFunciones.empty()) {
        os << "\n" << estilo.titulo("Funciones del ejercicio") << "\n";
        for (const std::string& n : revision.notasFunciones) os << "  " << textoSeguro(n) << "\n";
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
        os << "  " << estilo.aviso("⚠") << " " << lineaSegura(h) << "\n";
    const std::string total = std::to_string(revision.correctos()) + " de " +
                              std::to_string(revision.total()) + " casos correctos";
    os << "\n" << (revision.aprobada() ? estilo.bien(total) : estilo.mal(total)) << "\n";
}

void escribirResumen(std::ostream& os, const std::vector<Revision>& revisiones,
                     const Estilo& estilo) {
    // La columna «Aislada» solo sale si alguna entrega se comprobó sin aislamiento.
    const bool conAislada = std::any_of(revisiones.begin(), revisiones.end(),
                                        [](const Revision& r) { return !r.aislada; });
    auto robustezDe = [](const Revision& r) -> std::string {
        if (!r.compila) return "-";
        if (r.robustez.empty()) return "sin hallazgos";
        return plural(r.robustez.size(), "hallazgo", "hallazgos");
    };
    std::size_t ancho = nucleo::ancho("Entrega");
    std::size_t anchoRobustez = nucleo::ancho("Robustez");
    for (const Revision& r : revisiones) {
        ancho = std::max(ancho, nucleo::ancho(lineaSegura(r.entrega.nombre)));
        anchoRobustez = std::max(anchoRobustez, nucleo::ancho(robustezDe(r)));
    }
    auto celda = [](const std::string& t, std::size_t a) {
        return t + std::string(a - nucleo::ancho(t) + 2, ' ');
    };
    os << estilo.titulo(celda("Entrega", ancho) + "Casos      " +
                        (conAislada ? celda("Robustez", anchoRobustez) + "Aislada" : "Robustez"))
       << "\n";
    int correctas = 0;
    for (const Revision& r : revisiones) {
        std::string casos = r.compila
                                ? std::to_string(r.correctos()) + "/" + std::to_string(r.total())
                                : "no compila";
        casos += std::string(casos.size() < 11 ? 11 - casos.size() : 1, ' ');
        const std::string robustez = robustezDe(r);
        os << celda(lineaSegura(r.entrega.nombre), ancho)
           << (r.aprobada() ? estilo.bien(casos) : estilo.mal(casos))
           << (conAislada ? celda(robustez, anchoRobustez) + (r.aislada ? "sí" : "no") : robustez)
           << "\n";
        correctas += r.aprobada();
    }
    os << correctas << " de " << revisiones.size() << " entregas correctas\n";
}

bool escribirJUnit(const std::string& archivo, const std::string& programa,
                   const std::vector<Revision>& revisiones) {
    std::ofstream f(archivo, std::ios::binary);
    if (!f) return false;
    f << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    f << "<testsuites name=\"comprobar " << xml(lineaSegura(programa)) << "\">\n";
    for (const Revision& r : revisiones) {
        std::vector<const Linea*> cuentan;
        std::chrono::milliseconds tiempo{0};
        for (const std::vector<Linea>* lineas : {&r.casos, &r.funciones}) {
            for (const Linea& l : *lineas) {
                if (l.origen != nucleo::Origen::Enunciado) continue;
                cuentan.push_back(&l);
                tiempo += l.tiempo;
            }
        }
        const std::string clase = xml(lineaSegura(programa + "." + nombreCorto(r.entrega.nombre)));
        f << "  <testsuite name=\"" << xml(lineaSegura(r.entrega.nombre)) << "\" tests=\""
          << cuentan.size() << "\" failures=\"" << r.total() - r.correctos() << "\" time=\""
          << segundos(tiempo) << "\">\n";
        if (!r.aislada) {
            f << "    <properties>\n      <property name=\"aislada\" value=\"no\"/>\n"
              << "    </properties>\n";
        }
        for (const Linea* l : cuentan) {
            f << "    <testcase classname=\"" << clase << "\" name=\""
              << xml(lineaSegura(l->nombre)) << "\" time=\"" << segundos(l->tiempo) << "\"";
            if (l->correcto && r.compila) {
                f << "/>\n";
                continue;
            }
            // Si no compila, cada caso falla con una línea; lo que dijo el compilador va una
            // sola vez, en la salida de error de la entrega.
            f << ">\n";
            if (r.compila) {
                f << "      <failure message=\"" << xml(lineaSegura(mensajeDe(*l))) << "\">"
                  << xml(l->explicacion) << "</failure>\n";
            } else {
                f << "      <failure message=\"No compila\">No compila: mira la salida del "
                     "compilador de esta entrega</failure>\n";
            }
            f << "    </testcase>\n";
        }
        if (!r.robustez.empty()) {
            f << "    <system-out>Robustez (no cuenta):\n";
            for (const std::string& h : r.robustez) f << xml(h) << "\n";
            f << "</system-out>\n";
        }
        if (!r.compila) {
            // salidaDelCompilador ya es texto seguro; xml solo lo escapa.
            f << "    <system-err>"
              << xml(salidaDelCompilador(r.errores, programa, r.entrega.nombre))
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
        f << csv(r.entrega.nombre) << "," << csv(programa) << "," << r.correctos() << ","
          << r.total() << "," << (r.compila ? "si" : "no") << "," << r.robustez.size() << "\n";
    }
    return static_cast<bool>(f);
}

}  // namespace comprobador

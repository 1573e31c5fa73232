#include "texto.h"

#include <algorithm>
#include <sstream>

namespace nucleo {

bool esContinuacion(unsigned char c) { return (c & 0xC0) == 0x80; }

// Longitud de la secuencia UTF-8 válida que empieza en i, o 0 si no es válida.
std::size_t secuenciaUtf8(const std::string& t, std::size_t i) {
    const auto c = static_cast<unsigned char>(t[i]);
    std::size_t n = c < 0x80                 ? 1
                    : c >= 0xC2 && c <= 0xDF ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || i + n > t.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if (!esContinuacion(static_cast<unsigned char>(t[i + k]))) return 0;
    }
    const auto c1 = static_cast<unsigned char>(t[i + (n > 1 ? 1 : 0)]);
    if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F) || (c == 0xF0 && c1 < 0x90) ||
        (c == 0xF4 && c1 > 0x8F)) {
        return 0;  // formas demasiado largas, sustitutos o más allá de U+10FFFF
    }
    return n;
}

std::string hex(unsigned char c) {
    const char* cifras = "0123456789ABCDEF";
    return std::string("\\x") + cifras[c >> 4] + cifras[c & 15];
}

// Caracteres que ocupa un texto UTF-8 en pantalla (uno por carácter).
std::size_t ancho(const std::string& t) {
    std::size_t n = 0;
    for (char c : t) n += esContinuacion(static_cast<unsigned char>(c)) ? 0 : 1;
    return n;
}

namespace {

// Un carácter de una línea (uno o varios bytes) y cómo se muestra.
struct Pieza {
    std::size_t inicio;  // posición en el texto
    std::string vista;
};

// Las piezas de la línea [inicio, fin) (sin su '\n'): los blancos finales como "·", los
// caracteres de control y los bytes que no son UTF-8 como escapes.
std::vector<Pieza> piezas(const std::string& t, std::size_t inicio, std::size_t fin) {
    std::size_t finTexto = fin;
    while (finTexto > inicio && t[finTexto - 1] == ' ') --finTexto;
    std::vector<Pieza> resultado;
    for (std::size_t i = inicio; i < fin;) {
        const auto c = static_cast<unsigned char>(t[i]);
        std::size_t n = secuenciaUtf8(t, i);
        if (n > 0 && i + n > fin) n = 0;
        std::string vista;
        if (c == ' ') {
            vista = i >= finTexto ? "·" : " ";
        } else if (c == '\r') {
            vista = "\\r";
        } else if (c == '\t') {
            vista = "\\t";
        } else if (n == 0 || c < 0x20 || c == 0x7F) {
            vista = hex(c);
            n = 1;
        } else {
            vista = t.substr(i, n);
        }
        resultado.push_back({i, vista});
        i += n;
    }
    return resultado;
}

// Las líneas de un texto como [inicio, fin) sin el '\n'; un texto que acaba en '\n' no
// tiene una última línea vacía.
std::vector<std::pair<std::size_t, std::size_t>> lineas(const std::string& t) {
    std::vector<std::pair<std::size_t, std::size_t>> resultado;
    std::size_t inicio = 0;
    while (inicio < t.size()) {
        std::size_t fin = t.find('\n', inicio);
        if (fin == std::string::npos) fin = t.size();
        resultado.push_back({inicio, fin});
        inicio = fin + 1;
    }
    return resultado;
}

// Una línea visible: sus piezas (quizá solo una ventana de ellas si es muy larga) y su final.
std::string lineaVisible(const std::string& t, std::pair<std::size_t, std::size_t> linea,
                         std::size_t desde = 0, std::size_t hasta = std::string::npos) {
    std::vector<Pieza> ps = piezas(t, linea.first, linea.second);
    hasta = std::min(hasta, ps.size());
    std::string vista = desde > 0 ? "…" : "";
    for (std::size_t k = desde; k < hasta; ++k) vista += ps[k].vista;
    if (hasta < ps.size()) return vista + "…";
    return vista + (linea.second < t.size() ? "⏎" : "(sin fin de línea)");
}

constexpr std::size_t kAnchoMaximo = 160;  // piezas por línea antes de recortarla
constexpr std::size_t kLineasMaximas = 40;

// El texto visible, línea a línea con una sangría, recortado alrededor de la línea `marcada`
// (índice desde 0) si es largo. Bajo la línea marcada, una "^" en la pieza de la posición
// `pos` del texto.
std::string bloque(const std::string& t, std::size_t marcada, std::size_t pos, bool conMarca) {
    const std::string sangria = "    │";
    if (t.empty()) return "    (nada)\n";
    auto ls = lineas(t);
    std::size_t primera = 0, ultima = ls.size();
    if (ls.size() > kLineasMaximas) {
        std::size_t centro = std::min(marcada, ls.size() - 1);
        primera = centro >= 5 ? centro - 5 : 0;
        ultima = std::min(ls.size(), centro + 6);
    }
    std::string resultado;
    if (primera > 0) resultado += "    … (" + std::to_string(primera) + " líneas antes)\n";
    for (std::size_t i = primera; i < ultima; ++i) {
        std::vector<Pieza> ps = piezas(t, ls[i].first, ls[i].second);
        std::size_t desde = 0, hasta = std::string::npos;
        std::size_t k = ps.size();  // pieza marcada
        if (conMarca && i == marcada) {
            k = 0;
            while (k < ps.size() && ps[k].inicio < pos) ++k;
        }
        if (ps.size() > kAnchoMaximo) {
            if (conMarca && i == marcada) {
                desde = k > 60 ? k - 60 : 0;
                hasta = desde + 120;
            } else {
                hasta = 120;
            }
        }
        resultado += sangria + lineaVisible(t, ls[i], desde, hasta) + "\n";
        if (conMarca && i == marcada) {
            std::size_t columna = desde > 0 ? 1 : 0;
            for (std::size_t j = desde; j < k && j < ps.size(); ++j) columna += ancho(ps[j].vista);
            resultado += "     " + std::string(columna, ' ') + "^\n";
        }
    }
    if (ultima < ls.size()) {
        resultado += "    … (" + std::to_string(ls.size() - ultima) + " líneas más)\n";
    }
    return resultado;
}

}  // namespace

// Línea (desde 1) y columna (en caracteres, desde 1) de una posición del texto.
std::pair<std::size_t, std::size_t> lineaYColumna(const std::string& t, std::size_t pos) {
    std::size_t linea = 1, inicio = 0;
    for (std::size_t i = 0; i < pos && i < t.size(); ++i) {
        if (t[i] == '\n') {
            ++linea;
            inicio = i + 1;
        }
    }
    return {linea, ancho(t.substr(inicio, pos - inicio)) + 1};
}

// La primera diferencia llevada al principio de su carácter (si los dos textos comparten
// el primer byte de una letra de varios bytes).
std::size_t inicioDeLaDiferencia(const std::string& a, const std::string& b) {
    std::size_t pos = primeraDiferencia(a, b);
    if (pos == std::string::npos) return pos;
    auto continua = [&](std::size_t p) {
        return (p < a.size() && esContinuacion(static_cast<unsigned char>(a[p]))) ||
               (p < b.size() && esContinuacion(static_cast<unsigned char>(b[p])));
    };
    while (pos > 0 && a[pos - 1] != '\n' && continua(pos)) --pos;
    return pos;
}

std::string recortado(const std::string& t, std::size_t maximo) {
    if (t.size() <= maximo) return visible(t);
    std::size_t corte = maximo;
    while (corte > 0 && esContinuacion(static_cast<unsigned char>(t[corte]))) --corte;
    std::string vista = visible(t.substr(0, corte));
    const std::string sinFin = "(sin fin de línea)";
    if (vista.size() >= sinFin.size() &&
        vista.compare(vista.size() - sinFin.size(), sinFin.size(), sinFin) == 0) {
        vista.erase(vista.size() - sinFin.size());
    }
    return vista + "… (" + std::to_string(t.size()) + " bytes en total)";
}

// Un texto corto visible en una sola línea (los fines de línea quedan como "⏎").
std::string enLinea(const std::string& texto) {
    std::string vista = recortado(texto);
    const std::string sinFin = "(sin fin de línea)";
    if (vista.size() >= sinFin.size() &&
        vista.compare(vista.size() - sinFin.size(), sinFin.size(), sinFin) == 0) {
        vista.erase(vista.size() - sinFin.size());
    }
    vista.erase(std::remove(vista.begin(), vista.end(), '\n'), vista.end());
    return vista;
}

std::string sangrar(const std::string& texto, const std::string& margen) {
    std::string resultado;
    std::istringstream lineasTexto(texto);
    for (std::string l; std::getline(lineasTexto, l);) resultado += margen + l + "\n";
    return resultado;
}

// Las letras con tilde que escriben los programas y la misma letra sin ella.

bool utf8Valido(const std::string& t, std::size_t* malo) {
    for (std::size_t i = 0; i < t.size();) {
        std::size_t n = secuenciaUtf8(t, i);
        if (n == 0) {
            if (malo != nullptr) *malo = i;
            return false;
        }
        i += n;
    }
    return true;
}

std::vector<std::string> lineasDe(const std::string& t) {
    std::vector<std::string> resultado;
    for (auto [inicio, fin] : lineas(t)) resultado.push_back(t.substr(inicio, fin - inicio));
    return resultado;
}

std::string visible(const std::string& texto) {
    if (texto.empty()) return "(nada)";
    std::string resultado;
    auto ls = lineas(texto);
    for (std::size_t i = 0; i < ls.size(); ++i) {
        if (i > 0) resultado += "\n";
        resultado += lineaVisible(texto, ls[i]);
    }
    return resultado;
}

size_t primeraDiferencia(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return i;
    }
    return a.size() == b.size() ? std::string::npos : n;
}

std::string compararTextos(const std::string& esperado, const std::string& obtenido) {
    const std::size_t pos = inicioDeLaDiferencia(esperado, obtenido);
    if (pos == std::string::npos) return "  Iguales:\n" + bloque(esperado, 0, 0, false);
    const auto [linea, columna] = lineaYColumna(esperado, pos);
    const std::size_t marcada = linea - 1;
    // La marca va bajo lo obtenido; si el programa no llegó a escribir esa línea, bajo lo
    // esperado.
    const bool marcaEnObtenido = lineas(obtenido).size() > marcada;
    std::string r = "  Primera diferencia: línea " + std::to_string(linea) + ", columna " +
                    std::to_string(columna) +
                    (marcaEnObtenido ? "" : " (el programa no escribió esa línea)") + ".\n";
    r += "  Esperado:\n" + bloque(esperado, marcada, pos, !marcaEnObtenido);
    r += "  Obtenido:\n" + bloque(obtenido, marcada, pos, marcaEnObtenido);
    return r;
}

}  // namespace nucleo

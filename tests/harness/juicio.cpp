#include "juicio.h"

#include <signal.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace arnes {

namespace {

// Cuánto se espera cada aviso en una conversación.
constexpr std::chrono::milliseconds kEsperaAviso{5000};
// Límite de tiempo de cada entrada hostil.
constexpr std::chrono::milliseconds kLimiteHostil{20000};
// Tope de bytes escritos: lo esperado varias veces, y nunca menos de 1 MiB.
constexpr std::size_t kSalidaMinima = 1 << 20;

std::size_t limiteSalidaDe(const Caso& caso) {
    return kSalidaMinima + 4 * (caso.salida.size() + caso.errores.size());
}

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

std::string recortado(const std::string& t, std::size_t maximo = 300) {
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

std::string sangrar(const std::string& texto) {
    std::string resultado;
    std::istringstream lineasTexto(texto);
    for (std::string l; std::getline(lineasTexto, l);) resultado += "    │" + l + "\n";
    return resultado;
}

// Las letras con tilde que escriben los programas y la misma letra sin ella.
const std::pair<const char*, char> kTildes[] = {
    {"á", 'a'}, {"é", 'e'}, {"í", 'i'}, {"ó", 'o'}, {"ú", 'u'}, {"ñ", 'n'}, {"ü", 'u'},
    {"Á", 'A'}, {"É", 'E'}, {"Í", 'I'}, {"Ó", 'O'}, {"Ú", 'U'}, {"Ñ", 'N'}, {"Ü", 'U'},
};

// Si en `pos` `con` tiene una letra con tilde y `sin` la misma letra sin tilde.
bool tildeQueFalta(const std::string& con, const std::string& sin, std::size_t pos) {
    for (const auto& [letra, base] : kTildes) {
        if (con.compare(pos, 2, letra) == 0 && pos < sin.size() && sin[pos] == base) return true;
    }
    return false;
}

// La palabra que contiene la posición pos (letras, incluidas las de varios bytes).
std::string palabraEn(const std::string& t, std::size_t pos) {
    auto esLetra = [&](std::size_t i) {
        const auto c = static_cast<unsigned char>(t[i]);
        return c >= 0x80 || std::isalnum(c) != 0;
    };
    std::size_t inicio = pos, fin = pos;
    while (inicio > 0 && esLetra(inicio - 1)) --inicio;
    while (fin < t.size() && esLetra(fin)) ++fin;
    return t.substr(inicio, fin - inicio);
}

bool utf8Valido(const std::string& t, std::size_t* malo = nullptr) {
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

// Pistas que se deducen de comparar un texto esperado con el obtenido.
std::vector<std::string> pistasDeTexto(const Caso& caso, const std::string& esperado,
                                       const std::string& obtenido) {
    std::vector<std::string> pistas;
    const std::size_t pos = inicioDeLaDiferencia(esperado, obtenido);
    if (pos == std::string::npos) return pistas;
    const auto [linea, columna] = lineaYColumna(esperado, pos);
    const std::string donde =
        "(línea " + std::to_string(linea) + ", columna " + std::to_string(columna) + ")";

    // Fin de línea que falta o que sobra al final.
    if (obtenido + "\n" == esperado) {
        pistas.push_back(
            "Falta el salto de línea al final de la última línea: termínala con std::endl (o "
            "'\\n', según pida el enunciado).");
    } else if (obtenido == esperado + "\n") {
        pistas.push_back(
            esperado.empty() || esperado.back() == '\n'
                ? "Sobra un salto de línea al final: hay un std::endl (o un '\\n') de más."
                : "Sobra el salto de línea del final: esta salida termina sin fin de línea, así "
                  "que no escribas std::endl (ni '\\n') al final.");
    } else if (esperado[pos] == '\n' && esperado.compare(pos + 1, std::string::npos, obtenido, pos,
                                                         std::string::npos) == 0) {
        pistas.push_back("Falta un salto de línea " + donde +
                         ": usa std::endl donde acaba esa línea.");
    } else if (pos < obtenido.size() && obtenido[pos] == '\n' &&
               obtenido.compare(pos + 1, std::string::npos, esperado, pos, std::string::npos) ==
                   0) {
        pistas.push_back("Sobra un salto de línea " + donde +
                         ": esa línea sigue en la misma línea de la pantalla.");
    }

    // Un blanco que falta o que sobra, sobre todo junto a «:» o al final de un aviso.
    auto alFinalDeUnAviso = [&](std::size_t p) {
        for (const Paso& paso : caso.pasos) {
            const std::size_t en = esperado.find(paso.aviso);
            if (!paso.aviso.empty() && en != std::string::npos && en + paso.aviso.size() == p + 1) {
                return true;
            }
        }
        return p + 1 == esperado.size();
    };
    if (pos < esperado.size() && esperado[pos] == ' ' &&
        esperado.compare(pos + 1, std::string::npos, obtenido, pos, std::string::npos) == 0) {
        if (pos > 0 && esperado[pos - 1] == ':') {
            pistas.push_back("Falta el espacio en blanco que va después de «:» " + donde +
                             ": copia el aviso exactamente, con su espacio final.");
        } else if (alFinalDeUnAviso(pos)) {
            pistas.push_back("Falta el espacio en blanco al final del aviso " + donde +
                             ": la respuesta se escribe detrás de ese espacio.");
        } else if (pos + 1 == esperado.size() || esperado[pos + 1] == '\n') {
            pistas.push_back("Falta un espacio en blanco al final de la línea " +
                             std::to_string(linea) + ": se ve como «·» en lo esperado.");
        } else {
            pistas.push_back("Falta un espacio en blanco " + donde + ".");
        }
    } else if (pos < obtenido.size() && obtenido[pos] == ' ' &&
               obtenido.compare(pos + 1, std::string::npos, esperado, pos, std::string::npos) ==
                   0) {
        if ((pos > 0 && obtenido[pos - 1] == ':') ||
            (pos + 1 < obtenido.size() && obtenido[pos + 1] == ':')) {
            pistas.push_back("Sobra un espacio en blanco junto a «:» " + donde +
                             ": el texto debe ser exactamente el del enunciado.");
        } else if (pos + 1 == obtenido.size() || obtenido[pos + 1] == '\n') {
            pistas.push_back("Sobra un espacio en blanco al final de la línea " +
                             std::to_string(linea) + ": se ve como «·» en lo obtenido.");
        } else {
            pistas.push_back("Sobra un espacio en blanco " + donde +
                             ": el texto debe ser exactamente el del enunciado.");
        }
    }

    // Unos pocos caracteres de más o de menos (que no sean solo un blanco ni un salto de
    // línea, que ya tienen su pista).
    for (std::size_t n = 1; n <= 3 && pistas.empty(); ++n) {
        if (pos + n <= esperado.size() &&
            esperado.compare(pos + n, std::string::npos, obtenido, pos, std::string::npos) == 0) {
            pistas.push_back("Falta «" + enLinea(esperado.substr(pos, n)) + "» " + donde +
                             ": el texto debe ser exactamente el del enunciado.");
        } else if (pos + n <= obtenido.size() &&
                   obtenido.compare(pos + n, std::string::npos, esperado, pos, std::string::npos) ==
                       0) {
            pistas.push_back("Sobra «" + enLinea(obtenido.substr(pos, n)) + "» " + donde +
                             ": el texto debe ser exactamente el del enunciado.");
        }
    }

    // Letras con tilde.
    if (tildeQueFalta(esperado, obtenido, pos)) {
        pistas.push_back("Falta una tilde: el enunciado escribe «" + palabraEn(esperado, pos) +
                         "» y el programa «" + palabraEn(obtenido, pos) +
                         "»; copia las letras con tilde (á, é, í, ó, ú, ñ) tal cual.");
    } else if (tildeQueFalta(obtenido, esperado, pos)) {
        pistas.push_back("Sobra una tilde: el enunciado escribe «" + palabraEn(esperado, pos) +
                         "», sin tilde, y el programa «" + palabraEn(obtenido, pos) +
                         "»; copia el texto tal cual, aunque te parezca una falta.");
    }

    // Bytes que no son UTF-8: un fuente guardado en Latin-1 o Windows-1252.
    std::size_t malo = 0;
    if (utf8Valido(esperado) && !utf8Valido(obtenido, &malo)) {
        const auto c = static_cast<unsigned char>(obtenido[malo]);
        pistas.push_back("La salida tiene bytes que no son UTF-8 (" + hex(c) + ")" +
                         (c >= 0xC0 ? ", como las letras con tilde en Latin-1" : std::string()) +
                         ": guarda el fuente con la codificación UTF-8.");
    }

    // Retornos de carro.
    if (obtenido.find('\r') != std::string::npos && esperado.find('\r') == std::string::npos) {
        pistas.push_back(
            "La salida tiene retornos de carro (\\r): termina las líneas solo con std::endl o "
            "'\\n', sin \"\\r\".");
    }

    // El mismo texto en otro orden.
    std::string a = esperado, b = obtenido;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a == b) {
        if (caso.modo == Modo::Unidas) {
            pistas.push_back(
                "El texto es el esperado pero la salida estándar y la de error llegan en otro "
                "orden: escribe la etiqueta y llama a la función que escribe el error en la "
                "misma instrucción, para que la etiqueta salga antes que el error.");
        } else {
            std::vector<std::string> la = lineasDe(esperado), lb = lineasDe(obtenido);
            std::sort(la.begin(), la.end());
            std::sort(lb.begin(), lb.end());
            if (la == lb) {
                pistas.push_back(
                    "Están todas las líneas esperadas, pero en otro orden: revisa el orden de "
                    "las instrucciones de salida.");
            }
        }
    }
    return pistas;
}

// Sin el fin de línea final, para buscar un mensaje dentro de otro texto.
std::string sinFinDeLinea(std::string t) {
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t;
}

// Texto escrito en el flujo equivocado (solo con las salidas separadas).
std::vector<std::string> pistasDeFlujo(const Caso& caso, const Resultado& r, bool hayInforme) {
    std::vector<std::string> pistas;
    if (caso.modo == Modo::Unidas) return pistas;
    const std::string error = sinFinDeLinea(caso.errores);
    if (!error.empty() && r.errores.find(error) == std::string::npos &&
        r.salida.find(error) != std::string::npos) {
        pistas.push_back("El mensaje «" + error +
                         "» salió por la salida estándar: escríbelo con std::cerr, que es la "
                         "salida de error.");
    }
    const std::string escrito = sinFinDeLinea(r.errores);
    if (!hayInforme && !escrito.empty() && caso.errores.find(escrito) == std::string::npos &&
        caso.salida.find(escrito) != std::string::npos &&
        r.salida.find(escrito) == std::string::npos) {
        pistas.push_back("El texto «" + escrito +
                         "» salió por la salida de error (std::cerr): escríbelo con std::cout, "
                         "que es la salida estándar.");
    }
    return pistas;
}

std::string segundos(std::chrono::milliseconds limite) {
    const long long ms = limite.count();
    if (ms % 1000 == 0) return std::to_string(ms / 1000);
    std::string s = std::to_string(ms / 1000) + "," + std::to_string(ms % 1000 / 100);
    return s;
}

// Pistas de cómo terminó el programa: tiempo, señal, estado, salida excesiva, sanitizadores.
std::vector<std::string> pistasDeTerminacion(const Resultado& r, std::chrono::milliseconds limite,
                                             std::size_t limiteSalida,
                                             const std::vector<Paso>& pasos,
                                             const std::vector<std::string>& informes) {
    std::vector<std::string> pistas;
    if (r.pasoSinAviso >= 0 && static_cast<std::size_t>(r.pasoSinAviso) < pasos.size()) {
        const std::string aviso = enLinea(pasos[static_cast<std::size_t>(r.pasoSinAviso)].aviso);
        if (r.agotado) {
            pistas.push_back("El programa esperó la entrada sin haber mostrado el aviso «" + aviso +
                             "»: ¿falta vaciar la salida (std::endl o std::flush) o se usó "
                             "printf junto con std::cin?");
        } else {
            pistas.push_back("El programa terminó sin escribir el aviso «" + aviso +
                             "»: compara el texto de los avisos con el del enunciado.");
        }
    } else if (r.agotado) {
        pistas.push_back("El programa no terminó en " + segundos(limite) +
                         " s: ¿un bucle o una recursión sin caso base?");
    }
    if (r.salidaExcesiva) {
        pistas.push_back("El programa escribió más de " + std::to_string(limiteSalida) +
                         " bytes y se detuvo: ¿un bucle que no termina, por ejemplo porque una "
                         "lectura fallida deja std::cin en error y el bucle no avanza?");
    }
    if (r.senal != 0 && !r.agotado && !r.salidaExcesiva) {
        switch (r.senal) {
            case SIGSEGV:
            case SIGBUS:
                pistas.push_back(
                    "El programa terminó con una violación de segmento (" +
                    std::string(r.senal == SIGSEGV ? "SIGSEGV" : "SIGBUS") +
                    "): ¿un puntero nulo o que apunta a memoria liberada, o una recursión "
                    "demasiado profunda?");
                break;
            case SIGABRT:
                pistas.push_back(
                    "El programa abortó (SIGABRT): ¿una excepción sin capturar, un assert que "
                    "falló o memoria liberada dos veces?");
                break;
            case SIGFPE:
                pistas.push_back(
                    "El programa terminó con una excepción aritmética (SIGFPE): ¿una división "
                    "entera por cero?");
                break;
            case SIGKILL:
                pistas.push_back(
                    "El programa fue terminado a la fuerza (SIGKILL): ¿se quedó sin memoria?");
                break;
            default:
                pistas.push_back("El programa terminó por la señal " + std::to_string(r.senal) +
                                 " (" + strsignal(r.senal) + ").");
        }
    }
    if (r.senal == 0 && !r.agotado && !r.salidaExcesiva && r.estado != 0 && informes.empty()) {
        pistas.push_back(
            r.estado == 127
                ? "No se pudo ejecutar el programa (estado 127): ¿existe y está compilado?"
                : "El programa terminó con el estado " + std::to_string(r.estado) +
                      " y debe terminar con 0: ¿falta return 0 en main o se llamó a exit con "
                      "otro valor?");
    }
    for (const std::string& informe : informes) pistas.push_back(informe);
    return pistas;
}

std::string entradaVisible(const Caso& caso) {
    std::string resultado;
    if (caso.modo == Modo::Conversacion) {
        resultado += "Conversación (cada respuesta se escribe cuando ya llegó su aviso):\n";
        for (const Paso& paso : caso.pasos) {
            resultado += "    │aviso «" + enLinea(paso.aviso) + "» → respuesta «" +
                         enLinea(paso.respuesta) + "»\n";
        }
        return resultado;
    }
    resultado += "Entrada escrita de una vez:\n";
    return resultado + sangrar(caso.entrada.empty() ? "(vacía)" : recortado(caso.entrada));
}

void agregarPistas(std::vector<std::string>& destino, const std::vector<std::string>& nuevas) {
    for (const std::string& p : nuevas) {
        if (std::find(destino.begin(), destino.end(), p) == destino.end()) destino.push_back(p);
    }
}

std::string conPistas(std::string explicacion, const std::vector<std::string>& pistas) {
    if (!pistas.empty()) {
        explicacion += "Pistas:\n";
        for (const std::string& p : pistas) explicacion += "  - " + p + "\n";
    }
    return explicacion;
}

// Archivo y línea ("nodesearch.cpp:31") de la primera línea de pila que es del programa y
// no de la biblioteca o del propio sanitizador.
std::string lugarEnLaPila(const std::vector<std::string>& lineasInforme, std::size_t desde) {
    const char* ajenos[] = {"libsanitizer", "compiler-rt", "/usr/include", "/usr/lib",
                            "/lib/x86_64",  "sysdeps",     "csu/",         "asan_",
                            "ubsan_",       "lsan_",       "sanitizer_",   "libc.so",
                            "libstdc++"};
    bool vistoMarco = false;
    for (std::size_t i = desde; i < lineasInforme.size(); ++i) {
        const std::string& l = lineasInforme[i];
        const std::size_t primero = l.find_first_not_of(' ');
        if (primero == std::string::npos || l[primero] != '#') {
            if (vistoMarco) break;  // acabó la primera pila del informe
            continue;
        }
        vistoMarco = true;
        bool ajeno = false;
        for (const char* a : ajenos) ajeno = ajeno || l.find(a) != std::string::npos;
        if (ajeno) continue;
        // "#3 0x... in funcion /ruta/archivo.cpp:31:9": archivo y línea, sin la columna.
        std::string lugar = l.substr(l.rfind(' ') + 1);
        const std::size_t barra = lugar.rfind('/');
        if (barra != std::string::npos) lugar = lugar.substr(barra + 1);
        const std::size_t dosPuntos = lugar.find(':');
        if (dosPuntos == std::string::npos || lugar.find('(') != std::string::npos) continue;
        return lugar.substr(0, lugar.find(':', dosPuntos + 1));
    }
    return "";
}

// Qué suele significar cada informe de AddressSanitizer.
std::string significadoAsan(const std::string& tipo, const std::string& linea) {
    if (tipo == "heap-use-after-free") return "se usó memoria ya liberada con delete";
    if (tipo == "heap-buffer-overflow") {
        return "se leyó o escribió fuera de un bloque reservado con new (¿un índice fuera del "
               "arreglo?)";
    }
    if (tipo == "stack-buffer-overflow") {
        return "se leyó o escribió fuera de un arreglo local (¿un índice fuera de rango o una "
               "cadena que no cabe?)";
    }
    if (tipo == "global-buffer-overflow") return "se leyó o escribió fuera de un arreglo global";
    if (tipo == "stack-overflow") return "la recursión agotó la pila";
    if (tipo == "stack-use-after-return" || tipo == "stack-use-after-scope") {
        return "se usó una variable local que ya no existe (¿se devolvió su dirección?)";
    }
    if (tipo == "double-free" || linea.find("double-free") != std::string::npos) {
        return "se liberó dos veces el mismo bloque";
    }
    if (tipo == "alloc-dealloc-mismatch") {
        return "se liberó con delete lo reservado con new[] (o al revés)";
    }
    if (tipo == "new-delete-type-mismatch") return "se liberó con otro tamaño o tipo del reservado";
    if (tipo == "bad-free" || tipo == "attempting") {
        return "se liberó algo que no se había reservado con new";
    }
    if (tipo == "FPE") return "una división entera por cero";
    if (tipo == "SEGV") {
        return linea.find("address 0x000000000000") != std::string::npos
                   ? "se usó un puntero nulo"
                   : "se accedió a una dirección no válida (¿un puntero sin inicializar o a "
                     "memoria liberada?)";
    }
    if (tipo == "out-of-memory" || tipo == "allocation-size-too-big" ||
        linea.find("requested allocation size") != std::string::npos) {
        return "se pidió más memoria de la que hay";
    }
    return "un acceso a memoria no válido";
}

// Qué tipo de error indefinido describe un mensaje de UBSan, y qué suele significar.
std::pair<std::string, std::string> significadoUbsan(const std::string& mensaje) {
    if (mensaje.find("negation of") != std::string::npos) {
        return {"signed-integer-overflow",
                "se negó el int más negativo, cuyo opuesto no cabe en un int"};
    }
    if (mensaje.find("signed integer overflow") != std::string::npos) {
        return {"signed-integer-overflow", "un int se desbordó"};
    }
    if (mensaje.find("division by zero") != std::string::npos) {
        return {"integer-divide-by-zero", "una división entera por cero"};
    }
    if (mensaje.find("out of bounds") != std::string::npos) {
        return {"bounds", "un índice fuera del arreglo"};
    }
    if (mensaje.find("outside the range of representable values") != std::string::npos) {
        return {"float-cast-overflow", "se convirtió un valor que no cabe en el tipo de destino"};
    }
    if (mensaje.find("shift") != std::string::npos) {
        return {"shift", "un desplazamiento de bits fuera de rango"};
    }
    if (mensaje.find("load of value") != std::string::npos) {
        return {"bool/enum", "se leyó un valor no válido (¿una variable sin inicializar?)"};
    }
    if (mensaje.find("null pointer") != std::string::npos) {
        return {"null", "se usó un puntero nulo"};
    }
    if (mensaje.find("misaligned") != std::string::npos) {
        return {"alignment", "un acceso a memoria desalineado"};
    }
    if (mensaje.find("reached the end of a value-returning function") != std::string::npos ||
        mensaje.find("execution reached") != std::string::npos) {
        return {"return", "una función que devuelve un valor terminó sin return"};
    }
    return {"undefined-behavior", "un comportamiento indefinido"};
}

}  // namespace

Opciones opcionesDe(const Ejercicio& ejercicio, const Caso& caso) {
    Opciones opciones;
    opciones.limite = caso.limite;
    opciones.unirSalidas = caso.modo == Modo::Unidas;
    opciones.limiteSalida = limiteSalidaDe(caso);
    if (ejercicio.conservaNodos) {
        const char* actuales = std::getenv("ASAN_OPTIONS");
        const std::string antes =
            actuales != nullptr && *actuales != '\0' ? std::string(actuales) + ":" : "";
        opciones.entorno.push_back("ASAN_OPTIONS=" + antes + "detect_leaks=0");
    }
    // La "cls" del lanzador que no hace nada va primero: ellipsegirth la llama.
    const char* path = std::getenv("PATH");
    opciones.entorno.push_back(std::string("PATH=") + EJ_RAIZ + "/lanzador/mudo:" +
                               (path != nullptr && *path != '\0' ? path : "/usr/bin:/bin"));
    return opciones;
}

Resultado ejecutarCaso(const std::string& ruta, const Ejercicio& ejercicio, const Caso& caso) {
    const Opciones opciones = opcionesDe(ejercicio, caso);
    if (caso.modo == Modo::Conversacion) {
        return conversar(ruta, caso.pasos, opciones, std::min(caso.limite, kEsperaAviso));
    }
    return ejecutar(ruta, caso.entrada, opciones);
}

Veredicto juzgar(const Caso& caso, const Resultado& resultado) {
    Veredicto v;
    const bool unidas = caso.modo == Modo::Unidas;
    const bool salidaBien = resultado.salida == caso.salida;
    const bool erroresBien = unidas || resultado.errores == caso.errores;
    v.correcto = resultado.terminoBien() && resultado.pasoSinAviso < 0 && salidaBien && erroresBien;
    if (v.correcto) return v;

    const std::vector<std::string> informes = resumirSanitizadores(resultado.errores);
    agregarPistas(v.pistas, pistasDeTerminacion(resultado, caso.limite, limiteSalidaDe(caso),
                                                caso.pasos, informes));

    std::string e = entradaVisible(caso);
    if (!salidaBien) {
        e += unidas ? "Salida estándar y de error juntas, en el orden en que llegaron:\n"
                    : "Salida estándar:\n";
        e += compararTextos(caso.salida, resultado.salida);
        agregarPistas(v.pistas, pistasDeTexto(caso, caso.salida, resultado.salida));
    }
    if (!erroresBien) {
        e += "Salida de error:\n" + compararTextos(caso.errores, resultado.errores);
        agregarPistas(v.pistas, pistasDeTexto(caso, caso.errores, resultado.errores));
    }
    agregarPistas(v.pistas, pistasDeFlujo(caso, resultado, !informes.empty()));
    if (salidaBien && erroresBien && v.pistas.empty()) {
        v.pistas.push_back("Las salidas son las esperadas, pero el programa no terminó bien.");
    }
    v.explicacion = conPistas(e, v.pistas);
    return v;
}

Caso casoHostil(const Hostil& hostil) {
    Caso caso{hostil.descripcion, hostil.bytes, ""};
    caso.origen = Origen::Decidido;
    caso.limite = kLimiteHostil;
    return caso;
}

Veredicto juzgarHostil(const Ejercicio& ejercicio, const Caso& caso, const Resultado& resultado) {
    Veredicto v;
    const std::vector<std::string> informes = resumirSanitizadores(resultado.errores);
    const bool empiezaBien =
        resultado.salida.compare(0, ejercicio.primerAviso.size(), ejercicio.primerAviso) == 0;
    v.correcto = resultado.terminoBien() && empiezaBien && informes.empty();
    if (v.correcto) return v;
    agregarPistas(v.pistas,
                  pistasDeTerminacion(resultado, caso.limite, limiteSalidaDe(caso), {}, informes));
    if (!empiezaBien) {
        v.pistas.push_back("La salida no empieza por el primer aviso, «" +
                           enLinea(ejercicio.primerAviso) +
                           "», que se escribe antes de leer nada.");
    }
    std::string e = entradaVisible(caso);
    e += "Salida estándar:\n" + sangrar(recortado(resultado.salida, 2000));
    e += "Salida de error:\n" + sangrar(recortado(resultado.errores, 2000));
    v.explicacion = conPistas(e, v.pistas);
    return v;
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

std::vector<std::string> resumirSanitizadores(const std::string& errores) {
    std::vector<std::string> resumen;
    const std::vector<std::string> ls = lineasDe(errores);
    bool hayInforme = false;
    for (std::size_t i = 0; i < ls.size(); ++i) {
        const std::string& l = ls[i];
        // AddressSanitizer y LeakSanitizer: "==123==ERROR: AddressSanitizer: tipo on ..."
        const std::size_t error = l.find("ERROR: ");
        if (l.rfind("==", 0) == 0 && error != std::string::npos) {
            hayInforme = true;
            std::string resto = l.substr(error + 7);
            const std::size_t dos = resto.find(": ");
            const std::string herramienta = resto.substr(0, dos);
            std::string tipo = dos == std::string::npos ? "" : resto.substr(dos + 2);
            tipo = tipo.substr(0, tipo.find(' '));
            if (herramienta == "LeakSanitizer") {
                // "SUMMARY: AddressSanitizer: 48 byte(s) leaked in 3 allocation(s)."
                std::string bytes = "?", bloques = "?";
                for (const std::string& s : ls) {
                    const std::size_t p = s.find("byte(s) leaked in ");
                    if (s.find("SUMMARY") != std::string::npos && p != std::string::npos) {
                        const std::size_t antes = s.rfind(' ', p - 2);
                        bytes = s.substr(antes + 1, p - antes - 2);
                        const std::size_t q = p + std::strlen("byte(s) leaked in ");
                        bloques = s.substr(q, s.find(' ', q) - q);
                    }
                }
                const std::string lugar = lugarEnLaPila(ls, i + 1);
                resumen.push_back("LeakSanitizer: " + bloques + " bloques sin liberar (" + bytes +
                                  " bytes)" + (lugar.empty() ? "" : ", reservados en " + lugar) +
                                  ": falta un delete");
                continue;
            }
            const std::string lugar = lugarEnLaPila(ls, i + 1);
            resumen.push_back(herramienta + ": " + tipo + (lugar.empty() ? "" : " en " + lugar) +
                              ": " + significadoAsan(tipo, l));
            continue;
        }
        // UBSan: "ruta/archivo.cpp:12:15: runtime error: mensaje"
        const std::size_t runtime = l.find(": runtime error: ");
        if (runtime != std::string::npos) {
            hayInforme = true;
            std::string lugar = l.substr(0, runtime);
            const std::size_t barra = lugar.rfind('/');
            if (barra != std::string::npos) lugar = lugar.substr(barra + 1);
            const std::size_t dosPuntos = lugar.find(':');
            if (dosPuntos != std::string::npos) {
                lugar = lugar.substr(0, lugar.find(':', dosPuntos + 1));
            }
            const auto [tipo, significado] = significadoUbsan(l.substr(runtime + 17));
            resumen.push_back("UBSan: " + tipo + " en " + lugar + ": " + significado);
        }
    }
    if (!hayInforme && (errores.find("Sanitizer") != std::string::npos ||
                        errores.find("runtime error:") != std::string::npos)) {
        resumen.push_back("Hay un informe de un sanitizador en la salida de error: léelo entero.");
    }
    return resumen;
}

}  // namespace arnes

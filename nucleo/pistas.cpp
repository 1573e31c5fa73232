#include "pistas.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "texto.h"

namespace nucleo {

namespace {

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

// Sin los blancos del final.
std::string sinBlancosFinales(std::string t) {
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

// Sin el fin de línea final, para buscar un mensaje dentro de otro texto.
std::string sinFinDeLinea(std::string t) {
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t;
}

bool esLetraODigito(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || std::isalnum(u) != 0;
}

bool esDigito(const std::string& t, std::size_t i) {
    return i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])) != 0;
}

// El fin de un número escrito como lo escribe std::cout ("-2.5", "0.666667", "1e+06", "inf")
// que empiece en i; i si ahí no empieza ninguno.
std::size_t finDeNumero(const std::string& t, std::size_t i) {
    if (i > 0 && (esLetraODigito(t[i - 1]) || t[i - 1] == '.')) return i;
    std::size_t j = i;
    if (j < t.size() && t[j] == '-') ++j;
    if (t.compare(j, 3, "inf") == 0 || t.compare(j, 3, "nan") == 0) {
        return j + 3 < t.size() && esLetraODigito(t[j + 3]) ? i : j + 3;
    }
    if (!esDigito(t, j)) return i;
    while (esDigito(t, j)) ++j;
    if (j < t.size() && t[j] == '.' && esDigito(t, j + 1)) {
        ++j;
        while (esDigito(t, j)) ++j;
    }
    if (j < t.size() && (t[j] == 'e' || t[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
        if (esDigito(t, k)) {
            while (esDigito(t, k)) ++k;
            j = k;
        }
    }
    return j;
}

// El número que contiene la posición pos o que acaba justo en ella: [inicio, fin), o vacío.
std::pair<std::size_t, std::size_t> numeroEn(const std::string& t, std::size_t pos) {
    std::size_t i = t.rfind('\n', pos == 0 ? 0 : pos - 1);
    i = i == std::string::npos || i >= pos ? 0 : i + 1;
    if (pos - i > 1000) i = pos - 1000;  // una línea enorme: basta lo que hay cerca
    while (i <= pos && i < t.size()) {
        const std::size_t fin = finDeNumero(t, i);
        if (fin > i && fin >= pos) return {i, fin};
        i = fin > i ? fin : i + 1;
    }
    return {0, 0};
}

// Cifras significativas de un número escrito ("0.0250" tiene 3; "1e+06", 1).
int cifras(const std::string& numero) {
    int n = 0;
    bool empezado = false;
    for (char c : numero) {
        if (c == 'e' || c == 'E') break;
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) continue;
        empezado = empezado || c != '0';
        if (empezado) ++n;
    }
    return n;
}

// Un valor escrito con un formato de printf, con su precisión.
std::string conFormato(const char* formato, int precision, double valor) {
    char texto[512];
    std::snprintf(texto, sizeof texto, formato, precision, valor);
    return texto;
}

// La pista de un número distinto en la primera diferencia, o vacía si la diferencia no está
// dentro de un número.
std::string pistaDeNumero(const std::string& esperado, const std::string& obtenido,
                          std::size_t pos) {
    const auto [ie, fe] = numeroEn(esperado, pos);
    const auto [io, fo] = numeroEn(obtenido, pos);
    // Los dos números empiezan en el mismo sitio, la diferencia está dentro de alguno de ellos
    // y tras los dos sigue lo mismo (si no, es otro texto: "2,5" no es el número 2).
    if (fe == 0 || fo == 0 || ie != io || (fe == pos && fo == pos)) return "";
    if ((fe < esperado.size() ? esperado[fe] : '\n') !=
        (fo < obtenido.size() ? obtenido[fo] : '\n')) {
        return "";
    }
    const std::string e = esperado.substr(ie, fe - ie), o = obtenido.substr(io, fo - io);
    const double ve = std::strtod(e.c_str(), nullptr), vo = std::strtod(o.c_str(), nullptr);
    const std::string base = "Se esperaba el número " + e + " y salió " + o;
    const bool entero = o.find_first_of(".eEin") == std::string::npos;

    // El decimal perdido: lo obtenido es lo esperado truncado hacia cero.
    if (entero && std::isfinite(ve) && ve != std::trunc(ve) && vo == std::trunc(ve)) {
        return base +
               ": ¿una división entera (int / int) o el resultado guardado en un int? El decimal "
               "se perdió.";
    }
    // El mismo valor con otro formato: lo obtenido, escrito como std::cout escribe un double
    // (6 cifras significativas), es lo esperado.
    if (std::signbit(ve) == std::signbit(vo) && conFormato("%.*g", 6, vo) == e) {
        if (entero && e.find('e') != std::string::npos) {
            return base +
                   ": es el mismo valor escrito de otra forma; ¿se guardó en un entero en lugar "
                   "de un double? std::cout escribe un double con 6 cifras significativas como "
                   "mucho, y con exponente si no le bastan.";
        }
        return base +
               ": es el mismo valor escrito de otra forma; ¿un std::fixed o un std::setprecision "
               "que no pide el enunciado? Sin ellos, std::cout escribe un double con 6 cifras "
               "significativas como mucho.";
    }
    // Lo esperado redondeado a menos cifras.
    if (std::isfinite(ve) && cifras(o) < cifras(e)) {
        bool redondeado = entero && conFormato("%.*f", 0, std::round(ve)) == o;
        for (int k = 1; k <= 6 && !redondeado; ++k) {
            redondeado = conFormato("%.*g", k, ve) == o || conFormato("%.*f", k - 1, ve) == o;
        }
        if (redondeado) {
            return base +
                   ", que es el mismo redondeado a menos cifras: ¿un std::setprecision, un "
                   "std::fixed o un std::round que no pide el enunciado?";
        }
    }
    // Casi iguales, más allá de las 7 cifras que guarda un float.
    if (std::isfinite(ve) && ve != vo && cifras(e) >= 8 && cifras(o) >= 8 &&
        std::fabs(ve - vo) <= 1e-6 * std::fabs(ve)) {
        return base +
               ": coinciden en las primeras cifras, hasta donde llega la precisión de un float "
               "(unas 7): ¿se calculó con float en lugar de double?";
    }
    return base + ".";
}

// La frase desde la posición i hasta el final de su línea, sin el punto final, acortada.
std::string frase(const std::string& t, std::size_t i) {
    std::size_t fin = t.find('\n', i);
    if (fin == std::string::npos) fin = t.size();
    while (fin > i && (t[fin - 1] == '.' || t[fin - 1] == ' ')) --fin;
    if (fin - i > 60) {
        fin = t.rfind(' ', i + 60);
        if (fin == std::string::npos || fin <= i) fin = i + 60;
        while (fin > i && esContinuacion(static_cast<unsigned char>(t[fin]))) --fin;
        return t.substr(i, fin - i) + "…";
    }
    return t.substr(i, fin - i);
}

// Si `largo` es `corto` con una negación («no », «NO ») de más cerca de pos, dónde está.
std::size_t negacionDeMas(const std::string& largo, const std::string& corto, std::size_t pos) {
    for (const char* palabra : {"no ", "NO "}) {
        for (std::size_t i = pos >= 3 ? pos - 3 : 0; i <= pos && i + 3 <= largo.size(); ++i) {
            if (largo.compare(i, 3, palabra) == 0 && (i == 0 || !esLetraODigito(largo[i - 1])) &&
                largo.size() == corto.size() + 3 && largo.compare(0, i, corto, 0, i) == 0 &&
                largo.compare(i + 3, std::string::npos, corto, i, std::string::npos) == 0) {
                return i;
            }
        }
    }
    return std::string::npos;
}

}  // namespace

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

    // La respuesta contraria: el mismo texto con una negación de más o de menos.
    if (pistas.empty()) {
        const bool sobra = obtenido.size() > esperado.size();
        const std::string& largo = sobra ? obtenido : esperado;
        const std::string& corto = sobra ? esperado : obtenido;
        const std::size_t no = negacionDeMas(largo, corto, pos);
        if (no != std::string::npos) {
            const std::string negada = frase(largo, no), afirmada = frase(corto, no);
            pistas.push_back("El programa responde lo contrario de lo esperado («" +
                             (sobra ? negada : afirmada) + "» en vez de «" +
                             (sobra ? afirmada : negada) +
                             "»): revisa la condición o los índices de la comparación.");
        }
    }

    // Un número distinto: cuál se esperaba y cuál salió, y la causa si se ve cuál es.
    if (pistas.empty()) {
        const std::string numero = pistaDeNumero(esperado, obtenido, pos);
        if (!numero.empty()) pistas.push_back(numero);
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

std::string trasLosAvisos(const std::string& salida, const std::vector<Paso>& pasos,
                          std::size_t paso) {
    // Como los busca la conversación: cada aviso, detrás del anterior.
    std::size_t desde = 0;
    for (std::size_t i = 0; i < paso && i < pasos.size(); ++i) {
        const std::size_t en = salida.find(pasos[i].aviso, desde);
        if (en == std::string::npos) break;
        desde = en + pasos[i].aviso.size();
    }
    return salida.substr(desde);
}

// Un aviso que no llegó a tiempo: sin vaciar la salida o con otro texto. Lo que sigue al paso
// anterior puede llevar detrás lo que el programa escribió después (tras la respuesta): solo
// se compara su principio con el aviso.
std::vector<std::string> pistasDeAviso(const std::string& aviso,
                                       const std::string& salidaTrasElPasoAnterior,
                                       bool llegoDespues) {
    const std::string& escrito = salidaTrasElPasoAnterior;
    const std::string causas =
        "suele deberse a un std::cin.tie(nullptr), a un std::ios::sync_with_stdio(false) (que "
        "separa std::cout de printf) o a leer con scanf tras escribir con std::cout: vacía la "
        "salida con std::flush después del aviso.";
    if (llegoDespues || (!aviso.empty() && escrito.find(aviso) != std::string::npos)) {
        return {"El programa esperó la entrada sin haber mostrado el aviso «" + enLinea(aviso) +
                "», que salió después: la salida no se vació antes de leer, y eso " + causas};
    }
    if (escrito.empty()) {
        return {"El programa esperó la entrada sin haber mostrado el aviso «" + enLinea(aviso) +
                "»: ¿no lo escribe, o no vació la salida antes de leer? Lo segundo " + causas};
    }

    // Qué tiene de distinto lo que escribió en su lugar, y cuánto de lo escrito ocupa su sitio.
    // Detrás puede venir cualquier cosa: solo cuenta que siga el resto del aviso.
    const std::size_t pos = inicioDeLaDiferencia(aviso, escrito.substr(0, aviso.size() + 3));
    const std::size_t resto = pos < aviso.size() ? aviso.size() - pos : 0;
    auto sobran = [&]() -> std::size_t {
        for (std::size_t n = 1; n <= 3 && resto > 0; ++n) {
            if (pos + n <= escrito.size() &&
                escrito.compare(pos + n, resto, aviso, pos, resto) == 0) {
                return n;
            }
        }
        return 0;
    };
    auto faltan = [&]() -> std::size_t {
        for (std::size_t n = 1; n <= 3 && n <= resto; ++n) {
            if (escrito.compare(pos, resto - n, aviso, pos + n, resto - n) == 0) return n;
        }
        return 0;
    };
    const std::string sinBlancos = sinBlancosFinales(aviso);
    const std::size_t deMas = sobran();
    // Lo que sobra justo antes de los blancos finales: solo si no es texto ("base:: "); si lo
    // es, suele ser lo que el programa escribió después de un aviso sin su blanco final.
    bool sobraAntesDelBlanco = deMas > 0;
    for (std::size_t k = 0; k < deMas && pos >= sinBlancos.size(); ++k) {
        sobraAntesDelBlanco = sobraAntesDelBlanco && !esLetraODigito(escrito[pos + k]);
    }
    std::string detalle;
    std::size_t largo = std::min(escrito.size(), aviso.size());
    if (tildeQueFalta(aviso, escrito, pos)) {
        largo = aviso.size() - 1;
        detalle = "falta la tilde de «" + palabraEn(aviso, pos) + "» (el programa escribe «" +
                  palabraEn(escrito, pos) + "»)";
    } else if (tildeQueFalta(escrito, aviso, pos)) {
        largo = aviso.size() + 1;
        detalle = "sobra la tilde de «" + palabraEn(escrito, pos) + "»: el enunciado escribe «" +
                  palabraEn(aviso, pos) + "», sin tilde";
    } else if (sobraAntesDelBlanco) {
        largo = aviso.size() + deMas;
        detalle = deMas == 1 && escrito[pos] == ' '
                      ? "sobra un espacio en blanco"
                      : "sobra «" + enLinea(escrito.substr(pos, deMas)) + "»";
    } else if (sinBlancos.size() < aviso.size() && pos >= sinBlancos.size() &&
               (pos == escrito.size() || escrito[pos] != ' ')) {
        largo = sinBlancos.size();
        detalle = aviso.size() - sinBlancos.size() == 1
                      ? "falta el espacio en blanco del final, tras el que va la respuesta"
                      : "faltan los espacios en blanco del final";
    } else if (const std::size_t deMenos = faltan(); deMenos > 0) {
        largo = aviso.size() - deMenos;
        detalle = deMenos == 1 && aviso[pos] == ' '
                      ? "falta un espacio en blanco"
                      : "falta «" + enLinea(aviso.substr(pos, deMenos)) + "»";
    } else if (pos == escrito.size()) {
        detalle = "falta «" + enLinea(aviso.substr(pos)) + "» al final";
    } else {
        detalle = "el enunciado sigue con «" + enLinea(aviso.substr(pos)) +
                  "» y el programa con «" + enLinea(escrito.substr(pos, largo - pos)) + "»";
    }
    largo = std::min(largo, escrito.size());
    while (largo < escrito.size() && esContinuacion(static_cast<unsigned char>(escrito[largo]))) {
        ++largo;
    }
    return {"En lugar del aviso «" + enLinea(aviso) + "» el programa escribió «" +
            enLinea(escrito.substr(0, largo)) + "»: " + detalle +
            ". Copia el aviso tal cual del enunciado, con sus blancos y tildes."};
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
        const std::size_t paso = static_cast<std::size_t>(r.pasoSinAviso);
        const std::string& aviso = pasos[paso].aviso;
        // Lo que siguió al aviso anterior: el aviso que llegó tarde, otro texto o, si no hay
        // nada y el programa no se quedó esperando, nada porque terminó.
        const std::string escrito = trasLosAvisos(r.salida, pasos, paso);
        const bool llegoDespues = !aviso.empty() && escrito.find(aviso) != std::string::npos;
        if (r.agotado || llegoDespues || !escrito.empty()) {
            for (const std::string& p : pistasDeAviso(aviso, escrito, llegoDespues)) {
                pistas.push_back(p);
            }
        } else {
            pistas.push_back("El programa terminó sin escribir el aviso «" + enLinea(aviso) +
                             "»: compara el texto de los avisos con el del enunciado.");
        }
    } else if (r.agotadoParado) {
        // Sin la cifra de lo gastado, que cambia de una vez a otra: el mismo fallo en varios
        // casos se dice una vez.
        pistas.push_back(
            "El programa se quedó parado sin terminar, casi sin gastar CPU: ¿espera algo que no "
            "llega, como una pausa o una tecla?");
    } else if (r.agotado) {
        pistas.push_back("El programa no terminó en " + segundos(limite) +
                         " s: ¿un bucle o una recursión sin caso base?");
    }
    if (r.salidaExcesiva) {
        pistas.push_back("El programa escribió más de " + std::to_string(limiteSalida) +
                         " bytes y se detuvo: ¿un bucle que no termina, por ejemplo porque una "
                         "lectura fallida deja std::cin en error y el bucle no avanza?");
    }
    if (r.memoriaExcedida) {
        pistas.push_back(
            "El programa y lo que lanzó pasaron del límite de memoria y se detuvo: ¿reserva sin "
            "parar en un bucle, o una recursión que no termina?");
    }
    if (r.senal != 0 && !r.agotado && !r.salidaExcesiva && !r.memoriaExcedida) {
        // En Windows, la señal equivalente a su excepción; se nombra la excepción.
        const std::string nombre = nombreDeSenal(r);
        switch (r.senal) {
            case SIGSEGV:
#ifdef SIGBUS
            case SIGBUS:
#endif
                pistas.push_back(
                    "El programa terminó con una violación de segmento (" + nombre +
                    "): ¿un puntero nulo o que apunta a memoria liberada, o una recursión "
                    "demasiado profunda?");
                break;
            case SIGABRT:
                pistas.push_back("El programa abortó (" + nombre +
                                 "): ¿una excepción sin capturar, un assert que falló o memoria "
                                 "liberada dos veces?");
                break;
            case SIGFPE:
                pistas.push_back("El programa terminó con una excepción aritmética (" + nombre +
                                 "): ¿una división entera por cero?");
                break;
#ifdef SIGKILL
            case SIGKILL:
                pistas.push_back("El programa fue terminado a la fuerza (" + nombre +
                                 "): ¿se quedó sin memoria?");
                break;
#endif
            default:
                pistas.push_back("El programa terminó por la señal " + std::to_string(r.senal) +
                                 " (" + nombre + ").");
        }
    }
    if (r.senal == 0 && !r.agotado && !r.salidaExcesiva && !r.memoriaExcedida && r.estado != 0 &&
        informes.empty()) {
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

}  // namespace nucleo

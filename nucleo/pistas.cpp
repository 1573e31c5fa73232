#include "pistas.h"

#include <algorithm>
#include <cctype>
#include <csignal>
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

// Sin el fin de línea final, para buscar un mensaje dentro de otro texto.
std::string sinFinDeLinea(std::string t) {
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t;
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

}  // namespace nucleo

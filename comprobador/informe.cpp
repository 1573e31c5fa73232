#include "informe.h"

#include <algorithm>
#include <cstring>

#include "texto.h"

namespace comprobador {

namespace {

// Cada línea del compilador que se muestra, cortada a unos cuantos bytes.
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

std::string conFinDeLinea(std::string texto) {
    if (!texto.empty() && texto.back() != '\n') texto += "\n";
    return texto;
}

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

// Lo que se explica de una comprobación que no pasó, y sus pistas: las del juez si se hizo; si
// no, por qué no se hizo.
std::string explicacionDe(const Comprobacion& c) {
    switch (c.estado) {
        case Estado::NoEjecutada:
            return "No se pudo ejecutar: " + c.causa + ".\n";
        case Estado::ErrorPropio:
            return "El comprobador no pudo hacerla: " + c.causa + ".\n";
        default:
            return c.evidencia.explicacion.empty() ? conFinDeLinea(c.causa)
                                                   : c.evidencia.explicacion;
    }
}

std::vector<std::string> pistasDe(const Comprobacion& c) {
    if (c.estado == Estado::NoEjecutada || c.estado == Estado::ErrorPropio)
        return {nucleo::lineasDe(explicacionDe(c)).front()};
    return c.evidencia.pistas;
}

// Un caso en que el programa no escribió nada de lo que se esperaba, y terminó sin más: ni
// reventó, ni se pasó de tiempo, ni escribió errores.
bool noEscribioNada(const Comprobacion& c) {
    if (c.estado != Estado::Fallo || (c.tipo != Tipo::Caso && c.tipo != Tipo::Sorteo) ||
        !c.evidencia.obtenido.empty())
        return false;
    const std::string& e = c.evidencia.explicacion;
    if (e.find("(el programa no escribió esa línea)") == std::string::npos) return false;
    for (const char* otra :
         {"Salida de error", "Terminó", "Sanitizer", "señal", "(SIG", "no terminó"}) {
        if (e.find(otra) != std::string::npos) return false;
        for (const std::string& p : c.evidencia.pistas)
            if (p.find(otra) != std::string::npos) return false;
    }
    return true;
}

// Lo esperado y lo obtenido: los de la evidencia, o los de las líneas «Esperado: …» y
// «Obtenido: …» de la explicación (la de una llamada a una función).
std::pair<std::string, std::string> esperadoYObtenido(const Comprobacion& c) {
    if (!c.evidencia.esperado.empty() || !c.evidencia.obtenido.empty())
        return {c.evidencia.esperado, c.evidencia.obtenido};
    std::pair<std::string, std::string> r;
    for (const std::string& l : nucleo::lineasDe(c.evidencia.explicacion)) {
        const std::size_t inicio = l.find_first_not_of(' ');
        if (inicio == std::string::npos) continue;
        if (r.first.empty() && l.compare(inicio, 10, "Esperado: ") == 0)
            r.first = l.substr(inicio + 10);
        if (r.second.empty() && l.compare(inicio, 10, "Obtenido: ") == 0)
            r.second = l.substr(inicio + 10);
    }
    return r;
}

// Lo que cambia entre lo esperado y lo obtenido, sin lo que tienen igual al principio y al
// final: «⏎» frente a «» si solo falta el último fin de línea.
std::pair<std::string, std::string> cambio(const Comprobacion& c) {
    const auto [a, b] = esperadoYObtenido(c);
    std::size_t inicio = 0;
    while (inicio < a.size() && inicio < b.size() && a[inicio] == b[inicio]) ++inicio;
    std::size_t fin = 0;
    while (fin < a.size() - inicio && fin < b.size() - inicio &&
           a[a.size() - 1 - fin] == b[b.size() - 1 - fin])
        ++fin;
    return {a.substr(inicio, a.size() - inicio - fin), b.substr(inicio, b.size() - inicio - fin)};
}

// Un cambio solo de blancos y fines de línea (también los que el informe dibuja: «⏎», «·»).
bool soloBlancos(const std::pair<std::string, std::string>& c) {
    if (c.first.empty() && c.second.empty()) return false;
    for (std::string t : {c.first, c.second}) {
        for (const char* dibujo : {"⏎", "·", "(sin fin de línea)"}) {
            for (std::size_t p = t.find(dibujo); p != std::string::npos; p = t.find(dibujo))
                t.erase(p, std::string(dibujo).size());
        }
        if (t.find_first_not_of(" \n\t\r") != std::string::npos) return false;
    }
    return true;
}

// De la misma clase: los casos y las entradas sorteadas comparan salidas; las demás, consigo.
bool mismaClase(const Comprobacion& a, const Comprobacion& b) {
    const auto salida = [](Tipo t) { return t == Tipo::Caso || t == Tipo::Sorteo; };
    return a.tipo == b.tipo || (salida(a.tipo) && salida(b.tipo));
}

// Dos comprobaciones fallan igual si en las dos el programa no escribió nada, si dan lo mismo
// salvo la entrada, o si son de la misma clase y cambian lo mismo, con las mismas pistas o solo
// en blancos (el mismo error con otros datos: el fin de línea que falta en todas), o les falta
// el final con las mismas pistas.
bool mismoFallo(const Comprobacion& a, const Comprobacion& b) {
    if (noEscribioNada(a) && noEscribioNada(b)) return true;
    if (a.estado != Estado::Fallo || b.estado != Estado::Fallo) {
        return pistasDe(a) == pistasDe(b) &&
               sinEntrada(explicacionDe(a)) == sinEntrada(explicacionDe(b));
    }
    if (pistasDe(a) == pistasDe(b) && sinEntrada(explicacionDe(a)) == sinEntrada(explicacionDe(b)))
        return true;
    if (!mismaClase(a, b)) return false;
    const auto ca = cambio(a);
    const auto cb = cambio(b);
    const bool mismasPistas = pistasDe(a) == pistasDe(b) && !pistasDe(a).empty();
    // Con las mismas pistas, también si en los dos falta el final sin que sobre nada (un
    // programa que no terminó y escribió solo el principio).
    if (mismasPistas && ca.second.empty() && cb.second.empty() && !ca.first.empty() &&
        !cb.first.empty())
        return true;
    return ca == cb && (mismasPistas || soloBlancos(ca));
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

using Lista = std::vector<const Comprobacion*>;

template <class F>
Lista elegir(const Revision& r, F quiere) {
    Lista l;
    for (const Comprobacion& c : r.comprobaciones) {
        if (quiere(c)) l.push_back(&c);
    }
    return l;
}

// Las que cuentan: un fallo que se repite en otras (con otra entrada) se explica en la primera;
// las demás solo se nombran detrás de ella.
void escribirQueCuentan(std::ostream& os, const Lista& lista, const Estilo& estilo) {
    std::vector<std::vector<std::string>> iguales(lista.size());
    std::vector<bool> repetido(lista.size(), false);
    for (std::size_t i = 0; i < lista.size(); ++i) {
        if (lista[i]->paso()) continue;
        for (std::size_t j = 0; j < i; ++j) {
            if (!lista[j]->paso() && !repetido[j] && mismoFallo(*lista[j], *lista[i])) {
                iguales[j].push_back(lista[i]->frase);
                repetido[i] = true;
                break;
            }
        }
    }
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const Comprobacion& c = *lista[i];
        if (repetido[i]) continue;
        const std::string frase = lineaSegura(c.frase);
        if (c.paso()) {
            os << "  " << estilo.bien("✓") << " " << frase << "\n";
            continue;
        }
        // Lo que decide una persona: ni pasa ni falla, y no cuenta.
        const bool revisar = c.estado == Estado::ParaRevisar;
        os << "  " << (revisar ? estilo.aviso("?") : estilo.mal("✗")) << " " << frase
           << (revisar ? " (para revisar: no cuenta)" : "") << "\n"
           << nucleo::sangrar(textoSeguro(explicacionDe(c)), "      ");
        if (!iguales[i].empty()) {
            os << "  " << estilo.mal("✗") << " " << enumerar(iguales[i]) << ": el mismo fallo que «"
               << frase << "»\n";
        }
    }
}

// Lo que decidió la colección no se exige: una línea para los casos en que el programa hace lo
// mismo que ella y, de los otros, lo que hace ella. Mientras falle algo de lo que cuenta, esos
// otros solo se cuentan: casi siempre fallan por lo mismo, que ya está explicado arriba.
void escribirDecisiones(std::ostream& os, const Lista& lista, bool hayFallos,
                        const Estilo& estilo) {
    const std::size_t iguales = static_cast<std::size_t>(
        std::count_if(lista.begin(), lista.end(), [](const Comprobacion* c) { return c->paso(); }));
    const std::size_t otros = lista.size() - iguales;
    const std::string de = " de " + std::to_string(lista.size());
    if (iguales > 0)
        os << "  " << estilo.bien("✓") << " "
           << (otros == 0 ? "en todos (" + std::to_string(iguales) + ")"
                          : "en " + std::to_string(iguales) + de)
           << " tu programa hace lo mismo que la colección\n";
    if (hayFallos && otros > 0) {
        os << "  " << estilo.tenue("–") << " en " << otros << (iguales > 0 ? "" : de)
           << " hace otra cosa: se verán aquí cuando pase lo que cuenta\n";
        return;
    }
    for (const Comprobacion* c : lista) {
        if (c->paso()) continue;
        std::string texto = c->estado == Estado::Paso || c->estado == Estado::Fallo
                                ? c->evidencia.explicacion
                                : explicacionDe(*c);
        // De una comprobación de funciones, si se cumple y, si no, por qué.
        if (c->tipo == Tipo::Funcion && (c->paso() || c->estado == Estado::Fallo))
            texto = c->paso() ? "se cumple" : "no se cumple: " + c->causa;
        while (!texto.empty() && texto.back() == '\n') texto.pop_back();
        os << "  " << estilo.tenue("–") << " " << lineaSegura(c->frase) << ": "
           << textoSeguro(texto) << "\n";
    }
}

// Un hallazgo sin su " en archivo:línea": una pila agotada revienta en una línea u otra según
// la ejecución, y el informe debe ser el mismo cada vez.
std::string sinLugar(std::string texto) {
    const std::size_t en = texto.find(" en ");
    const std::size_t fin = en == std::string::npos ? en : texto.find(": ", en);
    if (fin != std::string::npos) texto.erase(en, fin - en);
    return texto;
}

// La preparación que impide todo lo demás (leer la entrega, compilarla), si falló.
const Comprobacion* preparacionFallida(const Revision& r) {
    for (const char* id : {"lectura", "compilacion"}) {
        const Comprobacion* c = r.buscar(id);
        if (c != nullptr && !c->paso()) return c;
    }
    return nullptr;
}

}  // namespace

namespace {

// Los bytes de la letra UTF-8 (o del color ANSI, que no ocupa columnas) que empieza en `i`.
std::size_t largoDeLetra(const std::string& t, std::size_t i, bool& visible) {
    visible = true;
    if (t[i] == '\033' && i + 1 < t.size() && t[i + 1] == '[') {
        std::size_t j = i + 2;
        while (j < t.size() && !(t[j] >= '@' && t[j] <= '~')) ++j;
        visible = false;
        return std::min(j + 1, t.size()) - i;
    }
    std::size_t j = i + 1;
    while (j < t.size() && (static_cast<unsigned char>(t[j]) & 0xC0) == 0x80) ++j;
    return j - i;
}

std::string envolverLinea(const std::string& linea, std::size_t columnas) {
    // El margen de lo que sigue: la sangría y, si la hay, la marca de la línea y su blanco.
    std::size_t sangria = linea.find_first_not_of(' ');
    if (sangria == std::string::npos) return linea;
    std::size_t margen = sangria;
    // La marca puede ir pintada: sin los colores, una letra y un blanco.
    std::string visibles;
    for (std::size_t i = sangria; i < linea.size() && visibles.size() < 8;) {
        bool visible = false;
        const std::size_t n = largoDeLetra(linea, i, visible);
        if (visible) visibles.append(linea, i, n);
        i += n;
    }
    for (const char* marca : {"✓ ", "✗ ", "– ", "- ", "⚠ ", "? "}) {
        if (visibles.compare(0, std::strlen(marca), marca) == 0) margen = sangria + 2;
    }
    if (margen * 2 >= columnas) margen = 0;
    std::string r, trozo;
    std::size_t ancho = 0, corte = std::string::npos, anchoAlCorte = 0;
    bool primera = true;
    for (std::size_t i = 0; i < linea.size();) {
        bool visible = false;
        const std::size_t n = largoDeLetra(linea, i, visible);
        if (visible && ancho + 1 > columnas) {
            // No cabe: se parte en el último blanco del trozo (si no es su sangría), o aquí.
            std::string resto;
            const std::size_t minimo = primera ? sangria : margen;
            if (corte != std::string::npos && anchoAlCorte > minimo) {
                resto = trozo.substr(corte + 1);
                trozo.erase(corte);
            }
            r += trozo + "\n";
            primera = false;
            trozo = std::string(margen, ' ') + resto;
            ancho = margen;
            for (std::size_t k = margen; k < trozo.size();) {
                bool v = false;
                k += largoDeLetra(trozo, k, v);
                if (v) ++ancho;
            }
            corte = std::string::npos;
            continue;
        }
        if (linea[i] == ' ') {
            corte = trozo.size();
            anchoAlCorte = ancho;
        }
        trozo.append(linea, i, n);
        if (visible) ++ancho;
        i += n;
    }
    return r + trozo;
}

}  // namespace

std::string envolver(const std::string& texto, std::size_t columnas) {
    if (columnas == 0) return texto;
    std::string r;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        std::size_t fin = texto.find('\n', inicio);
        const bool conFin = fin != std::string::npos;
        if (!conFin) fin = texto.size();
        r += envolverLinea(texto.substr(inicio, fin - inicio), columnas);
        if (conFin) r += "\n";
        inicio = fin + 1;
    }
    return r;
}

std::string escaparMarcado(const std::string& texto, const char* apostrofo) {
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
                r += apostrofo;
                break;
            default:
                r += c;
        }
    }
    return r;
}

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

std::string salidaDelCompilador(const std::string& salida) {
    const std::vector<std::string> lineas = nucleo::lineasDe(salida);
    std::string r;
    for (std::size_t i = 0; i < lineas.size() && i < kLineasDelCompilador; ++i) {
        r += cortada(textoSeguro(lineas[i]), kBytesPorLinea) + "\n";
    }
    if (lineas.size() > kLineasDelCompilador) {
        r += "… " + plural(lineas.size() - kLineasDelCompilador, "línea más", "líneas más") + "\n";
    }
    return r;
}

// Las pistas de lo que dijo el compilador, antes de su texto: «Lo más probable:» y una por línea.
std::string pistasDelCompilador(const std::vector<std::string>& pistas) {
    if (pistas.empty()) return "";
    std::string r = "Lo más probable:\n";
    for (const std::string& p : pistas) r += "  - " + textoSeguro(p) + "\n";
    return r;
}

std::vector<std::string> hallazgos(const Revision& revision) {
    struct Grupo_ {
        std::string clase, que, entradas;
    };
    std::vector<Grupo_> grupos;
    for (const Comprobacion& c : revision.comprobaciones) {
        if (c.tipo != Tipo::Robustez || c.estado != Estado::Fallo) continue;
        const std::string clase = sinLugar(c.causa);
        const std::string entrada = "«" + c.frase + "»";
        auto g = std::find_if(grupos.begin(), grupos.end(),
                              [&](const Grupo_& x) { return x.clase == clase; });
        if (g == grupos.end()) {
            grupos.push_back({clase, c.causa, entrada});
        } else {
            g->entradas += ", " + entrada;
        }
    }
    std::vector<std::string> r;
    for (const Grupo_& g : grupos) r.push_back("Con la entrada " + g.entradas + ": " + g.que);
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
    const std::string total = std::to_string(revision.correctos()) + " de " +
                              std::to_string(revision.total()) + " comprobaciones correctas";
    if (!revision.errorPropio.empty()) {
        os << estilo.mal("✗ No se pudo comprobar:") << " " << lineaSegura(revision.errorPropio)
           << "\n";
        return;
    }
    if (const Comprobacion* fallo = preparacionFallida(revision)) {
        if (fallo->id == "compilacion" && fallo->estado == Estado::Fallo) {
            os << estilo.mal("✗ No compila.");
            if (!fallo->causa.empty()) os << " " << textoSeguro(fallo->causa);
            os << (fallo->evidencia.pistas.empty() ? " " : "\n")
               << pistasDelCompilador(fallo->evidencia.pistas) << "Lo que dice el compilador:\n"
               << salidaDelCompilador(fallo->evidencia.obtenido);
        } else {
            os << estilo.mal("✗ " + lineaSegura(fallo->causa)) << "\n";
        }
        os << "\n" << estilo.mal(total) << "\n";
        return;
    }
    // Un main vacío (o el punto de partida sin tocar): una línea, no un fallo por caso.
    const Lista salidas = elegir(revision, [](const Comprobacion& c) {
        return (c.tipo == Tipo::Caso || c.tipo == Tipo::Sorteo) && c.grupo == Grupo::Ejercicio;
    });
    if (!salidas.empty() && std::all_of(salidas.begin(), salidas.end(),
                                        [](const Comprobacion* c) { return noEscribioNada(*c); })) {
        os << estilo.mal(
                  "✗ Tu programa no escribe nada en ningún caso: ¿está main todavía "
                  "vacío? Empieza por lo que pide el enunciado.")
           << "\n\n"
           << estilo.mal(total) << "\n";
        return;
    }
    // El veredicto primero, con lo primero que falla.
    const auto primero =
        std::find_if(revision.comprobaciones.begin(), revision.comprobaciones.end(),
                     [](const Comprobacion& c) { return c.cuenta() && !c.paso(); });
    if (primero == revision.comprobaciones.end()) {
        os << estilo.bien("✓ " + total + ".") << "\n";
    } else {
        const std::vector<std::string>& pistas = primero->evidencia.pistas;
        const std::string por =
            primero->estado == Estado::Fallo && !pistas.empty() ? pistas.front() : primero->causa;
        os << estilo.mal("✗ " + total + ".") << " Lo primero que falla: «"
           << lineaSegura(primero->frase) << "»" << (por.empty() ? "" : ": " + lineaSegura(por))
           << "\n";
    }
    if (const Comprobacion* c = revision.buscar("compilacion");
        c != nullptr && !c->evidencia.obtenido.empty()) {
        os << estilo.aviso("Avisos del compilador") << " (no impiden la comprobación, pero "
           << "conviene corregirlos):\n"
           << pistasDelCompilador(c->evidencia.pistas)
           << salidaDelCompilador(c->evidencia.obtenido);
    }
    const auto cuenta = [](Tipo t) {
        return [t](const Comprobacion& c) { return c.tipo == t && c.grupo == Grupo::Ejercicio; };
    };
    os << "\n" << estilo.titulo("Casos del ejercicio") << "\n";
    escribirQueCuentan(os,
                       elegir(revision,
                              [](const Comprobacion& c) {
                                  return (c.tipo == Tipo::Caso || c.tipo == Tipo::Sorteo) &&
                                         c.grupo == Grupo::Ejercicio;
                              }),
                       estilo);

    const Lista funciones = elegir(revision, cuenta(Tipo::Funcion));
    const Comprobacion* compilacionFunciones = revision.buscar("compilacion-funciones");
    const bool sinCompilar =
        compilacionFunciones != nullptr && compilacionFunciones->estado == Estado::Fallo;
    if (!funciones.empty() || sinCompilar) {
        os << "\n" << estilo.titulo("Funciones del ejercicio") << "\n";
        if (sinCompilar) {
            os << "  Las comprobaciones de funciones no compilan con tu solución:\n";
            for (const std::string& p : compilacionFunciones->evidencia.pistas)
                os << "    " << textoSeguro(p) << "\n";
        }
        escribirQueCuentan(os, funciones, estilo);
    }
    const Lista tecnica = elegir(revision, [](const Comprobacion& c) {
        return c.tipo == Tipo::Tecnica && c.grupo == Grupo::Ejercicio;
    });
    const Comprobacion* sinAnalizar = revision.buscar("tecnica");
    if (!tecnica.empty() || sinAnalizar != nullptr) {
        os << "\n" << estilo.titulo("La técnica del ejercicio") << "\n";
        if (sinAnalizar != nullptr)
            os << "  " << estilo.tenue("–") << " " << textoSeguro(sinAnalizar->causa) << "\n";
        escribirQueCuentan(os, tecnica, estilo);
    }

    const Lista decisiones =
        elegir(revision, [](const Comprobacion& c) { return c.grupo == Grupo::Decision; });
    // Mientras falla algo que cuenta, lo que decidió la colección no se muestra si el programa
    // no hace en ninguno lo mismo que ella: casi siempre es por el fallo de arriba.
    const bool ningunaIgual = std::none_of(decisiones.begin(), decisiones.end(),
                                           [](const Comprobacion* c) { return c->paso(); });
    if (!decisiones.empty() && !(ningunaIgual && !revision.aprobada())) {
        os << "\n"
           << estilo.titulo("Decisiones de la colección")
           << " (el ejercicio no pide nada en estos casos: no cuentan)\n";
        escribirDecisiones(os, decisiones, !revision.aprobada(), estilo);
    }

    const Lista robustez =
        elegir(revision, [](const Comprobacion& c) { return c.tipo == Tipo::Robustez; });
    if (!robustez.empty()) {
        os << "\n"
           << estilo.titulo("Robustez")
           << " (entradas hostiles con AddressSanitizer y UBSan; no cuenta)\n";
        const std::vector<std::string> encontrados = hallazgos(revision);
        if (robustez.front()->estado == Estado::NoEjecutada) {
            os << "  " << estilo.tenue("–")
               << " no se probó: " << textoSeguro(robustez.front()->causa) << "\n";
        } else if (encontrados.empty()) {
            os << "  " << estilo.bien("✓")
               << " ningún fallo, cuelgue ni informe de los sanitizadores\n";
        }
        for (const std::string& h : encontrados)
            os << "  " << estilo.aviso("⚠") << " " << lineaSegura(h) << "\n";
    }
    os << "\n" << (revision.aprobada() ? estilo.bien(total) : estilo.mal(total)) << "\n";
}

void escribirResumen(std::ostream& os, const std::vector<Revision>& revisiones,
                     const Estilo& estilo) {
    // La columna «Aislada» solo sale si alguna entrega se comprobó sin aislamiento.
    const bool conAislada = std::any_of(revisiones.begin(), revisiones.end(),
                                        [](const Revision& r) { return !r.aislada; });
    auto robustezDe = [](const Revision& r) -> std::string {
        if (!r.compila()) return "-";
        const std::size_t n = hallazgos(r).size();
        return n == 0 ? "sin hallazgos" : plural(n, "hallazgo", "hallazgos");
    };
    auto casosDe = [](const Revision& r) -> std::string {
        if (const Comprobacion* f = preparacionFallida(r))
            return f->id == "compilacion" ? "no compila" : lineaSegura(f->causa);
        return std::to_string(r.correctos()) + "/" + std::to_string(r.total());
    };
    // La columna de los casos mide once (lo que ocupa «no compila» y un blanco), o más si hace
    // falta.
    std::size_t ancho = nucleo::ancho("Entrega");
    std::size_t anchoCasos = 11;
    std::size_t anchoRobustez = nucleo::ancho("Robustez");
    for (const Revision& r : revisiones) {
        ancho = std::max(ancho, nucleo::ancho(lineaSegura(r.entrega.nombre)));
        anchoCasos = std::max(anchoCasos, nucleo::ancho(casosDe(r)) + 1);
        anchoRobustez = std::max(anchoRobustez, nucleo::ancho(robustezDe(r)));
    }
    auto celda = [](const std::string& t, std::size_t a) {
        return t + std::string(a - nucleo::ancho(t) + 2, ' ');
    };
    auto columna = [](const std::string& t, std::size_t a) {
        return t + std::string(a - nucleo::ancho(t), ' ');
    };
    os << estilo.titulo(celda("Entrega", ancho) + columna("Casos", anchoCasos) +
                        (conAislada ? celda("Robustez", anchoRobustez) + "Aislada" : "Robustez"))
       << "\n";
    int correctas = 0;
    for (const Revision& r : revisiones) {
        const std::string casos = columna(casosDe(r), anchoCasos);
        const std::string robustez = robustezDe(r);
        os << celda(lineaSegura(r.entrega.nombre), ancho)
           << (r.aprobada() ? estilo.bien(casos) : estilo.mal(casos))
           << (conAislada ? celda(robustez, anchoRobustez) + (r.aislada ? "sí" : "no") : robustez)
           << "\n";
        correctas += r.aprobada();
    }
    os << correctas << " de " << revisiones.size() << " entregas correctas\n";
}

}  // namespace comprobador

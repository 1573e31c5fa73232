#include "funciones.h"

#include <sys/wait.h>

#include <algorithm>
#include <optional>

#include "aislamiento.h"
#include "catalogo.h"
#include "ejecucion.h"
#include "orquesta.h"
#include "paralelo.h"
#include "pistas.h"
#include "sanitizadores.h"
#include "texto.h"

namespace comprobador {

namespace {

using nucleo::Llamada;

// La CPU de una sonda entera: cien veces lo que gastan todas las llamadas en una solución
// correcta.
const std::chrono::milliseconds kLimiteSonda{2000};
// Lo que puede escribir por la salida de error antes de que se la pare.
const std::size_t kLimiteSalida = 1 << 20;

// Una llamada de la revisión: de qué comprobación es y si se sorteó.
struct Pregunta {
    std::size_t comprobacion;
    Llamada llamada;
    bool sorteada = false;
};

// Por qué una sonda no respondió todo o no terminó bien, en los términos del alumno.
std::string loQuePaso(const nucleo::Sondeo& s) {
    const nucleo::Resultado& p = s.proceso;
    std::string r;
    for (const std::string& l : nucleo::resumirSanitizadores(p.errores))
        r += "Con AddressSanitizer y UBSan: " + l + "\n";
    if (!s.rechazo.empty()) {
        r += "No se pudo empezar: " + s.rechazo + ".\n";
    } else if (p.agotado) {
        r += "No terminó en " + nucleo::segundos(kLimiteSonda) +
             " s: ¿un bucle o una recursión sin caso base?\n";
    } else if (p.salidaExcesiva) {
        r += "Escribió más de " + std::to_string(kLimiteSalida) + " bytes y se detuvo.\n";
    } else if (p.memoriaExcedida) {
        r += "Pasó del límite de memoria y se detuvo: ¿reserva sin parar, o una recursión que no "
             "termina?\n";
    } else if (!r.empty()) {
    } else if (p.senal != 0) {
        r += "Terminó con la señal " + std::to_string(p.senal) + " (" + nucleo::nombreDeSenal(p) +
             ").\n";
    } else if (p.estado != 0) {
        r += "Terminó con el estado " + std::to_string(p.estado) +
             " sin acabar las llamadas: ¿un exit dentro de una función?\n";
    } else if (s.repetidas) {
        r += "Llegaron dos respuestas para la misma llamada: algo más escribió en la salida "
             "de la sonda.\n";
    } else {
        r += "Terminó sin acabar las llamadas: ¿un exit dentro de una función?\n";
    }
    return r;
}

// Cómo terminó una llamada que no terminó bien (su estado de wait) y lo que dijeron los
// sanitizadores por su salida de error.
std::string comoMurio(int estado, const std::string& errores) {
    std::string r;
    for (const std::string& l : nucleo::resumirSanitizadores(errores))
        r += "Con AddressSanitizer y UBSan: " + l + "\n";
    if (!r.empty()) return r;
    if (estado >= 0 && WIFSIGNALED(estado)) {
        nucleo::Resultado p;
        p.senal = WTERMSIG(estado);
        return "Terminó con la señal " + std::to_string(p.senal) + " (" + nucleo::nombreDeSenal(p) +
               ").\n";
    }
    if (estado >= 0 && WIFEXITED(estado) && WEXITSTATUS(estado) != 0)
        return "Terminó con el estado " + std::to_string(WEXITSTATUS(estado)) +
               " dentro de la llamada: ¿un exit en la función?\n";
    return "Terminó dentro de la llamada sin volver de ella: ¿un exit en la función?\n";
}

// El final de un texto escrito que acaba en salto de línea, como lo muestra la sonda.
const std::string kSaltoAlFinal = "⏎»";

// `texto` sin lo que dice si una línea escrita se vació, y con un salto de línea menos al final
// de cada texto escrito («...⏎» queda «...»), si `sinSalto`.
std::string sinFinDeLinea(std::string texto, bool sinSalto) {
    for (const std::string marca : {", vaciado", ", sin vaciar"}) {
        for (std::size_t p; (p = texto.find(marca)) != std::string::npos;)
            texto.erase(p, marca.size());
    }
    for (std::size_t p = 0; sinSalto && (p = texto.find(kSaltoAlFinal, p)) != std::string::npos;) {
        texto.replace(p, kSaltoAlFinal.size(), "»");
        ++p;
    }
    return texto;
}

// Una pista para lo observado distinto, cuando se sabe decir en los términos del enunciado: lo
// distinto es solo eso (una firma, el final de una línea escrita), y la pista general de la
// comprobación no viene al caso. "" si no se sabe.
std::string pistaDe(const Llamada& llamada, const std::string& esperado,
                    const std::string& obtenido) {
    if (llamada.operacion.rfind("firma ", 0) == 0) {
        return llamada.operacion.substr(6) + " tiene otra firma: pide " + esperado +
               ", tu código declara " + obtenido + ".";
    }
    const bool esperaVaciado = esperado.find(", vaciado") != std::string::npos;
    const bool esperaSinVaciar = esperado.find(", sin vaciar") != std::string::npos;
    // Todo igual salvo el salto de línea del final de lo que escribe.
    if (esperado.find(kSaltoAlFinal) != std::string::npos &&
        sinFinDeLinea(esperado, true) == sinFinDeLinea(obtenido, false)) {
        return std::string(
                   "Falta el salto de línea al final de lo que escribe: el enunciado "
                   "termina esa línea ") +
               (esperaSinVaciar ? "con '\\n'"
                : esperaVaciado ? "con std::endl"
                                : "con '\\n' o con std::endl") +
               ".";
    }
    if (obtenido.find(kSaltoAlFinal) != std::string::npos &&
        sinFinDeLinea(esperado, false) == sinFinDeLinea(obtenido, true)) {
        return "Sobra un salto de línea al final de lo que escribe: hay un std::endl (o un "
               "'\\n') de más.";
    }
    if (esperaSinVaciar && obtenido.find(", vaciado") != std::string::npos) {
        return "La línea acaba vaciando la salida (std::endl, o un flush): el enunciado la "
               "termina con '\\n', que no la vacía.";
    }
    if (esperaVaciado && obtenido.find(", sin vaciar") != std::string::npos) {
        return "La línea acaba con '\\n' sin vaciar la salida: el enunciado la termina con "
               "std::endl.";
    }
    return "";
}

Comprobacion prevista(const nucleo::ComprobacionDeFunciones& f) {
    Comprobacion c;
    c.id = "funcion/" + f.id;
    c.frase = f.frase;
    c.grupo = f.origen == nucleo::Origen::Enunciado ? Grupo::Ejercicio : Grupo::Decision;
    c.tipo = Tipo::Funcion;
    return c;
}

}  // namespace

std::vector<Comprobacion> funcionesPrevistas(const nucleo::Ejercicio& ejercicio) {
    std::vector<Comprobacion> r;
    for (const nucleo::ComprobacionDeFunciones& f : ejercicio.funciones) r.push_back(prevista(f));
    return r;
}

std::vector<Comprobacion> comprobarFunciones(const nucleo::Ejercicio& ejercicio,
                                             std::uint64_t semilla, const Sondeador& alumno,
                                             const Sondeador& modelo) {
    const std::vector<nucleo::ComprobacionDeFunciones>& tabla = ejercicio.funciones;
    // Las llamadas de la tabla y las sorteadas, comprobación a comprobación.
    std::vector<Pregunta> preguntas;
    nucleo::Azar azar(semilla ^ 0x9E3779B97F4A7C15ULL);
    for (std::size_t i = 0; i < tabla.size(); ++i) {
        for (const Llamada& l : tabla[i].llamadas) preguntas.push_back({i, l});
        if (tabla[i].sorteo) {
            for (const Llamada& l : tabla[i].sorteo(azar)) preguntas.push_back({i, l, true});
        }
    }
    // Lo esperado de las sorteadas, de la respuesta modelo.
    std::vector<std::size_t> sorteadas;
    std::vector<Llamada> alModelo;
    std::vector<std::size_t> gruposDelModelo;
    for (std::size_t k = 0; k < preguntas.size(); ++k) {
        if (!preguntas[k].sorteada) continue;
        sorteadas.push_back(k);
        alModelo.push_back(preguntas[k].llamada);
        gruposDelModelo.push_back(preguntas[k].comprobacion);
    }
    if (!alModelo.empty()) {
        const nucleo::Sondeo m = modelo(alModelo, gruposDelModelo);
        if (!m.bien()) {
            throw ErrorDelComprobador("La sonda de la respuesta modelo de " + ejercicio.programa +
                                      " no respondió: " + nucleo::lineasDe(loQuePaso(m)).front());
        }
        for (std::size_t j = 0; j < sorteadas.size(); ++j) {
            const std::string& esperado = *m.observado[j];
            if (esperado.rfind("la sonda no tiene", 0) == 0 ||
                esperado.find("argumento no válido") != std::string::npos) {
                throw ErrorDelComprobador("La sonda de " + ejercicio.programa + " no sabe hacer " +
                                          nucleo::muestraDe(alModelo[j]) + ": " + esperado);
            }
            preguntas[sorteadas[j]].llamada.esperado = esperado;
        }
    }

    // La sonda de la entrega, hasta que todo lo que queda se responda en una que termine bien.
    std::vector<std::optional<std::string>> obtenido(preguntas.size());
    std::vector<std::string> reventon(tabla.size());  // lo que pasó donde se paró
    std::vector<std::size_t> reventonEn(tabla.size());
    std::vector<bool> pendiente(tabla.size(), true);
    std::vector<std::chrono::milliseconds> tiempo(tabla.size());
    for (;;) {
        std::vector<std::size_t> lote;
        for (std::size_t k = 0; k < preguntas.size(); ++k) {
            if (pendiente[preguntas[k].comprobacion]) lote.push_back(k);
        }
        if (lote.empty()) break;
        std::vector<Llamada> llamadas;
        std::vector<std::size_t> grupos;
        for (std::size_t k : lote) {
            llamadas.push_back(preguntas[k].llamada);
            grupos.push_back(preguntas[k].comprobacion);
        }
        const auto inicio = std::chrono::steady_clock::now();
        const nucleo::Sondeo s = alumno(llamadas, grupos);
        const auto gastado = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - inicio);
        if (s.bien()) {
            for (std::size_t j = 0; j < lote.size(); ++j) {
                const std::size_t c = preguntas[lote[j]].comprobacion;
                obtenido[lote[j]] = s.observado[j];
                pendiente[c] = false;
                tiempo[c] = gastado;
                // Una llamada que no volvió: su comprobación falla con lo que pasó en ella.
                if (j < s.murio.size() && s.murio[j] && reventon[c].empty()) {
                    reventon[c] = comoMurio(*s.murio[j], j < s.errores.size() ? s.errores[j] : "");
                    reventonEn[c] = lote[j];
                }
            }
            break;
        }
        if (!s.rechazo.empty()) {
            // No empezó: ninguna se hizo, y por lo mismo.
            for (std::size_t k : lote) {
                const std::size_t c = preguntas[k].comprobacion;
                if (!pendiente[c]) continue;
                pendiente[c] = false;
                reventon[c] = loQuePaso(s);
                reventonEn[c] = k;
            }
            break;
        }
        // Se paró: la comprobación de la primera llamada sin respuesta falla con lo que pasó, y
        // las demás se preguntan otra vez (nada de esta sonda se da por bueno).
        std::size_t j = 0;
        while (j < lote.size() && s.observado[j]) ++j;
        if (j == lote.size()) j = 0;
        const std::size_t c = preguntas[lote[j]].comprobacion;
        reventon[c] = loQuePaso(s);
        reventonEn[c] = lote[j];
        pendiente[c] = false;
        tiempo[c] = gastado;
    }

    std::vector<Comprobacion> r;
    for (std::size_t i = 0; i < tabla.size(); ++i) {
        Comprobacion c = prevista(tabla[i]);
        c.tiempo = tiempo[i];
        c.estado = Estado::Paso;
        std::size_t distintas = 0;
        std::optional<std::size_t> primera;
        if (!reventon[i].empty()) {
            primera = reventonEn[i];
            c.estado = Estado::Fallo;
        } else {
            for (std::size_t k = 0; k < preguntas.size(); ++k) {
                if (preguntas[k].comprobacion != i || obtenido[k] == preguntas[k].llamada.esperado)
                    continue;
                ++distintas;
                if (!primera) primera = k;
                c.estado = Estado::Fallo;
            }
        }
        if (c.estado == Estado::Fallo) {
            const Pregunta& p = preguntas[*primera];
            Evidencia& e = c.evidencia;
            e.entrada = nucleo::muestraDe(p.llamada);
            e.esperado = p.llamada.esperado;
            e.obtenido = reventon[i].empty() ? obtenido[*primera].value_or("") : "";
            e.explicacion =
                "Llamada: " + e.entrada +
                (p.sorteada ? " (sorteada: se repite con --semilla " + std::to_string(semilla) + ")"
                            : "") +
                "\n";
            const bool revento = !reventon[i].empty();
            bool exacta = false;  // una pista que dice justo lo distinto
            if (revento) {
                e.explicacion += nucleo::sangrar(reventon[i], "  ");
                e.pistas.push_back(nucleo::lineasDe(reventon[i]).front());
            } else {
                e.explicacion += "  Esperado: " + e.esperado + "\n  Obtenido: " + e.obtenido + "\n";
                if (distintas > 1) {
                    e.explicacion +=
                        "Y " + std::to_string(distintas - 1) +
                        (distintas == 2 ? " llamada más no da" : " llamadas más no dan") +
                        " lo esperado.\n";
                }
                const std::string pista = pistaDe(p.llamada, e.esperado, e.obtenido);
                exacta = !pista.empty();
                if (exacta) e.pistas.push_back(pista);
            }
            if (!tabla[i].pista.empty() && !exacta) e.pistas.push_back(tabla[i].pista);
            // Lo que ya dice la explicación (lo que pasó al reventar) no se repite como pista.
            if (e.pistas.size() > (revento ? 1u : 0u)) {
                e.explicacion += "Pistas:\n";
                for (std::size_t k = revento ? 1 : 0; k < e.pistas.size(); ++k)
                    e.explicacion += "  - " + e.pistas[k] + "\n";
            }
            c.causa = e.pistas.empty() ? "no da lo esperado con " + e.entrada : e.pistas.front();
        }
        r.push_back(std::move(c));
    }
    return r;
}

std::vector<Comprobacion> comprobarFunciones(const nucleo::Ejercicio& ejercicio,
                                             const Entorno& entorno) {
    const Sondeador alumno = [&](const std::vector<Llamada>& llamadas,
                                 const std::vector<std::size_t>& grupos) {
        nucleo::Opciones o;
        o.entorno = {"ASAN_OPTIONS=detect_leaks=0:halt_on_error=1",
                     "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"};
        o.limiteCpu = kLimiteSonda;
        o.limite = kLimiteSonda * 2 + std::chrono::seconds(1);
        o.limiteSalida = kLimiteSalida;
        o.directorio = entorno.temporal;
        o.limiteMemoria = kMemoriaVigilada;
        // En su propio aislamiento, no en la lanzadera de la entrega: ahí la sonda se queda sola
        // (mata lo que la solución deje en marcha) y nada de otra ejecución la alcanza.
        nucleo::Aislamiento propio;
        if (entorno.aislar) {
            propio = *entorno.aislamiento(true);
            propio.lanzadera = nullptr;
            o.aislamiento = &propio;
            o.poner(std::string("TMPDIR=") + nucleo::kCarpetaEjecucion);
        }
        Ranura ranura;
        const nucleo::Sondeo s = nucleo::sondear(entorno.dentro("funciones"), llamadas, o, grupos);
        siLaMaquinaNoDa(s.proceso);
        return s;
    };
    const Sondeador modelo = [&](const std::vector<Llamada>& llamadas,
                                 const std::vector<std::size_t>& grupos) {
        nucleo::Opciones o;
        o.limite = std::chrono::seconds(30);
        return nucleo::sondear(nucleo::rutaSonda(ejercicio.programa), llamadas, o, grupos);
    };
    return comprobarFunciones(ejercicio, entorno.semilla, alumno, modelo);
}

}  // namespace comprobador

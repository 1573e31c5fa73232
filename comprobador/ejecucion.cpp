#include "ejecucion.h"

#include <algorithm>
#include <atomic>

#include "juez.h"
#include "paralelo.h"

namespace comprobador {

namespace {

using nucleo::Opciones;
using nucleo::Resultado;
using std::chrono::milliseconds;

// Un caso más lento que esto (fibcalc 46) solo se ejecuta con la compilación normal.
const milliseconds kCasoLento{10000};
// Límite de un caso de la tabla: de sobra para una solución correcta, que tarda milisegundos.
const milliseconds kLimiteCaso{5000};
// Un caso que decidió la colección no se exige: si no termina enseguida, no hay más que ver.
const milliseconds kLimiteDecidido{250};

// Lo que dicen los sanitizadores, sin las fugas (que se cuentan aparte).
std::vector<std::string> informesSinFugas(const std::string& errores) {
    std::vector<std::string> r;
    for (const std::string& l : nucleo::resumirSanitizadores(errores)) {
        if (l.find("LeakSanitizer") == std::string::npos) r.push_back(l);
    }
    return r;
}

std::string explicarFugas(const nucleo::Ejercicio& ejercicio, int bloques,
                          const std::string& errores) {
    std::string texto =
        "Quedan " + std::to_string(bloques) + " bloques de memoria sin liberar al terminar";
    if (ejercicio.nodosConservados > 0) {
        texto += " (el ejercicio solo conserva " + std::to_string(ejercicio.nodosConservados) +
                 " nodos: el que se quita se libera con delete)";
    } else {
        texto += ": el ejercicio libera todo lo que reserva (¿falta un delete?)";
    }
    texto += ".\n";
    for (const std::string& l : nucleo::resumirSanitizadores(errores)) {
        if (l.find("LeakSanitizer") != std::string::npos) texto += l + "\n";
    }
    return texto;
}

// Lo que hace la colección en un caso que el ejercicio deja abierto: su última línea.
std::string loQueDecidio(const nucleo::Caso& caso) {
    std::string entrada = caso.entrada;
    for (const nucleo::Paso& p : caso.pasos) entrada += p.respuesta;
    std::string texto = caso.errores.empty() ? caso.salida : caso.errores;
    while (!texto.empty() && texto.back() == '\n') texto.pop_back();
    texto = texto.substr(texto.rfind('\n') + 1);
    const std::string con =
        entrada.empty() ? "sin entrada" : "con «" + nucleo::enLinea(entrada) + "»";
    return con + " la colección escribe «" + texto + "»";
}

}  // namespace

Opciones opcionesAlumno(const nucleo::Ejercicio& ejercicio, const nucleo::Caso& caso,
                        milliseconds limite, bool vigilado, bool fugas, const Entorno& entorno) {
    Opciones o = nucleo::opcionesDe(ejercicio, caso);
    o.limite = limite;
    o.limiteSalida = kLimiteSalida;
    // El programa del alumno trabaja en la carpeta temporal, donde está compilado: lo que
    // escriba allí se borra con ella.
    o.directorio = entorno.temporal;
    o.aislamiento = entorno.aislamiento(vigilado);
    // Sin las pilas como raíces, LeakSanitizer ve también los nodos a los que solo apuntaba
    // una variable de main que ya no existe.
    o.poner(std::string("ASAN_OPTIONS=detect_leaks=") + (fugas ? "1" : "0") +
            ":halt_on_error=1:detect_stack_use_after_return=0");
    o.poner("LSAN_OPTIONS=use_stacks=0:use_registers=0:exitcode=23");
    o.poner("UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1");
    return o;
}

void ejecutarCasos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                   bool conSanitizadores, Revision& revision) {
    const std::string normal = entorno.dentro("normal");
    const std::string vigilado = entorno.dentro("vigilado");
    const size_t n = ejercicio.casos.size();
    revision.casos.assign(n, Linea{});
    std::atomic<int> agotados{0};
    enParalelo(n, [&](size_t i) {
        const nucleo::Caso& caso = ejercicio.casos[i];
        Linea& linea = revision.casos[i];
        linea.nombre = caso.descripcion;
        linea.origen = caso.origen;
        if (agotados >= 2 && caso.origen == nucleo::Origen::Enunciado) {
            linea.explicacion = "No se ejecutó: el programa ya agotó el tiempo en dos casos.\n";
            return;
        }
        // Lo que decidió la colección no se exige: con el límite corto de las entradas hostiles.
        const bool pedido = caso.origen == nucleo::Origen::Enunciado;
        const bool lento = caso.limite > kCasoLento;
        milliseconds limite = lento    ? caso.limite
                              : pedido ? std::min(caso.limite, kLimiteCaso)
                                       : std::min(caso.limite, kLimiteDecidido);
        nucleo::Caso juzgado = caso;
        juzgado.limite = limite;
        Resultado r = nucleo::ejecutarCaso(
            normal, caso, opcionesAlumno(ejercicio, caso, limite, false, false, entorno));
        if (pedido && r.agotado && r.pasoSinAviso < 0) ++agotados;
        nucleo::Veredicto v = nucleo::juzgar(juzgado, r);
        linea.correcto = v.correcto;
        linea.explicacion = pedido ? v.explicacion : loQueDecidio(caso);
        if (pedido && !v.correcto && r.senal != 0 && conSanitizadores) {
            // Un programa que revienta: los sanitizadores dicen dónde y por qué.
            Resultado s = nucleo::ejecutarCaso(
                vigilado, caso, opcionesAlumno(ejercicio, caso, kLimiteCaso, true, false, entorno));
            for (const std::string& l : informesSinFugas(s.errores)) {
                linea.explicacion += "Con AddressSanitizer y UBSan: " + l + "\n";
            }
        }
        if (!v.correcto || lento || !conSanitizadores) return;

        // La misma entrada con AddressSanitizer, UBSan y LeakSanitizer.
        const bool fugas = ejercicio.nodosConservados != nucleo::kTodosLosNodos;
        Resultado s = nucleo::ejecutarCaso(
            vigilado, caso, opcionesAlumno(ejercicio, caso, kLimiteCaso * 2, true, fugas, entorno));
        std::vector<std::string> informes = informesSinFugas(s.errores);
        int bloques = nucleo::bloquesSinLiberar(s.errores);
        if (!informes.empty()) {
            linea.correcto = false;
            linea.explicacion = "Con AddressSanitizer y UBSan el programa falla:\n";
            for (const std::string& l : informes) linea.explicacion += "  " + l + "\n";
        } else if (fugas && bloques > ejercicio.nodosConservados) {
            linea.correcto = false;
            linea.explicacion = explicarFugas(ejercicio, bloques, s.errores);
        }
    });
}

}  // namespace comprobador

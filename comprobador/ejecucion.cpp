#include "ejecucion.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "catalogo.h"
#include "juez.h"
#include "orquesta.h"
#include "paralelo.h"
#include "texto.h"

namespace comprobador {

namespace {

using nucleo::Opciones;
using nucleo::Resultado;
using std::chrono::milliseconds;

// Un caso que declara un límite mayor que este (fibcalc 46) es lento a propósito.
const milliseconds kCasoLento{10000};
// El límite de un caso lento a propósito. El de su tabla vale para todas las compilaciones de
// la colección, también con sanitizadores y sin optimizar; aquí se ejecuta compilado con -O2,
// donde la respuesta modelo gasta 1,5 s en fibcalc 46: diez veces eso, y un bucle no hace
// esperar al alumno un minuto.
const milliseconds kLimiteLento{15000};
// Un caso que gasta más CPU que esto con la compilación normal no se repite con sanitizadores.
// Es mucho más de lo que gasta la respuesta modelo en cualquier caso que no se declare lento, y
// la CPU no depende de la carga de la máquina: solo se dejan las soluciones lentas de verdad.
const milliseconds kCasoPesado{1000};
// Límite de un caso de la tabla: la respuesta modelo tarda milisegundos en cada uno (salvo los
// que declaran en su tabla un límite mayor, como fibcalc 46, que tarda 1,5 s compilado con
// -O2), así que dos segundos son cien veces su tiempo o más.
const milliseconds kLimiteCaso{2000};
// Un caso que decidió la colección no se exige: si no termina enseguida, no hay más que ver.
const milliseconds kLimiteDecidido{250};

milliseconds limiteDe(const nucleo::Caso& caso) {
    if (caso.limite > kCasoLento) return std::min(caso.limite, kLimiteLento);
    return std::min(caso.limite,
                    caso.origen == nucleo::Origen::Enunciado ? kLimiteCaso : kLimiteDecidido);
}

// « con la entrada «…»», para decir qué entrada provocó un informe.
std::string entradaDelCaso(const nucleo::Caso& caso) {
    std::string entrada = caso.entrada;
    for (const nucleo::Paso& p : caso.pasos) entrada += p.respuesta;
    return entrada.empty() ? " sin entrada" : " con la entrada «" + nucleo::enLinea(entrada) + "»";
}

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

// La entrada de un caso, toda junta (en una conversación, sus respuestas).
std::string entradaDe(const nucleo::Caso& caso) {
    std::string entrada = caso.entrada;
    for (const nucleo::Paso& p : caso.pasos) entrada += p.respuesta;
    return entrada;
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

void siLaMaquinaNoDa(const nucleo::Resultado& r) {
    if (r.maquinaCargada) {
        throw ErrorDelComprobador(
            "La máquina está tan cargada que un programa no avanzaba: vuelve a comprobar cuando "
            "tenga menos trabajo.");
    }
}

Opciones opcionesAlumno(const nucleo::Ejercicio& ejercicio, const nucleo::Caso& caso,
                        milliseconds limite, bool vigilado, bool fugas, const Entorno& entorno) {
    Opciones o = nucleo::opcionesDe(ejercicio, caso);
    // El límite es de CPU, la misma vara con la máquina libre o cargada; el de tiempo real solo
    // para al que se queda parado.
    o.limiteCpu = limite;
    o.limite = nucleo::topeParado(limite);
    // El programa del alumno trabaja en la carpeta temporal, donde está compilado: lo que
    // escriba allí se borra con ella.
    o.directorio = entorno.temporal;
    o.aislamiento = entorno.aislamiento(vigilado);
    o.limiteMemoria = vigilado ? kMemoriaVigilada : kMemoria;
    // Sin las pilas como raíces, LeakSanitizer ve también los nodos a los que solo apuntaba
    // una variable de main que ya no existe.
    o.poner(std::string("ASAN_OPTIONS=detect_leaks=") + (fugas ? "1" : "0") +
            ":halt_on_error=1:detect_stack_use_after_return=0");
    o.poner("LSAN_OPTIONS=use_stacks=0:use_registers=0:exitcode=23");
    o.poner("UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1");
    return o;
}

std::vector<Comprobacion> casosPrevistos(const nucleo::Ejercicio& ejercicio) {
    std::vector<Comprobacion> r;
    for (const nucleo::Caso& caso : ejercicio.casos) {
        Comprobacion c;
        c.id = "caso/" + caso.descripcion;
        c.frase = caso.descripcion;
        c.grupo = caso.origen == nucleo::Origen::Enunciado ? Grupo::Ejercicio : Grupo::Decision;
        c.tipo = Tipo::Caso;
        r.push_back(std::move(c));
    }
    return r;
}

std::vector<Comprobacion> ejecutarCasos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                                        bool conSanitizadores) {
    const std::string normal = entorno.dentro("normal");
    const std::string vigilado = entorno.dentro("vigilado");
    const std::size_t n = ejercicio.casos.size();
    std::vector<Comprobacion> comprobaciones = casosPrevistos(ejercicio);
    // Cada caso con su propio límite: un bucle en uno no cuesta los demás. Los que pueden tardar
    // más empiezan primero.
    std::vector<std::size_t> orden(n);
    for (std::size_t i = 0; i < n; ++i) orden[i] = i;
    std::stable_sort(orden.begin(), orden.end(), [&](std::size_t a, std::size_t b) {
        return limiteDe(ejercicio.casos[a]) > limiteDe(ejercicio.casos[b]);
    });
    enParalelo(n, [&](std::size_t k) {
        const std::size_t i = orden[k];
        const nucleo::Caso& caso = ejercicio.casos[i];
        Comprobacion& c = comprobaciones[i];
        const bool pedido = caso.origen == nucleo::Origen::Enunciado;
        const milliseconds limite = limiteDe(caso);
        nucleo::Caso juzgado = caso;
        juzgado.limite = limite;
        Opciones o = opcionesAlumno(ejercicio, caso, limite, false, false, entorno);
        // Las llamadas a cls las cuenta el guardián del programa, fuera de su alcance.
        o.contarCls = ejercicio.llamadasACls > 0;
        const auto inicio = std::chrono::steady_clock::now();
        // Una conversación pasa casi todo su tiempo esperando (cada aviso, y la pausa que prueba
        // que el programa espera la respuesta): no ocupa una plaza de proceso pesado.
        const bool ligero = caso.modo == nucleo::Modo::Conversacion;
        std::optional<Ranura> ranura;
        if (!ligero) ranura.emplace();
        const Resultado r = nucleo::ejecutarCaso(normal, caso, o);
        ranura.reset();
        c.tiempo =
            std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - inicio);
        nucleo::Veredicto v = nucleo::juzgar(juzgado, r);
        siLaMaquinaNoDa(r);
        if (v.correcto && o.contarCls && entorno.aislar) {
            const int veces = r.llamadasCls;
            if (veces < 0)
                throw ErrorDelComprobador("No se pudieron contar las llamadas a cls de " +
                                          ejercicio.programa + ".");
            if (veces != ejercicio.llamadasACls) {
                v.correcto = false;
                v.pistas = {"El programa llamó " + std::to_string(veces) +
                            (veces == 1 ? " vez" : " veces") +
                            " a system(\"cls\"), y el ejercicio lo llama " +
                            std::to_string(ejercicio.llamadasACls) +
                            (ejercicio.llamadasACls == 1 ? " vez" : " veces") + "."};
                v.explicacion = "Las salidas son las esperadas, pero:\n  - " + v.pistas[0] + "\n";
            }
        }
        c.estado = v.correcto ? Estado::Paso : Estado::Fallo;
        c.evidencia.entrada = entradaDe(caso);
        c.evidencia.esperado = caso.salida;
        c.evidencia.obtenido = r.salida;
        c.evidencia.pistas = v.pistas;
        c.evidencia.explicacion = pedido ? v.explicacion : loQueDecidio(caso);
        if (!v.pistas.empty()) c.causa = v.pistas.front();
        // Un caso que falla se repite con los sanitizadores: si el programa revienta, dicen dónde
        // y por qué, y si solo da otro resultado, quizá es porque lee fuera de un arreglo (y
        // entonces eso es lo primero que hay que arreglar). Uno que se mató por tiempo o por
        // salida no se repite: ahí no hay nada que decir.
        const bool repetir = !r.agotado && !r.salidaExcesiva;
        if (pedido && !v.correcto && repetir && conSanitizadores) {
            Ranura otra;
            const Resultado s = nucleo::ejecutarCaso(
                vigilado, caso, opcionesAlumno(ejercicio, caso, kLimiteCaso, true, false, entorno));
            const std::vector<std::string> informes = informesSinFugas(s.errores);
            for (const std::string& l : informes) {
                c.evidencia.explicacion += "Con AddressSanitizer y UBSan: " + l + "\n";
            }
            if (!informes.empty() && r.senal == 0) {
                c.evidencia.pistas.insert(c.evidencia.pistas.begin(), informes.front());
                c.causa = informes.front();
            }
        }
        // Un caso que ya tarda (una recursión larga a propósito) no se repite con los
        // sanitizadores, que lo harían diez veces más lento: ahí no hay memoria que vigilar. Uno
        // que decidió la colección tampoco: no cuenta, y las entradas raras ya las prueba la
        // robustez con los sanitizadores.
        if (!pedido || !v.correcto || !conSanitizadores) return;
        const milliseconds gasto = r.cpu.count() >= 0 ? r.cpu : c.tiempo;
        if (caso.limite > kCasoLento || gasto > kCasoPesado) return;

        // La misma entrada con AddressSanitizer, UBSan y LeakSanitizer.
        const bool fugas = ejercicio.nodosConservados != nucleo::kTodosLosNodos;
        std::optional<Ranura> otra;
        if (!ligero) otra.emplace();
        const Resultado s = nucleo::ejecutarCaso(
            vigilado, caso, opcionesAlumno(ejercicio, caso, kLimiteCaso * 2, true, fugas, entorno));
        siLaMaquinaNoDa(s);
        const std::vector<std::string> informes = informesSinFugas(s.errores);
        const int bloques = nucleo::bloquesSinLiberar(s.errores);
        const std::string conEntrada = entradaDelCaso(caso);
        if (!informes.empty()) {
            c.estado = Estado::Fallo;
            c.evidencia.explicacion =
                "Con AddressSanitizer y UBSan el programa falla" + conEntrada + ":\n";
            for (const std::string& l : informes) c.evidencia.explicacion += "  " + l + "\n";
            c.evidencia.pistas = {informes.front()};
            c.causa = informes.front();
        } else if (fugas && bloques > ejercicio.nodosConservados) {
            c.estado = Estado::Fallo;
            c.evidencia.explicacion = explicarFugas(ejercicio, bloques, s.errores);
            c.causa = c.evidencia.explicacion.substr(0, c.evidencia.explicacion.find('\n'));
            c.evidencia.pistas = {c.causa};
        }
    });
    return comprobaciones;
}

void exigirRespuestaModelo(const nucleo::Ejercicio& ejercicio) {
    std::vector<std::string> faltan;
    if (ejercicio.sorteo && !std::filesystem::exists(nucleo::rutaPrograma(ejercicio.programa)))
        faltan.push_back(ejercicio.programa);
    const bool sondaSorteada =
        std::any_of(ejercicio.funciones.begin(), ejercicio.funciones.end(),
                    [](const nucleo::ComprobacionDeFunciones& f) { return f.sorteo != nullptr; });
    if (sondaSorteada && !std::filesystem::exists(nucleo::rutaSonda(ejercicio.programa)))
        faltan.push_back("sonda_" + ejercicio.programa);
    if (faltan.empty()) return;
    std::string objetivos;
    for (const std::string& f : faltan) objetivos += " " + f;
    throw ErrorDelComprobador("Falta compilar la respuesta modelo de " + ejercicio.programa +
                              ", que da lo esperado de las entradas sorteadas: ./ejercicios "
                              "comprobar " +
                              ejercicio.programa +
                              " la compila, y también cmake --build --preset default --target" +
                              objetivos + ".");
}

std::vector<Comprobacion> sorteoPrevisto(const nucleo::Ejercicio& ejercicio,
                                         std::uint64_t semilla) {
    if (!ejercicio.sorteo) return {};
    Comprobacion c;
    c.id = "sorteo";
    c.frase =
        "entradas nuevas, sorteadas en esta comprobación (semilla " + std::to_string(semilla) + ")";
    c.grupo = Grupo::Ejercicio;
    c.tipo = Tipo::Sorteo;
    return {c};
}

std::vector<Comprobacion> ejecutarSorteo(const nucleo::Ejercicio& ejercicio,
                                         const Entorno& entorno) {
    std::vector<Comprobacion> r = sorteoPrevisto(ejercicio, entorno.semilla);
    if (r.empty()) return r;
    Comprobacion& c = r.front();
    nucleo::Azar azar(entorno.semilla);
    const std::vector<std::string> entradas = ejercicio.sorteo(azar);
    // Lo esperado, de la respuesta modelo: es de la colección, se ejecuta fuera del aislamiento.
    std::vector<nucleo::Caso> casos;
    for (const std::string& entrada : entradas) {
        nucleo::Caso caso{"sorteada: «" + nucleo::enLinea(entrada) + "»", entrada, ""};
        const Resultado modelo =
            nucleo::ejecutarCaso(nucleo::rutaPrograma(ejercicio.programa), ejercicio, caso);
        if (!modelo.terminoBien()) {
            throw ErrorDelComprobador("La respuesta modelo de " + ejercicio.programa +
                                      " no terminó bien con la entrada «" +
                                      nucleo::enLinea(entrada) + "» (" +
                                      nucleo::rutaPrograma(ejercicio.programa) + ").");
        }
        caso.salida = modelo.salida;
        caso.errores = modelo.errores;
        casos.push_back(std::move(caso));
    }
    std::vector<nucleo::Veredicto> veredictos(casos.size());
    std::vector<std::string> obtenidos(casos.size());
    std::vector<milliseconds> tiempos(casos.size());
    enParalelo(casos.size(), [&](std::size_t i) {
        nucleo::Caso caso = casos[i];
        caso.limite = kLimiteCaso;
        Opciones o = opcionesAlumno(ejercicio, caso, kLimiteCaso, false, false, entorno);
        o.contarCls = ejercicio.llamadasACls > 0;
        const auto inicio = std::chrono::steady_clock::now();
        Ranura ranura;
        const Resultado res = nucleo::ejecutarCaso(entorno.dentro("normal"), caso, o);
        siLaMaquinaNoDa(res);
        tiempos[i] =
            std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - inicio);
        veredictos[i] = nucleo::juzgar(caso, res);
        obtenidos[i] = res.salida;
        if (veredictos[i].correcto && o.contarCls && entorno.aislar &&
            res.llamadasCls != ejercicio.llamadasACls) {
            veredictos[i].correcto = false;
            veredictos[i].pistas = {"El programa llamó " + std::to_string(res.llamadasCls) +
                                    " veces a system(\"cls\"), y el ejercicio lo llama " +
                                    std::to_string(ejercicio.llamadasACls) + "."};
            veredictos[i].explicacion =
                "Las salidas son las esperadas, pero:\n  - " + veredictos[i].pistas[0] + "\n";
        }
    });
    c.estado = Estado::Paso;
    for (std::size_t i = 0; i < casos.size(); ++i) {
        c.tiempo += tiempos[i];
        if (veredictos[i].correcto || c.estado == Estado::Fallo) continue;
        c.estado = Estado::Fallo;
        c.evidencia.entrada = entradaDe(casos[i]);
        c.evidencia.esperado = casos[i].salida;
        c.evidencia.obtenido = obtenidos[i];
        c.evidencia.pistas = veredictos[i].pistas;
        c.evidencia.explicacion = veredictos[i].explicacion +
                                  "Con una entrada sorteada (se repite con --semilla " +
                                  std::to_string(entorno.semilla) + ").\n";
        c.causa = veredictos[i].pistas.empty() ? "otra salida con una entrada sorteada"
                                               : veredictos[i].pistas.front();
    }
    return r;
}

}  // namespace comprobador

#include "revision.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include "juicio.h"

namespace comprobador {

namespace {

using arnes::Opciones;
using arnes::Resultado;
using std::chrono::milliseconds;
using std::chrono::seconds;

const std::vector<std::string> kSanitizadores = {
    "-g", "-fsanitize=address,undefined", "-fno-sanitize-recover=all", "-fno-omit-frame-pointer"};

// Un caso más lento que esto (fibcalc 46) solo se ejecuta con la compilación normal.
const milliseconds kCasoLento{10000};
// Límites de un caso de la tabla y de una entrada hostil (con sanitizadores): de sobra para una
// solución correcta, que tarda milisegundos.
const milliseconds kLimiteCaso{5000};
const milliseconds kLimiteHostil{500};
// Un caso que decidió la colección no se exige: si no termina enseguida, no hay más que ver.
const milliseconds kLimiteDecidido{250};
// Lo que puede escribir un programa antes de que se le pare.
const std::size_t kLimiteSalida = 1 << 20;

std::vector<std::string> unir(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Ejecuta f(0) ... f(n - 1) en dos hilos (la máquina de un alumno suele tener dos núcleos).
template <class F>
void enParalelo(size_t n, F f) {
    std::atomic<size_t> siguiente{0};
    auto trabajo = [&] {
        for (size_t i; (i = siguiente++) < n;) f(i);
    };
    std::thread otro(trabajo);
    trabajo();
    otro.join();
}

Resultado compilar(const Entorno& entorno, const std::vector<std::string>& argumentos) {
    Opciones o;
    o.argumentos = argumentos;
    o.unirSalidas = true;
    o.limite = seconds(180);
    o.entorno = {"LC_ALL=C"};
    return arnes::ejecutar(entorno.compilador, "", o);
}

std::vector<std::string> incluirLista(const Ficha& ficha, const Entorno& entorno) {
    // node_list.h: primero el que esté junto al fuente del alumno (así busca #include "..."),
    // y si no hay, el de la colección.
    if (ficha.forma != Forma::ConLista) return {};
    return {"-iquote", entorno.raiz + "/ejlistas"};
}

// Sustituye o añade variables en el entorno de unas opciones.
void poner(Opciones& o, const std::string& variable) {
    std::string nombre = variable.substr(0, variable.find('=') + 1);
    for (std::string& v : o.entorno) {
        if (v.rfind(nombre, 0) == 0) {
            v = variable;
            return;
        }
    }
    o.entorno.push_back(variable);
}

Opciones opcionesAlumno(const arnes::Ejercicio& ejercicio, const arnes::Caso& caso,
                        milliseconds limite, bool fugas) {
    Opciones o = arnes::opcionesDe(ejercicio, caso);
    o.limite = limite;
    o.limiteSalida = kLimiteSalida;
    // Sin las pilas como raíces, LeakSanitizer ve también los nodos a los que solo apuntaba
    // una variable de main que ya no existe.
    poner(o, std::string("ASAN_OPTIONS=detect_leaks=") + (fugas ? "1" : "0") +
                 ":halt_on_error=1:detect_stack_use_after_return=0");
    poner(o, "LSAN_OPTIONS=use_stacks=0:use_registers=0:exitcode=23");
    poner(o, "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1");
    return o;
}

// El programa del alumno trabaja en la carpeta temporal, donde está compilado: lo que
// escriba allí se borra con ella.
Resultado ejecutarCon(const std::string& ruta, const arnes::Caso& caso, Opciones o) {
    o.directorio = std::filesystem::path(ruta).parent_path().string();
    if (caso.modo == arnes::Modo::Conversacion) {
        return arnes::conversar(ruta, caso.pasos, o);
    }
    o.unirSalidas = caso.modo == arnes::Modo::Unidas;
    return arnes::ejecutar(ruta, caso.entrada, o);
}

// Bloques sin liberar según el resumen de LeakSanitizer; 0 si no hay.
int bloquesSinLiberar(const std::string& errores) {
    const std::string marca = "leaked in ";
    size_t p = errores.find(marca);
    return p == std::string::npos ? 0 : std::atoi(errores.c_str() + p + marca.size());
}

// Lo que dicen los sanitizadores, sin las fugas (que se cuentan aparte) y sin repetir.
std::vector<std::string> informesSinFugas(const std::string& errores) {
    std::vector<std::string> r;
    for (const std::string& l : arnes::resumirSanitizadores(errores)) {
        if (l.find("LeakSanitizer") == std::string::npos) r.push_back(l);
    }
    return r;
}

std::string explicarFugas(const Ficha& ficha, int bloques, const std::string& errores) {
    std::string texto =
        "Quedan " + std::to_string(bloques) + " bloques de memoria sin liberar al terminar";
    if (ficha.nodosConservados > 0) {
        texto += " (el ejercicio solo conserva " + std::to_string(ficha.nodosConservados) +
                 " nodos: el que se quita se libera con delete)";
    } else {
        texto += ": el ejercicio libera todo lo que reserva (¿falta un delete?)";
    }
    texto += ".\n";
    for (const std::string& l : arnes::resumirSanitizadores(errores)) {
        if (l.find("LeakSanitizer") != std::string::npos) texto += l + "\n";
    }
    return texto;
}

// Un texto en una sola línea, con los saltos a la vista y cortado si es muy largo.
std::string enUnaLinea(const std::string& texto) {
    std::string r;
    for (char c : texto) r += c == '\n' ? std::string("⏎") : std::string(1, c);
    return r.size() > 60 ? r.substr(0, 57) + "…" : r;
}

// Lo que hace la colección en un caso que el ejercicio deja abierto: su última línea.
std::string loQueDecidio(const arnes::Caso& caso) {
    std::string entrada = caso.entrada;
    for (const arnes::Paso& p : caso.pasos) entrada += p.respuesta;
    std::string texto = caso.errores.empty() ? caso.salida : caso.errores;
    while (!texto.empty() && texto.back() == '\n') texto.pop_back();
    texto = texto.substr(texto.rfind('\n') + 1);
    const std::string con = entrada.empty() ? "sin entrada" : "con «" + enUnaLinea(entrada) + "»";
    return con + " la colección escribe «" + texto + "»";
}

void ejecutarCasos(const Ficha& ficha, const arnes::Ejercicio& ejercicio, const Entorno& entorno,
                   bool conSanitizadores, Revision& revision) {
    const std::string normal = entorno.temporal + "/normal";
    const std::string vigilado = entorno.temporal + "/vigilado";
    const size_t n = ejercicio.casos.size();
    revision.casos.assign(n, Linea{});
    std::atomic<int> agotados{0};
    enParalelo(n, [&](size_t i) {
        const arnes::Caso& caso = ejercicio.casos[i];
        Linea& linea = revision.casos[i];
        linea.nombre = caso.descripcion;
        linea.origen = caso.origen;
        if (agotados >= 2 && caso.origen == arnes::Origen::Enunciado) {
            linea.explicacion = "No se ejecutó: el programa ya agotó el tiempo en dos casos.\n";
            return;
        }
        // Lo que decidió la colección no se exige: con el límite corto de las entradas hostiles.
        const bool pedido = caso.origen == arnes::Origen::Enunciado;
        const bool lento = caso.limite > kCasoLento;
        milliseconds limite = lento    ? caso.limite
                              : pedido ? std::min(caso.limite, kLimiteCaso)
                                       : std::min(caso.limite, kLimiteDecidido);
        arnes::Caso juzgado = caso;
        juzgado.limite = limite;
        Resultado r = ejecutarCon(normal, caso, opcionesAlumno(ejercicio, caso, limite, false));
        if (pedido && r.agotado && r.pasoSinAviso < 0) ++agotados;
        arnes::Veredicto v = arnes::juzgar(juzgado, r);
        linea.correcto = v.correcto;
        linea.explicacion = pedido ? v.explicacion : loQueDecidio(caso);
        if (pedido && !v.correcto && r.senal != 0 && conSanitizadores) {
            // Un programa que revienta: los sanitizadores dicen dónde y por qué.
            Resultado s =
                ejecutarCon(vigilado, caso, opcionesAlumno(ejercicio, caso, kLimiteCaso, false));
            for (const std::string& l : informesSinFugas(s.errores)) {
                linea.explicacion += "Con AddressSanitizer y UBSan: " + l + "\n";
            }
        }
        if (!v.correcto || lento || !conSanitizadores) return;

        // La misma entrada con AddressSanitizer, UBSan y LeakSanitizer.
        const bool fugas = ficha.nodosConservados >= 0;
        Resultado s =
            ejecutarCon(vigilado, caso, opcionesAlumno(ejercicio, caso, kLimiteCaso * 2, fugas));
        std::vector<std::string> informes = informesSinFugas(s.errores);
        int bloques = bloquesSinLiberar(s.errores);
        if (!informes.empty()) {
            linea.correcto = false;
            linea.explicacion = "Con AddressSanitizer y UBSan el programa falla:\n";
            for (const std::string& l : informes) linea.explicacion += "  " + l + "\n";
        } else if (fugas && bloques > ficha.nodosConservados) {
            linea.correcto = false;
            linea.explicacion = explicarFugas(ficha, bloques, s.errores);
        }
    });
}

// ---------------------------------------------------------------- pruebas de funciones

// Traduce lo más habitual de los mensajes de GoogleTest y acorta las rutas.
std::string traducirFallo(std::string texto, const std::string& raiz) {
    const std::pair<const char*, const char*> frases[] = {
        {"Expected equality of these values:", "Se esperaba que fueran iguales:"},
        {"Which is: ", "que vale: "},
        {"Value of: ", "Valor de: "},
        {"  Actual: ", "  Obtenido: "},
        {"Expected: ", "Esperado: "},
        {"Google Test trace:", "Contexto:"},
        {": Failure", ": Fallo"},
    };
    for (const auto& [ingles, espanol] : frases) {
        for (size_t p = texto.find(ingles); p != std::string::npos;
             p = texto.find(ingles, p + std::string(espanol).size())) {
            texto.replace(p, std::string(ingles).size(), espanol);
        }
    }
    for (size_t p = texto.find(raiz + "/"); p != std::string::npos; p = texto.find(raiz + "/")) {
        texto.erase(p, raiz.size() + 1);
    }
    return texto;
}

void comprobarFunciones(const Ficha& ficha, const Entorno& entorno, const Resultado& compilacion,
                        Revision& revision) {
    if (!compilacion.terminoBien()) {
        revision.notasFunciones.push_back(
            "Las comprobaciones de funciones no compilan con tu solución:");
        for (const std::string& l : explicarErroresDeFunciones(ficha, compilacion.salida)) {
            revision.notasFunciones.push_back("  " + l);
        }
        Linea linea;
        linea.nombre = "las funciones que pide el ejercicio";
        linea.explicacion = "No se pudieron comprobar: mira la nota de arriba.\n";
        revision.funciones.push_back(linea);
        return;
    }
    const std::string programa = entorno.temporal + "/funciones";
    Opciones lista;
    lista.argumentos = {"--gtest_list_tests"};
    lista.entorno = {"ASAN_OPTIONS=detect_leaks=0"};
    Resultado r = arnes::ejecutar(programa, "", lista);
    std::vector<std::pair<std::string, arnes::Origen>> pruebas;
    std::istringstream lineas(r.salida);
    std::string suite;
    for (std::string l; std::getline(lineas, l);) {
        if (l.empty()) continue;
        if (l[0] != ' ') {
            suite = l.substr(0, l.find('.'));
        } else if (suite == "Enunciado" || suite == "Decidido") {
            std::string prueba = l.substr(2, l.find(' ', 2) - 2);
            pruebas.push_back({suite + "." + prueba, suite == "Enunciado"
                                                         ? arnes::Origen::Enunciado
                                                         : arnes::Origen::Decidido});
        }
    }
    revision.funciones.assign(pruebas.size(), Linea{});
    enParalelo(pruebas.size(), [&](size_t i) {
        Linea& linea = revision.funciones[i];
        linea.nombre = pruebas[i].first.substr(pruebas[i].first.find('.') + 1);
        linea.origen = pruebas[i].second;
        Opciones o;
        o.argumentos = {"--gtest_filter=" + pruebas[i].first, "--gtest_color=no"};
        o.entorno = {"ASAN_OPTIONS=detect_leaks=0",
                     "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"};
        o.limite = kLimiteCaso;
        o.limiteSalida = kLimiteSalida;
        o.directorio = entorno.temporal;
        Resultado p = arnes::ejecutar(programa, "", o);
        linea.correcto = p.terminoBien();
        if (linea.correcto) return;
        std::string detalle;
        size_t desde = p.salida.find("[ RUN      ]");
        size_t hasta = p.salida.find("[  FAILED  ]", desde);
        if (desde != std::string::npos) {
            desde = p.salida.find('\n', desde);
            detalle = p.salida.substr(
                desde + 1, hasta == std::string::npos ? std::string::npos : hasta - desde - 1);
        }
        for (const std::string& l : arnes::resumirSanitizadores(p.errores)) detalle += l + "\n";
        if (p.agotado) {
            detalle += "No terminó en " + std::to_string(kLimiteCaso.count() / 1000) +
                       " s: ¿un bucle o una recursión sin caso base?\n";
        } else if (p.senal != 0 && arnes::resumirSanitizadores(p.errores).empty()) {
            detalle += "Terminó con la señal " + std::to_string(p.senal) + ".\n";
        }
        linea.explicacion = traducirFallo(detalle, entorno.raiz);
    });
}

// ------------------------------------------------------------------------- robustez

// Un hallazgo sin su " en archivo:línea".
std::string sinLugar(std::string texto) {
    size_t en = texto.find(" en ");
    size_t fin = en == std::string::npos ? en : texto.find(": ", en);
    if (fin != std::string::npos) texto.erase(en, fin - en);
    return texto;
}

void buscarFallos(const arnes::Ejercicio& ejercicio, const Entorno& entorno, Revision& revision) {
    if (ejercicio.primerAviso.empty()) return;
    revision.robustezProbada = true;
    const std::string vigilado = entorno.temporal + "/vigilado";
    const auto& hostiles = arnes::entradasHostiles();
    std::vector<std::string> hallazgos(hostiles.size());
    enParalelo(hostiles.size(), [&](size_t i) {
        arnes::Caso caso;
        caso.descripcion = hostiles[i].descripcion;
        caso.entrada = hostiles[i].bytes;
        Resultado r =
            ejecutarCon(vigilado, caso, opcionesAlumno(ejercicio, caso, kLimiteHostil, false));
        std::string que;
        std::vector<std::string> informes = arnes::resumirSanitizadores(r.errores);
        if (!informes.empty()) {
            que = informes.front();
        } else if (r.agotado) {
            que = "no terminó en " + std::to_string(kLimiteHostil.count() / 1000) +
                  " s (¿un bucle, o una recursión que no acaba?)";
        } else if (r.salidaExcesiva) {
            que = "escribió más de 1 MiB (¿un bucle que no acaba?)";
        } else if (r.senal != 0) {
            que = "terminó con la señal " + std::to_string(r.senal);
        } else if (r.estado != 0) {
            que = "terminó con el estado " + std::to_string(r.estado);
        }
        hallazgos[i] = que;
    });
    // Un mismo hallazgo con varias entradas se dice una vez, con la lista de entradas.
    // Se agrupan por su clase, sin el lugar: una pila agotada revienta en una línea u otra
    // según la ejecución, y el informe debe ser el mismo cada vez.
    struct Grupo {
        std::string clase, que, entradas;
    };
    std::vector<Grupo> grupos;
    for (size_t i = 0; i < hostiles.size(); ++i) {
        if (hallazgos[i].empty()) continue;
        const std::string clase = sinLugar(hallazgos[i]);
        const std::string entrada = "«" + hostiles[i].descripcion + "»";
        auto g = std::find_if(grupos.begin(), grupos.end(),
                              [&](const Grupo& x) { return x.clase == clase; });
        if (g == grupos.end()) {
            grupos.push_back({clase, hallazgos[i], entrada});
        } else {
            g->entradas += ", " + entrada;
        }
    }
    for (const Grupo& g : grupos) {
        revision.robustez.push_back("Con la entrada " + g.entradas + ": " + g.que);
    }
}

}  // namespace

int Revision::correctos() const {
    int n = 0;
    if (!compila) return 0;
    for (const Linea& l : casos) n += l.origen == arnes::Origen::Enunciado && l.correcto;
    for (const Linea& l : funciones) n += l.origen == arnes::Origen::Enunciado && l.correcto;
    return n;
}

int Revision::total() const {
    int n = 0;
    for (const Linea& l : casos) n += l.origen == arnes::Origen::Enunciado;
    for (const Linea& l : funciones) n += l.origen == arnes::Origen::Enunciado;
    return n;
}

namespace {

// El nombre dentro de una cita del compilador: "bool isPalindrome(const string&)" da
// isPalindrome, "ListaCircularDobleEnlazada::agregar" da agregar, "class Cir" da Cir.
std::string nombreCitado(std::string citado) {
    citado = citado.substr(0, citado.find('('));
    citado = citado.substr(0, citado.find('<'));
    size_t dos = citado.rfind("::");
    if (dos != std::string::npos) citado = citado.substr(dos + 2);
    size_t blanco = citado.find_last_of(" *&");
    if (blanco != std::string::npos) citado = citado.substr(blanco + 1);
    return citado;
}

// La primera cita ('...') de la línea después de la posición dada.
std::string cita(const std::string& linea, size_t desde = 0) {
    size_t a = linea.find('\'', desde);
    if (a == std::string::npos) return "";
    size_t b = linea.find('\'', a + 1);
    return b == std::string::npos ? "" : linea.substr(a + 1, b - a - 1);
}

}  // namespace

std::vector<std::string> explicarErroresDeFunciones(const Ficha& ficha, const std::string& salida) {
    // Lo que contiene la línea de error, qué nombre se cita y cómo se explica (%s: el nombre).
    struct Patron {
        const char* contiene;
        bool citaDelMiembro;  // "'class X' has no member named 'y'": la segunda cita
        const char* texto;
    };
    static const Patron patrones[] = {
        {"was not declared in this scope", false,
         "No se encuentra «%s»: falta o tiene otro nombre."},
        {"is not a member of", false, "No se encuentra «%s»: falta o tiene otro nombre."},
        {"has no member named", true, "Falta el miembro «%s» (o tiene otro nombre)."},
        {"does not name a type", false, "No se encuentra el tipo «%s»: falta o tiene otro nombre."},
        {"has not been declared", false, "No se encuentra «%s»: falta o tiene otro nombre."},
        {"no matching function for call to", false,
         "«%s» no se puede llamar como pide el ejercicio: ¿parámetros de otro tipo o en otro "
         "número, o por valor en vez de por referencia?"},
        {"arguments to function", false,
         "«%s» tiene otro número de parámetros que el que pide el ejercicio."},
        {"cannot bind non-const lvalue reference", false,
         "Una función recibe por referencia lo que el ejercicio pasa por valor, o al revés."},
        {"no match for", false, "Falta «%s» para esos tipos (o tiene otra firma)."},
        {"is private within this context", false,
         "«%s» es privado y el ejercicio lo pide público."},
    };
    std::vector<std::string> r;
    std::set<std::string> vistos;
    std::istringstream lineas(salida);
    for (std::string l; std::getline(lineas, l);) {
        size_t error = l.find("error: ");
        if (error == std::string::npos) continue;
        for (const Patron& p : patrones) {
            if (l.find(p.contiene, error) == std::string::npos) continue;
            std::string citado = cita(l, error);
            if (p.citaDelMiembro) citado = cita(l, l.find(p.contiene, error));
            std::string nombre = nombreCitado(citado);
            if (std::string(p.contiene) == "no match for") nombre = citado;
            std::string texto = p.texto;
            size_t s = texto.find("%s");
            if (s != std::string::npos) texto.replace(s, 2, nombre);
            // Solo lo que pide el ejercicio: un nombre de la propia prueba que falta es
            // consecuencia de otro error, no un error del alumno.
            std::string firma = firmaDe(ficha, nombre);
            if (!firma.empty() || nombre.empty()) {
                if (!firma.empty()) texto += " El ejercicio pide: " + firma;
                if (vistos.insert(texto).second) r.push_back(texto);
            }
            break;
        }
    }
    if (r.empty()) {
        // Algo menos habitual: las primeras líneas de error tal cual.
        std::istringstream otra(salida);
        for (std::string l; std::getline(otra, l) && r.size() < 5;) {
            if (l.find("error:") != std::string::npos) r.push_back(l);
        }
    }
    return r;
}

Revision revisar(const Ficha& ficha, const arnes::Ejercicio& ejercicio, const Entrega& entrega,
                 const Entorno& entorno) {
    Revision revision;
    revision.entrega = entrega;
    const std::vector<std::string> estandar = {"-std=c++17", "-Wall", "-Wextra", "-Wpedantic"};
    const std::vector<std::string> lista = incluirLista(ficha, entorno);

    // Las tres compilaciones a la vez: la normal (optimizada, como la de la colección), la
    // vigilada por los sanitizadores y la de las pruebas de funciones.
    Resultado normal, vigilada, funciones;
    const bool conFunciones = !ficha.unidad.empty() && !entorno.gtestBiblioteca.empty();
    std::thread hiloVigilada([&] {
        vigilada =
            compilar(entorno, unir(unir(unir({"-std=c++17", "-w", "-O1"}, kSanitizadores), lista),
                                   {entrega.principal, "-o", entorno.temporal + "/vigilado"}));
    });
    std::thread hiloFunciones([&] {
        if (!conFunciones) return;
        // Sin optimizar: GoogleTest con sanitizadores tarda en compilar más del doble con -O1.
        std::vector<std::string> argumentos = unir({"-std=c++17", "-w", "-O0"}, kSanitizadores);
        argumentos = unir(argumentos, lista);
        argumentos =
            unir(argumentos, {"-DEJ_SOLUCION_ALUMNO", "-DEJ_FUENTE=\"" + entrega.principal + "\"",
                              "-I" + entorno.raiz + "/tests/harness", "-I" + entorno.raiz});
        std::istringstream carpetas(entorno.gtestIncluir);  // lista de CMake: a;b;c
        for (std::string c; std::getline(carpetas, c, ';');) {
            if (!c.empty()) argumentos.push_back("-I" + c);
        }
        argumentos = unir(argumentos,
                          {entorno.raiz + "/" + ficha.unidad, "-o", entorno.temporal + "/funciones",
                           entorno.gtestMain, entorno.gtestBiblioteca, "-pthread"});
        funciones = compilar(entorno, argumentos);
    });
    // La compilación que ve el alumno nombra su archivo como lo conoce: relativo a la carpeta
    // desde la que comprueba.
    const std::string fuente = std::filesystem::proximate(entrega.principal).string();
    normal = compilar(entorno, unir(unir(unir(estandar, {"-O2"}), lista),
                                    {fuente, "-o", entorno.temporal + "/normal"}));
    hiloVigilada.join();
    hiloFunciones.join();

    revision.compila = normal.terminoBien();
    if (!revision.compila) {
        revision.errores = normal.salida;
        // Todos los casos cuentan como fallidos: así el total es el de cualquier entrega.
        for (const arnes::Caso& caso : ejercicio.casos) {
            revision.casos.push_back({caso.descripcion, caso.origen, false, "No compila.\n"});
        }
        return revision;
    }
    revision.avisos = normal.salida;
    const bool conSanitizadores = vigilada.terminoBien();
    if (!conSanitizadores) {
        revision.robustez.push_back(
            "No se pudo compilar con AddressSanitizer y UBSan; los casos se comprobaron sin "
            "ellos.");
    }

    ejecutarCasos(ficha, ejercicio, entorno, conSanitizadores, revision);
    if (ficha.unidad.empty()) {
        // Ejercicio sin funciones propias que comprobar (las lambdas viven dentro de main).
    } else if (!conFunciones) {
        revision.notasFunciones.push_back(
            "Sin GoogleTest no se comprueban las funciones una a una (apt-get install "
            "libgtest-dev); el resto de la comprobación sí se hace.");
    } else {
        comprobarFunciones(ficha, entorno, funciones, revision);
    }
    if (conSanitizadores) buscarFallos(ejercicio, entorno, revision);
    return revision;
}

}  // namespace comprobador

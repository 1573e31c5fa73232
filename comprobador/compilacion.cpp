#include "compilacion.h"

#include <sys/statvfs.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include "archivos.h"
#include "catalogo.h"
#include "orquesta.h"
#include "paralelo.h"
#include "pistas.h"
#include "rutas.h"
#include "texto.h"

namespace comprobador {

bool empiezaPorIostream(const std::string& texto) {
    std::size_t i = texto.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // la marca UTF-8
    // Blancos y comentarios.
    for (;;) {
        i = texto.find_first_not_of(" \t\r\n\f\v", i);
        if (i == std::string::npos) return false;
        if (texto.compare(i, 2, "//") == 0) {
            i = texto.find('\n', i);
            if (i == std::string::npos) return false;
        } else if (texto.compare(i, 2, "/*") == 0) {
            i = texto.find("*/", i + 2);
            if (i == std::string::npos) return false;
            i += 2;
        } else {
            break;
        }
    }
    const auto blancos = [&] {
        while (i < texto.size() && (texto[i] == ' ' || texto[i] == '\t')) ++i;
    };
    if (texto[i++] != '#') return false;
    blancos();
    if (texto.compare(i, 7, "include") != 0) return false;
    i += 7;
    blancos();
    if (texto.compare(i, 10, "<iostream>") != 0) return false;
    i += 10;
    // Detrás, nada más en la línea (o un comentario).
    blancos();
    return i == texto.size() || texto[i] == '\n' || texto[i] == '\r' ||
           texto.compare(i, 2, "//") == 0 || texto.compare(i, 2, "/*") == 0;
}

namespace {

using nucleo::Opciones;
using nucleo::Resultado;

// Lo más que se lee del fuente preprocesado de una solución (el de una correcta pesa 1,5 MB).
constexpr std::size_t kPreprocesadoMaximo = std::size_t{64} << 20;
// Lo más que se guarda de lo que dice un compilador: de sobra para sus errores, y una inundación
// no llena la memoria.
constexpr std::size_t kSalidaDelCompilador = std::size_t{16} << 20;
// Lo que puede tardar una compilación: muchas veces lo que tarda la de cualquier solución.
constexpr std::chrono::seconds kLimiteDeCompilacion{180};

// Banderas separadas por blancos, como las deja CMake.
std::vector<std::string> separar(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream banderas(texto);
    for (std::string b; banderas >> b;) r.push_back(b);
    return r;
}

// El enlazador de las tres compilaciones (vacío: el de siempre). Viene de CMake, como las
// banderas de la compilación vigilada (EJ_BANDERAS_VIGILADAS) y las de la sonda de funciones
// (EJ_BANDERAS_FUNCIONES), con las que compila sus cabeceras precompiladas.
const std::vector<std::string> kEnlazador = separar(EJ_ENLAZADOR);

std::vector<std::string> unir(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Compila (y enlaza, con el mismo enlazador en las tres, salvo si solo se preprocesa) dentro de
// la carpeta de la entrega.
// Una orden de la compilación, dentro del aislamiento de las compilaciones de la entrega.
// En español, lo que el alumno lee (los mensajes que GCC tiene traducidos; los demás, en inglés);
// en inglés, lo que el comprobador interpreta.
Resultado enLaCarpeta(const Entorno& entorno, const std::string& programa,
                      const std::vector<std::string>& argumentos, bool enEspanol = false) {
    Opciones o;
    o.argumentos = argumentos;
    o.limiteSalida = kSalidaDelCompilador;
    o.unirSalidas = true;
    o.limite = kLimiteDeCompilacion;
    o.entorno = {"LC_ALL=C"};
    if (enEspanol) o.entorno = {"LC_ALL=C.UTF-8", "LANGUAGE=es"};
    o.directorio = entorno.temporal;
    o.aislamiento = entorno.aislamientoDeCompilacion();
    Ranura ranura;
    return nucleo::ejecutar(programa, "", o);
}

// ¿Compila las entregas clang? (Algunas banderas se llaman de otra manera, y las cabeceras
// precompiladas son de GCC.)
bool conClang(const Entorno& entorno) {
    return entorno.compilador.find("clang") != std::string::npos;
}

Resultado compilar(const Entorno& entorno, const std::vector<std::string>& argumentos,
                   bool enlazar = true, bool enEspanol = false) {
    // Tras veinte errores el compilador para: el alumno lee los primeros, y una inundación de
    // errores no cuesta minutos.
    // (clang lo llama de otra manera.)
    return enLaCarpeta(entorno, entorno.compilador,
                       unir({conClang(entorno) ? "-ferror-limit=20" : "-fmax-errors=20"},
                            enlazar ? unir(argumentos, kEnlazador) : argumentos),
                       enEspanol);
}

// Lo que pondría código de la solución antes que el servidor de la sonda (que arranca en
// .preinit_array: nucleo/sonda_main.cpp): un ifunc (su resolvedor corre al cargar el programa),
// un .preinit_array propio o un cargador propio (.interp). readelf lista sus secciones y
// símbolos; "" si no hay nada de eso.
std::string antesQueLaSonda(const std::string& listado) {
    for (const std::string& l : nucleo::lineasDe(listado)) {
        std::istringstream campos(l);
        std::vector<std::string> c;
        for (std::string x; campos >> x;) c.push_back(x);
        // Símbolos: "Num: Valor Tamaño Tipo Enlace Vis Ndx Nombre".
        if (c.size() >= 8 && c[3] == "IFUNC")
            return "la solución define una función ifunc («" + c[7] +
                   "»), que correría antes que las comprobaciones: no se comprueba";
        for (const std::string& x : c) {
            if (x.rfind(".preinit_array", 0) == 0 || x == ".interp")
                return "la solución pone código en " + x +
                       ", que correría antes que las comprobaciones: no se comprueba";
        }
    }
    return "";
}

// node_list.h: primero el que esté junto al fuente del alumno (así busca #include "..."), y si
// no hay, el de la colección.
std::vector<std::string> incluirLista(const nucleo::Ejercicio& ejercicio, const Entorno& entorno) {
    if (ejercicio.forma != nucleo::Forma::Lista) return {};
    const std::string carpeta = std::filesystem::path(ejercicio.fuente).parent_path().string();
    return {"-iquote", entorno.raiz + "/" + carpeta};
}

// -include de la cabecera precompilada `cabecera` (previa.h, previa_sonda.h: su CMakeLists.txt)
// para compilar el fuente, si la hay y el fuente empieza por #include <iostream>: entonces es lo
// primero que lee, y precompilarla no le cambia nada. Solo con GCC, que la compiló.
std::vector<std::string> previa(const Entorno& entorno, const std::string& fuente,
                                const std::string& cabecera) {
    const std::string ruta = entorno.precompilado + "/" + cabecera;
    std::error_code ec;
    if (entorno.precompilado.empty() || conClang(entorno) ||
        !std::filesystem::exists(ruta + ".gch", ec))
        return {};
    std::string texto;
    if (!leerSinEnlaces(entorno.temporal + "/" + fuente, kPreprocesadoMaximo, texto).empty() ||
        !empiezaPorIostream(texto))
        return {};
    return {"-include", ruta};
}

// La primera cita ('...') de la línea después de la posición dada.
std::string cita(const std::string& linea, size_t desde = 0) {
    size_t a = linea.find('\'', desde);
    if (a == std::string::npos) return "";
    size_t b = linea.find('\'', a + 1);
    return b == std::string::npos ? "" : linea.substr(a + 1, b - a - 1);
}

}  // namespace

std::string nombreCitado(std::string citado) {
    citado = citado.substr(0, citado.find('('));
    citado = citado.substr(0, citado.find('<'));
    size_t dos = citado.rfind("::");
    if (dos != std::string::npos) citado = citado.substr(dos + 2);
    size_t blanco = citado.find_last_of(" *&");
    if (blanco != std::string::npos) citado = citado.substr(blanco + 1);
    return citado;
}

std::vector<std::string> explicarErroresDeFunciones(const nucleo::Ejercicio& ejercicio,
                                                    const std::string& salida) {
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
        {"discards qualifiers", false,
         "«%s» no se puede usar con un objeto constante: el ejercicio la declara const (y no "
         "cambia el objeto)."},
        {"invalid conversion from", false,
         "Un parámetro tiene otro tipo que el que pide el ejercicio (¿char* en vez de const "
         "char*, o un puntero en vez de una referencia?)."},
    };
    std::vector<std::string> r;
    std::set<std::string> vistos;
    std::istringstream lineas(salida);
    for (std::string l; std::getline(lineas, l);) {
        // Lo que dice el propio comprobador al rechazar la solución, tal cual.
        if (l.rfind("error: la solución ", 0) == 0) {
            std::string texto = "L" + l.substr(8) + ".";
            if (vistos.insert(texto).second) r.push_back(texto);
            continue;
        }
        size_t error = l.find("error: ");
        if (error == std::string::npos) continue;
        for (const Patron& p : patrones) {
            if (l.find(p.contiene, error) == std::string::npos) continue;
            std::string citado = cita(l, error);
            if (p.citaDelMiembro) citado = cita(l, l.find(p.contiene, error));
            // "passing 'const X' as 'this' argument discards qualifiers": la función es la de la
            // nota que sigue, "in call to '...'".
            if (std::string(p.contiene) == "discards qualifiers") {
                std::streampos marca = lineas.tellg();
                std::string nota;
                for (int k = 0; k < 8 && std::getline(lineas, nota); ++k) {
                    const std::size_t en = nota.find("in call to");
                    if (en != std::string::npos) {
                        citado = cita(nota, en);
                        break;
                    }
                }
                lineas.clear();
                lineas.seekg(marca);
            }
            std::string nombre = nombreCitado(citado);
            if (std::string(p.contiene) == "no match for") nombre = citado;
            std::string texto = p.texto;
            size_t s = texto.find("%s");
            if (s != std::string::npos) texto.replace(s, 2, nombre);
            // Solo lo que pide el ejercicio: un nombre de la propia prueba que falta es
            // consecuencia de otro error, no un error del alumno.
            std::string firma = nucleo::firmaDe(ejercicio, nombre);
            if (!firma.empty() || nombre.empty()) {
                if (!firma.empty()) texto += " El ejercicio pide: " + firma;
                if (vistos.insert(texto).second) r.push_back(texto);
            }
            break;
        }
    }
    if (r.empty()) {
        // Algo menos habitual: en vez del error de un archivo que el alumno no ha visto, las
        // declaraciones que el ejercicio pide, para compararlas con las suyas.
        r.push_back("Alguna declaración no es la que pide el ejercicio. Compara las tuyas con:");
        for (const std::string& firma : ejercicio.firmas) r.push_back("  " + firma);
    }
    return r;
}

std::vector<std::string> lecturaDe(const nucleo::Ejercicio& ejercicio, const Entorno& entorno) {
    namespace fs = std::filesystem;
    const fs::path raiz = entorno.raiz;
    const fs::path temaDelFuente = fs::path(ejercicio.fuente).parent_path();
    std::vector<fs::path> candidatas = {raiz / "nucleo" / "sonda.h", raiz / "nucleo" / "firmas.h",
                                        raiz / temaDelFuente / "node_list.h"};
    if (!ejercicio.sonda.empty()) candidatas.push_back(raiz / ejercicio.sonda);
    if (!entorno.precompilado.empty()) candidatas.push_back(entorno.precompilado);
    if (!entorno.analizador.empty()) candidatas.push_back(entorno.analizador);
    // Las cabeceras precompiladas del analizador, y la lista de la que salen: clang comprueba
    // que sigue ahí.
    if (!entorno.cabecerasDelAnalisis.empty()) {
        candidatas.push_back(entorno.cabecerasDelAnalisis);
        candidatas.push_back(raiz / "comprobador" / "tecnica_cabeceras.h");
    }
    std::vector<std::string> rutas;
    for (const fs::path& r : candidatas) {
        if (fs::exists(r)) rutas.push_back(r.string());
    }
    return rutas;
}

std::vector<std::string> lecturaDeEjecucion(const Entorno& entorno) {
    const std::string mudo = entorno.raiz + "/lanzador/mudo";
    if (!std::filesystem::exists(mudo)) return {};
    return {mudo};
}

nucleo::Resultado compilarNormal(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                                 const Entorno& entorno) {
    return compilar(
        entorno,
        unir(unir(unir(separar(EJ_BANDERAS_NORMALES), previa(entorno, fuente, "previa_normal.h")),
                  incluirLista(ejercicio, entorno)),
             {fuente, "-o", entorno.dentro("normal")}),
        true, true);
}

nucleo::Resultado compilarVigilada(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                                   const Entorno& entorno) {
    // Con las bibliotecas de los sanitizadores dentro del programa: sin cargarlas ni
    // reubicarlas en cada ejecución, y con LeakSanitizer, cada una gasta un tercio menos.
    const std::vector<std::string> estaticas =
        conClang(entorno) ? std::vector<std::string>{"-static-libsan"}
                          : std::vector<std::string>{"-static-libasan", "-static-libubsan"};
    return compilar(entorno,
                    unir(unir(unir(unir(banderasVigiladas(), previa(entorno, fuente, "previa.h")),
                                   incluirLista(ejercicio, entorno)),
                              {fuente, "-o", entorno.dentro("vigilado")}),
                         estaticas));
}

nucleo::Resultado compilarFunciones(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                                    const Entorno& entorno) {
    namespace fs = std::filesystem;
    // La solución sola, preprocesada con la cabecera de la sonda delante y su main renombrado:
    // sus macros se quedan en ella.
    // Con la cabecera precompilada (sonda.h e <iostream>), lo preprocesado la nombra en vez de
    // copiarla, y su compilación la carga.
    std::vector<std::string> delante = previa(entorno, fuente, "previa_sonda.h");
    if (delante.empty()) {
        delante = {"-include", entorno.raiz + "/nucleo/sonda.h"};
    } else {
        delante.push_back("-fpch-preprocess");
    }
    nucleo::Resultado r = compilar(
        entorno,
        unir(
            unir(unir(unir(banderasDeFunciones(), {"-E", "-Dmain=ej_main_de_la_entrega"}), delante),
                 incluirLista(ejercicio, entorno)),
            {fuente, "-o", entorno.dentro("solucion.ii")}),
        false);
    if (!r.terminoBien()) return r;
    // Detrás, la sonda del ejercicio tal cual, sin pasar por el preprocesador.
    std::string preprocesado;
    const std::string error =
        leerSinEnlaces(entorno.temporal + "/solucion.ii", kPreprocesadoMaximo, preprocesado);
    if (!error.empty()) {
        r.estado = 1;
        r.salida = "error: " + error + "\n";
        return r;
    }
    std::string pegamento;
    leerSinEnlaces(entorno.raiz + "/" + ejercicio.sonda, kPreprocesadoMaximo, pegamento);
    const std::string nombre = fs::path(ejercicio.sonda).filename().string();
    escribirNuevo(entorno.temporal + "/sonda.ii",
                  preprocesado + "\n# 1 \"" + nombre + "\"\n" + pegamento);
    r = compilar(
        entorno,
        unir(banderasDeFunciones(), {"-x", "c++-cpp-output", "-c", entorno.dentro("sonda.ii"), "-o",
                                     entorno.dentro("alumno.o")}),
        false);
    if (!r.terminoBien()) return r;
    const Resultado listado =
        enLaCarpeta(entorno, "/usr/bin/readelf", {"-sSW", entorno.dentro("alumno.o")});
    const std::string antes = antesQueLaSonda(listado.salida);
    if (!listado.terminoBien() || !antes.empty()) {
        r.estado = 1;
        r.salida = "error: " + (antes.empty() ? "readelf no pudo leer alumno.o" : antes) + "\n";
        return r;
    }
    // El programa de la sonda primero: su servidor arranca antes que la solución.
    std::vector<std::string> argumentos = banderasDeFunciones();
    for (const char* objeto : {"sonda_main.o", "sonda.o"})
        argumentos.push_back(entorno.precompilado + "/" + objeto);
    return compilar(
        entorno, unir(argumentos, {entorno.dentro("alumno.o"), "-o", entorno.dentro("funciones")}));
}

std::string fallaDelComprobador(const nucleo::Resultado& compilacion, const Entorno& entorno) {
    if (compilacion.terminoBien()) return "";
    // Lo que dice la salida se confirma aparte: la salida la puede escribir la entrega (un
    // #error, el nombre de su archivo), y un fallo del comprobador no le quita su veredicto.
    struct statvfs disco {};
    if (statvfs(entorno.temporal.c_str(), &disco) == 0 &&
        static_cast<unsigned long long>(disco.f_bavail) * disco.f_frsize < (16ULL << 20)) {
        return "No queda espacio en el disco de la carpeta temporal (" + entorno.temporal + ").";
    }
    if (compilacion.estado == 126 || compilacion.estado == 127)
        return "No se pudo ejecutar el compilador (" + entorno.compilador + ").";
    for (const std::string& l : nucleo::lineasDe(compilacion.salida)) {
        if (l.rfind("bwrap: ", 0) != 0 || entorno.aislamientoDeCompilacion() == nullptr) continue;
        Opciones o;
        o.limite = std::chrono::seconds(10);
        o.aislamiento = entorno.aislamientoDeCompilacion();
        if (!nucleo::ejecutar("/bin/true", "", o).terminoBien())
            return "El aislamiento no arranca: " + l.substr(7);
        break;
    }
    return "";
}

Comprobacion preparacion(const std::string& id, const std::string& frase) {
    Comprobacion c;
    c.id = id;
    c.frase = frase;
    c.grupo = Grupo::Preparacion;
    c.tipo = Tipo::Compilacion;
    return c;
}

Comprobacion comprobacionDeCompilacion(const std::string& id, const std::string& frase,
                                       const nucleo::Resultado& r, const Entorno& entorno) {
    const std::string propia = fallaDelComprobador(r, entorno);
    if (!propia.empty()) throw ErrorDelComprobador(propia);
    Comprobacion c = preparacion(id, frase);
    c.evidencia.obtenido = r.salida;
    c.tiempo = r.cpu.count() > 0 ? r.cpu : std::chrono::milliseconds(0);
    c.estado = r.terminoBien() ? Estado::Paso : Estado::Fallo;
    if (r.agotado) {
        c.causa = "la compilación no terminó en " + nucleo::segundos(kLimiteDeCompilacion) +
                  " s y se detuvo";
    } else if (r.salidaExcesiva) {
        c.causa = "el compilador escribió más de " + std::to_string(kSalidaDelCompilador >> 20) +
                  " MiB y se detuvo";
    }
    return c;
}

std::vector<std::string> banderasDeFunciones() { return separar(EJ_BANDERAS_FUNCIONES); }

std::vector<std::string> banderasVigiladas() { return separar(EJ_BANDERAS_VIGILADAS); }

}  // namespace comprobador

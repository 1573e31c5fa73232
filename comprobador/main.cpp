// El comprobador de la colección, lo que ejecuta el lanzador para
//   ./ejercicios comprobar NOMBRE [RUTA...] [--junit X] comprueba una o varias soluciones
//   ./ejercicios corregir DESCARGA... [--salida X]      corrige una clase (corregir.h)
// La comprobación compila cada solución (normal, con sanitizadores y con la sonda de sus
// funciones) en una carpeta temporal que se borra al terminar, ejecuta los casos del ejercicio y
// otros sorteados con límites de tiempo, memoria y salida, y escribe un informe en español.
// Estado: 0 si todo lo que pide el ejercicio está bien, 1 si algo falla o no compila, 2 si la
// orden está mal escrita, 3 si falló el propio comprobador (un disco lleno, un aislamiento que
// no arranca): entonces no hay veredicto.
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "aislamiento.h"
#include "catalogo.h"
#ifdef EJ_CORREGIR
#include "corregir.h"
#endif
#include "entregas.h"
#include "informe.h"
#include "lote.h"
#include "practicar.h"
#include "proceso.h"
#include "revision.h"
#include "rutas.h"

namespace fs = std::filesystem;
using namespace comprobador;

namespace {

const std::string kRaiz = EJ_RAIZ;

const char* const kUso =
    "Uso: ./ejercicios comprobar NOMBRE [RUTA...] [--junit ARCHIVO] [--csv ARCHIVO]\n"
    "                            [--json ARCHIVO] [--semilla N] [--sin-aislamiento]\n"
    "       comprueba tu solución (por defecto practica/NOMBRE.cpp) o varias entregas: archivos\n"
    "       .cpp o carpetas de ellos, con un informe de cada una. Cada entrega se compila y se\n"
    "       ejecuta aislada con bubblewrap; --sin-aislamiento lo permite sin él (el informe lo\n"
    "       dice). --junit, --csv y --json escriben además el resultado para otras\n"
    "       herramientas. --semilla repite las entradas sorteadas de otra comprobación.\n"
    "     ./ejercicios corregir DESCARGA... [--salida CARPETA] [--hoja EJERCICIO=HOJA.csv]...\n"
    "       corrige una clase desde las descargas de la plataforma del curso (para quien\n"
    "       corrige; ./ejercicios corregir --ayuda lo explica)\n";

int errorDeUso(const std::string& mensaje) {
    std::cerr << mensaje << "\n";
    return 2;
}

// El ejercicio de ese nombre; si no existe, el mensaje de error con los nombres parecidos.
const nucleo::Ejercicio* ejercicioDe(const std::string& programa, std::string& error) {
    const nucleo::Ejercicio* e = nucleo::buscarEjercicio(programa);
    if (e != nullptr) return e;
    error = "No existe el ejercicio \"" + programa + "\".";
    const std::vector<std::string> parecidos = nucleo::nombresParecidos(programa);
    for (std::size_t i = 0; i < parecidos.size(); ++i) {
        error += (i == 0                      ? " ¿Querías decir "
                  : i + 1 == parecidos.size() ? " o "
                                              : ", ") +
                 parecidos[i];
    }
    if (!parecidos.empty()) error += "?";
    return error += " Los disponibles se ven con " + lanzador(kRaiz), nullptr;
}

bool esTerminal() {
    const char* term = std::getenv("TERM");
    return isatty(STDOUT_FILENO) && std::getenv("NO_COLOR") == nullptr &&
           (term == nullptr || std::string(term) != "dumb");
}

// El ancho de la terminal donde sale el informe, para partir sus líneas largas conservando su
// margen; 0 si no sale a una terminal (un archivo o una tubería reciben las líneas enteras).
std::size_t columnasDeLaTerminal() {
    if (!isatty(STDOUT_FILENO)) return 0;
    winsize ventana{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ventana) == 0 && ventana.ws_col >= 20)
        return ventana.ws_col;
    const char* c = std::getenv("COLUMNS");
    return c != nullptr && std::atoi(c) >= 20 ? static_cast<std::size_t>(std::atoi(c)) : 80;
}

Entorno entornoDeCompilacion() {
    Entorno entorno;
    entorno.compilador = EJ_COMPILADOR;
    entorno.raiz = kRaiz;
    entorno.precompilado = EJ_PRECOMPILADO;
    entorno.lanzadera = EJ_LANZADERA;
    entorno.analizador = EJ_ANALIZADOR;
    entorno.cabecerasDelAnalisis = EJ_CABECERAS_DEL_ANALISIS;
    // Para medir lo que añade el análisis de la técnica (como EJ_TIEMPOS, lo que tarda cada
    // paso): sin él, el informe dice que la técnica no se comprobó.
    if (std::getenv("EJ_SIN_TECNICA") != nullptr) entorno.analizador.clear();
    return entorno;
}

// Un fallo del comprobador, no de las entregas: una línea y el estado 3.
int errorPropio(const std::string& mensaje) {
    std::cerr << "Error del comprobador (no es un fallo de la entrega): " << lineaSegura(mensaje)
              << "\n";
    return 3;
}

int comprobar(const std::vector<std::string>& argumentos) {
    std::string junit, csv, json, semillaDada;
    bool sinAislamiento = false;
    std::vector<std::string> posicionales;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        bool conValor = false;
        for (auto [opcion, destino] : {std::pair<const char*, std::string*>{"--junit", &junit},
                                       {"--csv", &csv},
                                       {"--json", &json},
                                       {"--semilla", &semillaDada}}) {
            bool falta = false;
            if (conValor || !opcionConValor(argumentos, i, opcion, *destino, falta)) continue;
            if (falta)
                return errorDeUso(std::string("Falta el ") +
                                  (destino == &semillaDada ? "número" : "archivo") + " tras " +
                                  opcion + ".");
            conValor = true;
        }
        if (conValor) continue;
        if (a == "--sin-aislamiento") {
            sinAislamiento = true;
        } else if (a == "-h" || a == "--help" || a == "--ayuda") {
            std::cout << kUso;
            return 0;
        } else if (a.size() > 1 && a[0] == '-') {
            return errorDeUso("Opción desconocida: " + a + "\n" + kUso);
        } else {
            posicionales.push_back(a);
        }
    }
    if (posicionales.empty()) {
        return errorDeUso(
            "Uso: ./ejercicios comprobar NOMBRE [RUTA...] [--junit ARCHIVO]\n"
            "Sin RUTA se comprueba practica/NOMBRE.cpp (la que crea ./ejercicios practicar "
            "NOMBRE).");
    }
    std::uint64_t semilla = 0;
    if (!semillaDada.empty()) {
        char* fin = nullptr;
        errno = 0;
        semilla = std::strtoull(semillaDada.c_str(), &fin, 10);
        if (*fin != '\0' || errno != 0 || semillaDada[0] == '-')
            return errorDeUso("La semilla es un número entero sin signo: " +
                              lineaSegura(semillaDada));
    } else {
        std::random_device azar;
        semilla = (static_cast<std::uint64_t>(azar()) << 32 | azar()) % 1000000000ULL;
    }
    const std::string programa = posicionales[0];
    std::string error;
    const nucleo::Ejercicio* ejercicio = ejercicioDe(programa, error);
    if (ejercicio == nullptr) return errorDeUso(error);
    std::vector<std::string> rutas(posicionales.begin() + 1, posicionales.end());
    if (rutas.empty()) {
        const fs::path practica =
            fs::path(kRaiz) / "practica" /
            (ejercicio->forma == nucleo::Forma::Carpeta ? programa : programa + ".cpp");
        if (!fs::exists(fs::symlink_status(practica))) {
            return errorDeUso("No hay solución en " + paraMostrar(practica) +
                              ".\nCrea una con: " + lanzador(kRaiz) + " practicar " + programa +
                              "\no di dónde está: " + lanzador(kRaiz) + " comprobar " + programa +
                              " MI_SOLUCION.cpp");
        }
        rutas.push_back(practica.string());
    }
    std::vector<Entrega> entregas;
    std::vector<std::string> omitidas;
    for (const std::string& r : rutas) {
        if (!entregasDe(*ejercicio, r, entregas, omitidas, error))
            return errorDeUso(lineaSegura(error));
    }
    for (const std::string& o : omitidas) std::cerr << "Se omite " << lineaSegura(o) << ".\n";
    if (posicionales.size() == 1) entregas.front().nombre = paraMostrar(rutas.front());

    // Sin bubblewrap, quien comprueba su propio archivo sigue con un aviso; con varias entregas
    // (las de otros) hace falta pedirlo.
    Entorno entorno = entornoDeCompilacion();
    entorno.semilla = semilla;
    std::string razon;
    entorno.aislar = !sinAislamiento && nucleo::aislamientoDisponible(&razon);
    if (!entorno.aislar && !sinAislamiento) {
        if (entregas.size() > 1) {
            return errorDeUso(razon +
                              "\nCon varias entregas la comprobación solo sigue sin "
                              "aislamiento si se pide: añade --sin-aislamiento.");
        }
        std::cerr << razon << "\n";
    }

    std::string fallo;
    const std::unique_ptr<Taller> taller = Taller::abrir(entorno.aislar, fallo);
    if (taller == nullptr) return errorPropio(fallo);

    Estilo estilo;
    estilo.color = esTerminal();
    const std::size_t columnas = columnasDeLaTerminal();
    // Los informes salen en orden, cada uno en cuanto está.
    const std::size_t n = entregas.size();
    std::vector<Trabajo> trabajos;
    for (const Entrega& e : entregas) trabajos.push_back({ejercicio, e});
    if (n == 1)
        std::cerr << "Compilando y ejecutando los casos de " << programa << " (unos segundos)...\n";
    std::vector<Revision> revisiones;
    fallo = revisarTodas(
        trabajos, entorno, taller->ruta(), revisiones,
        [&](std::size_t i) {
            if (n > 1)
                std::cerr << "[" << i + 1 << "/" << n << "] " << lineaSegura(entregas[i].nombre)
                          << "...\n";
        },
        [&](std::size_t i, const Revision& r) {
            if (i > 0) std::cout << "\n";
            std::ostringstream informe;
            escribirInforme(informe, programa, r, estilo);
            std::cout << envolver(informe.str(), columnas);
            std::cout.flush();
        });
    if (!fallo.empty()) return errorPropio(fallo);
    if (revisiones.size() > 1) {
        std::cout << "\n";
        std::ostringstream resumen;
        escribirResumen(resumen, revisiones, estilo);
        std::cout << envolver(resumen.str(), columnas);
    }
    struct Formato {
        const std::string& archivo;
        bool (*escribir)(const std::string&, const std::string&, const std::vector<Revision>&);
        const char* que;
    };
    for (const Formato& f : {Formato{junit, escribirJUnit, "El informe JUnit"},
                             Formato{csv, escribirCsv, "La tabla CSV"},
                             Formato{json, escribirJson, "El informe JSON"}}) {
        if (f.archivo.empty()) continue;
        if (!f.escribir(f.archivo, programa, revisiones)) {
            std::cerr << "No se pudo escribir " << f.que << " en " << f.archivo << ".\n";
            return 1;
        }
        std::cerr << f.que << " está en " << f.archivo << "\n";
    }
    const bool todas = std::all_of(revisiones.begin(), revisiones.end(),
                                   [](const Revision& r) { return r.aprobada(); });
    return todas ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> argumentos(argv + 1, argv + argc);
    if (argumentos.empty()) return errorDeUso(kUso);
    const std::string orden = argumentos.front();
    argumentos.erase(argumentos.begin());
    if (orden == "comprobar") return comprobar(argumentos);
    if (orden == "corregir") {
#ifdef EJ_CORREGIR
        return corregir(argumentos, entornoDeCompilacion());
#else
        return errorDeUso(
            "Este comprobador se compiló sin libarchive (paquete de Debian libarchive-dev): "
            "instálala y vuelve a compilarlo para tener la orden corregir.");
#endif
    }
    if (orden == "-h" || orden == "--help" || orden == "--ayuda") {
        std::cout << kUso;
        return 0;
    }
    return errorDeUso("Orden desconocida: " + orden);
}

// El comprobador de la colección, lo que ejecuta el lanzador para
//   ./ejercicios practicar NOMBRE                       crea practica/NOMBRE.cpp para empezar
//   ./ejercicios comprobar NOMBRE [RUTA...] [--junit X] comprueba una o varias soluciones
// La comprobación compila cada solución (normal y con sanitizadores) en una carpeta temporal
// que se borra al terminar, ejecuta los casos del ejercicio con límites de tiempo y de salida, y
// escribe un informe en español. Estado: 0 si todo lo que pide el ejercicio está bien, 1 si algo
// falla o no compila, 2 si la orden está mal escrita.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "aislamiento.h"
#include "catalogo.h"
#include "entregas.h"
#include "informe.h"
#include "paralelo.h"
#include "practicar.h"
#include "proceso.h"
#include "revision.h"
#include "rutas.h"

namespace fs = std::filesystem;
using namespace comprobador;

namespace {

const std::string kRaiz = EJ_RAIZ;

const char* const kUso =
    "Uso: ./ejercicios practicar NOMBRE\n"
    "       crea practica/NOMBRE.cpp con el enunciado, para resolverlo\n"
    "     ./ejercicios comprobar NOMBRE [RUTA...] [--junit ARCHIVO] [--csv ARCHIVO]\n"
    "                            [--sin-aislamiento]\n"
    "       comprueba tu solución (por defecto practica/NOMBRE.cpp) o varias entregas: archivos\n"
    "       .cpp o carpetas de ellos, con un informe de cada una. Cada entrega se compila y se\n"
    "       ejecuta aislada con bubblewrap; --sin-aislamiento lo permite sin él (el informe lo\n"
    "       dice). --junit y --csv escriben además el resultado para otras herramientas.\n";

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

int practicar(const std::vector<std::string>& argumentos) {
    if (argumentos.size() != 1) {
        return errorDeUso("Uso: " + lanzador(kRaiz) + " practicar NOMBRE (por ejemplo: " +
                          lanzador(kRaiz) + " practicar ringchain)");
    }
    std::string error;
    const nucleo::Ejercicio* ejercicio = ejercicioDe(argumentos[0], error);
    if (ejercicio == nullptr) return errorDeUso(error);
    return comprobador::practicar(*ejercicio, kRaiz);
}

Entorno entornoDeCompilacion() {
    Entorno entorno;
    entorno.compilador = EJ_COMPILADOR;
    entorno.raiz = kRaiz;
    entorno.gtestIncluir = EJ_GTEST_INCLUIR;
    entorno.gtestBiblioteca = EJ_GTEST_BIBLIOTECA;
    entorno.precompilado = EJ_PRECOMPILADO;
    entorno.lanzadera = EJ_LANZADERA;
    return entorno;
}

// ¿Puede el usuario sin privilegios con que corre el aislamiento llegar hasta esa carpeta?
bool recorriblePorTodos(fs::path carpeta) {
    for (; !carpeta.empty() && carpeta != carpeta.root_path(); carpeta = carpeta.parent_path()) {
        struct stat st {};
        if (stat(carpeta.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) return false;
    }
    return true;
}

int comprobar(const std::vector<std::string>& argumentos) {
    std::string junit, csv;
    bool sinAislamiento = false;
    std::vector<std::string> posicionales;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        if (a == "--junit") {
            if (i + 1 == argumentos.size()) return errorDeUso("Falta el archivo tras --junit.");
            junit = argumentos[++i];
        } else if (a.rfind("--junit=", 0) == 0) {
            junit = a.substr(8);
        } else if (a == "--csv") {
            if (i + 1 == argumentos.size()) return errorDeUso("Falta el archivo tras --csv.");
            csv = argumentos[++i];
        } else if (a.rfind("--csv=", 0) == 0) {
            csv = a.substr(6);
        } else if (a == "--sin-aislamiento") {
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
    const std::string programa = posicionales[0];
    std::string error;
    const nucleo::Ejercicio* ejercicio = ejercicioDe(programa, error);
    if (ejercicio == nullptr) return errorDeUso(error);
    std::vector<std::string> rutas(posicionales.begin() + 1, posicionales.end());
    if (rutas.empty()) {
        const fs::path practica =
            fs::path(kRaiz) / "practica" /
            (ejercicio->forma == nucleo::Forma::Carpeta ? programa : programa + ".cpp");
        if (!fs::exists(practica)) {
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

    // El aislamiento corre como un usuario sin privilegios, que debe poder llegar a la carpeta
    // temporal; si no puede llegar a la de $TMPDIR, se usa /tmp.
    const bool comoRoot = geteuid() == 0;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    nucleo::CarpetaTemporal temporal(
        "comprobar", entorno.aislar && comoRoot && !recorriblePorTodos(base) ? "/tmp" : "");
    if (temporal.ruta().empty()) {
        std::cerr << "No se pudo crear una carpeta temporal en " << base << ".\n";
        return 1;
    }
    if (entorno.aislar)
        fs::permissions(temporal.ruta(), fs::perms::others_exec, fs::perm_options::add, ec);
    nucleo::limpiarAlInterrumpir(temporal.ruta());
    nucleo::adoptarHuerfanos();

    Estilo estilo;
    estilo.color = esTerminal();
    // Con aislamiento, varias entregas a la vez (los procesos de todas se reparten los núcleos:
    // paralelo.h); nada de una sobrevive a su aislamiento. Sin él, de una en una, recogiendo lo
    // que cada una deje atrás antes de empezar la siguiente. Los informes salen en orden.
    const std::size_t n = entregas.size();
    std::vector<Revision> revisiones(n);
    std::vector<bool> hecha(n, false);
    std::mutex cerrojo;
    std::condition_variable terminada;
    if (n == 1)
        std::cerr << "Compilando y ejecutando los casos de " << programa << " (unos segundos)...\n";
    std::thread trabajadores([&] {
        enParalelo(
            n,
            [&](std::size_t i) {
                if (n > 1) {
                    std::lock_guard<std::mutex> g(cerrojo);
                    std::cerr << "[" << i + 1 << "/" << n << "] " << lineaSegura(entregas[i].nombre)
                              << "...\n";
                }
                Entorno propio = entorno;
                propio.temporal = temporal.ruta() + "/" + std::to_string(i + 1);
                std::error_code e;
                fs::create_directories(propio.temporal, e);
                Revision r = revisar(*ejercicio, entregas[i], propio);
                if (!propio.aislar) nucleo::recogerHuerfanos();
                fs::remove_all(propio.temporal, e);
                std::lock_guard<std::mutex> g(cerrojo);
                revisiones[i] = std::move(r);
                hecha[i] = true;
                terminada.notify_all();
            },
            entorno.aislar ? nucleos() : 1);
    });
    for (std::size_t i = 0; i < n; ++i) {
        std::unique_lock<std::mutex> g(cerrojo);
        terminada.wait(g, [&] { return hecha[i]; });
        if (i > 0) std::cout << "\n";
        escribirInforme(std::cout, programa, revisiones[i], estilo);
        std::cout.flush();
    }
    trabajadores.join();
    if (revisiones.size() > 1) {
        std::cout << "\n";
        escribirResumen(std::cout, revisiones, estilo);
    }
    if (!junit.empty()) {
        if (!escribirJUnit(junit, programa, revisiones)) {
            std::cerr << "No se pudo escribir el informe JUnit en " << junit << ".\n";
            return 1;
        }
        std::cerr << "Informe JUnit escrito en " << junit << "\n";
    }
    if (!csv.empty()) {
        if (!escribirCsv(csv, programa, revisiones)) {
            std::cerr << "No se pudo escribir la tabla CSV en " << csv << ".\n";
            return 1;
        }
        std::cerr << "Tabla CSV escrita en " << csv << "\n";
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
    if (orden == "practicar") return practicar(argumentos);
    if (orden == "comprobar") return comprobar(argumentos);
    if (orden == "-h" || orden == "--help" || orden == "--ayuda") {
        std::cout << kUso;
        return 0;
    }
    return errorDeUso("Orden desconocida: " + orden);
}

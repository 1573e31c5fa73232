// El comprobador de la colección, lo que ejecuta el lanzador para
//   ./ejercicios practicar NOMBRE                       crea practica/NOMBRE.cpp para empezar
//   ./ejercicios comprobar NOMBRE [RUTA...] [--junit X] comprueba una o varias soluciones
// La comprobación compila cada solución (normal, con sanitizadores y con la sonda de sus
// funciones) en una carpeta temporal que se borra al terminar, ejecuta los casos del ejercicio y
// otros sorteados con límites de tiempo, memoria y salida, y escribe un informe en español.
// Estado: 0 si todo lo que pide el ejercicio está bien, 1 si algo falla o no compila, 2 si la
// orden está mal escrita, 3 si falló el propio comprobador (un disco lleno, un aislamiento que
// no arranca): entonces no hay veredicto.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <random>
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
    "                            [--json ARCHIVO] [--semilla N] [--sin-aislamiento]\n"
    "       comprueba tu solución (por defecto practica/NOMBRE.cpp) o varias entregas: archivos\n"
    "       .cpp o carpetas de ellos, con un informe de cada una. Cada entrega se compila y se\n"
    "       ejecuta aislada con bubblewrap; --sin-aislamiento lo permite sin él (el informe lo\n"
    "       dice). --junit, --csv y --json escriben además el resultado para otras\n"
    "       herramientas. --semilla repite las entradas sorteadas de otra comprobación.\n";

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
    entorno.precompilado = EJ_PRECOMPILADO;
    entorno.lanzadera = EJ_LANZADERA;
    entorno.analizador = EJ_ANALIZADOR;
    entorno.cabecerasDelAnalisis = EJ_CABECERAS_DEL_ANALISIS;
    return entorno;
}

// Un fallo del comprobador, no de las entregas: una línea y el estado 3.
int errorPropio(const std::string& mensaje) {
    std::cerr << "Error del comprobador (no es un fallo de la entrega): " << lineaSegura(mensaje)
              << "\n";
    return 3;
}

// El nombre del cerrojo que una comprobación tiene tomado mientras usa su carpeta temporal.
const char* const kCerrojo = ".en-uso";

// Las carpetas temporales que dejó una comprobación que ya no está (matada con kill -9, o la
// máquina apagada a medias): las que no tienen el cerrojo tomado. Una sin cerrojo solo si tiene
// más de diez minutos (la que se está creando ahora aún no lo tiene).
void barrerTemporalesHuerfanas(const fs::path& base) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(base, ec)) {
        const std::string nombre = e.path().filename().string();
        if (nombre.rfind("comprobar-", 0) != 0 || !e.is_directory(ec) || e.is_symlink(ec)) continue;
        struct stat st {};
        if (lstat(e.path().c_str(), &st) != 0 || (st.st_uid != geteuid() && geteuid() != 0))
            continue;
        const int fd = open((e.path() / kCerrojo).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        bool libre = false;
        if (fd >= 0) {
            libre = flock(fd, LOCK_EX | LOCK_NB) == 0;
            close(fd);
        } else {
            libre = std::time(nullptr) - st.st_mtime > 600;
        }
        if (libre) fs::remove_all(e.path(), ec);
    }
}

// ¿Puede el usuario sin privilegios con que corre el aislamiento llegar hasta esa carpeta?
bool recorriblePorTodos(fs::path carpeta) {
    for (; !carpeta.empty() && carpeta != carpeta.root_path(); carpeta = carpeta.parent_path()) {
        struct stat st {};
        if (stat(carpeta.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) return false;
    }
    return true;
}

// Lee el valor de una opción («--junit X» o «--junit=X»); false si falta.
bool valorDe(const std::vector<std::string>& argumentos, std::size_t& i, const std::string& opcion,
             std::string& valor) {
    const std::string& a = argumentos[i];
    if (a.rfind(opcion + "=", 0) == 0) {
        valor = a.substr(opcion.size() + 1);
        return true;
    }
    if (i + 1 == argumentos.size()) return false;
    valor = argumentos[++i];
    return true;
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
            if (a != opcion && a.rfind(std::string(opcion) + "=", 0) != 0) continue;
            if (!valorDe(argumentos, i, opcion, *destino))
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

    // El aislamiento corre como un usuario sin privilegios, que debe poder llegar a la carpeta
    // temporal; si no puede llegar a la de $TMPDIR, se usa /tmp.
    const bool comoRoot = geteuid() == 0;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    const std::string donde =
        entorno.aislar && comoRoot && !recorriblePorTodos(base) ? "/tmp" : base.string();
    barrerTemporalesHuerfanas(donde);
    nucleo::CarpetaTemporal temporal("comprobar", donde);
    if (temporal.ruta().empty())
        return errorPropio("No se pudo crear una carpeta temporal en " + donde + ".");
    // El cerrojo dice que esta carpeta está en uso mientras dure la comprobación.
    const int cerrojo = open((temporal.ruta() + "/" + kCerrojo).c_str(),
                             O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (cerrojo < 0 || flock(cerrojo, LOCK_EX | LOCK_NB) != 0)
        return errorPropio("No se pudo escribir en la carpeta temporal " + temporal.ruta() + ".");
    if (entorno.aislar)
        fs::permissions(temporal.ruta(), fs::perms::others_exec, fs::perm_options::add, ec);
    nucleo::limpiarAlInterrumpir(temporal.ruta());
    nucleo::adoptarHuerfanos();

    Estilo estilo;
    estilo.color = esTerminal();
    // Con aislamiento, varias entregas a la vez (los procesos de todas se reparten los núcleos:
    // paralelo.h); nada de una sobrevive a su aislamiento. Sin él, de una en una, recogiendo lo
    // que cada una deje atrás antes de empezar la siguiente. Los informes salen en orden. Un
    // fallo del comprobador para todo: no se empieza ninguna más.
    const std::size_t n = entregas.size();
    std::vector<Revision> revisiones(n);
    std::vector<bool> hecha(n, false);
    std::mutex cerrojoHechas;
    std::condition_variable terminada;
    std::atomic<bool> parar{false};
    if (n == 1)
        std::cerr << "Compilando y ejecutando los casos de " << programa << " (unos segundos)...\n";
    std::thread trabajadores([&] {
        enParalelo(
            n,
            [&](std::size_t i) {
                Revision r;
                r.entrega = entregas[i];
                if (!parar) {
                    if (n > 1) {
                        std::lock_guard<std::mutex> g(cerrojoHechas);
                        std::cerr << "[" << i + 1 << "/" << n << "] "
                                  << lineaSegura(entregas[i].nombre) << "...\n";
                    }
                    Entorno propio = entorno;
                    propio.temporal = temporal.ruta() + "/" + std::to_string(i + 1);
                    std::error_code e;
                    fs::create_directories(propio.temporal, e);
                    if (e) {
                        r.errorPropio =
                            "No se pudo crear " + propio.temporal + ": " + e.message() + ".";
                    } else {
                        r = revisar(*ejercicio, entregas[i], propio);
                    }
                    if (!propio.aislar) nucleo::recogerHuerfanos();
                    fs::remove_all(propio.temporal, e);
                    if (!r.errorPropio.empty()) parar = true;
                }
                std::lock_guard<std::mutex> g(cerrojoHechas);
                revisiones[i] = std::move(r);
                hecha[i] = true;
                terminada.notify_all();
            },
            entorno.aislar ? nucleos() : 1);
    });
    std::string fallo;
    for (std::size_t i = 0; i < n && fallo.empty(); ++i) {
        std::unique_lock<std::mutex> g(cerrojoHechas);
        terminada.wait(g, [&] { return hecha[i]; });
        if (!revisiones[i].errorPropio.empty()) {
            fallo = revisiones[i].errorPropio;
            break;
        }
        if (parar) continue;  // otra falló: a la espera de saber cuál, no se escribe nada
        if (i > 0) std::cout << "\n";
        escribirInforme(std::cout, programa, revisiones[i], estilo);
        std::cout.flush();
    }
    trabajadores.join();
    if (fallo.empty()) {
        for (const Revision& r : revisiones) {
            if (!r.errorPropio.empty()) {
                fallo = r.errorPropio;
                break;
            }
        }
    }
    if (!fallo.empty()) return errorPropio(fallo);
    if (revisiones.size() > 1) {
        std::cout << "\n";
        escribirResumen(std::cout, revisiones, estilo);
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
    if (orden == "practicar") return practicar(argumentos);
    if (orden == "comprobar") return comprobar(argumentos);
    if (orden == "-h" || orden == "--help" || orden == "--ayuda") {
        std::cout << kUso;
        return 0;
    }
    return errorDeUso("Orden desconocida: " + orden);
}

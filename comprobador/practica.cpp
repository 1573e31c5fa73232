// Practicar con los ejercicios: lo que ejecuta el lanzador para
//   ./ejercicios practicar NOMBRE                       crea practica/NOMBRE.cpp para empezar
//   ./ejercicios comprobar NOMBRE [RUTA...] [--junit X] comprueba una o varias soluciones
// La comprobación compila cada solución (normal y con sanitizadores) en una carpeta temporal
// que se borra al terminar, ejecuta los casos del ejercicio con límites de tiempo y de
// salida, y escribe un informe en español. Estado: 0 si todo lo que pide el ejercicio está
// bien, 1 si algo falla o no compila, 2 si la orden está mal escrita.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "casos.h"
#include "catalogo.h"
#include "informe.h"
#include "revision.h"

namespace fs = std::filesystem;
using namespace comprobador;

namespace {

const std::string kRaiz = EJ_RAIZ;

int errorDeUso(const std::string& mensaje) {
    std::cerr << mensaje << "\n";
    return 2;
}

std::string leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

bool escribirSiNoExiste(const fs::path& ruta, const std::string& contenido) {
    if (fs::exists(ruta)) {
        std::cout << "Ya existe " << fs::relative(ruta, kRaiz).string()
                  << ": no se toca, sigue con tu solución.\n";
        return false;
    }
    std::ofstream(ruta, std::ios::binary) << contenido;
    std::cout << "Creado " << fs::relative(ruta, kRaiz).string() << "\n";
    return true;
}

// El enunciado como comentario de bloque (sin "*/" dentro, que lo cerraría antes de tiempo).
std::string comentarioDelEnunciado(const std::string& programa) {
    std::string texto = leer(fs::path(kRaiz) / "enunciados" / (programa + ".md"));
    if (texto.empty()) texto = "Enunciado: enunciados/" + programa + ".md\n";
    for (size_t p = texto.find("*/"); p != std::string::npos; p = texto.find("*/", p)) {
        texto.replace(p, 2, "* /");
    }
    return "/*\n" + texto + (texto.back() == '\n' ? "" : "\n") + "*/\n\n";
}

int practicar(const std::vector<std::string>& argumentos) {
    if (argumentos.size() != 1) {
        return errorDeUso(
            "Uso: ./ejercicios practicar NOMBRE (por ejemplo: ./ejercicios practicar ringchain)");
    }
    const Ficha* ficha = buscarFicha(argumentos[0]);
    if (ficha == nullptr) {
        return errorDeUso("No existe el ejercicio \"" + argumentos[0] +
                          "\". Los disponibles se ven con ./ejercicios");
    }
    const std::string& p = ficha->programa;
    const fs::path practica = fs::path(kRaiz) / "practica";
    const std::string vacio = "int main() {\n    // Tu solución.\n    return 0;\n}\n";
    if (ficha->forma == Forma::Carpeta) {
        const fs::path carpeta = practica / p;
        fs::create_directories(carpeta);
        escribirSiNoExiste(carpeta / "main.cpp",
                           comentarioDelEnunciado(p) + "#include \"Cir.cpp\"\n\n" + vacio);
        escribirSiNoExiste(carpeta / "Cir.h",
                           "// La declaración de la clase Cir (el enunciado está en main.cpp).\n");
        escribirSiNoExiste(carpeta / "Cir.cpp",
                           "// Las funciones miembro de Cir (el enunciado está en main.cpp).\n"
                           "#include \"Cir.h\"\n");
    } else {
        fs::create_directories(practica);
        std::string inicio;
        if (ficha->forma == Forma::ConLista) {
            inicio =
                "// Si escribes tu propio node_list.h junto a este archivo, se usa el tuyo; si "
                "no,\n"
                "// la comprobación usa el de la colección (ejlistas/node_list.h).\n"
                "#include \"node_list.h\"\n\n";
        }
        escribirSiNoExiste(practica / (p + ".cpp"), comentarioDelEnunciado(p) + inicio + vacio);
    }
    std::cout << "El enunciado, con sus dibujos: enunciados/" << p << ".md\n"
              << "Cuando tengas tu solución, compruébala con:\n"
              << "    ./ejercicios comprobar " << p << "\n";
    return 0;
}

// Las entregas que hay en una ruta: un archivo, una carpeta de archivos .cpp o, para el
// ejercicio de varios archivos, una carpeta con main.cpp o una carpeta de esas carpetas.
bool entregasDe(const Ficha& ficha, const std::string& ruta, std::vector<Entrega>& entregas,
                std::string& error) {
    std::error_code ec;
    const fs::path camino = fs::absolute(ruta, ec);
    if (!fs::exists(camino)) {
        error = "No existe " + ruta + ".";
        return false;
    }
    if (ficha.forma == Forma::Carpeta) {
        if (fs::is_regular_file(camino)) {
            entregas.push_back({ruta, camino.string()});
            return true;
        }
        if (fs::exists(camino / "main.cpp")) {
            entregas.push_back({ruta, (camino / "main.cpp").string()});
            return true;
        }
        std::vector<fs::path> carpetas;
        for (const auto& e : fs::directory_iterator(camino)) {
            if (e.is_directory() && fs::exists(e.path() / "main.cpp")) carpetas.push_back(e.path());
        }
        std::sort(carpetas.begin(), carpetas.end());
        for (const fs::path& c : carpetas) {
            entregas.push_back(
                {(fs::path(ruta) / c.filename()).string(), (c / "main.cpp").string()});
        }
        if (carpetas.empty()) {
            error = ruta +
                    " no tiene main.cpp (con Cir.h y Cir.cpp al lado), ni carpetas que lo tengan.";
        }
        return !carpetas.empty();
    }
    if (!fs::is_directory(camino)) {
        entregas.push_back({ruta, camino.string()});
        return true;
    }
    std::vector<fs::path> fuentes;
    for (const auto& e : fs::directory_iterator(camino)) {
        if (e.is_regular_file() && e.path().extension() == ".cpp") fuentes.push_back(e.path());
    }
    std::sort(fuentes.begin(), fuentes.end());
    for (const fs::path& f : fuentes) {
        entregas.push_back({(fs::path(ruta) / f.filename()).string(), f.string()});
    }
    if (fuentes.empty()) error = "En " + ruta + " no hay ningún archivo .cpp.";
    return !fuentes.empty();
}

std::string carpetaTemporal;

void borrarTemporal() {
    if (carpetaTemporal.empty()) return;
    std::error_code ec;
    fs::remove_all(carpetaTemporal, ec);
    carpetaTemporal.clear();
}

// Con Ctrl+C o una señal de terminar, la carpeta temporal no se queda atrás.
void alInterrumpir(int senal) {
    borrarTemporal();
    signal(senal, SIG_DFL);
    raise(senal);
}

// Los procesos que un programa del alumno dejó atrás (hijos que se escaparon de su grupo)
// pasan a ser hijos del comprobador, que es su "recolector": aquí se matan y se recogen.
void recogerHuerfanos() {
    const std::string yo = std::to_string(getpid());
    for (int vuelta = 0; vuelta < 20; ++vuelta) {
        bool quedan = false;
        for (const auto& e : fs::directory_iterator("/proc")) {
            std::string stat = leer(e.path() / "stat");
            size_t cierre = stat.rfind(')');
            if (cierre == std::string::npos) continue;
            std::istringstream campos(stat.substr(cierre + 2));
            std::string estado, padre;
            campos >> estado >> padre;
            if (padre != yo) continue;
            pid_t pid = std::atoi(e.path().filename().c_str());
            kill(pid, SIGKILL);
            quedan = true;
        }
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        if (!quedan) return;
        usleep(10000);
    }
}

bool esTerminal() {
    const char* term = std::getenv("TERM");
    return isatty(STDOUT_FILENO) && std::getenv("NO_COLOR") == nullptr &&
           (term == nullptr || std::string(term) != "dumb");
}

int comprobar(const std::vector<std::string>& argumentos) {
    std::string junit;
    std::vector<std::string> posicionales;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        if (a == "--junit") {
            if (i + 1 == argumentos.size()) return errorDeUso("Falta el archivo tras --junit.");
            junit = argumentos[++i];
        } else if (a.rfind("--junit=", 0) == 0) {
            junit = a.substr(8);
        } else if (a.size() > 1 && a[0] == '-') {
            return errorDeUso("Opción desconocida: " + a +
                              "\nUso: ./ejercicios comprobar NOMBRE [RUTA...] [--junit ARCHIVO]");
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
    const Ficha* ficha = buscarFicha(programa);
    const arnes::Ejercicio* ejercicio = arnes::buscarEjercicio(programa);
    if (ficha == nullptr || ejercicio == nullptr) {
        return errorDeUso("No existe el ejercicio \"" + programa +
                          "\". Los disponibles se ven con ./ejercicios");
    }
    std::vector<std::string> rutas(posicionales.begin() + 1, posicionales.end());
    if (rutas.empty()) {
        fs::path practica = fs::path(kRaiz) / "practica" /
                            (ficha->forma == Forma::Carpeta ? programa : programa + ".cpp");
        if (!fs::exists(practica)) {
            return errorDeUso("No hay solución en " + fs::relative(practica, kRaiz).string() +
                              ".\nCrea una con: ./ejercicios practicar " + programa +
                              "\no di dónde está: ./ejercicios comprobar " + programa +
                              " MI_SOLUCION.cpp");
        }
        rutas.push_back(practica.string());
    }
    std::vector<Entrega> entregas;
    for (const std::string& r : rutas) {
        std::string error;
        if (!entregasDe(*ficha, r, entregas, error)) return errorDeUso(error);
    }
    if (posicionales.size() == 1) {
        entregas.front().nombre = fs::relative(rutas.front(), kRaiz).string();
    }

    Entorno entorno;
    entorno.compilador = EJ_COMPILADOR;
    entorno.raiz = kRaiz;
    entorno.gtestIncluir = EJ_GTEST_INCLUIR;
    entorno.gtestBiblioteca = EJ_GTEST_BIBLIOTECA;
    entorno.gtestMain = EJ_GTEST_MAIN;

    std::string plantilla = (fs::temp_directory_path() / "comprobar-XXXXXX").string();
    if (mkdtemp(plantilla.data()) == nullptr) {
        std::cerr << "No se pudo crear una carpeta temporal en " << fs::temp_directory_path()
                  << ".\n";
        return 1;
    }
    carpetaTemporal = plantilla;
    signal(SIGINT, alInterrumpir);
    signal(SIGTERM, alInterrumpir);
    signal(SIGHUP, alInterrumpir);
    prctl(PR_SET_CHILD_SUBREAPER, 1);

    Estilo estilo;
    estilo.color = esTerminal();
    std::vector<Revision> revisiones;
    for (size_t i = 0; i < entregas.size(); ++i) {
        if (entregas.size() > 1) {
            std::cerr << "[" << i + 1 << "/" << entregas.size() << "] " << entregas[i].nombre
                      << "...\n";
        } else {
            std::cerr << "Compilando y ejecutando los casos de " << programa
                      << " (unos segundos)...\n";
        }
        entorno.temporal = carpetaTemporal + "/" + std::to_string(i + 1);
        fs::create_directories(entorno.temporal);
        revisiones.push_back(revisar(*ficha, *ejercicio, entregas[i], entorno));
        recogerHuerfanos();
        std::error_code ec;
        fs::remove_all(entorno.temporal, ec);
        if (i > 0) std::cout << "\n";
        escribirInforme(std::cout, programa, revisiones.back(), estilo);
    }
    borrarTemporal();
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
    bool todas = std::all_of(revisiones.begin(), revisiones.end(),
                             [](const Revision& r) { return r.aprobada(); });
    return todas ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> argumentos(argv + 1, argv + argc);
    if (argumentos.empty()) {
        return errorDeUso("Uso: practica practicar NOMBRE | practica comprobar NOMBRE [RUTA...]");
    }
    std::string orden = argumentos.front();
    argumentos.erase(argumentos.begin());
    if (orden == "practicar") return practicar(argumentos);
    if (orden == "comprobar") return comprobar(argumentos);
    return errorDeUso("Orden desconocida: " + orden);
}

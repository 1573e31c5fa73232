#include "copia.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

namespace lanzador {

namespace {

// Lo que del repositorio no se copia: los árboles de compilación, las prácticas de quien
// trabaja en él y el historial.
bool seCopia(const std::string& nombre) {
    return nombre != "build" && nombre != "practica" && nombre != ".git" && nombre != ".cache";
}

std::string leerArchivo(const fs::path& ruta) {
    std::ifstream archivo(ruta, std::ios::binary);
    if (!archivo) throw std::runtime_error("No se puede leer " + ruta.string());
    std::ostringstream contenido;
    contenido << archivo.rdbuf();
    return contenido.str();
}

void escribirArchivo(const fs::path& ruta, const std::string& contenido) {
    std::ofstream archivo(ruta, std::ios::binary | std::ios::trunc);
    archivo << contenido;
    if (!archivo.flush()) throw std::runtime_error("No se puede escribir " + ruta.string());
}

std::string pathActual() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "/usr/bin:/bin";
}

fs::path carpetaTemporal() {
    std::string plantilla = (fs::temp_directory_path() / "lanzador-XXXXXX").string();
    if (mkdtemp(plantilla.data()) == nullptr) {
        throw std::runtime_error("No se pudo crear una carpeta temporal: " + plantilla);
    }
    return plantilla;
}

}  // namespace

Copia::Copia(std::string generador, std::string repositorio)
    : carpeta_(carpetaTemporal()),
      repositorio_(std::move(repositorio)),
      generador_(std::move(generador)),
      borrarAlFinal_(true) {
    copiarRepositorio();
    crearEspia();
}

Copia::Copia(const fs::path& carpeta, bool nueva, bool borrarAlFinal, std::string generador,
             std::string repositorio)
    : carpeta_(carpeta),
      repositorio_(std::move(repositorio)),
      generador_(std::move(generador)),
      borrarAlFinal_(borrarAlFinal) {
    if (nueva) fs::remove_all(carpeta_);
    if (!fs::exists(raiz())) copiarRepositorio();
    crearEspia();
}

Copia::~Copia() {
    if (borrarAlFinal_) {
        std::error_code ec;
        fs::remove_all(carpeta_, ec);
    }
}

void Copia::copiarRepositorio() const {
    fs::create_directories(raiz());
    for (const auto& entrada : fs::directory_iterator(EJ_RAIZ)) {
        const std::string nombre = entrada.path().filename().string();
        if (!seCopia(nombre)) continue;
        fs::copy(entrada.path(), raiz() / nombre,
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
}

void Copia::crearEspia() const {
    const fs::path espia = carpeta_ / "espia";
    fs::create_directories(espia);
    escribirArchivo(
        espia / "cmake",
        "#!/bin/sh\n"
        "# cmake espía: anota la llamada y cuánto había escrito ya el lanzador en su\n"
        "# salida de error, y pasa a la cmake verdadera (o falla, con EJ_ESPIA_FALLA).\n"
        "# El lanzador mismo (cmake -P) no es una llamada: pasa sin anotarse.\n"
        "if [ \"$1\" != -P ]; then\n"
        "    printf '%s\\t%s\\n' \"$(wc -c <\"$EJ_ESPIA_ERRORES\")\" \"$*\" "
        ">>\"$EJ_ESPIA_LLAMADAS\"\n"
        "    [ -z \"$EJ_ESPIA_FALLA\" ] || exit 1\n"
        "fi\n"
        "exec '" EJ_CMAKE "' \"$@\"\n");
    fs::permissions(espia / "cmake", fs::perms::owner_all | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec);
}

nucleo::Resultado Copia::lanzar(const std::vector<std::string>& argumentos,
                                const std::string& entrada) const {
    const fs::path espia = carpeta_ / "espia";
    escribirArchivo(espia / "llamadas", "");
    escribirArchivo(espia / "errores", "");
    nucleo::Opciones opciones;
    opciones.limite = std::chrono::seconds(150);
    opciones.entorno = entorno();
    opciones.entorno.insert(opciones.entorno.end(),
                            {"PATH=" + espia.string() + ":" + pathActual(),
                             "EJ_ESPIA_LLAMADAS=" + (espia / "llamadas").string(),
                             "EJ_ESPIA_ERRORES=" + (espia / "errores").string(),
                             std::string("EJ_ESPIA_FALLA=") + (cmakeFalla_ ? "sí" : ""),
                             // Que compile de verdad aunque quien ejecuta las pruebas tenga EJ_BIN.
                             "EJ_BIN="});
    opciones.argumentos = {"-c", "exec \"$0\" \"$@\" 2>\"$EJ_ESPIA_ERRORES\"",
                           (raiz() / "ejercicios").string()};
    // Como un alumno: desde la raíz de la colección.
    opciones.directorio = raiz().string();
    opciones.argumentos.insert(opciones.argumentos.end(), argumentos.begin(), argumentos.end());
    nucleo::Resultado r = nucleo::ejecutar("/bin/sh", entrada, opciones);
    r.errores += leerArchivo(espia / "errores");
    return r;
}

std::vector<LlamadaACmake> Copia::llamadas() const {
    std::vector<LlamadaACmake> resultado;
    for (const std::string& linea : lineas(leerArchivo(carpeta_ / "espia" / "llamadas"))) {
        const size_t tabulador = linea.find('\t');
        LlamadaACmake llamada;
        llamada.erroresPrevios = std::stoul(linea.substr(0, tabulador));
        llamada.argumentos = linea.substr(tabulador + 1);
        resultado.push_back(llamada);
    }
    return resultado;
}

nucleo::Resultado Copia::orden(const std::string& guion,
                               const std::vector<std::string>& parametros) const {
    nucleo::Opciones opciones;
    opciones.limite = std::chrono::seconds(150);
    opciones.unirSalidas = true;
    opciones.entorno = entorno();
    opciones.entorno.push_back("EJ_COPIA_RAIZ=" + raiz().string());
    opciones.argumentos = {"-c", "cd \"$EJ_COPIA_RAIZ\" || exit 99\n" + guion, "sh"};
    opciones.argumentos.insert(opciones.argumentos.end(), parametros.begin(), parametros.end());
    return nucleo::ejecutar("/bin/sh", "", opciones);
}

std::vector<std::string> Copia::entorno() const {
    // El compilador, el mismo de este árbol, para que sus mensajes sean los que esperan las
    // pruebas aunque el sistema tenga otro por defecto.
    return {"CMAKE_GENERATOR=" + generador_, "CXX=" EJ_COMPILADOR, "EJ_PREPARAR=" + preparar_};
}

std::string Copia::leer(const fs::path& relativa) const { return leerArchivo(raiz() / relativa); }

void Copia::escribir(const fs::path& relativa, const std::string& contenido) const {
    // La hora de los archivos avanza a saltos de unos milisegundos: escrito justo después de
    // compilar, un archivo podría tener la misma que los programas y el lanzador no vería el
    // cambio. Se escribe hasta que quede más nuevo que todos ellos.
    fs::file_time_type programas = fs::file_time_type::min();
    std::error_code ec;
    for (const fs::path& carpeta : {bin(), arbol() / "comprobador"}) {
        for (const auto& e : fs::directory_iterator(carpeta, ec)) {
            programas = std::max(programas, fs::last_write_time(e.path(), ec));
        }
    }
    for (int vez = 0;; ++vez) {
        escribirArchivo(raiz() / relativa, contenido);
        if (fs::last_write_time(raiz() / relativa) > programas || vez == 1000) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

Cambio::Cambio(const Copia& copia, fs::path relativa, const std::string& contenido)
    : copia_(copia), relativa_(std::move(relativa)), original_(copia.leer(relativa_)) {
    copia_.escribir(relativa_, contenido);
}

Cambio::~Cambio() {
    try {
        copia_.escribir(relativa_, original_);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
}

std::vector<std::string> lineas(const std::string& texto) {
    std::vector<std::string> resultado;
    std::istringstream flujo(texto);
    for (std::string linea; std::getline(flujo, linea);) resultado.push_back(linea);
    return resultado;
}

std::size_t contar(const std::string& texto, const std::string& trozo) {
    std::size_t n = 0;
    for (size_t p = texto.find(trozo); p != std::string::npos; p = texto.find(trozo, p + 1)) ++n;
    return n;
}

std::vector<std::string> archivos(const fs::path& carpeta) {
    std::vector<std::string> nombres;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(carpeta, ec)) {
        nombres.push_back(e.path().filename().string());
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

}  // namespace lanzador

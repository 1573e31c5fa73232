#include "apoyo.h"

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "catalogo.h"

namespace apoyo {

std::string carpeta(const std::string& programa) {
    return nucleo::buscarEjercicio(programa)->carpeta;
}

std::string solucion(const std::string& programa) {
    const nucleo::Ejercicio& e = *nucleo::buscarEjercicio(programa);
    return e.carpeta + "/solucion" +
           (e.forma == nucleo::Forma::Carpeta ? "" : "/" + programa + ".cpp");
}

std::string conError(const std::string& programa, const std::string& archivo) {
    return carpeta(programa) + "/errores/" + archivo;
}

Temporal::Temporal() {
    std::string plantilla = (fs::temp_directory_path() / "prueba-comprobador-XXXXXX").string();
    ruta = mkdtemp(plantilla.data());
    fs::permissions(ruta, fs::perms::others_exec, fs::perm_options::add);
}

Temporal::~Temporal() {
    std::error_code ec;
    fs::remove_all(ruta, ec);
}

nucleo::Resultado practica(const std::vector<std::string>& argumentos, const fs::path& tmp,
                           const fs::path& desde) {
    nucleo::Opciones o;
    o.argumentos = argumentos;
    o.limite = std::chrono::seconds(240);
    o.entorno = {"TMPDIR=" + tmp.string(), "NO_COLOR=1"};
    o.directorio = desde.string();
    return nucleo::ejecutar(EJ_COMPROBADOR, "", o);
}

std::string ultimaLinea(const std::string& texto) {
    std::string t = texto;
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t.substr(t.rfind('\n') + 1);
}

std::pair<int, int> cuenta(const std::string& salida) {
    std::istringstream ultima(ultimaLinea(salida));
    int bien = -1, total = -2;
    std::string de;
    ultima >> bien >> de >> total;
    return {bien, total};
}

bool vacia(const fs::path& carpeta) { return fs::is_empty(carpeta); }

int procesosDesde(const fs::path& carpeta) {
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::error_code ec;
        const std::string exe = fs::read_symlink(e.path() / "exe", ec).string();
        if (ec) continue;
        if (exe.rfind(carpeta.string(), 0) == 0) {
            ++n;
        } else if (exe.rfind("/tmp/entrega/", 0) == 0) {
            // Si el proceso termina mientras se lee, rdbuf() deja el flujo en error, sin
            // excepción.
            std::ifstream montajes(e.path() / "mountinfo");
            std::ostringstream texto;
            texto << montajes.rdbuf();
            if (texto.str().find(carpeta.string()) != std::string::npos) ++n;
        }
    }
    return n;
}

std::string leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

}  // namespace apoyo

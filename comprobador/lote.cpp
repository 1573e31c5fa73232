#include "lote.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <thread>

#include "paralelo.h"

namespace fs = std::filesystem;

namespace comprobador {

namespace {

// El nombre del cerrojo que una comprobación tiene tomado mientras usa su carpeta temporal.
const char* const kCerrojo = ".en-uso";

// Las carpetas temporales que dejó una comprobación que ya no está: las que no tienen el cerrojo
// tomado. Una sin cerrojo solo si tiene más de diez minutos (la que se está creando ahora aún no
// lo tiene).
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

}  // namespace

std::unique_ptr<Taller> Taller::abrir(bool aislar, std::string& error) {
    std::error_code ec;
    // Un TMPDIR que no existe o no es una carpeta no la deja vacía (la carpeta de trabajo de
    // cada entrega sería entonces relativa, y el aislamiento no la encontraría): /tmp, como
    // cualquier otro programa. Una relativa se completa.
    fs::path base = fs::temp_directory_path(ec);
    base = ec || base.empty() ? fs::path("/tmp") : fs::absolute(base, ec);
    const std::string donde =
        aislar && geteuid() == 0 && !recorriblePorTodos(base) ? "/tmp" : base.string();
    // Lo que la comprobación ejecuta fuera del aislamiento (la respuesta modelo) usa esa misma.
    setenv("TMPDIR", donde.c_str(), 1);
    barrerTemporalesHuerfanas(donde);
    std::unique_ptr<Taller> t(new Taller(donde));
    if (t->ruta().empty()) {
        error = "No se pudo crear una carpeta temporal en " + donde + ".";
        return nullptr;
    }
    t->cerrojo_ = open((t->ruta() + "/" + kCerrojo).c_str(),
                       O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (t->cerrojo_ < 0 || flock(t->cerrojo_, LOCK_EX | LOCK_NB) != 0) {
        error = "No se pudo escribir en la carpeta temporal " + t->ruta() + ".";
        return nullptr;
    }
    if (aislar) fs::permissions(t->ruta(), fs::perms::others_exec, fs::perm_options::add, ec);
    nucleo::limpiarAlInterrumpir(t->ruta());
    nucleo::adoptarHuerfanos();
    return t;
}

Taller::~Taller() {
    if (cerrojo_ >= 0) close(cerrojo_);
}

std::string revisarTodas(const std::vector<Trabajo>& trabajos, const Entorno& entorno,
                         const std::string& temporal, std::vector<Revision>& revisiones,
                         const std::function<void(std::size_t)>& alEmpezar,
                         const std::function<void(std::size_t, const Revision&)>& enOrden) {
    const std::size_t n = trabajos.size();
    revisiones.assign(n, Revision{});
    std::vector<bool> hecha(n, false);
    std::mutex cerrojo;
    std::condition_variable terminada;
    std::atomic<bool> parar{false};
    std::thread trabajadores([&] {
        enParalelo(
            n,
            [&](std::size_t i) {
                Revision r;
                r.entrega = trabajos[i].entrega;
                r.programa = trabajos[i].ejercicio->programa;
                if (!parar) {
                    {
                        std::lock_guard<std::mutex> g(cerrojo);
                        if (alEmpezar) alEmpezar(i);
                    }
                    Entorno propio = entorno;
                    propio.temporal = temporal + "/" + std::to_string(i + 1);
                    std::error_code e;
                    fs::create_directories(propio.temporal, e);
                    if (e) {
                        r.errorPropio =
                            "No se pudo crear " + propio.temporal + ": " + e.message() + ".";
                    } else {
                        r = revisar(*trabajos[i].ejercicio, trabajos[i].entrega, propio);
                    }
                    if (!propio.aislar) nucleo::recogerHuerfanos();
                    fs::remove_all(propio.temporal, e);
                    if (!r.errorPropio.empty()) parar = true;
                }
                std::lock_guard<std::mutex> g(cerrojo);
                revisiones[i] = std::move(r);
                hecha[i] = true;
                terminada.notify_all();
            },
            entorno.aislar ? nucleos() : 1);
    });
    std::string fallo;
    for (std::size_t i = 0; i < n && fallo.empty(); ++i) {
        std::unique_lock<std::mutex> g(cerrojo);
        terminada.wait(g, [&] { return hecha[i]; });
        if (!revisiones[i].errorPropio.empty()) {
            fallo = revisiones[i].errorPropio;
            break;
        }
        if (parar) continue;  // otra falló: a la espera de saber cuál, no se dice nada
        g.unlock();
        if (enOrden) enOrden(i, revisiones[i]);
    }
    trabajadores.join();
    for (std::size_t i = 0; i < n && fallo.empty(); ++i) fallo = revisiones[i].errorPropio;
    return fallo;
}

bool opcionConValor(const std::vector<std::string>& argumentos, std::size_t& i,
                    const std::string& opcion, std::string& valor, bool& falta) {
    const std::string& a = argumentos[i];
    falta = false;
    if (a.rfind(opcion + "=", 0) == 0) {
        valor = a.substr(opcion.size() + 1);
        return true;
    }
    if (a != opcion) return false;
    if (i + 1 == argumentos.size()) {
        falta = true;
        return true;
    }
    valor = argumentos[++i];
    return true;
}

}  // namespace comprobador

#include "aislamiento.h"

#include <fcntl.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace nucleo {

namespace {

std::string nombreDe(const std::string& variable) { return variable.substr(0, variable.find('=')); }

// C.UTF-8 viene con glibc 2.35 o posterior; si no está, C (la salida sigue siendo bytes).
const std::string& localeDentro() {
    static const std::string nombre = [] {
        locale_t l = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (l == static_cast<locale_t>(nullptr)) return std::string("C");
        freelocale(l);
        return std::string("C.UTF-8");
    }();
    return nombre;
}

// /bin, /lib... son enlaces a /usr en los sistemas con /usr fusionado y carpetas en los
// demás: dentro se reproducen igual.
void anadirRaices(std::vector<std::string>& v) {
    for (const char* raiz : {"/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32"}) {
        struct stat st {};
        if (lstat(raiz, &st) != 0) continue;
        if (S_ISLNK(st.st_mode)) {
            char destino[4096];
            ssize_t n = readlink(raiz, destino, sizeof destino - 1);
            if (n <= 0) continue;
            v.insert(v.end(),
                     {"--symlink", std::string(destino, static_cast<std::size_t>(n)), raiz});
        } else if (S_ISDIR(st.st_mode)) {
            v.insert(v.end(), {"--ro-bind", raiz, raiz});
        }
    }
}

bool ponerLimite(int recurso, rlim_t valor) noexcept {
    struct rlimit actual {};
    if (getrlimit(recurso, &actual) != 0) return false;
    // Sin root no se puede subir el máximo; quedarse con el menor también es limitar.
    if (actual.rlim_max != RLIM_INFINITY && actual.rlim_max < valor) valor = actual.rlim_max;
    struct rlimit nuevo {
        valor, valor
    };
    return setrlimit(recurso, &nuevo) == 0;
}

std::vector<char*> punteros(std::vector<std::string>& v) {
    std::vector<char*> p;
    for (std::string& s : v) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

}  // namespace

std::string rutaBwrap() {
    const char* ruta = std::getenv("EJ_BWRAP");
    return ruta != nullptr && *ruta != '\0' ? ruta : "/usr/bin/bwrap";
}

std::string opcionesAsanDeMemoria(std::size_t bytes) {
    const std::string mb = std::to_string(std::max<std::size_t>(1, bytes >> 20));
    // allocator_may_return_null=0: un bloque demasiado grande da un informe con la línea que
    // lo pidió en vez de un bad_alloc sin más.
    return "hard_rss_limit_mb=" + mb + ":max_allocation_size_mb=" + mb +
           ":allocator_may_return_null=0";
}

std::vector<std::string> entornoAislado(const Aislamiento& a) {
    std::vector<std::string> e = {"PATH=/usr/bin:/bin", "LANG=" + localeDentro(),
                                  "LC_ALL=" + localeDentro(),
                                  std::string("HOME=") + kCarpetaDentro};
    for (const std::string& extra : a.entorno) {
        auto igual = std::find_if(e.begin(), e.end(), [&](const std::string& v) {
            return nombreDe(v) == nombreDe(extra);
        });
        if (igual != e.end()) {
            *igual = extra;
        } else {
            e.push_back(extra);
        }
    }
    if (a.sanitizadores) {
        // Al final, para que ninguna opción anterior los afloje.
        const std::string topes = opcionesAsanDeMemoria(a.memoria);
        auto asan = std::find_if(
            e.begin(), e.end(), [](const std::string& v) { return nombreDe(v) == "ASAN_OPTIONS"; });
        if (asan == e.end()) {
            e.push_back("ASAN_OPTIONS=" + topes);
        } else {
            *asan += (asan->back() == '=' ? "" : ":") + topes;
        }
    }
    return e;
}

std::vector<std::string> ordenAislada(const Aislamiento& a, const std::vector<std::string>& orden) {
    const std::string tmp = std::to_string(a.tamanoTmp);
    // --disable-userns: dentro no se pueden crear más espacios de nombres de usuario, que son
    // la puerta de muchos fallos del núcleo. --new-session: sin la terminal de quien aísla.
    std::vector<std::string> v = {
        rutaBwrap(),         "--unshare-all", "--unshare-user", "--disable-userns",
        "--die-with-parent", "--new-session", "--cap-drop",     "ALL",
        "--hostname",        "aislamiento",   "--clearenv"};
    for (const std::string& variable : entornoAislado(a)) {
        const std::size_t igual = variable.find('=');
        v.insert(v.end(), {"--setenv", variable.substr(0, igual), variable.substr(igual + 1)});
    }
    v.insert(v.end(), {"--ro-bind", "/usr", "/usr"});
    anadirRaices(v);
    // Lo único de /etc que usan el cargador y los compiladores (c++ y cc son alternativas).
    v.insert(v.end(), {"--ro-bind-try", "/etc/ld.so.cache", "/etc/ld.so.cache", "--ro-bind-try",
                       "/etc/alternatives", "/etc/alternatives"});
    // /dev y / de solo lectura, y /tmp y /dev/shm con tamaño: si no, llenarlos gastaría la
    // memoria del anfitrión sin que ningún rlimit lo viera.
    v.insert(v.end(), {"--proc", "/proc", "--dev", "/dev", "--size", tmp, "--tmpfs", "/dev/shm",
                       "--remount-ro", "/dev", "--size", tmp, "--tmpfs", "/tmp"});
    if (a.carpeta.empty()) {
        v.insert(v.end(), {"--dir", kCarpetaDentro});
    } else {
        v.insert(v.end(), {"--bind", a.carpeta, kCarpetaDentro});
    }
    for (const std::string& ruta : a.lectura) v.insert(v.end(), {"--ro-bind", ruta, ruta});
    // RLIMIT_NPROC se pone dentro: allí solo cuenta los procesos de este espacio de nombres de
    // usuario; fuera contaría todos los del usuario en la máquina.
    v.insert(v.end(),
             {"--remount-ro", "/", "--chdir", kCarpetaDentro, "--", "/usr/bin/prlimit",
              "--nproc=" + std::to_string(a.procesos) + ":" + std::to_string(a.procesos), "--"});
    v.insert(v.end(), orden.begin(), orden.end());
    return v;
}

bool aplicarLimites(const Aislamiento& a) noexcept {
    if (!a.sanitizadores && !ponerLimite(RLIMIT_AS, a.memoria)) return false;
    if (!ponerLimite(RLIMIT_NOFILE, static_cast<rlim_t>(a.archivosAbiertos)) ||
        !ponerLimite(RLIMIT_FSIZE, a.tamanoArchivo) || !ponerLimite(RLIMIT_CORE, 0)) {
        return false;
    }
    if (geteuid() != 0) return true;
    // Llamadas directas: los envoltorios de glibc avisan a todos los hilos, y tras fork solo
    // queda uno. El gid antes que el uid, que sin root ya no podría cambiarse.
    const gid_t g = a.usuario;
    const uid_t u = a.usuario;
    return syscall(SYS_setgroups, 0, nullptr) == 0 && syscall(SYS_setresgid, g, g, g) == 0 &&
           syscall(SYS_setresuid, u, u, u) == 0;
}

bool cederCarpeta(const Aislamiento& a, std::string* error) {
    if (geteuid() != 0) return true;
    auto fallar = [&](const std::string& ruta, int codigo) {
        if (error != nullptr) {
            *error = "no se pudo ceder " + ruta + " al usuario " + std::to_string(a.usuario) +
                     ": " + std::generic_category().message(codigo);
        }
        return false;
    };
    if (lchown(a.carpeta.c_str(), a.usuario, a.usuario) != 0) return fallar(a.carpeta, errno);
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(a.carpeta, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::string ruta = it->path().string();
        if (lchown(ruta.c_str(), a.usuario, a.usuario) != 0) return fallar(ruta, errno);
    }
    return ec ? fallar(a.carpeta, ec.value()) : true;
}

bool aislamientoDisponible(std::string* razon) {
    auto fallar = [&](const std::string& r) {
        if (razon != nullptr) *razon = r;
        return false;
    };
    const std::string bwrap = rutaBwrap();
    if (access(bwrap.c_str(), X_OK) != 0) {
        return fallar("No está bubblewrap (" + bwrap +
                      "): la comprobación no queda aislada. Instálalo con: sudo apt-get install "
                      "bubblewrap");
    }
    const Aislamiento a;
    std::vector<std::string> argv = ordenAislada(a, {"/bin/true"});
    std::vector<std::string> entorno = entornoAislado(a);
    std::vector<char*> pargv = punteros(argv);
    std::vector<char*> pentorno = punteros(entorno);

    int tubo[2];
    const int nulo = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nulo < 0 || pipe2(tubo, O_CLOEXEC) != 0) {
        if (nulo >= 0) close(nulo);
        return fallar("no se pudo preparar la prueba de bubblewrap");
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(nulo, 0);
        dup2(nulo, 1);
        dup2(tubo[1], 2);
        if (!aplicarLimites(a)) _exit(126);
        execve(pargv[0], pargv.data(), pentorno.data());
        _exit(127);
    }
    close(nulo);
    close(tubo[1]);
    std::string errores;
    if (pid > 0) {
        // Acotado: un bwrap que se cuelga tampoco sirve.
        const auto hasta = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(
                hasta - std::chrono::steady_clock::now());
            pollfd p{tubo[0], POLLIN, 0};
            if (falta.count() <= 0 || poll(&p, 1, static_cast<int>(falta.count())) == 0) {
                kill(pid, SIGKILL);
                errores += "(no terminó en 5 s)";
                break;
            }
            char trozo[512];
            const ssize_t n = read(tubo[0], trozo, sizeof trozo);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            if (errores.size() < 4096) errores.append(trozo, static_cast<std::size_t>(n));
        }
    }
    close(tubo[0]);
    if (pid < 0) return fallar("no se pudo lanzar bubblewrap (fork)");
    int estado = 0;
    while (waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(estado) && WEXITSTATUS(estado) == 0) return true;
    while (!errores.empty() && (errores.back() == '\n' || errores.back() == ' '))
        errores.pop_back();
    if (WIFEXITED(estado) && WEXITSTATUS(estado) == 126) {
        return fallar("no se pudo pasar al usuario " + std::to_string(a.usuario) +
                      " ni poner los límites antes de lanzar bubblewrap");
    }
    std::string r = "bubblewrap (" + bwrap + ") no consigue aislar: " +
                    (errores.empty() ? "terminó mal sin decir nada" : errores);
    if (errores.find("namespace") != std::string::npos ||
        errores.find("uid map") != std::string::npos) {
        r += ". El núcleo no deja crear espacios de nombres de usuario sin privilegios: "
             "actívalos (sysctl kernel.unprivileged_userns_clone=1 o user.max_user_namespaces) "
             "o, en un contenedor, dale permiso para crearlos";
    } else if (errores.find("prlimit") != std::string::npos) {
        r += ". Falta prlimit: sudo apt-get install util-linux";
    }
    return fallar(r);
}

}  // namespace nucleo

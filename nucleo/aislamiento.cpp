#include "aislamiento.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <locale.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
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

// ¿Puede `usuario` (sin grupos extra) recorrer esa carpeta?
bool recorrible(const struct stat& st, unsigned usuario) {
    if (st.st_uid == usuario) return (st.st_mode & S_IXUSR) != 0;
    if (st.st_gid == usuario) return (st.st_mode & S_IXGRP) != 0;
    return (st.st_mode & S_IXOTH) != 0;
}

// Escribe un texto en la salida de error (tras fork: sin reservar memoria).
void decir(const char* texto) noexcept {
    const char* p = texto;
    std::size_t falta = std::strlen(texto);
    while (falta > 0) {
        const ssize_t n = write(2, p, falta);
        if (n <= 0 && errno != EINTR) return;
        if (n > 0) {
            p += n;
            falta -= static_cast<std::size_t>(n);
        }
    }
}

// Abre `ruta` como O_PATH sin seguir ningún enlace (openat2; sin él, al menos no el último).
int abrirSinEnlaces(const char* ruta) noexcept {
    open_how como{};
    como.flags = O_PATH | O_CLOEXEC;
    como.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = syscall(SYS_openat2, AT_FDCWD, ruta, &como, sizeof como);
    if (fd >= 0 || errno != ENOSYS) return static_cast<int>(fd);
    return open(ruta, O_PATH | O_NOFOLLOW | O_CLOEXEC);
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
    std::vector<std::string> e = {
        "PATH=/usr/bin:/bin", "LANG=" + localeDentro(), "LC_ALL=" + localeDentro(),
        std::string("HOME=") + (a.carpetaSoloLectura ? kCarpetaEjecucion : kCarpetaDentro)};
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

OrdenAislada::OrdenAislada(const Aislamiento& a, const std::vector<std::string>& orden)
    : limites_(a) {
    namespace fs = std::filesystem;
    // Como root: lo que `usuario` no alcanza y cómo ponérselo al alcance.
    std::map<std::string, std::string> fuente;  // ruta pedida -> ruta sin enlaces que se monta
    if (geteuid() == 0) {
        std::vector<std::string> rutas = a.lectura;
        if (!a.carpeta.empty()) rutas.push_back(a.carpeta);
        for (const std::string& ruta : rutas) {
            std::error_code ec;
            const fs::path real = fs::canonical(ruta, ec);
            struct stat st {};
            if (ec || stat(real.c_str(), &st) != 0) continue;  // bwrap dirá que no está
            // La primera carpeta de la ruta que `usuario` no puede recorrer.
            fs::path tapa;
            fs::path hasta = "/";
            for (auto parte = std::next(real.begin()); parte != real.end(); ++parte) {
                struct stat carpeta {};
                if (stat(hasta.c_str(), &carpeta) != 0) break;
                if (!recorrible(carpeta, a.usuario)) {
                    tapa = hasta;
                    break;
                }
                hasta /= *parte;
            }
            if (tapa.empty()) continue;
            if (std::find(tapas_.begin(), tapas_.end(), tapa.string()) == tapas_.end()) {
                tapas_.push_back(tapa.string());
            }
            fs::path camino = tapa;
            for (auto parte = std::next(real.begin(), std::distance(tapa.begin(), tapa.end()));
                 std::next(parte) != real.end(); ++parte) {
                camino /= *parte;
                if (std::find(carpetas_.begin(), carpetas_.end(), camino.string()) ==
                    carpetas_.end()) {
                    carpetas_.push_back(camino.string());
                }
            }
            // Una ruta dentro de otra que ya se monta se ve a través de ella.
            const bool dentroDeOtra =
                std::any_of(montajes_.begin(), montajes_.end(), [&](const Montaje& m) {
                    return real.string() == m.ruta || real.string().rfind(m.ruta + "/", 0) == 0;
                });
            if (!dentroDeOtra) montajes_.push_back({real.string(), S_ISDIR(st.st_mode)});
            fuente[ruta] = real.string();
            if (sinMontar_.empty()) {
                sinMontar_ = "El usuario " + std::to_string(a.usuario) + " no puede llegar a " +
                             ruta + " (" + tapa.string() +
                             " está cerrada) y aquí no se le puede montar al alcance (hace falta "
                             "CAP_SYS_ADMIN): pon la colección y la carpeta temporal donde "
                             "pueda recorrerlas.\n";
            }
        }
    }
    const auto origen = [&](const std::string& ruta) {
        auto it = fuente.find(ruta);
        return it == fuente.end() ? ruta : it->second;
    };

    const std::string tmp = std::to_string(a.tamanoTmp);
    // --disable-userns: dentro no se pueden crear más espacios de nombres de usuario, que son
    // la puerta de muchos fallos del núcleo. --new-session: sin la terminal de quien aísla.
    std::vector<std::string>& v = argv_;
    v = {rutaBwrap(),         "--unshare-all", "--unshare-user", "--disable-userns",
         "--die-with-parent", "--new-session", "--cap-drop",     "ALL",
         "--hostname",        "aislamiento",   "--clearenv"};
    for (const std::string& variable : entornoAislado(a)) {
        const std::size_t igual = variable.find('=');
        v.insert(v.end(), {"--setenv", variable.substr(0, igual), variable.substr(igual + 1)});
    }
    v.insert(v.end(), {"--ro-bind", "/usr", "/usr"});
    // Sin la información de depuración aparte de las bibliotecas del sistema (libc6-dbg): el
    // informe de un sanitizador la leería entera para poner línea a los marcos de libc, que no
    // dicen nada al alumno, y cada informe costaría cuatro veces más.
    std::error_code sinDepuracion;
    if (std::filesystem::is_directory("/usr/lib/debug", sinDepuracion))
        v.insert(v.end(),
                 {"--size", "4096", "--tmpfs", "/usr/lib/debug", "--remount-ro", "/usr/lib/debug"});
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
        v.insert(v.end(), {a.carpetaSoloLectura ? "--ro-bind" : "--bind", origen(a.carpeta),
                           kCarpetaDentro});
    }
    if (a.carpetaSoloLectura) {
        // Lo único escribible de /tmp: la carpeta de trabajo, con su propio tope.
        v.insert(v.end(), {"--size", tmp, "--tmpfs", kCarpetaEjecucion});
    }
    for (const std::string& ruta : a.lectura) {
        v.insert(v.end(), {"--ro-bind", origen(ruta), ruta});
    }
    if (a.carpetaSoloLectura) v.insert(v.end(), {"--remount-ro", "/tmp"});
    // RLIMIT_NPROC se pone dentro: allí solo cuenta los procesos de este espacio de nombres de
    // usuario; fuera contaría todos los del usuario en la máquina.
    v.insert(v.end(),
             {"--remount-ro", "/", "--chdir",
              a.carpetaSoloLectura ? kCarpetaEjecucion : kCarpetaDentro, "--", "/usr/bin/prlimit",
              "--nproc=" + std::to_string(a.procesos) + ":" + std::to_string(a.procesos), "--"});
    v.insert(v.end(), orden.begin(), orden.end());
}

bool OrdenAislada::prepararHijo() const noexcept {
    if (!montajes_.empty()) {
        // Un espacio de montaje solo para este hijo (y el bwrap que lance), que no propaga nada
        // fuera.
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            decir(sinMontar_.c_str());
            return false;
        }
        // Se abren antes de taparlas: después, el tmpfs las oculta.
        constexpr std::size_t kMaximo = 64;
        int fds[kMaximo];
        const std::size_t n = std::min(montajes_.size(), kMaximo);
        for (std::size_t i = 0; i < n; ++i) {
            fds[i] = abrirSinEnlaces(montajes_[i].ruta.c_str());
            if (fds[i] < 0) {
                decir("No se pudo abrir ");
                decir(montajes_[i].ruta.c_str());
                decir("\n");
                return false;
            }
        }
        for (const std::string& tapa : tapas_) {
            if (mount("tmpfs", tapa.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "mode=0755,size=1m") !=
                0) {
                decir(sinMontar_.c_str());
                return false;
            }
        }
        for (const std::string& carpeta : carpetas_) {
            mkdir(carpeta.c_str(), 0755);
            chmod(carpeta.c_str(), 0755);
        }
        for (std::size_t i = 0; i < n; ++i) {
            const char* ruta = montajes_[i].ruta.c_str();
            if (montajes_[i].carpeta) {
                mkdir(ruta, 0755);
            } else {
                const int vacio = open(ruta, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                if (vacio >= 0) close(vacio);
            }
            // "/proc/self/fd/N", sin reservar memoria.
            char desde[32] = "/proc/self/fd/";
            char cifras[12];
            int k = 0;
            for (int fd = fds[i]; k == 0 || fd > 0; fd /= 10)
                cifras[k++] = static_cast<char>('0' + fd % 10);
            std::size_t largo = std::strlen(desde);
            while (k > 0) desde[largo++] = cifras[--k];
            desde[largo] = '\0';
            if (mount(desde, ruta, nullptr, MS_BIND | MS_REC, nullptr) != 0) {
                decir("No se pudo montar ");
                decir(montajes_[i].ruta.c_str());
                decir("\n");
                return false;
            }
            close(fds[i]);
        }
    }
    return aplicarLimites(limites_);
}

std::vector<std::string> ordenAislada(const Aislamiento& a, const std::vector<std::string>& orden) {
    return OrdenAislada(a, orden).argv();
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
#ifndef EJ_SECCOMP
    return fallar(
        "El núcleo se compiló sin libseccomp: la lanzadera no puede contar las llamadas a cls "
        "sin que el programa las falsee, así que no se aísla. Instálala (sudo apt-get install "
        "libseccomp-dev) y vuelve a compilar");
#endif
    const Aislamiento a;
    const OrdenAislada orden(a, {"/bin/true"});
    std::vector<std::string> argv = orden.argv();
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
        if (!orden.prepararHijo()) _exit(126);
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

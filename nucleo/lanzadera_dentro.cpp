// La lanzadera: corre dentro del aislamiento de una entrega y lanza allí los programas que le
// pide el comprobador, sin un bwrap nuevo para cada uno. Habla con él por el descriptor 3, un
// socket (lanzadera.h dice qué mensajes). Cada programa lo vigila un guardián propio: recibe
// sus tres flujos, pone su límite de memoria, lo lanza en un grupo de procesos propio, lo mata
// si el comprobador se lo pide (SIGTERM al guardián), y cuando el programa termina mata todo lo
// que dejó en marcha (también lo que se escapó a otra sesión: el guardián adopta los
// huérfanos) antes de decir cómo terminó. Cuando el comprobador cierra el socket, la lanzadera
// termina, y con ella todo el aislamiento.
//
// El programa no puede tocar a su guardián ni a la lanzadera: dentro todos los procesos tienen
// el mismo usuario y ninguno capacidades, así que lo que los separa es que la lanzadera no se
// deja depurar (PR_SET_DUMPABLE a 0, que sus guardianes heredan al nacer con fork). A un proceso
// así no se le puede seguir con ptrace ni leer o escribir su memoria (/proc/<pid>/mem,
// process_vm_readv) ni sacarle un descriptor (pidfd_getfd): todo eso pide permiso de depurarlo.
// Sin eso, el programa se llevaba el socket de su guardián y avisaba de que había terminado
// bien. Ni otro usuario (dentro solo hay uno: sin privilegios, bwrap no puede dar más) ni un
// filtro seccomp (habría que prohibir al programa cada una de esas llamadas, y las que vengan)
// lo logran tan sencillo. El programa, al hacer execve, vuelve a ser depurable: solo para él.
//
// Con kContarCls, el guardián cuenta las llamadas a cls del programa y de lo que lance: antes
// de execve le pone un filtro seccomp (libseccomp) que le pasa a él cada execve y execveat, que
// heredan todos sus descendientes, mira la ruta y deja seguir la llamada. system("cls") es un
// execve de /bin/sh y otro de cls: cuenta uno. El programa no puede tocar esa cuenta.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef EJ_SECCOMP
#include <seccomp.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "aislamiento.h"
#include "lanzadera.h"

namespace {

using nucleo::lanzadera::Aviso;
using nucleo::lanzadera::kSocket;
using nucleo::lanzadera::Peticion;

// Donde cada ejecución con kCarpetaPropia tiene la suya (con carpetaSoloLectura, lo único
// escribible de /tmp).
constexpr const char* kEjecuciones = nucleo::kCarpetaEjecucion;
// Lo que espera un guardián el visto bueno del comprobador.
constexpr int kEsperaVistoBueno = 10000;

void avisar(std::uint32_t tipo, std::uint32_t id, std::int32_t estado, std::int64_t cpu,
            std::int32_t llamadasCls = -1) {
    Aviso a{tipo, id, estado, llamadasCls, cpu};
    while (send(kSocket, &a, sizeof a, MSG_NOSIGNAL) < 0 && errno == EINTR) {
    }
}

// Los hijos de este proceso (tiene un solo hilo).
std::vector<pid_t> hijos() {
    std::vector<pid_t> r;
    const std::string yo = std::to_string(getpid());
    std::ifstream lista("/proc/" + yo + "/task/" + yo + "/children");
    for (pid_t p; lista >> p;) r.push_back(p);
    return r;
}

// Recoge y mata lo que quede entre los hijos (los huérfanos adoptados), hasta que no quede nada.
void vaciar() {
    for (int vuelta = 0; vuelta < 200; ++vuelta) {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        bool quedan = false;
        for (pid_t p : hijos()) {
            kill(p, SIGKILL);
            quedan = true;
        }
        if (!quedan) return;
        usleep(1000);
    }
}

// Borra la carpeta de una ejecución, también lo que el programa dejó sin permisos.
void borrarCarpeta(const std::string& carpeta) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::remove_all(carpeta, ec);
    if (!ec) return;
    for (auto it = fs::recursive_directory_iterator(
             carpeta, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) chmod(it->path().c_str(), 0700);
    }
    chmod(carpeta.c_str(), 0700);
    fs::remove_all(carpeta, ec);
}

#ifdef EJ_SECCOMP
// Una cadena de la memoria de otro proceso (hasta 4 KiB), por trozos que no pasan de una página.
bool leerCadena(pid_t pid, std::uint64_t direccion, std::string& cadena) {
    cadena.clear();
    const std::uint64_t pagina = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    char trozo[4096];
    while (cadena.size() < 4096) {
        const std::size_t n = std::min<std::uint64_t>(sizeof trozo, pagina - direccion % pagina);
        iovec local{trozo, n};
        iovec remoto{reinterpret_cast<void*>(direccion), n};
        if (process_vm_readv(pid, &local, 1, &remoto, 1, 0) != static_cast<ssize_t>(n)) {
            return false;
        }
        const char* fin = static_cast<const char*>(std::memchr(trozo, '\0', n));
        cadena.append(trozo, fin != nullptr ? static_cast<std::size_t>(fin - trozo) : n);
        if (fin != nullptr) return true;
        direccion += n;
    }
    return false;
}

// Cuenta las llamadas a cls que le llegan al guardián por el filtro.
class Vigia {
   public:
    // Lo que hace el hijo antes de execve: el filtro, y su descriptor a `socket`.
    static bool filtrar(int socket) {
        scmp_filter_ctx ctx = seccomp_init(SCMP_ACT_ALLOW);
        bool bien = ctx != nullptr &&
                    seccomp_rule_add(ctx, SCMP_ACT_NOTIFY, SCMP_SYS(execve), 0) == 0 &&
                    seccomp_rule_add(ctx, SCMP_ACT_NOTIFY, SCMP_SYS(execveat), 0) == 0 &&
                    seccomp_load(ctx) == 0;
        const int fd = bien ? seccomp_notify_fd(ctx) : -1;
        if (ctx != nullptr) seccomp_release(ctx);
        if (fd < 0) return false;
        char x = 0;
        iovec parte{&x, 1};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
        msghdr m{};
        m.msg_iov = &parte;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&m);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(c), &fd, sizeof fd);
        bien = sendmsg(socket, &m, MSG_NOSIGNAL) == 1;
        close(fd);
        return bien;
    }
    // El descriptor que envió el hijo (-1 si murió antes).
    static int recibir(int socket) {
        char x;
        iovec parte{&x, 1};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
        msghdr m{};
        m.msg_iov = &parte;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        ssize_t n;
        while ((n = recvmsg(socket, &m, MSG_CMSG_CLOEXEC)) < 0 && errno == EINTR) {
        }
        cmsghdr* c = CMSG_FIRSTHDR(&m);
        if (n != 1 || c == nullptr || c->cmsg_type != SCM_RIGHTS) return -1;
        int fd;
        std::memcpy(&fd, CMSG_DATA(c), sizeof fd);
        return fd;
    }

    // Atiende un execve: lo cuenta si es de cls y lo deja seguir. false si el filtro ya no
    // tiene a nadie.
    bool atender(int fd) {
        seccomp_notif* pedido = nullptr;
        seccomp_notif_resp* respuesta = nullptr;
        if (seccomp_notify_alloc(&pedido, &respuesta) != 0) return false;
        const bool recibido = seccomp_notify_receive(fd, pedido) == 0;
        const int error = errno;
        if (recibido) {
            // El primero es el execve del propio programa.
            if (!primero_ && esCls(fd, *pedido)) ++llamadas_;
            primero_ = false;
            respuesta->id = pedido->id;
            respuesta->val = 0;
            respuesta->error = 0;
            respuesta->flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
            seccomp_notify_respond(fd, respuesta);
        }
        seccomp_notify_free(pedido, respuesta);
        // ENOENT: el proceso murió entre tanto.
        return recibido || error == ENOENT || error == EINTR;
    }
    int llamadas() const { return llamadas_; }

   private:
    // ¿Ejecuta un archivo que existe y se llama cls? La ruta se lee de la memoria del proceso y
    // solo vale si la llamada sigue pendiente después (el proceso no murió y su pid no es ya de
    // otro). Lo que falla al buscar en PATH (un execve por carpeta) no cuenta.
    static bool esCls(int fd, const seccomp_notif& p) {
        const bool enCarpeta = p.data.nr == SCMP_SYS(execveat);
        std::string ruta;
        if (!leerCadena(static_cast<pid_t>(p.pid), p.data.args[enCarpeta ? 1 : 0], ruta) ||
            seccomp_notify_id_valid(fd, p.id) != 0) {
            return false;
        }
        const std::size_t barra = ruta.rfind('/');
        if (ruta.substr(barra == std::string::npos ? 0 : barra + 1) != "cls") return false;
        const std::string proceso = "/proc/" + std::to_string(p.pid);
        if (ruta.front() != '/') {
            const int carpeta = static_cast<int>(p.data.args[0]);
            ruta = proceso +
                   (enCarpeta && carpeta != AT_FDCWD ? "/fd/" + std::to_string(carpeta) : "/cwd") +
                   "/" + ruta;
        }
        return access(ruta.c_str(), X_OK) == 0;
    }

    bool primero_ = true;
    int llamadas_ = 0;
};
#endif

// El guardián de una ejecución: no vuelve. flujos[3] es la tubería del visto bueno.
[[noreturn]] void guardar(const Peticion& p, const int flujos[4], std::vector<char*>& argv,
                          std::vector<std::string>& entorno) {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    sigset_t senales;
    sigemptyset(&senales);
    sigaddset(&senales, SIGTERM);
    sigaddset(&senales, SIGCHLD);
    sigset_t antes;
    sigprocmask(SIG_BLOCK, &senales, &antes);
    // Con este mensaje el comprobador sabe el número de este guardián fuera del aislamiento
    // (el núcleo lo traduce en las credenciales del socket); hasta que lo acepta no se lanza nada.
    avisar(nucleo::lanzadera::kEmpezado, p.id, 0, 0);
    pollfd espera{flujos[3], POLLIN, 0};
    char si = 0;
    if (poll(&espera, 1, kEsperaVistoBueno) != 1 || read(flujos[3], &si, 1) != 1) _exit(0);
    close(flujos[3]);

    std::string carpeta;
    if ((p.opciones & nucleo::lanzadera::kCarpetaPropia) != 0) {
        mkdir(kEjecuciones, 0700);
        std::string plantilla = std::string(kEjecuciones) + "/" + std::to_string(p.id) + "-XXXXXX";
        if (mkdtemp(plantilla.data()) == nullptr) {
            avisar(nucleo::lanzadera::kTerminado, p.id, 126 << 8, 0);
            _exit(0);
        }
        carpeta = plantilla;
        entorno.erase(std::remove_if(entorno.begin(), entorno.end(),
                                     [](const std::string& v) {
                                         return v.rfind("HOME=", 0) == 0 || v.rfind("PWD=", 0) == 0;
                                     }),
                      entorno.end());
        entorno.push_back("HOME=" + carpeta);
        entorno.push_back("PWD=" + carpeta);
    }
    std::vector<char*> envp;
    for (std::string& v : entorno) envp.push_back(v.data());
    envp.push_back(nullptr);

#ifdef EJ_SECCOMP
    int par[2] = {-1, -1};
    bool contar = (p.opciones & nucleo::lanzadera::kContarCls) != 0 &&
                  socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, par) == 0;
#endif
    const pid_t hijo = fork();
    if (hijo == 0) {
        // La máscara de señales pasa por execve: el programa recibe la de siempre.
        sigprocmask(SIG_SETMASK, &antes, nullptr);
        setpgid(0, 0);
        for (int i = 0; i < 3; ++i) dup2(flujos[i], i);
        if (!carpeta.empty() && chdir(carpeta.c_str()) != 0) _exit(126);
#ifdef EJ_SECCOMP
        if (contar && !Vigia::filtrar(par[1])) _exit(126);
#endif
        syscall(SYS_close_range, 3U, ~0U, 0U);
        if (p.memoria > 0) {
            const rlimit tope{static_cast<rlim_t>(p.memoria), static_cast<rlim_t>(p.memoria)};
            if (setrlimit(RLIMIT_AS, &tope) != 0) _exit(126);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    for (int i = 0; i < 3; ++i) close(flujos[i]);
    if (hijo < 0) {
        avisar(nucleo::lanzadera::kTerminado, p.id, 127 << 8, 0);
        _exit(0);
    }
    int aviso = -1;
#ifdef EJ_SECCOMP
    Vigia vigia;
    if (contar) {
        close(par[1]);
        aviso = Vigia::recibir(par[0]);
        close(par[0]);
        // Sin el filtro (el hijo murió antes de ponerlo), no se contó nada.
        contar = aviso >= 0;
    }
#endif
    const int fd = signalfd(-1, &senales, SFD_CLOEXEC);
    int estado = 0;
    rusage uso{};
    for (;;) {
        const pid_t r = wait4(hijo, &estado, WNOHANG, &uso);
        if (r == hijo || (r < 0 && errno != EINTR)) break;
        pollfd listos[2] = {{fd, POLLIN, 0}, {aviso, POLLIN, 0}};
        if (poll(listos, aviso >= 0 ? 2 : 1, -1) < 0) {
            if (errno != EINTR) usleep(1000);
            continue;
        }
#ifdef EJ_SECCOMP
        if (aviso >= 0 && (listos[1].revents & POLLIN) != 0 && !vigia.atender(aviso)) {
            close(aviso);
            aviso = -1;
        } else if (aviso >= 0 && (listos[1].revents & (POLLHUP | POLLERR)) != 0) {
            // Nadie lleva ya el filtro.
            close(aviso);
            aviso = -1;
        }
#endif
        if ((listos[0].revents & POLLIN) == 0) continue;
        signalfd_siginfo info{};
        if (read(fd, &info, sizeof info) == sizeof info && info.ssi_signo == SIGTERM) {
            kill(-hijo, SIGKILL);
            kill(hijo, SIGKILL);
        }
    }
    kill(-hijo, SIGKILL);
    vaciar();
    if (aviso >= 0) close(aviso);
    if (!carpeta.empty()) borrarCarpeta(carpeta);
    const auto ms = [](const timeval& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_usec / 1000;
    };
    int llamadas = -1;  // sin libseccomp, no se cuentan
#ifdef EJ_SECCOMP
    if (contar) llamadas = vigia.llamadas();
#endif
    avisar(nucleo::lanzadera::kTerminado, p.id, estado, ms(uso.ru_utime) + ms(uso.ru_stime),
           llamadas);
    _exit(0);
}

// Separa "a\0b\0\0c\0d\0" en {a, b} y {c, d}.
bool separar(const char* datos, std::size_t n, std::vector<std::string>& argv,
             std::vector<std::string>& envp) {
    std::vector<std::string>* destino = &argv;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t fin = std::string(datos + i, n - i).find('\0');
        if (fin == std::string::npos) return false;
        if (fin == 0) {
            if (destino == &envp) return false;
            destino = &envp;
        } else {
            destino->emplace_back(datos + i, fin);
        }
        i += fin + 1;
    }
    return !argv.empty();
}

}  // namespace

int main() {
    // Ni la lanzadera ni sus guardianes (que lo heredan) se dejan depurar: ver arriba.
    if (prctl(PR_SET_DUMPABLE, 0) != 0) return 1;
    // Si un guardián muere antes de tiempo (lo mató su propio programa), lo que lanzó viene aquí.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    // Lo primero que recibe el comprobador: así sabe el pid de la lanzadera.
    avisar(nucleo::lanzadera::kLanzadera, 0, 0, 0);
    std::map<pid_t, std::uint32_t> guardianes;
    std::vector<char> datos(nucleo::lanzadera::kTamanoMaximo);
    for (;;) {
        pollfd espera{kSocket, POLLIN, 0};
        poll(&espera, 1, 100);
        // Los guardianes que terminaron; uno que no pudo avisar, lo dice la lanzadera.
        for (int estado;;) {
            const pid_t g = waitpid(-1, &estado, WNOHANG);
            if (g <= 0) break;
            auto it = guardianes.find(g);
            if (it == guardianes.end()) continue;
            if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
                avisar(nucleo::lanzadera::kTerminado, it->second, SIGKILL, 0);
            }
            guardianes.erase(it);
        }
        // Lo que no es un guardián es un huérfano adoptado: no le toca seguir.
        for (pid_t h : hijos()) {
            if (guardianes.count(h) == 0) kill(h, SIGKILL);
        }
        if ((espera.revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;

        Peticion p{};
        iovec partes[2] = {{&p, sizeof p}, {datos.data(), datos.size()}};
        alignas(cmsghdr) char control[CMSG_SPACE(4 * sizeof(int))];
        msghdr m{};
        m.msg_iov = partes;
        m.msg_iovlen = 2;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(kSocket, &m, MSG_CMSG_CLOEXEC);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) break;
        if (n < 0) continue;
        int flujos[4] = {-1, -1, -1, -1};
        int recibidos = 0;
        for (cmsghdr* c = CMSG_FIRSTHDR(&m); c != nullptr; c = CMSG_NXTHDR(&m, c)) {
            if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS) continue;
            recibidos = static_cast<int>((c->cmsg_len - CMSG_LEN(0)) / sizeof(int));
            std::memcpy(flujos, CMSG_DATA(c), sizeof(int) * std::min(recibidos, 4));
        }
        std::vector<std::string> argv, envp;
        const bool bien = static_cast<std::size_t>(n) >= sizeof p && recibidos == 4 &&
                          separar(datos.data(), static_cast<std::size_t>(n) - sizeof p, argv, envp);
        if (!bien) {
            for (int i = 0; i < std::min(recibidos, 4); ++i) close(flujos[i]);
            avisar(nucleo::lanzadera::kTerminado, p.id, 127 << 8, 0);
            continue;
        }
        std::vector<char*> pargv;
        for (std::string& a : argv) pargv.push_back(a.data());
        pargv.push_back(nullptr);
        const pid_t g = fork();
        if (g == 0) guardar(p, flujos, pargv, envp);
        for (int i = 0; i < 4; ++i) close(flujos[i]);
        if (g < 0) {
            avisar(nucleo::lanzadera::kTerminado, p.id, 127 << 8, 0);
        } else {
            guardianes[g] = p.id;
        }
    }
    // El comprobador cerró: nada de lo lanzado sigue.
    for (const auto& [g, id] : guardianes) kill(g, SIGTERM);
    vaciar();
    return 0;
}

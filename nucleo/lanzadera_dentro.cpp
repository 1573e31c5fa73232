// La lanzadera: corre dentro del aislamiento de una entrega y lanza allí los programas que le
// pide el comprobador, sin un bwrap nuevo para cada uno. Habla con él por el descriptor 3, un
// socket (lanzadera.h dice qué mensajes). Cada programa lo vigila un guardián propio: recibe
// sus tres flujos, pone su límite de memoria, lo lanza en un grupo de procesos propio, lo mata
// si el comprobador se lo pide (SIGTERM al guardián), y cuando el programa termina mata todo lo
// que dejó en marcha (también lo que se escapó a otra sesión: el guardián adopta los
// huérfanos) antes de decir cómo terminó. Cuando el comprobador cierra el socket, la lanzadera
// termina, y con ella todo el aislamiento.
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "lanzadera.h"

namespace {

using nucleo::lanzadera::Aviso;
using nucleo::lanzadera::kSocket;
using nucleo::lanzadera::Peticion;

void avisar(std::uint32_t tipo, std::uint32_t id, std::int32_t estado, std::int64_t cpu) {
    Aviso a{tipo, id, estado, cpu};
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
void vaciar(const std::map<pid_t, std::uint32_t>* respetar = nullptr) {
    for (int vuelta = 0; vuelta < 200; ++vuelta) {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        bool quedan = false;
        for (pid_t p : hijos()) {
            if (respetar != nullptr && respetar->count(p) != 0) continue;
            kill(p, SIGKILL);
            quedan = true;
        }
        if (!quedan) return;
        usleep(1000);
    }
}

// El guardián de una ejecución: no vuelve.
[[noreturn]] void guardar(const Peticion& p, const int flujos[3], std::vector<char*>& argv,
                          std::vector<char*>& envp) {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    sigset_t senales;
    sigemptyset(&senales);
    sigaddset(&senales, SIGTERM);
    sigaddset(&senales, SIGCHLD);
    sigset_t antes;
    sigprocmask(SIG_BLOCK, &senales, &antes);
    const pid_t hijo = fork();
    if (hijo == 0) {
        // La máscara de señales pasa por execve: el programa recibe la de siempre.
        sigprocmask(SIG_SETMASK, &antes, nullptr);
        setpgid(0, 0);
        for (int i = 0; i < 3; ++i) dup2(flujos[i], i);
        syscall(SYS_close_range, 3U, ~0U, 0U);
        if (p.memoria > 0) {
            const rlimit tope{static_cast<rlim_t>(p.memoria), static_cast<rlim_t>(p.memoria)};
            if (setrlimit(RLIMIT_AS, &tope) != 0) _exit(126);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    for (int i = 0; i < 3; ++i) close(flujos[i]);
    // Con este mensaje el comprobador sabe el número de este guardián fuera del aislamiento
    // (el núcleo lo traduce en las credenciales del socket).
    avisar(nucleo::lanzadera::kEmpezado, p.id, 0, 0);
    if (hijo < 0) {
        avisar(nucleo::lanzadera::kTerminado, p.id, 127 << 8, 0);
        _exit(0);
    }
    const int fd = signalfd(-1, &senales, SFD_CLOEXEC);
    int estado = 0;
    rusage uso{};
    for (;;) {
        const pid_t r = wait4(hijo, &estado, WNOHANG, &uso);
        if (r == hijo || (r < 0 && errno != EINTR)) break;
        signalfd_siginfo info{};
        if (read(fd, &info, sizeof info) != sizeof info) {
            if (errno != EINTR) usleep(1000);
            continue;
        }
        if (info.ssi_signo == SIGTERM) {
            kill(-hijo, SIGKILL);
            kill(hijo, SIGKILL);
        }
    }
    kill(-hijo, SIGKILL);
    vaciar();
    const auto ms = [](const timeval& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_usec / 1000;
    };
    avisar(nucleo::lanzadera::kTerminado, p.id, estado, ms(uso.ru_utime) + ms(uso.ru_stime));
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
    // Si un guardián muere antes de tiempo (lo mató su propio programa), lo que lanzó viene aquí.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
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
        alignas(cmsghdr) char control[CMSG_SPACE(3 * sizeof(int))];
        msghdr m{};
        m.msg_iov = partes;
        m.msg_iovlen = 2;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(kSocket, &m, 0);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) break;
        if (n < 0) continue;
        int flujos[3] = {-1, -1, -1};
        int recibidos = 0;
        for (cmsghdr* c = CMSG_FIRSTHDR(&m); c != nullptr; c = CMSG_NXTHDR(&m, c)) {
            if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS) continue;
            recibidos = static_cast<int>((c->cmsg_len - CMSG_LEN(0)) / sizeof(int));
            std::memcpy(flujos, CMSG_DATA(c), sizeof(int) * std::min(recibidos, 3));
        }
        std::vector<std::string> argv, envp;
        const bool bien = static_cast<std::size_t>(n) >= sizeof p && recibidos == 3 &&
                          separar(datos.data(), static_cast<std::size_t>(n) - sizeof p, argv, envp);
        if (!bien) {
            for (int i = 0; i < std::min(recibidos, 3); ++i) close(flujos[i]);
            avisar(nucleo::lanzadera::kTerminado, p.id, 127 << 8, 0);
            continue;
        }
        std::vector<char*> pargv, penvp;
        for (std::string& a : argv) pargv.push_back(a.data());
        pargv.push_back(nullptr);
        for (std::string& e : envp) penvp.push_back(e.data());
        penvp.push_back(nullptr);
        const pid_t g = fork();
        if (g == 0) guardar(p, flujos, pargv, penvp);
        for (int i = 0; i < 3; ++i) close(flujos[i]);
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

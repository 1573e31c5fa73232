#include "lanzadera.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "aislamiento.h"
#include "proceso_plataforma.h"

namespace nucleo {

namespace {

// Lo que espera el comprobador a que un guardián diga que empezó.
constexpr std::chrono::seconds kEsperaArranque{10};

}  // namespace

std::unique_ptr<Lanzadera> Lanzadera::abrir(const Aislamiento& a, const std::string& programa) {
    int par[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, par) != 0) return nullptr;
    // Las credenciales de cada aviso dan el pid de quien lo envía, visto desde aquí.
    const int si = 1;
    setsockopt(par[0], SOL_SOCKET, SO_PASSCRED, &si, sizeof si);
    Aislamiento sinMemoria = a;
    sinMemoria.sanitizadores = true;  // sin RLIMIT_AS: lo pone cada ejecución
    sinMemoria.entorno.clear();
    std::vector<std::string> orden = ordenAislada(sinMemoria, {programa});
    std::vector<char*> argv;
    for (std::string& s : orden) argv.push_back(s.data());
    argv.push_back(nullptr);
    char* envp[] = {nullptr};
    const pid_t pid = fork();
    if (pid < 0) {
        close(par[0]);
        close(par[1]);
        return nullptr;
    }
    if (pid == 0) {
        setpgid(0, 0);
        const int nulo = open("/dev/null", O_RDWR);
        for (int i = 0; i < 3; ++i) dup2(nulo, i);
        if (par[1] == lanzadera::kSocket) {
            fcntl(par[1], F_SETFD, 0);
        } else {
            dup2(par[1], lanzadera::kSocket);
        }
        if (!aplicarLimites(sinMemoria)) _exit(126);
        execve(argv[0], argv.data(), envp);
        _exit(127);
    }
    setpgid(pid, pid);
    plataforma::apuntarEnMarcha(pid);
    close(par[1]);
    std::unique_ptr<Lanzadera> l(new Lanzadera);
    l->socket_ = par[0];
    l->bwrap_ = pid;
    l->lector_ = std::thread([p = l.get()] { p->leer(); });
    return l;
}

Lanzadera::~Lanzadera() {
    if (socket_ >= 0) shutdown(socket_, SHUT_RDWR);
    if (lector_.joinable()) lector_.join();
    if (socket_ >= 0) close(socket_);
    if (bwrap_ > 0) {
        // Al cerrar el socket la lanzadera termina sola; si algo la retiene, se mata.
        for (int i = 0; i < 200; ++i) {
            if (waitpid(bwrap_, nullptr, WNOHANG) == bwrap_) {
                plataforma::borrarDeEnMarcha(bwrap_);
                return;
            }
            usleep(1000);
        }
        kill(-bwrap_, SIGKILL);
        kill(bwrap_, SIGKILL);
        while (waitpid(bwrap_, nullptr, 0) < 0 && errno == EINTR) {
        }
        plataforma::borrarDeEnMarcha(bwrap_);
    }
}

void Lanzadera::leer() {
    for (;;) {
        lanzadera::Aviso a{};
        iovec parte{&a, sizeof a};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
        msghdr m{};
        m.msg_iov = &parte;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(socket_, &m, MSG_CMSG_CLOEXEC);
        if (n < 0 && errno == EINTR) continue;
        std::lock_guard<std::mutex> cerrojo(mutex_);
        if (n <= 0) {
            // La lanzadera ya no está: nada de lo suyo sigue en marcha.
            cerrada_ = true;
            for (auto& [id, e] : ejecuciones_) {
                e.empezada = true;
                if (!e.terminada) {
                    e.terminada = true;
                    e.estado = SIGKILL;
                }
            }
            cambio_.notify_all();
            return;
        }
        if (static_cast<std::size_t>(n) != sizeof a) continue;
        auto it = ejecuciones_.find(a.id);
        if (it == ejecuciones_.end()) continue;
        Ejecucion& e = it->second;
        if (a.tipo == lanzadera::kEmpezado) {
            for (cmsghdr* c = CMSG_FIRSTHDR(&m); c != nullptr; c = CMSG_NXTHDR(&m, c)) {
                if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_CREDENTIALS) {
                    ucred quien{};
                    std::memcpy(&quien, CMSG_DATA(c), sizeof quien);
                    e.guardian = quien.pid;
                }
            }
            e.empezada = true;
        } else if (a.tipo == lanzadera::kTerminado) {
            e.empezada = true;
            e.terminada = true;
            e.estado = a.estado;
            e.cpu = a.cpu;
        }
        cambio_.notify_all();
    }
}

bool Lanzadera::lanzar(const std::vector<std::string>& orden,
                       const std::vector<std::string>& entorno, std::uint64_t memoria,
                       const int flujos[3], std::uint32_t& id, pid_t& guardian) {
    std::string datos;
    for (const std::string& s : orden) datos += s + '\0';
    datos += '\0';
    for (const std::string& s : entorno) datos += s + '\0';
    if (datos.size() > lanzadera::kTamanoMaximo) return false;

    std::unique_lock<std::mutex> cerrojo(mutex_);
    if (cerrada_) return false;
    id = siguiente_++;
    ejecuciones_[id] = Ejecucion{};
    lanzadera::Peticion p{id, 0, memoria};
    iovec partes[2] = {{&p, sizeof p}, {datos.data(), datos.size()}};
    alignas(cmsghdr) char control[CMSG_SPACE(3 * sizeof(int))] = {};
    msghdr m{};
    m.msg_iov = partes;
    m.msg_iovlen = 2;
    m.msg_control = control;
    m.msg_controllen = sizeof control;
    cmsghdr* c = CMSG_FIRSTHDR(&m);
    c->cmsg_level = SOL_SOCKET;
    c->cmsg_type = SCM_RIGHTS;
    c->cmsg_len = CMSG_LEN(3 * sizeof(int));
    std::memcpy(CMSG_DATA(c), flujos, 3 * sizeof(int));
    ssize_t enviado;
    while ((enviado = sendmsg(socket_, &m, MSG_NOSIGNAL)) < 0 && errno == EINTR) {
    }
    if (enviado < 0) {
        ejecuciones_.erase(id);
        return false;
    }
    const bool empezada =
        cambio_.wait_for(cerrojo, kEsperaArranque, [&] { return ejecuciones_[id].empezada; });
    if (!empezada) {
        // Una lanzadera que no contesta no recibe más: se mata con todo lo suyo, y así nada de
        // lo que ya tiene llega a ejecutarse tarde junto a lo que se lance sin ella.
        cerrada_ = true;
        kill(-bwrap_, SIGKILL);
        kill(bwrap_, SIGKILL);
    }
    const Ejecucion& e = ejecuciones_[id];
    if (!empezada || e.guardian <= 0) {
        ejecuciones_.erase(id);
        return false;
    }
    guardian = e.guardian;
    return true;
}

bool Lanzadera::esperar(std::uint32_t id, std::chrono::milliseconds espera, int& estado,
                        long long& cpu) {
    std::unique_lock<std::mutex> cerrojo(mutex_);
    const bool fin = cambio_.wait_for(cerrojo, espera, [&] {
        auto it = ejecuciones_.find(id);
        return it == ejecuciones_.end() || it->second.terminada;
    });
    auto it = ejecuciones_.find(id);
    if (!fin || it == ejecuciones_.end()) return false;
    estado = it->second.estado;
    cpu = it->second.cpu;
    return true;
}

void Lanzadera::olvidar(std::uint32_t id) {
    std::lock_guard<std::mutex> cerrojo(mutex_);
    ejecuciones_.erase(id);
}

}  // namespace nucleo

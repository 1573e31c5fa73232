#include "lanzadera.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "aislamiento.h"
#include "proceso_plataforma.h"

namespace nucleo {

namespace {

// Lo que espera el comprobador a que un guardián diga que empezó.
constexpr std::chrono::seconds kEsperaArranque{10};

// El padre de un proceso de esta máquina (el cuarto campo de /proc/<pid>/stat); -1 si ya no
// está. El nombre, entre paréntesis, puede llevar espacios: los campos siguen al último ')'.
pid_t padreDe(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string linea;
    if (!std::getline(stat, linea)) return -1;
    const std::size_t cierre = linea.rfind(')');
    if (cierre == std::string::npos || cierre + 4 > linea.size()) return -1;
    char estado = 0;
    long padre = -1;
    if (std::sscanf(linea.c_str() + cierre + 1, " %c %ld", &estado, &padre) != 2) return -1;
    return static_cast<pid_t>(padre);
}

// ¿Desciende `pid` de `antepasado`, a pocos pasos? (bwrap, el bwrap de dentro, la lanzadera.)
bool desciendeDe(pid_t pid, pid_t antepasado) {
    for (int paso = 0; paso < 4 && pid > 1; ++paso) {
        pid = padreDe(pid);
        if (pid == antepasado) return true;
    }
    return false;
}

void cerrar(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

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
    const OrdenAislada orden(sinMemoria, {programa});
    std::vector<std::string> argumentos = orden.argv();
    std::vector<char*> argv;
    for (std::string& s : argumentos) argv.push_back(s.data());
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
        if (!orden.prepararHijo()) _exit(126);
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
    for (auto& [id, e] : ejecuciones_) cerrar(e.vistoBueno);
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
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred)) + CMSG_SPACE(4 * sizeof(int))];
        msghdr m{};
        m.msg_iov = &parte;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(socket_, &m, MSG_CMSG_CLOEXEC);
        if (n < 0 && errno == EINTR) continue;
        // Quién lo envía, según el núcleo (nadie sin privilegios puede dar otro pid que el suyo).
        pid_t remitente = -1;
        for (cmsghdr* c = CMSG_FIRSTHDR(&m); c != nullptr; c = CMSG_NXTHDR(&m, c)) {
            if (c->cmsg_level != SOL_SOCKET) continue;
            if (c->cmsg_type == SCM_CREDENTIALS) {
                ucred quien{};
                std::memcpy(&quien, CMSG_DATA(c), sizeof quien);
                remitente = quien.pid;
            } else if (c->cmsg_type == SCM_RIGHTS) {
                // Nadie de dentro tiene por qué enviar descriptores.
                const std::size_t cuantos = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
                for (std::size_t i = 0; i < cuantos; ++i) {
                    int fd;
                    std::memcpy(&fd, CMSG_DATA(c) + i * sizeof(int), sizeof fd);
                    close(fd);
                }
            }
        }
        std::lock_guard<std::mutex> cerrojo(mutex_);
        if (n <= 0) {
            // La lanzadera ya no está: nada de lo suyo sigue en marcha.
            cerrada_ = true;
            for (auto& [id, e] : ejecuciones_) {
                e.empezada = true;
                if (!e.terminada) {
                    e.terminada = true;
                    e.fin = Fin{};
                    e.fin.estado = SIGKILL;
                }
                cerrar(e.vistoBueno);
            }
            cambio_.notify_all();
            return;
        }
        if (static_cast<std::size_t>(n) != sizeof a || remitente <= 0) continue;
        if (a.tipo == lanzadera::kLanzadera) {
            // Solo la primera vez, y solo si viene de dentro de este bwrap.
            if (lanzadera_ <= 0 && desciendeDe(remitente, bwrap_)) lanzadera_ = remitente;
            continue;
        }
        auto it = ejecuciones_.find(a.id);
        if (it == ejecuciones_.end() || lanzadera_ <= 0) continue;
        Ejecucion& e = it->second;
        if (a.tipo == lanzadera::kEmpezado) {
            // Un guardián es hijo de la lanzadera, y espera el visto bueno sin lanzar nada: sigue
            // vivo mientras se mira quién es su padre.
            if (e.empezada || e.terminada || padreDe(remitente) != lanzadera_) continue;
            e.guardian = remitente;
            e.empezada = true;
            const char si = 1;
            if (e.vistoBueno >= 0 && write(e.vistoBueno, &si, 1) != 1) e.guardian = -1;
            cerrar(e.vistoBueno);
        } else if (a.tipo == lanzadera::kTerminado) {
            // Del guardián de esa ejecución, o de la lanzadera cuando su guardián no pudo avisar.
            const bool suGuardian = e.empezada && remitente == e.guardian;
            if (e.terminada || (!suGuardian && remitente != lanzadera_)) continue;
            e.empezada = true;
            e.terminada = true;
            e.fin.estado = a.estado;
            e.fin.cpu = a.cpu;
            e.fin.llamadasCls = a.llamadasCls;
            cerrar(e.vistoBueno);
        } else {
            continue;
        }
        cambio_.notify_all();
    }
}

bool Lanzadera::lanzar(const std::vector<std::string>& orden,
                       const std::vector<std::string>& entorno, const Pedido& pedido,
                       const int flujos[3], std::uint32_t& id, pid_t& guardian) {
    std::string datos;
    for (const std::string& s : orden) datos += s + '\0';
    datos += '\0';
    for (const std::string& s : entorno) datos += s + '\0';
    if (datos.size() > lanzadera::kTamanoMaximo) return false;
    int vistoBueno[2];
    if (pipe2(vistoBueno, O_CLOEXEC) != 0) return false;

    std::unique_lock<std::mutex> cerrojo(mutex_);
    if (cerrada_) {
        close(vistoBueno[0]);
        close(vistoBueno[1]);
        return false;
    }
    id = siguiente_++;
    Ejecucion& nueva = ejecuciones_[id];
    nueva.vistoBueno = vistoBueno[1];
    const std::uint32_t opciones = (pedido.contarCls ? lanzadera::kContarCls : 0U) |
                                   (pedido.carpetaPropia ? lanzadera::kCarpetaPropia : 0U);
    lanzadera::Peticion p{id, opciones, pedido.memoria};
    iovec partes[2] = {{&p, sizeof p}, {datos.data(), datos.size()}};
    const int enviados[4] = {flujos[0], flujos[1], flujos[2], vistoBueno[0]};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof enviados)] = {};
    msghdr m{};
    m.msg_iov = partes;
    m.msg_iovlen = 2;
    m.msg_control = control;
    m.msg_controllen = sizeof control;
    cmsghdr* c = CMSG_FIRSTHDR(&m);
    c->cmsg_level = SOL_SOCKET;
    c->cmsg_type = SCM_RIGHTS;
    c->cmsg_len = CMSG_LEN(sizeof enviados);
    std::memcpy(CMSG_DATA(c), enviados, sizeof enviados);
    ssize_t enviado;
    while ((enviado = sendmsg(socket_, &m, MSG_NOSIGNAL)) < 0 && errno == EINTR) {
    }
    close(vistoBueno[0]);
    if (enviado < 0) {
        cerrar(ejecuciones_[id].vistoBueno);
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
    Ejecucion& e = ejecuciones_[id];
    if (!empezada || e.guardian <= 0) {
        // Sin el visto bueno, el guardián no lanza nada.
        cerrar(e.vistoBueno);
        ejecuciones_.erase(id);
        return false;
    }
    guardian = e.guardian;
    return true;
}

bool Lanzadera::esperar(std::uint32_t id, std::chrono::milliseconds espera, Fin& fin) {
    std::unique_lock<std::mutex> cerrojo(mutex_);
    const bool termino = cambio_.wait_for(cerrojo, espera, [&] {
        auto it = ejecuciones_.find(id);
        return it == ejecuciones_.end() || it->second.terminada;
    });
    auto it = ejecuciones_.find(id);
    if (!termino || it == ejecuciones_.end()) return false;
    fin = it->second.fin;
    return true;
}

void Lanzadera::olvidar(std::uint32_t id) {
    std::lock_guard<std::mutex> cerrojo(mutex_);
    auto it = ejecuciones_.find(id);
    if (it == ejecuciones_.end()) return;
    cerrar(it->second.vistoBueno);
    ejecuciones_.erase(it);
}

}  // namespace nucleo

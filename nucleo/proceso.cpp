#include "proceso.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "aislamiento.h"

extern char** environ;

namespace nucleo {

namespace {

using Reloj = std::chrono::steady_clock;

// Los grupos de procesos en marcha, para que el manejador de Ctrl+C los mate: un arreglo fijo
// de atómicos, que se puede leer dentro de una señal.
constexpr int kMaximoEnMarcha = 64;
std::atomic<pid_t> enMarcha[kMaximoEnMarcha];

void apuntar(pid_t pid) {
    for (auto& hueco : enMarcha) {
        pid_t libre = 0;
        if (hueco.compare_exchange_strong(libre, pid)) return;
    }
}

void borrarApunte(pid_t pid) {
    for (auto& hueco : enMarcha) {
        pid_t este = pid;
        if (hueco.compare_exchange_strong(este, 0)) return;
    }
}

void cerrar(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

void noBloqueante(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

std::string nombreDe(const std::string& variable) { return variable.substr(0, variable.find('=')); }

// Entorno heredado con las variables de `extra` añadidas o sustituidas.
std::vector<std::string> entornoCon(const std::vector<std::string>& extra) {
    Opciones o;
    for (char** e = environ; *e != nullptr; ++e) o.entorno.push_back(*e);
    for (const std::string& x : extra) o.poner(x);
    return o.entorno;
}
// Lee lo que haya en fd y lo añade a destino; cierra fd al llegar al final. Lee como mucho
// unos pocos MiB por llamada, para volver al bucle aunque el programa no pare de escribir.
void leerDisponible(int& fd, std::string& destino) {
    char bloque[65536];
    for (int vueltas = 0; vueltas < 64; ++vueltas) {
        ssize_t n = read(fd, bloque, sizeof bloque);
        if (n > 0) {
            destino.append(bloque, static_cast<size_t>(n));
        } else if (n == 0) {
            cerrar(fd);
            return;
        } else if (errno == EINTR) {
            continue;
        } else {
            if (errno != EAGAIN && errno != EWOULDBLOCK) cerrar(fd);
            return;
        }
    }
}

// ¿Ha terminado el proceso? No lo recoge (WNOWAIT): mientras siga sin recoger, su número
// no se reutiliza y matar su grupo de procesos no puede alcanzar a otro.
bool haTerminado(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

// Tiempo que se siguen leyendo las salidas después de que el programa termine, por si algún
// proceso que lanzó las mantiene abiertas; después se mata todo su grupo.
constexpr std::chrono::milliseconds kGracia{500};
// En una conversación: cuánto se mira, tras llegar un aviso, que el programa espera (ni
// escribe ni termina); y cuánto callado, sin el aviso, se da por hecho que ya espera la
// respuesta: poco si lo escrito ya no puede ser el aviso, más si aún podría serlo.
constexpr std::chrono::milliseconds kQuieto{100};
constexpr std::chrono::milliseconds kCallaSiDistinto{250};
constexpr std::chrono::milliseconds kCalla{1000};

// Motor común: una ejecución es una conversación; ejecutar() es la de un solo paso que no
// espera ningún aviso.
Resultado correr(const std::string& programa, const std::vector<Paso>& pasos,
                 const Opciones& opciones, std::chrono::milliseconds esperaAviso) {
    static const bool sigpipeIgnorada = [] {
        std::signal(SIGPIPE, SIG_IGN);  // escribir a un programa que ya terminó da EPIPE
        return true;
    }();
    (void)sigpipeIgnorada;

    const std::string ruta =
        programa.find('/') == std::string::npos ? rutaPrograma(programa) : programa;
    // Dentro del aislamiento, bwrap ejecuta la orden con un entorno limpio (más las variables
    // pedidas); fuera, con el heredado.
    std::vector<std::string> orden = {ruta};
    orden.insert(orden.end(), opciones.argumentos.begin(), opciones.argumentos.end());
    std::vector<std::string> entorno;
    if (opciones.aislamiento != nullptr) {
        Aislamiento a = *opciones.aislamiento;
        a.entorno.insert(a.entorno.end(), opciones.entorno.begin(), opciones.entorno.end());
        orden = ordenAislada(a, orden);
        entorno = entornoCon({});
    } else {
        entorno = entornoCon(opciones.entorno);
    }
    std::vector<char*> envp;
    for (std::string& v : entorno) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<char*> argv;
    for (std::string& a : orden) argv.push_back(a.data());
    argv.push_back(nullptr);

    int entrada[2], salida[2], errores[2] = {-1, -1};
    if (pipe2(entrada, O_CLOEXEC) != 0 || pipe2(salida, O_CLOEXEC) != 0 ||
        (!opciones.unirSalidas && pipe2(errores, O_CLOEXEC) != 0)) {
        throw std::runtime_error("pipe2: " + std::string(std::strerror(errno)));
    }

    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork: " + std::string(std::strerror(errno)));
    if (pid == 0) {
        // Hijo: grupo de procesos propio (para matar también lo que lance con system),
        // SIGPIPE con su acción normal y los tres flujos conectados a las tuberías.
        setpgid(0, 0);
        if (!opciones.directorio.empty() && chdir(opciones.directorio.c_str()) != 0) _exit(127);
        std::signal(SIGPIPE, SIG_DFL);
        dup2(entrada[0], 0);
        dup2(salida[1], 1);
        dup2(opciones.unirSalidas ? salida[1] : errores[1], 2);
        if (opciones.aislamiento != nullptr && !aplicarLimites(*opciones.aislamiento)) _exit(126);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    setpgid(pid, pid);  // también desde aquí: el grupo existe antes de que haga falta matarlo
    apuntar(pid);

    close(entrada[0]);
    close(salida[1]);
    if (errores[1] >= 0) close(errores[1]);
    int fdEntrada = entrada[1], fdSalida = salida[0], fdErrores = errores[0];
    noBloqueante(fdEntrada);
    noBloqueante(fdSalida);
    if (fdErrores >= 0) noBloqueante(fdErrores);

    Resultado r;
    const auto inicio = Reloj::now();
    const auto fin = inicio + opciones.limite;
    // Cada paso: esperar su aviso, comprobar que el programa se queda esperando la respuesta,
    // y escribirla.
    enum class Fase { Aviso, Quieto, Respuesta };
    Fase fase = Fase::Aviso;
    size_t paso = 0, desde = 0, desdeSinAviso = 0, largoAlLlegar = 0;
    std::string pendiente;
    auto inicioPaso = inicio, ultimaSalida = inicio, finQuieto = inicio;
    bool terminado = false;
    auto finGracia = fin;

    // El grupo entero: el programa y lo que haya lanzado.
    auto matar = [&] {
        kill(-pid, SIGKILL);
        kill(pid, SIGKILL);
    };
    auto responder = [&] {
        pendiente = pasos[paso].respuesta;
        fase = Fase::Respuesta;
    };

    while (fdSalida >= 0 || fdErrores >= 0) {
        auto ahora = Reloj::now();
        if (fase == Fase::Aviso && paso < pasos.size()) {
            const std::string& aviso = pasos[paso].aviso;
            const size_t pos = r.salida.find(aviso, desde);
            if (pos != std::string::npos) {
                desde = pos + aviso.size();
                if (aviso.empty()) {
                    responder();
                } else {
                    fase = Fase::Quieto;
                    largoAlLlegar = r.salida.size() + r.errores.size();
                    finQuieto = ahora + kQuieto;
                }
            } else {
                // Sin el aviso, el programa ya calla: o lo escribió de otra manera (lo que va
                // tras el paso anterior ya no puede convertirse en él) o no lo ha vaciado. En
                // los dos casos se responde igual, para ver qué hace después.
                const std::string tras = r.salida.substr(desde);
                const bool distinto = aviso.compare(0, tras.size(), tras) != 0;
                const bool calla = ahora >= ultimaSalida + (distinto ? kCallaSiDistinto : kCalla);
                if ((calla && !terminado) || ahora >= inicioPaso + esperaAviso || fdSalida < 0) {
                    if (r.pasoSinAviso < 0) {
                        r.pasoSinAviso = static_cast<int>(paso);
                        desdeSinAviso = desde;
                    }
                    responder();
                }
            }
        }
        if (fase == Fase::Quieto) {
            // Tras su aviso, el programa espera la respuesta: ni escribe más ni termina.
            const bool siguio = r.salida.size() + r.errores.size() > largoAlLlegar || terminado;
            if (siguio && r.pasoSinEsperar < 0) r.pasoSinEsperar = static_cast<int>(paso);
            if (siguio || ahora >= finQuieto) responder();
        }
        if (fase == Fase::Respuesta && pendiente.empty()) {
            fase = Fase::Aviso;
            ++paso;
            inicioPaso = ultimaSalida = ahora;
            continue;
        }
        if (paso >= pasos.size()) cerrar(fdEntrada);

        if (ahora >= fin) {
            r.agotado = true;
            break;
        }
        if (!terminado && haTerminado(pid)) {
            terminado = true;
            finGracia = std::min(fin, ahora + kGracia);
        }
        if (terminado && ahora >= finGracia) {
            // El programa terminó, pero algo que lanzó mantiene abiertas las salidas.
            matar();
            if (fdSalida >= 0) leerDisponible(fdSalida, r.salida);
            if (fdErrores >= 0) leerDisponible(fdErrores, r.errores);
            break;
        }
        // Despierta a menudo para ver si el programa ya terminó o ya calla.
        auto limite = std::min(terminado ? finGracia : fin, ahora + std::chrono::milliseconds(20));
        const bool escribiendo = fase == Fase::Respuesta && fdEntrada >= 0;

        pollfd fds[3];
        int n = 0;
        if (fdSalida >= 0) fds[n++] = {fdSalida, POLLIN, 0};
        if (fdErrores >= 0) fds[n++] = {fdErrores, POLLIN, 0};
        if (escribiendo) fds[n++] = {fdEntrada, POLLOUT, 0};
        auto espera =
            std::chrono::duration_cast<std::chrono::milliseconds>(limite - ahora).count() + 1;
        if (poll(fds, static_cast<nfds_t>(n), static_cast<int>(espera)) < 0 && errno != EINTR) {
            break;
        }
        const size_t antes = r.salida.size() + r.errores.size();
        if (fdSalida >= 0) leerDisponible(fdSalida, r.salida);
        if (fdErrores >= 0) leerDisponible(fdErrores, r.errores);
        if (r.salida.size() + r.errores.size() > antes) ultimaSalida = Reloj::now();
        if (opciones.limiteSalida > 0 &&
            r.salida.size() + r.errores.size() > opciones.limiteSalida) {
            r.salidaExcesiva = true;
            break;
        }
        if (escribiendo) {
            ssize_t w = write(fdEntrada, pendiente.data(), pendiente.size());
            if (w > 0) {
                pendiente.erase(0, static_cast<size_t>(w));
            } else if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                // El programa ya no lee (terminó o cerró su entrada): el resto sobra.
                pendiente.clear();
                paso = pasos.size();
            }
        }
    }
    // Las salidas se cerraron (el programa terminó) con un paso pendiente: si su aviso llegó,
    // no esperó la respuesta; si no llegó, faltó el aviso.
    const bool cerradas = fdSalida < 0 && fdErrores < 0;
    if (cerradas && paso < pasos.size() && fase != Fase::Respuesta) {
        const bool llego =
            fase == Fase::Quieto || r.salida.find(pasos[paso].aviso, desde) != std::string::npos;
        if (llego && r.pasoSinEsperar < 0) r.pasoSinEsperar = static_cast<int>(paso);
        if (!llego && r.pasoSinAviso < 0) {
            r.pasoSinAviso = static_cast<int>(paso);
            desdeSinAviso = desde;
        }
    }
    if (r.pasoSinAviso >= 0) {
        // ¿Llegó el aviso después de escribir la respuesta? Entonces no se había vaciado.
        const std::string& aviso = pasos[static_cast<size_t>(r.pasoSinAviso)].aviso;
        r.avisoTardio = r.salida.find(aviso, desdeSinAviso) != std::string::npos;
    }
    cerrar(fdEntrada);
    cerrar(fdSalida);
    cerrar(fdErrores);

    if (r.agotado || r.salidaExcesiva) matar();
    // Espera a que el programa termine, sin recogerlo todavía.
    while (!haTerminado(pid)) {
        if (Reloj::now() >= fin) {
            r.agotado = true;
            matar();
            siginfo_t info{};
            while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 &&
                   errno == EINTR) {
            }
            break;
        }
        usleep(1000);
    }
    // Lo que quede de su grupo (procesos lanzados que siguen vivos) se mata; después se
    // recoge el programa.
    kill(-pid, SIGKILL);
    int estado = 0;
    while (waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
    }
    borrarApunte(pid);
    if (WIFEXITED(estado)) r.estado = WEXITSTATUS(estado);
    if (WIFSIGNALED(estado)) r.senal = WTERMSIG(estado);
    return r;
}

}  // namespace

namespace {

// La carpeta que se borra al interrumpir, con su orden de borrado ya preparada: dentro del
// manejador no se puede reservar memoria.
char carpetaAlInterrumpir[4096];

extern "C" void alInterrumpir(int senal) {
    for (auto& hueco : enMarcha) {
        const pid_t pid = hueco.load();
        if (pid > 0) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
        }
    }
    if (carpetaAlInterrumpir[0] != '\0') {
        const pid_t rm = fork();
        if (rm == 0) {
            char orden[] = "rm";
            char opcion[] = "-rf";
            char* argv[] = {orden, opcion, carpetaAlInterrumpir, nullptr};
            char* envp[] = {nullptr};
            execve("/bin/rm", argv, envp);
            _exit(127);
        }
        if (rm > 0) {
            while (waitpid(rm, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
    }
    signal(senal, SIG_DFL);
    raise(senal);
}

std::string leerArchivo(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

}  // namespace

CarpetaTemporal::CarpetaTemporal(const std::string& prefijo, const std::string& base) {
    std::error_code ec;
    const std::filesystem::path donde =
        base.empty() ? std::filesystem::temp_directory_path(ec) : std::filesystem::path(base);
    std::string plantilla = (donde / (prefijo + "-XXXXXX")).string();
    if (mkdtemp(plantilla.data()) != nullptr) ruta_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
    if (ruta_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(ruta_, ec);
}

void limpiarAlInterrumpir(const std::string& carpeta) {
    if (carpeta.size() < sizeof carpetaAlInterrumpir) {
        std::memcpy(carpetaAlInterrumpir, carpeta.c_str(), carpeta.size() + 1);
    }
    struct sigaction accion {};
    accion.sa_handler = alInterrumpir;
    sigemptyset(&accion.sa_mask);
    for (int senal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&accion.sa_mask, senal);
    for (int senal : {SIGINT, SIGTERM, SIGHUP}) sigaction(senal, &accion, nullptr);
}

void adoptarHuerfanos() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

void recogerHuerfanos() {
    const std::string yo = std::to_string(getpid());
    for (int vuelta = 0; vuelta < 20; ++vuelta) {
        bool quedan = false;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator("/proc", ec)) {
            const std::string stat = leerArchivo((e.path() / "stat").string());
            const std::size_t cierre = stat.rfind(')');
            if (cierre == std::string::npos) continue;
            std::istringstream campos(stat.substr(cierre + 2));
            std::string estado, padre;
            campos >> estado >> padre;
            if (padre != yo) continue;
            kill(std::atoi(e.path().filename().c_str()), SIGKILL);
            quedan = true;
        }
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        if (!quedan) return;
        usleep(10000);
    }
}

void Opciones::poner(const std::string& variable) {
    for (std::string& v : entorno) {
        if (nombreDe(v) == nombreDe(variable)) {
            v = variable;
            return;
        }
    }
    entorno.push_back(variable);
}

std::string rutaPrograma(const std::string& nombre) {
    return std::string(EJ_BIN_DIR) + "/" + nombre;
}

Resultado ejecutar(const std::string& programa, const std::string& entrada,
                   const Opciones& opciones) {
    return correr(programa, {{"", entrada}}, opciones, opciones.limite);
}

Resultado conversar(const std::string& programa, const std::vector<Paso>& pasos,
                    const Opciones& opciones, std::chrono::milliseconds esperaAviso) {
    return correr(programa, pasos, opciones, esperaAviso);
}

std::ostream& operator<<(std::ostream& os, const Resultado& r) {
    os << "estado " << r.estado;
    if (r.senal != 0) os << ", señal " << r.senal;
    if (r.agotado) os << ", tiempo agotado";
    if (r.salidaExcesiva) os << ", salida excesiva";
    if (r.pasoSinAviso >= 0) os << ", no llegó el aviso del paso " << r.pasoSinAviso;
    if (r.pasoSinEsperar >= 0) os << ", no esperó la respuesta del paso " << r.pasoSinEsperar;
    return os << "\n--- salida ---\n" << r.salida << "\n--- errores ---\n" << r.errores;
}

}  // namespace nucleo

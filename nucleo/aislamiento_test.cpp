// Pruebas del aislamiento con programas hostiles: cada uno intenta saltarse una barrera y debe
// fallar. Se compilan aquí fuera con g++ en una carpeta temporal y se ejecutan dentro, con
// OrdenAislada, tal como se ejecutará una entrega.
#include "aislamiento.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "lanzadera.h"
#include "proceso.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using Reloj = std::chrono::steady_clock;

struct Salida {
    std::string texto;  // salida estándar y de error juntas
    int estado = -1;
    int senal = 0;
    bool agotado = false;  // se mató al acabarse el plazo
};

std::ostream& operator<<(std::ostream& os, const Salida& s) {
    return os << "estado " << s.estado << ", señal " << s.senal << (s.agotado ? ", agotado" : "")
              << ", salida:\n"
              << s.texto;
}

// Un proceso hijo con las dos salidas en una tubería. Con `orden`, el hijo la prepara (límites
// y, como root, lo que haga falta montar) antes de execve y, si se es root, una red de
// seguridad: nunca ejecuta un hostil como root y le pone un tope de procesos al usuario sin
// privilegios, para que si el límite de dentro fallara la prueba falle sin tumbar la máquina.
class Proceso {
   public:
    Proceso(std::vector<std::string> argv, const nucleo::OrdenAislada* orden) {
        std::vector<char*> p;
        for (std::string& s : argv) p.push_back(s.data());
        p.push_back(nullptr);
        const bool root = geteuid() == 0;
        int tubo[2];
        if (pipe2(tubo, O_CLOEXEC) != 0) return;
        const int nulo = open("/dev/null", O_RDONLY | O_CLOEXEC);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(nulo, 0);
            dup2(tubo[1], 1);
            dup2(tubo[1], 2);
            if (orden != nullptr) {
                if (!orden->prepararHijo()) _exit(126);
                const rlimit red{256, 256};
                if (root && (geteuid() == 0 || setrlimit(RLIMIT_NPROC, &red) != 0)) _exit(125);
            }
            execve(p[0], p.data(), environ);
            _exit(127);
        }
        close(nulo);
        close(tubo[1]);
        fd_ = tubo[0];
    }
    ~Proceso() {
        if (pid_ > 0 && !recogido_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0) close(fd_);
    }
    Proceso(const Proceso&) = delete;
    Proceso& operator=(const Proceso&) = delete;

    // Lee hasta que la salida contenga `texto` (true), se cierre o se acabe el plazo.
    bool esperarTexto(const std::string& texto, milliseconds plazo) {
        const auto hasta = Reloj::now() + plazo;
        while (salida_.texto.find(texto) == std::string::npos) {
            if (!leer(hasta)) return false;
        }
        return true;
    }
    void matar() { kill(pid_, SIGKILL); }
    // Lee hasta el final; si se acaba el plazo, mata. Después recoge el proceso.
    Salida terminar(milliseconds plazo = milliseconds(10000)) {
        if (pid_ <= 0) return salida_;
        const auto hasta = Reloj::now() + plazo;
        while (leer(hasta)) {
        }
        if (Reloj::now() >= hasta) {
            salida_.agotado = true;
            kill(pid_, SIGKILL);
        }
        int estado = 0;
        waitpid(pid_, &estado, 0);
        recogido_ = true;
        if (WIFEXITED(estado)) salida_.estado = WEXITSTATUS(estado);
        if (WIFSIGNALED(estado)) salida_.senal = WTERMSIG(estado);
        return salida_;
    }

   private:
    bool leer(Reloj::time_point hasta) {
        const auto falta = std::chrono::duration_cast<milliseconds>(hasta - Reloj::now()).count();
        pollfd p{fd_, POLLIN, 0};
        if (fd_ < 0 || falta <= 0 || poll(&p, 1, static_cast<int>(falta)) <= 0) return false;
        char trozo[4096];
        const ssize_t n = read(fd_, trozo, sizeof trozo);
        if (n <= 0) return false;
        salida_.texto.append(trozo, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    bool recogido_ = false;
    Salida salida_;
};

// Procesos de la máquina cuya línea de órdenes contiene la marca (zombis aparte: la tienen
// vacía).
int procesosConMarca(const std::string& marca) {
    int n = 0;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator("/proc", ec)) {
        const std::string nombre = e.path().filename().string();
        if (nombre.find_first_not_of("0123456789") != std::string::npos) continue;
        // Un proceso que termina mientras se lee hace fallar la lectura (ESRCH): con rdbuf()
        // eso deja el flujo en error y la línea a medias, sin excepción.
        std::ifstream f(e.path() / "cmdline", std::ios::binary);
        std::ostringstream linea;
        linea << f.rdbuf();
        if (linea.str().find(marca) != std::string::npos) ++n;
    }
    return n;
}

// Espera (como mucho el plazo) a que ningún proceso lleve la marca.
int quedanConMarca(const std::string& marca, milliseconds plazo) {
    const auto hasta = Reloj::now() + plazo;
    int n = procesosConMarca(marca);
    while (n > 0 && Reloj::now() < hasta) {
        std::this_thread::sleep_for(milliseconds(20));
        n = procesosConMarca(marca);
    }
    return n;
}

// Sin excepciones: sin root, /root no se puede mirar.
bool existe(const std::string& ruta) {
    std::error_code ec;
    return fs::exists(ruta, ec);
}

std::string leerArchivo(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), {});
}

void escribirArchivo(const std::string& ruta, const std::string& texto) {
    std::ofstream(ruta, std::ios::binary) << texto;
}

std::string marcaUnica() {
    static int cuenta = 0;
    return "marca-aislamiento-" + std::to_string(getpid()) + "-" + std::to_string(++cuenta) + "-" +
           std::to_string(Reloj::now().time_since_epoch().count() % 1000000007);
}

// Escucha en 127.0.0.1, en un puerto libre, y cuenta las conexiones; se para sola a los 10 s.
class Escucha {
   public:
    Escucha() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in dir{};
        dir.sin_family = AF_INET;
        dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof dir;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&dir), sizeof dir) != 0 ||
            listen(fd_, 8) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&dir), &largo) != 0) {
            return;
        }
        puerto_ = ntohs(dir.sin_port);
        hilo_ = std::thread([this] {
            const auto hasta = Reloj::now() + std::chrono::seconds(10);
            while (!parar_ && Reloj::now() < hasta) {
                pollfd p{fd_, POLLIN, 0};
                if (poll(&p, 1, 20) <= 0) continue;
                const int c = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
                if (c >= 0) {
                    ++aceptadas_;
                    close(c);
                }
            }
        });
    }
    ~Escucha() {
        parar_ = true;
        if (hilo_.joinable()) hilo_.join();
        if (fd_ >= 0) close(fd_);
    }
    int puerto() const { return puerto_; }
    // Espera (como mucho el plazo) a que el hilo acepte lo que ya llegó.
    int aceptadas(int esperadas, milliseconds plazo) const {
        const auto hasta = Reloj::now() + plazo;
        while (aceptadas_ < esperadas && Reloj::now() < hasta) {
            std::this_thread::sleep_for(milliseconds(10));
        }
        return aceptadas_;
    }

   private:
    int fd_ = -1;
    int puerto_ = 0;
    std::atomic<bool> parar_{false};
    std::atomic<int> aceptadas_{0};
    std::thread hilo_;
};

// --- Los programas hostiles -------------------------------------------------------------

// Por cada ruta (con "~/" para $HOME): ¿la puede leer?, ¿puede escribir en ella? Después,
// qué ve en / y en /etc, y el nombre de la máquina.
const char* const kEspia = R"cpp(
#include <dirent.h>
#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>
    void listar(const char* carpeta) {
        if (DIR* d = opendir(carpeta)) {
            while (dirent* e = readdir(d)) std::printf("en %s: %s\n", carpeta, e->d_name);
            closedir(d);
        }
    }
    int main(int argc, char** argv) {
        for (int i = 1; i < argc; ++i) {
            std::string ruta = argv[i];
            if (ruta.rfind("~/", 0) == 0) ruta = std::getenv("HOME") + ruta.substr(1);
            int fd = open(ruta.c_str(), O_RDONLY);
            std::printf("%s lee=%d\n", argv[i], fd >= 0);
            if (fd >= 0) close(fd);
            fd = open(ruta.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            std::printf("%s escribe=%d\n", argv[i], fd >= 0 && write(fd, "hostil\n", 7) == 7);
            if (fd >= 0) close(fd);
        }
        listar("/");
        listar("/etc");
        utsname u;
        uname(&u);
        std::printf("nodo=%s\n", u.nodename);
    }
)cpp";

const char* const kEntorno = R"cpp(
#include <unistd.h>
#include <cstdio>
    extern char** environ;
    int main() {
        for (char** e = environ; *e != nullptr; ++e) std::printf("%s\n", *e);
        char carpeta[4096];
        std::printf("cwd=%s\n", getcwd(carpeta, sizeof carpeta));
    }
)cpp";

const char* const kConectar = R"cpp(
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
    int main(int argc, char** argv) {
        int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in d{};
        d.sin_family = AF_INET;
        d.sin_port = htons(std::atoi(argv[1]));
        inet_pton(AF_INET, "127.0.0.1", &d.sin_addr);
        if (connect(s, reinterpret_cast<sockaddr*>(&d), sizeof d) == 0) {
            std::printf("conectado\n");
            return 0;
        }
        std::printf("sin conexión: %s\n", std::strerror(errno));
        return 1;
    }
)cpp";

// Una cadena de procesos, cada uno en su propia sesión (setsid) para escapar del grupo; el
// primero dice "listo" cuando el último ya existe y, según argv[2], sale en cuanto aparece el
// archivo "salir" en su carpeta o se queda.
const char* const kCadena = R"cpp(
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
    int main(int argc, char** argv) {
        const int eslabones = std::atoi(argv[1]);
        int aviso[2];
        if (pipe(aviso) != 0) return 1;
        for (int i = 0; i < eslabones; ++i) {
            const pid_t p = fork();
            if (p < 0) return 1;
            if (p > 0) {
                if (i == 0) break;
                sleep(15);
                _exit(0);
            }
            setsid();
            if (i == eslabones - 1) {
                (void)!write(aviso[1], "x", 1);
                sleep(15);
                _exit(0);
            }
        }
        char c;
        if (read(aviso[0], &c, 1) != 1) return 1;
        std::printf("listo\n");
        std::fflush(stdout);
        for (int i = 0; i < 1000; ++i) {
            if (std::strcmp(argv[2], "sale") == 0 && access("salir", F_OK) == 0) return 0;
            usleep(15000);
        }
        return 0;
    }
)cpp";

// Se multiplica sin parar (3 s como mucho); cada proceso avisa una vez si fork falla.
const char* const kBomba = R"cpp(
#include <time.h>
#include <unistd.h>
    int main() {
        timespec inicio, ahora;
        clock_gettime(CLOCK_MONOTONIC, &inicio);
        bool avisado = false;
        for (;;) {
            clock_gettime(CLOCK_MONOTONIC, &ahora);
            if (ahora.tv_sec - inicio.tv_sec >= 3) _exit(0);
            if (fork() < 0) {
                if (!avisado) avisado = write(1, "tope\n", 5) == 5;
                usleep(1000);
            }
        }
    }
)cpp";

const char* const kDescriptores = R"cpp(
#include <fcntl.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
    int main() {
        int n = 0;
        while (open("/dev/null", O_RDONLY) >= 0) ++n;
        std::printf("abiertos=%d %s\n", n, errno == EMFILE ? "EMFILE" : std::strerror(errno));
    }
)cpp";

// argv: prefijo de los archivos, cuántos, y MB de cada uno, escritos en bloques de 1 MB.
const char* const kEscribir = R"cpp(
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
    static char bloque[1 << 20];
    int main(int argc, char** argv) {
        const int archivos = std::atoi(argv[2]), mb = std::atoi(argv[3]);
        std::memset(bloque, 'x', sizeof bloque);
        long long total = 0;
        for (int f = 0; f < archivos; ++f) {
            const std::string ruta = argv[1] + std::to_string(f);
            const int fd = open(ruta.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            for (int m = 0; m < mb; ++m) {
                const ssize_t n = fd < 0 ? -1 : write(fd, bloque, sizeof bloque);
                if (n > 0) total += n;
                if (n != static_cast<ssize_t>(sizeof bloque)) {
                    std::printf("error %s total=%lld\n", std::strerror(errno), total);
                    return 2;
                }
            }
            close(fd);
        }
        std::printf("escrito total=%lld\n", total);
    }
)cpp";

// argv[1]: MB que reservar y tocar, en bloques de 64 MB que no se liberan hasta el final.
const char* const kMemoria = R"cpp(
#include <cstdio>
#include <cstdlib>
#include <cstring>
    int main(int argc, char** argv) {
        const long mb = std::atol(argv[1]);
        static char* bloques[1024];
        long tocados = 0;
        int n = 0;
        while (tocados < mb) {
            char* p = static_cast<char*>(std::malloc(64 << 20));
            if (p == nullptr) {
                std::printf("sin memoria tras %ld MB\n", tocados);
                return 3;
            }
            std::memset(p, 1, 64 << 20);
            bloques[n++] = p;
            tocados += 64;
        }
        std::printf("toqué %ld MB\n", tocados);
        while (n > 0) std::free(bloques[--n]);
    }
)cpp";

// Intenta hacerse con su guardián (argv[1]: pidfd, ptrace o mem) para avisar al comprobador de
// que las ejecuciones 1 a 64 terminaron bien; haya podido o no, después aborta. Con pidfd se
// lleva el socket del guardián (pidfd_getfd) y avisa él; con ptrace o /proc/<pid>/mem escribe
// en el guardián, donde está parado esperando una señal, el código de falsificar(), y lo
// despierta con SIGCHLD para que lo ejecute.
const char* const kFalsificador = R"cpp(
#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
    struct Aviso {
        uint32_t tipo, id;
        int32_t estado, cls;
        int64_t cpu;
    };
    // Sin llamadas ni datos fuera de la pila: se copia tal cual en el guardián.
    extern "C" __attribute__((section("inyeccion"), noinline, used)) void falsificar() {
        for (uint32_t id = 1; id <= 64; ++id) {
            Aviso a;
            a.tipo = 2;
            a.id = id;
            a.estado = 0;
            a.cls = 0;
            a.cpu = 0;
            long r = SYS_sendto;
            register long r10 asm("r10") = MSG_NOSIGNAL;
            register long r8 asm("r8") = 0;
            register long r9 asm("r9") = 0;
            asm volatile("syscall"
                         : "+a"(r)
                         : "D"(3L), "S"(&a), "d"(sizeof a), "r"(r10), "r"(r8), "r"(r9)
                         : "rcx", "r11", "memory");
        }
        long r = SYS_exit_group;
        asm volatile("syscall" : "+a"(r) : "D"(0L) : "rcx", "r11", "memory");
        for (;;) {
        }
    }
    extern "C" char __start_inyeccion[], __stop_inyeccion[];

    int main(int argc, char** argv) {
        const pid_t guardian = getppid();
        const std::string como = argv[1];
        const std::size_t largo = (__stop_inyeccion - __start_inyeccion + 7) / 8 * 8;
        bool logrado = false;
        if (como == "pidfd") {
            const int pidfd = syscall(SYS_pidfd_open, guardian, 0);
            const int fd = pidfd < 0 ? -1 : syscall(SYS_pidfd_getfd, pidfd, 3, 0);
            if (fd >= 0) {
                for (uint32_t id = 1; id <= 64; ++id) {
                    Aviso a{2, id, 0, 0, 0};
                    logrado = send(fd, &a, sizeof a, MSG_NOSIGNAL) == sizeof a || logrado;
                }
            } else {
                std::printf("pidfd_getfd: %s\n", std::strerror(errno));
            }
        } else if (como == "ptrace") {
            if (ptrace(PTRACE_SEIZE, guardian, 0, 0) != 0 &&
                ptrace(PTRACE_ATTACH, guardian, 0, 0) != 0) {
                std::printf("ptrace: %s\n", std::strerror(errno));
            } else {
                ptrace(PTRACE_INTERRUPT, guardian, 0, 0);
                int estado;
                waitpid(guardian, &estado, __WALL);
                user_regs_struct r;
                ptrace(PTRACE_GETREGS, guardian, 0, &r);
                for (std::size_t i = 0; i < largo; i += 8) {
                    long palabra;
                    std::memcpy(&palabra, __start_inyeccion + i, 8);
                    ptrace(PTRACE_POKETEXT, guardian, r.rip + i, palabra);
                }
                logrado = ptrace(PTRACE_DETACH, guardian, 0, 0) == 0;
            }
        } else {
            // La llamada en que espera: "número args... pila pc".
            std::ifstream f("/proc/" + std::to_string(guardian) + "/syscall");
            std::string linea, ultimo;
            std::getline(f, linea);
            std::istringstream campos(linea);
            for (std::string c; campos >> c;) ultimo = c;
            const unsigned long pc = std::strtoul(ultimo.c_str(), nullptr, 16);
            const int fd = open(("/proc/" + std::to_string(guardian) + "/mem").c_str(), O_RDWR);
            if (fd < 0 || pc == 0) {
                std::printf("mem: %s\n", std::strerror(errno));
            } else {
                logrado = pwrite(fd, __start_inyeccion, largo, pc) == static_cast<ssize_t>(largo);
            }
        }
        if (logrado && como != "pidfd") kill(guardian, SIGCHLD);
        std::printf(logrado ? "falsificado\n" : "no pude\n");
        std::fflush(stdout);
        sleep(1);
        std::abort();
    }
)cpp";

// Una lanzadera de pega para probar qué avisos acepta el comprobador: se presenta, recibe una
// petición y su guardián dice que empezó; después un nieto suyo (un programa que se hubiera
// llevado el socket) dice que la ejecución terminó bien, y al rato el guardián, que terminó
// con SIGABRT.
const char* const kLanzaderaDePega = R"cpp(
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdint>
#include <cstring>
    struct Aviso {
        uint32_t tipo, id;
        int32_t estado, cls;
        int64_t cpu;
    };
    void avisar(uint32_t tipo, uint32_t id, int32_t estado) {
        Aviso a{tipo, id, estado, -1, 0};
        send(3, &a, sizeof a, MSG_NOSIGNAL);
    }
    int main() {
        avisar(3, 0, 0);
        struct {
            uint32_t id, opciones;
            uint64_t memoria;
        } p;
        char datos[65536];
        iovec partes[2] = {{&p, sizeof p}, {datos, sizeof datos}};
        alignas(cmsghdr) char control[CMSG_SPACE(4 * sizeof(int))];
        msghdr m{};
        m.msg_iov = partes;
        m.msg_iovlen = 2;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        if (recvmsg(3, &m, 0) <= 0) return 1;
        cmsghdr* c = CMSG_FIRSTHDR(&m);
        const int recibidos = static_cast<int>((c->cmsg_len - CMSG_LEN(0)) / sizeof(int));
        int fds[4] = {-1, -1, -1, -1};
        std::memcpy(fds, CMSG_DATA(c), sizeof(int) * (recibidos < 4 ? recibidos : 4));
        if (fork() == 0) {
            avisar(1, p.id, 0);
            char si;
            if (fds[3] >= 0 && read(fds[3], &si, 1) != 1) _exit(0);
            for (int fd : fds) close(fd);
            if (fork() == 0) {
                avisar(2, p.id, 0);
                _exit(0);
            }
            wait(nullptr);
            usleep(300000);
            avisar(2, p.id, SIGABRT);
            _exit(0);
        }
        for (int fd : fds) close(fd);
        wait(nullptr);
        char x;
        while (recv(3, &x, 1, 0) > 0) {
        }
    }
)cpp";

// Llama a system("cls") argv[1] veces; con "registro", escribe el archivo y la variable que
// contaba la cls de antes; con "true", se cambia por /bin/true.
const char* const kCls = R"cpp(
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <string>
    int main(int argc, char** argv) {
        const std::string como = argv[1];
        if (como == "registro") {
            std::ofstream("cls-0") << "cls\n";
            setenv("EJ_CLS_REGISTRO", "cls-0", 1);
            return std::system("echo cls >> \"$EJ_CLS_REGISTRO\"");
        }
        if (como == "true") {
            execl("/bin/true", "true", static_cast<char*>(nullptr));
            return 1;
        }
        for (int i = 0; i < std::atoi(argv[1]); ++i) {
            if (std::system("cls") != 0) return 2;
        }
    }
)cpp";

// argv[1]: "hijo" (un hijo reserva y toca argv[2] MB con malloc, en bloques de 64 MB) o "mmap"
// (los pide con mmap y los toca página a página).
const char* const kMemoriaArbol = R"cpp(
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
    int main(int argc, char** argv) {
        const long mb = std::atol(argv[2]);
        if (std::strcmp(argv[1], "hijo") == 0) {
            const pid_t hijo = fork();
            if (hijo == 0) {
                for (long tocados = 0; tocados < mb; tocados += 64) {
                    char* p = static_cast<char*>(std::malloc(64 << 20));
                    if (p == nullptr) _exit(3);
                    std::memset(p, 1, 64 << 20);
                }
                std::printf("el hijo tocó %ld MB\n", mb);
                _exit(0);
            }
            int estado = 0;
            waitpid(hijo, &estado, 0);
            return WIFEXITED(estado) ? WEXITSTATUS(estado) : 4;
        }
        const std::size_t bytes = static_cast<std::size_t>(mb) << 20;
        char* p = static_cast<char*>(mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0));
        if (p == MAP_FAILED) return 3;
        for (std::size_t i = 0; i < bytes; i += 4096) p[i] = 1;
        std::printf("toqué %ld MB con mmap\n", mb);
    }
)cpp";

// Intenta cambiar argv[1] (otro programa de la entrega) y crear un archivo junto a él y en /tmp;
// después dice si su carpeta de trabajo estaba vacía, cuál es y su HOME, y deja un rastro en
// ella.
const char* const kSobrescribir = R"cpp(
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
    bool escribe(const std::string& ruta, int modo) {
        const int fd = open(ruta.c_str(), O_WRONLY | modo, 0755);
        const bool bien = fd >= 0 && write(fd, "#!/bin/sh\n", 10) == 10;
        if (fd >= 0) close(fd);
        return bien;
    }
    int main(int argc, char** argv) {
        const std::string otro = argv[1];
        std::printf("sobrescribe=%d\n", escribe(otro, O_TRUNC));
        std::printf("crea=%d\n", escribe(otro.substr(0, otro.rfind('/')) + "/nuevo", O_CREAT));
        std::printf("tmp=%d\n", escribe("/tmp/nuevo", O_CREAT));
        int entradas = 0;
        if (DIR* d = opendir(".")) {
            while (dirent* e = readdir(d))
                entradas += std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0;
            closedir(d);
        }
        std::printf("vacía=%d\n", entradas == 0);
        char cwd[4096];
        std::printf("cwd=%s\nhome=%s\n", getcwd(cwd, sizeof cwd), std::getenv("HOME"));
        std::printf("rastro=%d\n", escribe("rastro", O_CREAT));
    }
)cpp";

// --- El banco de pruebas ------------------------------------------------------------------

// Una carpeta temporal propia que `usuario` puede recorrer, con bin/ (los hostiles, visibles
// dentro solo para leer), entrega/ (la copia escribible) y fuera.txt, que dentro no existe.
class AislamientoTest : public ::testing::Test {
   protected:
    void SetUp() override {
        std::string razon;
        if (!nucleo::aislamientoDisponible(&razon)) {
            if (std::getenv("CI") != nullptr) FAIL() << razon;
            GTEST_SKIP() << razon;
        }
        std::string plantilla = (fs::temp_directory_path() / "aislamiento-XXXXXX").string();
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        raiz_ = plantilla;
        fs::permissions(raiz_,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        fs::create_directory(raiz_ + "/bin");
        fs::create_directory(raiz_ + "/entrega");
        fs::permissions(raiz_ + "/bin", fs::perms::owner_all | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read |
                                            fs::perms::others_exec);
        escribirArchivo(fuera(), "int secreto = 42;\n");
        a_.carpeta = raiz_ + "/entrega";
        a_.lectura = {raiz_ + "/bin"};
    }
    void TearDown() override {
        std::error_code ec;
        if (!raiz_.empty()) fs::remove_all(raiz_, ec);
    }

    std::string fuera() const { return raiz_ + "/fuera.txt"; }
    std::string entrega(const std::string& archivo) const { return a_.carpeta + "/" + archivo; }

    // Compila fuera del aislamiento y devuelve la ruta del programa.
    std::string compilar(const std::string& nombre, const std::string& fuente,
                         const std::vector<std::string>& opciones = {}) {
        const std::string cpp = raiz_ + "/" + nombre + ".cpp";
        const std::string programa = raiz_ + "/bin/" + nombre;
        escribirArchivo(cpp, fuente);
        std::vector<std::string> argv = {"/usr/bin/g++", "-std=c++17", "-O0", "-w"};
        argv.insert(argv.end(), opciones.begin(), opciones.end());
        argv.insert(argv.end(), {cpp, "-o", programa});
        const Salida s = Proceso(argv, nullptr).terminar(milliseconds(60000));
        EXPECT_EQ(s.estado, 0) << "no compila " << nombre << ": " << s;
        return programa;
    }

    // Ejecuta la orden aislada con `a` hasta el final.
    Salida aislado(const std::vector<std::string>& orden, const nucleo::Aislamiento& a) {
        std::string error;
        EXPECT_TRUE(nucleo::cederCarpeta(a, &error)) << error;
        const nucleo::OrdenAislada aislada(a, orden);
        return Proceso(aislada.argv(), &aislada).terminar();
    }
    Salida aislado(const std::vector<std::string>& orden) { return aislado(orden, a_); }

    // Cómo acabó una orden: su salida, si terminó bien y si se mató por el tiempo.
    struct Fin {
        std::string texto;
        bool bien;
        bool agotado;
    };
    using Ejecutor =
        std::function<Fin(const std::vector<std::string>&, const nucleo::Aislamiento&)>;

    // Un programa que toca 128 MB cabe y uno que toca 3 GB topa con los 256 MiB de su
    // aislamiento, con y sin sanitizadores, ejecutado por `ejecutar`.
    void probarTopesDeMemoria(const Ejecutor& ejecutar) {
        const std::string normal = compilar("memoria", kMemoria);
        const std::string asan =
            compilar("memoria-asan", kMemoria, {"-fsanitize=address,undefined"});
        struct Caso {
            bool sanitizadores;
            int mb;
            bool cabe;
        };
        const Caso casos[] = {
            {false, 128, true}, {false, 3072, false}, {true, 128, true}, {true, 3072, false}};
        for (const Caso& c : casos) {
            nucleo::Aislamiento a = a_;
            // 256 MiB en vez del 1 GiB de serie: estrenar memoria es lo lento de la prueba.
            a.memoria = std::size_t{256} << 20;
            a.sanitizadores = c.sanitizadores;
            // Las opciones de quien llama se conservan; los topes de memoria se añaden detrás.
            if (c.sanitizadores) a.entorno = {"ASAN_OPTIONS=detect_leaks=0"};
            const Fin f = ejecutar({c.sanitizadores ? asan : normal, std::to_string(c.mb)}, a);
            const std::string caso =
                std::to_string(c.mb) + " MB" + (c.sanitizadores ? " con ASan" : "");
            EXPECT_FALSE(f.agotado) << caso << ": " << f.texto;
            EXPECT_EQ(f.bien, c.cabe) << caso << ": " << f.texto;
            EXPECT_EQ(f.texto.find("toqué") != std::string::npos, c.cabe)
                << caso << ": " << f.texto;
            if (!c.cabe) {
                EXPECT_NE(f.texto.find(c.sanitizadores ? "rss limit" : "sin memoria"),
                          std::string::npos)
                    << caso << ": " << f.texto;
            }
        }
    }

    std::string raiz_;
    nucleo::Aislamiento a_;
};

// --- aislamientoDisponible ----------------------------------------------------------------

class EntornoBwrap {
   public:
    explicit EntornoBwrap(const char* ruta) {
        if (const char* antes = std::getenv("EJ_BWRAP")) antes_ = antes;
        setenv("EJ_BWRAP", ruta, 1);
    }
    ~EntornoBwrap() {
        if (antes_.empty()) {
            unsetenv("EJ_BWRAP");
        } else {
            setenv("EJ_BWRAP", antes_.c_str(), 1);
        }
    }

   private:
    std::string antes_;
};

TEST(AislamientoDisponible, SinUnBwrapQueFuncioneLoDiceEnEspanol) {
    struct Caso {
        const char* bwrap;
        const char* explicacion;
    };
    const Caso casos[] = {
        {"/no/existe/bwrap",
         "No está bubblewrap (/no/existe/bwrap): la comprobación no queda aislada. Instálalo "
         "con: sudo apt-get install bubblewrap"},
        {"/bin/false", "bubblewrap (/bin/false) no consigue aislar"},
    };
    for (const Caso& c : casos) {
        EntornoBwrap entorno(c.bwrap);
        std::string razon;
        EXPECT_FALSE(nucleo::aislamientoDisponible(&razon)) << c.bwrap;
        EXPECT_NE(razon.find(c.explicacion), std::string::npos) << razon;
        EXPECT_EQ(nucleo::ordenAislada({}, {"true"}).front(), c.bwrap);
    }
}

// --- La vista del sistema de archivos -----------------------------------------------------

TEST_F(AislamientoTest, SoloVeLoSuyoYNoEscribeFueraDeLaCopia) {
    const std::string marca = marcaUnica();
    struct Ruta {
        std::string ruta;
        bool lee;
        std::optional<bool> escribe;
    };
    std::vector<Ruta> rutas = {
        {"/etc/hostname", false, false},
        {"/etc/passwd", false, false},
        // Dentro, la carpeta de fuera.txt puede existir (la crea bwrap para montar bin/) y dejar
        // crear un fuera.txt; no importa: no es el del anfitrión.
        {fuera(), false, std::nullopt},
        {"/root/" + marca, false, false},
        {"/home/" + marca, false, false},
        {"/" + marca, false, false},
        {"/usr/" + marca, false, false},
        {"/dev/" + marca, false, false},
        {"/tmp/" + marca, false, true},
        {"~/" + marca, false, true},
    };
    // Archivos de la colección, si están donde se espera.
    for (const std::string& ruta : {std::string(__FILE__), std::string("/work/main/README.md")}) {
        if (fs::path(ruta).is_absolute() && existe(ruta)) rutas.push_back({ruta, false, false});
    }
    // La información de depuración del sistema (libc6-dbg), si la hay: un informe de los
    // sanitizadores la leería entera.
    std::error_code ec;
    for (fs::recursive_directory_iterator i("/usr/lib/debug", ec), fin; !ec && i != fin;
         i.increment(ec)) {
        if (i->is_regular_file(ec)) {
            rutas.push_back({i->path().string(), false, false});
            break;
        }
    }
    std::vector<std::string> orden = {compilar("espia", kEspia)};
    std::vector<std::pair<std::string, std::string>> antes;
    for (const Ruta& r : rutas) {
        orden.push_back(r.ruta);
        if (existe(r.ruta)) antes.emplace_back(r.ruta, leerArchivo(r.ruta));
    }

    const Salida s = aislado(orden);
    ASSERT_EQ(s.estado, 0) << s;
    for (const Ruta& r : rutas) {
        EXPECT_NE(s.texto.find(r.ruta + " lee=" + (r.lee ? "1" : "0") + "\n"), std::string::npos)
            << s;
        if (r.escribe.has_value()) {
            EXPECT_NE(s.texto.find(r.ruta + " escribe=" + (*r.escribe ? "1" : "0") + "\n"),
                      std::string::npos)
                << s;
        }
    }
    // Fuera nada ha cambiado: lo de /tmp quedó en el /tmp propio y lo de $HOME en la copia.
    for (const auto& [ruta, contenido] : antes) EXPECT_EQ(leerArchivo(ruta), contenido) << ruta;
    for (const char* carpeta : {"/tmp/", "/root/", "/home/", "/", "/usr/", "/dev/"}) {
        EXPECT_FALSE(existe(carpeta + marca)) << carpeta << marca;
    }
    EXPECT_EQ(leerArchivo(entrega(marca)), "hostil\n");

    // bin/ se ve en su ruta: la primera carpeta de esa ruta sí está (tmp, salvo con TMPDIR).
    const std::string propia = fs::path(raiz_).begin()->string() == "/"
                                   ? std::next(fs::path(raiz_).begin())->string()
                                   : "";
    for (const char* ajena : {"home", "root", "work", "var", "run", "opt", "mnt", "srv", "sys"}) {
        if (ajena == propia) continue;
        EXPECT_EQ(s.texto.find(std::string("en /: ") + ajena + "\n"), std::string::npos) << s;
    }
    std::set<std::string> enEtc;
    std::istringstream lineas(s.texto);
    for (std::string l; std::getline(lineas, l);) {
        if (l.rfind("en /etc: ", 0) == 0) enEtc.insert(l.substr(9));
    }
    enEtc.erase(".");
    enEtc.erase("..");
    const std::set<std::string> etcPermitido = {"alternatives", "ld.so.cache"};
    EXPECT_TRUE(std::includes(etcPermitido.begin(), etcPermitido.end(), enEtc.begin(), enEtc.end()))
        << s;
    char nodo[256] = {};
    gethostname(nodo, sizeof nodo - 1);
    EXPECT_EQ(s.texto.find(std::string("nodo=") + nodo + "\n"), std::string::npos) << s;
}

TEST_F(AislamientoTest, UnIncludeDeUnArchivoDelAnfitrionNoCompila) {
    std::vector<std::string> rutas = {fuera()};
    if (existe("/etc/hostname")) rutas.push_back("/etc/hostname");
    for (const std::string& ruta : rutas) {
        escribirArchivo(entrega("incluye.cpp"),
                        "#include \"" + ruta + "\"\nint main() { return 0; }\n");
        if (ruta == fuera()) {
            // Fuera compila: lo que falla dentro es verlo.
            const Salida libre =
                Proceso({"/usr/bin/g++", "-fsyntax-only", entrega("incluye.cpp")}, nullptr)
                    .terminar();
            ASSERT_EQ(libre.estado, 0) << libre;
        }
        const Salida s = aislado({"g++", "-fsyntax-only", "incluye.cpp"});
        EXPECT_NE(s.estado, 0) << s;
        EXPECT_NE(s.texto.find(ruta + ": No such file or directory"), std::string::npos) << s;
    }
}

// --- Compilar y ejecutar dentro -----------------------------------------------------------

TEST_F(AislamientoTest, CompilaYEjecutaDentro) {
    struct Caso {
        std::vector<std::string> compilar;
        bool sanitizadores;
        const char* fuente;
        std::vector<const char*> esperado;
    };
    const Caso casos[] = {
        {{"g++", "-std=c++17", "main.cpp", "-o", "prog"},
         false,
         "#include <iostream>\nint main() { std::cout << \"hola desde dentro\\n\"; }\n",
         {"hola desde dentro"}},
        // c++ es una alternativa: necesita /etc/alternatives.
        {{"c++", "-std=c++17", "-fsanitize=address,undefined", "-g", "main.cpp", "-o", "prog"},
         true,
         "#include <climits>\n"
         "int main(int argc, char**) {\n"
         "    int x = INT_MAX; x += argc;\n"
         "    int* p = new int[4]; p[argc + 3] = x; return p[0];\n"
         "}\n",
         {"runtime error: signed integer overflow", "heap-buffer-overflow"}},
    };
    for (const Caso& c : casos) {
        escribirArchivo(entrega("main.cpp"), c.fuente);
        fs::remove(entrega("prog"));
        const Salida compilacion = aislado(c.compilar);
        ASSERT_EQ(compilacion.estado, 0) << compilacion;
        nucleo::Aislamiento a = a_;
        a.sanitizadores = c.sanitizadores;
        const Salida s = aislado({"./prog"}, a);
        for (const char* texto : c.esperado) {
            EXPECT_NE(s.texto.find(texto), std::string::npos) << texto << "\n" << s;
        }
        EXPECT_FALSE(s.agotado) << s;
    }
}

TEST_F(AislamientoTest, ElEntornoEsLimpio) {
    setenv("EJ_SECRETO_AISLAMIENTO", "no-deberias-verlo", 1);
    a_.entorno = {"EJ_PERMITIDA=sí", "LANG=C"};
    const Salida s = aislado({compilar("entorno", kEntorno)});
    unsetenv("EJ_SECRETO_AISLAMIENTO");
    ASSERT_EQ(s.estado, 0) << s;
    std::set<std::string> nombres;
    std::istringstream lineas(s.texto);
    for (std::string l; std::getline(lineas, l);) {
        if (l.rfind("cwd=", 0) != 0) nombres.insert(l.substr(0, l.find('=')));
    }
    // PWD lo pone bwrap al entrar en la carpeta.
    EXPECT_EQ(nombres,
              (std::set<std::string>{"PATH", "LANG", "LC_ALL", "HOME", "PWD", "EJ_PERMITIDA"}))
        << s;
    for (const char* linea : {"PATH=/usr/bin:/bin\n", "HOME=/tmp/entrega\n", "LANG=C\n",
                              "EJ_PERMITIDA=sí\n", "cwd=/tmp/entrega\n"}) {
        EXPECT_NE(s.texto.find(linea), std::string::npos) << linea << s;
    }
}

// --- Red --------------------------------------------------------------------------------

TEST_F(AislamientoTest, NoLlegaNiALaInterfazLocal) {
    Escucha escucha;
    ASSERT_GT(escucha.puerto(), 0);
    const std::string programa = compilar("conectar", kConectar);
    const std::string puerto = std::to_string(escucha.puerto());
    // Fuera sí conecta: la escucha funciona.
    const Salida libre = Proceso({programa, puerto}, nullptr).terminar();
    ASSERT_NE(libre.texto.find("conectado"), std::string::npos) << libre;
    ASSERT_EQ(escucha.aceptadas(1, milliseconds(1000)), 1);

    const Salida s = aislado({programa, puerto});
    EXPECT_NE(s.estado, 0) << s;
    EXPECT_NE(s.texto.find("sin conexión"), std::string::npos) << s;
    // Una conexión lograda ya estaría en la cola y el hilo la acepta en 20 ms.
    EXPECT_EQ(escucha.aceptadas(2, milliseconds(200)), 1);
}

// --- Procesos ---------------------------------------------------------------------------

TEST_F(AislamientoTest, NingunDescendienteSobreviveAlAislamiento) {
    const int eslabones = 30;
    const std::string programa = compilar("cadena", kCadena);
    for (const bool matarlo : {false, true}) {
        const std::string marca = marcaUnica();
        ASSERT_TRUE(nucleo::cederCarpeta(a_));
        const nucleo::OrdenAislada orden(
            a_, {programa, std::to_string(eslabones), matarlo ? "espera" : "sale", marca});
        Proceso p(orden.argv(), &orden);
        ASSERT_TRUE(p.esperarTexto("listo\n", milliseconds(5000)));
        EXPECT_GE(procesosConMarca(marca), eslabones) << "la cadena no llegó a existir";
        if (matarlo) {
            p.matar();
        } else {
            escribirArchivo(entrega("salir"), "");
        }
        const Salida s = p.terminar(milliseconds(3000));
        EXPECT_FALSE(s.agotado) << "alguien sigue con la salida abierta: " << s;
        EXPECT_EQ(quedanConMarca(marca, milliseconds(2000)), 0)
            << (matarlo ? "tras matar bwrap" : "tras salir el primero");
    }
}

// El límite de CPU del ejecutor ve lo que calcula el programa dentro de bwrap (dos procesos
// más abajo): uno que calcula sin parar se mata por su CPU, no por el tope de tiempo real, y de
// uno que termina se sabe lo que gastó. Los bucles llevan su propio tope (ulimit -t).
TEST_F(AislamientoTest, ElLimiteDeCpuVeElProgramaAislado) {
    struct Fila {
        const char* descripcion;
        const char* orden;
        bool agotado;
    } filas[] = {
        {"calcula sin parar", "ulimit -t 5; while :; do :; done", true},
        {"calcula y termina", "i=0; while [ $i -lt 200000 ]; do i=$((i+1)); done; echo fin", false},
    };
    for (const Fila& f : filas) {
        ASSERT_TRUE(nucleo::cederCarpeta(a_));
        nucleo::Opciones o;
        o.aislamiento = &a_;
        o.argumentos = {"-c", f.orden};
        o.limiteCpu = milliseconds(f.agotado ? 300 : 10000);
        o.limite = milliseconds(20000);
        const auto antes = Reloj::now();
        const nucleo::Resultado r = nucleo::ejecutar("/bin/sh", "", o);
        EXPECT_EQ(r.agotado, f.agotado) << f.descripcion << ": " << r;
        EXPECT_FALSE(r.agotadoParado) << f.descripcion << ": " << r;
        EXPECT_LT(Reloj::now() - antes, std::chrono::seconds(8)) << f.descripcion;
        if (f.agotado) {
            EXPECT_GE(r.cpu, o.limiteCpu) << f.descripcion << ": " << r;
        } else {
            EXPECT_EQ(r.salida, "fin\n") << f.descripcion << ": " << r;
            EXPECT_GT(r.cpu, milliseconds(20)) << f.descripcion << ": " << r;
        }
    }
}

TEST_F(AislamientoTest, UnaBombaDeForksTopaConElLimite) {
    a_.procesos = 16;
    const std::string marca = marcaUnica();
    ASSERT_TRUE(nucleo::cederCarpeta(a_));
    const nucleo::OrdenAislada orden(a_, {compilar("bomba", kBomba), marca});
    Proceso p(orden.argv(), &orden);
    ASSERT_TRUE(p.esperarTexto("tope\n", milliseconds(5000)));
    // Los dos bwrap llevan también la marca.
    EXPECT_LE(procesosConMarca(marca), a_.procesos + 2);
    p.matar();
    p.terminar(milliseconds(3000));
    EXPECT_EQ(quedanConMarca(marca, milliseconds(2000)), 0);
}

// --- Límites de archivos y memoria ----------------------------------------------------------

TEST_F(AislamientoTest, NoAbreMasArchivosQueElLimite) {
    a_.archivosAbiertos = 32;
    const Salida s = aislado({compilar("descriptores", kDescriptores)});
    ASSERT_EQ(s.estado, 0) << s;
    int abiertos = -1;
    ASSERT_EQ(std::sscanf(s.texto.c_str(), "abiertos=%d EMFILE", &abiertos), 1) << s;
    EXPECT_NE(s.texto.find("EMFILE"), std::string::npos) << s;
    EXPECT_LE(abiertos, a_.archivosAbiertos - 3) << s;  // 0, 1 y 2 ya están abiertos
    EXPECT_GE(abiertos, a_.archivosAbiertos - 8) << s;
}

TEST_F(AislamientoTest, NoLlenaElDiscoNiLaMemoriaConArchivos) {
    struct Caso {
        std::string prefijo;  // dentro
        int archivos, mb;
        std::size_t tope;  // bytes que como mucho llegan a escribirse
    };
    const nucleo::Aislamiento& a = a_;
    const Caso casos[] = {
        // En la copia, es decir, en el disco del anfitrión.
        {std::string(nucleo::kCarpetaDentro) + "/grande", 1, 200, a.tamanoArchivo},
        {"/tmp/grande", 1, 200, a.tamanoArchivo},
        // Archivos de tamaño permitido, pero /tmp y /dev/shm se llenan.
        {"/tmp/parte", 8, 40, a.tamanoTmp},
        {"/dev/shm/parte", 8, 40, a.tamanoTmp},
    };
    const std::string programa = compilar("escribir", kEscribir);
    for (const Caso& c : casos) {
        const Salida s =
            aislado({programa, c.prefijo, std::to_string(c.archivos), std::to_string(c.mb)});
        EXPECT_EQ(s.texto.find("escrito"), std::string::npos) << c.prefijo << ": " << s;
        EXPECT_FALSE(s.agotado) << s;
        long long total = -1;
        if (s.texto.rfind("error", 0) == 0) {
            std::sscanf(s.texto.c_str() + s.texto.find("total="), "total=%lld", &total);
            EXPECT_LE(total, static_cast<long long>(c.tope)) << s;
        } else {
            EXPECT_EQ(s.estado, 128 + SIGXFSZ) << c.prefijo << ": " << s;
        }
    }
    EXPECT_LE(fs::file_size(entrega("grande0")), a.tamanoArchivo);
}

TEST_F(AislamientoTest, LaMemoriaTieneTopeConYSinSanitizadores) {
    probarTopesDeMemoria([&](const std::vector<std::string>& orden, const nucleo::Aislamiento& a) {
        const Salida s = aislado(orden, a);
        return Fin{s.texto, s.estado == 0 && s.senal == 0, s.agotado};
    });
}

// --- Como root, una colección bajo una carpeta cerrada ---------------------------------------

// Como root, bwrap corre como `usuario`, que no puede recorrer una carpeta 0700 (una colección
// en /root): compilar y ejecutar aislado, también en la lanzadera, funciona igual, y fuera la
// carpeta sigue cerrada.
TEST_F(AislamientoTest, ComoRootLlegaBajoUnaCarpetaCerrada) {
    if (geteuid() != 0) GTEST_SKIP() << "solo como root";
    const std::string cerrada = raiz_ + "/cerrada";
    const std::string coleccion = cerrada + "/coleccion";
    fs::create_directories(coleccion + "/bin");
    fs::create_directories(coleccion + "/entrega");
    const fs::perms abierta = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec;
    for (const std::string& carpeta : {coleccion, coleccion + "/bin", coleccion + "/entrega"}) {
        fs::permissions(carpeta, abierta);
    }
    fs::permissions(cerrada, fs::perms::owner_all);
    fs::copy_file(EJ_LANZADERA, coleccion + "/bin/lanzadera");
    escribirArchivo(coleccion + "/bin/saludo.h",
                    "#define SALUDO \"hola desde la carpeta cerrada\"\n");
    nucleo::Aislamiento a = a_;
    a.carpeta = coleccion + "/entrega";
    a.lectura = {coleccion + "/bin"};
    escribirArchivo(a.carpeta + "/main.cpp", "#include \"" + coleccion +
                                                 "/bin/saludo.h\"\n#include <cstdio>\n"
                                                 "int main() { std::puts(SALUDO); }\n");
    const Salida compilacion = aislado({"g++", "main.cpp", "-o", "prog"}, a);
    ASSERT_EQ(compilacion.estado, 0) << compilacion;
    const Salida s = aislado({"./prog"}, a);
    EXPECT_EQ(s.texto, "hola desde la carpeta cerrada\n") << s;

    std::unique_ptr<nucleo::Lanzadera> l =
        nucleo::Lanzadera::abrir(a, coleccion + "/bin/lanzadera");
    ASSERT_NE(l, nullptr);
    a.lanzadera = l.get();
    nucleo::Opciones o;
    o.aislamiento = &a;
    const nucleo::Resultado r =
        nucleo::ejecutar(std::string(nucleo::kCarpetaDentro) + "/prog", "", o);
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "hola desde la carpeta cerrada\n") << r;
    l.reset();
    EXPECT_EQ(fs::status(cerrada).permissions(), fs::perms::owner_all);
}

// --- La lanzadera ---------------------------------------------------------------------------

// Una lanzadera abierta con el aislamiento de la prueba, que también deja leer la lanzadera.
class LanzaderaTest : public AislamientoTest {
   protected:
    void SetUp() override {
        AislamientoTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        a_.lectura.push_back(EJ_LANZADERA);
        a_.lectura.push_back(mudo());
        ASSERT_TRUE(nucleo::cederCarpeta(a_));
        lanzadera_ = nucleo::Lanzadera::abrir(a_, EJ_LANZADERA);
        ASSERT_NE(lanzadera_, nullptr);
        a_.lanzadera = lanzadera_.get();
    }
    void TearDown() override {
        lanzadera_.reset();
        AislamientoTest::TearDown();
    }

    // La carpeta de la cls que no hace nada.
    static std::string mudo() { return std::string(EJ_RAIZ) + "/lanzador/mudo"; }

    // Cierra la lanzadera y abre `programa` como lanzadera con el aislamiento de ahora.
    void reabrir(const std::string& programa = EJ_LANZADERA) {
        lanzadera_.reset();
        a_.lanzadera = nullptr;
        lanzadera_ = nucleo::Lanzadera::abrir(a_, programa);
        ASSERT_NE(lanzadera_, nullptr);
        a_.lanzadera = lanzadera_.get();
    }

    // La orden hasta el final, con las dos salidas juntas, en la lanzadera (o como diga `a`).
    nucleo::Resultado lanzado(const std::vector<std::string>& orden, const std::string& entrada,
                              const nucleo::Aislamiento& a, nucleo::Opciones o = {}) {
        o.argumentos.assign(orden.begin() + 1, orden.end());
        o.unirSalidas = true;
        o.aislamiento = &a;
        return nucleo::ejecutar(orden.front(), entrada, o);
    }
    nucleo::Resultado lanzado(const std::vector<std::string>& orden, nucleo::Opciones o = {}) {
        return lanzado(orden, "", a_, o);
    }

    std::unique_ptr<nucleo::Lanzadera> lanzadera_;
};

// Lo que hace un programa en la lanzadera es lo que hace en un bwrap propio: sus flujos, su
// estado o su señal, lo que ve, su entorno y sus límites.
TEST_F(LanzaderaTest, EjecutaComoUnBwrapPropio) {
    struct Fila {
        const char* descripcion;
        std::vector<std::string> orden;
        const char* entrada;
        int estado;
        int senal;
    } filas[] = {
        {"salidas y estado", {"/bin/sh", "-c", "echo hola; echo mal >&2; exit 3"}, "", 3, 0},
        {"la entrada", {"/bin/cat"}, "uno\ndos\n", 0, 0},
        {"una señal", {"/bin/sh", "-c", "echo antes; kill -SEGV $$"}, "", -1, SIGSEGV},
        {"el entorno", {"/bin/sh", "-c", "env | sort"}, "", 0, 0},
        {"lo que ve", {"/bin/sh", "-c", "ls / /tmp /dev; id; cat /etc/hostname; pwd"}, "", 0, 0},
        {"los límites", {"/bin/sh", "-c", "ulimit -n; ulimit -f; ulimit -p; ulimit -v"}, "", 0, 0},
        {"no existe", {"/tmp/entrega/no-existe"}, "", 127, 0},
    };
    nucleo::Aislamiento propio = a_;
    propio.lanzadera = nullptr;
    for (const Fila& f : filas) {
        const nucleo::Resultado l = lanzado(f.orden, f.entrada, a_);
        const nucleo::Resultado b = lanzado(f.orden, f.entrada, propio);
        EXPECT_EQ(l.estado, f.estado) << f.descripcion << ": " << l;
        EXPECT_EQ(l.senal, f.senal) << f.descripcion << ": " << l;
        EXPECT_EQ(b.estado, f.estado) << f.descripcion << " (bwrap propio): " << b;
        EXPECT_EQ(b.senal, f.senal) << f.descripcion << " (bwrap propio): " << b;
        if (f.estado != 127) {
            EXPECT_EQ(l.salida, b.salida) << f.descripcion;
        }
    }
}

// Lo que deja en marcha un programa (30 procesos en otras sesiones) muere con él, termine solo
// o se mate por el tiempo, y la lanzadera sigue sirviendo.
TEST_F(LanzaderaTest, NadaDeUnProgramaSobreviveASuEjecucion) {
    const std::string programa = compilar("cadena", kCadena);
    escribirArchivo(entrega("salir"), "");
    ASSERT_TRUE(nucleo::cederCarpeta(a_));
    for (const bool sale : {true, false}) {
        const std::string marca = marcaUnica();
        nucleo::Opciones o;
        o.limite = milliseconds(sale ? 10000 : 1500);
        const nucleo::Resultado r = lanzado({programa, "30", sale ? "sale" : "espera", marca}, o);
        EXPECT_EQ(r.salida, "listo\n") << r;
        EXPECT_EQ(r.agotado, !sale) << r;
        EXPECT_EQ(quedanConMarca(marca, milliseconds(2000)), 0)
            << (sale ? "tras salir el primero" : "tras matarlo por el tiempo");
    }
    EXPECT_EQ(lanzado({"/bin/echo", "sigue"}).salida, "sigue\n");
}

// Un programa que mata a su guardián no cuelga la ejecución ni sigue en marcha.
TEST_F(LanzaderaTest, UnProgramaQueMataASuGuardianTermina) {
    const std::string marca = marcaUnica();
    const auto antes = Reloj::now();
    const nucleo::Resultado r =
        lanzado({"/bin/sh", "-c", "kill -KILL $PPID; sleep 5; echo tarde", marca});
    EXPECT_LT(Reloj::now() - antes, std::chrono::seconds(3)) << r;
    EXPECT_FALSE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida.find("tarde"), std::string::npos) << r;
    EXPECT_EQ(quedanConMarca(marca, milliseconds(2000)), 0);
    EXPECT_EQ(lanzado({"/bin/echo", "sigue"}).salida, "sigue\n");
}

// El límite de CPU ve lo que gasta el programa en la lanzadera (su guardián es de esta
// máquina), y el de memoria lo pone cada ejecución: con sanitizadores, los de ASan.
TEST_F(LanzaderaTest, LosLimitesDeCpuYMemoriaSonLosDeCadaEjecucion) {
    nucleo::Opciones o;
    o.limiteCpu = milliseconds(300);
    o.limite = milliseconds(20000);
    const auto antes = Reloj::now();
    const nucleo::Resultado bucle =
        lanzado({"/bin/sh", "-c", "ulimit -t 5; while :; do :; done"}, o);
    EXPECT_TRUE(bucle.agotado) << bucle;
    EXPECT_FALSE(bucle.agotadoParado) << bucle;
    EXPECT_GE(bucle.cpu, o.limiteCpu) << bucle;
    EXPECT_LT(Reloj::now() - antes, std::chrono::seconds(8));

    probarTopesDeMemoria([&](const std::vector<std::string>& orden, const nucleo::Aislamiento& a) {
        const nucleo::Resultado r = lanzado(orden, "", a);
        return Fin{r.salida, r.terminoBien(), r.agotado};
    });
}

// Un programa no puede hacerse con su guardián para decir cómo terminó: ni llevarse su socket,
// ni seguirlo con ptrace, ni escribir en su memoria. Se juzga lo que hizo: abortar.
TEST_F(LanzaderaTest, UnProgramaNoFalsificaSuResultado) {
#ifndef __x86_64__
    GTEST_SKIP() << "el código que se inyecta en el guardián es de x86-64";
#endif
    const std::string programa =
        compilar("falsificador", kFalsificador, {"-O2", "-fno-stack-protector"});
    for (const char* como : {"pidfd", "ptrace", "mem"}) {
        const nucleo::Resultado r = lanzado({programa, como});
        EXPECT_EQ(r.senal, SIGABRT) << como << ": " << r;
        EXPECT_NE(r.salida.find("no pude"), std::string::npos) << como << ": " << r;
    }
    EXPECT_EQ(lanzado({"/bin/echo", "sigue"}).salida, "sigue\n");
}

// De cada aviso se mira quién lo envía: el fin de una ejecución lo dice su guardián, no otro
// proceso con el socket (aquí, un nieto de una lanzadera de pega).
TEST_F(LanzaderaTest, SoloSuGuardianDiceComoTermino) {
    reabrir(compilar("lanzadera-de-pega", kLanzaderaDePega));
    const nucleo::Resultado r = lanzado({"/bin/true"});
    EXPECT_EQ(r.senal, SIGABRT) << r;
    EXPECT_EQ(r.estado, -1) << r;
}

// El guardián cuenta las veces que el programa, o lo que lanza, ejecuta cls: ni más (una
// búsqueda en PATH que falla no cuenta) ni menos, y sin que el programa pueda tocar la cuenta.
TEST_F(LanzaderaTest, CuentaLasLlamadasACls) {
    const std::string programa = compilar("cls", kCls);
    struct Fila {
        const char* descripcion;
        const char* como;
        const char* path;
        int llamadas;
    } filas[] = {
        {"una vez", "1", "mudo primero", 1},
        {"dos veces", "2", "mudo primero", 2},
        {"ninguna", "0", "mudo primero", 0},
        {"escribe el registro de la cls de antes", "registro", "mudo primero", 0},
        {"se cambia por /bin/true", "true", "mudo primero", 0},
        {"una vez, con cls al final de PATH", "1", "mudo último", 1},
    };
    for (const Fila& f : filas) {
        nucleo::Opciones o;
        o.contarCls = true;
        o.entorno = {std::string("PATH=") + (f.path == std::string("mudo primero")
                                                 ? mudo() + ":/usr/bin:/bin"
                                                 : "/usr/bin:/bin:" + mudo())};
        const nucleo::Resultado r = lanzado({programa, f.como}, o);
        EXPECT_TRUE(r.terminoBien()) << f.descripcion << ": " << r;
        EXPECT_EQ(r.llamadasCls, f.llamadas) << f.descripcion << ": " << r;
    }
    // Sin pedirlo, o sin lanzadera, no se cuentan.
    nucleo::Opciones o;
    o.entorno = {"PATH=" + mudo() + ":/usr/bin:/bin"};
    EXPECT_EQ(lanzado({programa, "1"}, o).llamadasCls, -1);
    o.contarCls = true;
    nucleo::Aislamiento propio = a_;
    propio.lanzadera = nullptr;
    EXPECT_EQ(lanzado({programa, "1"}, "", propio, o).llamadasCls, -1);
}

// El tope de memoria es del programa y de todo lo que lance, con y sin sanitizadores: un hijo
// que toca 2 GiB, o 2 GiB pedidos con mmap y tocados página a página, se matan al pasar de él y
// no queda nada en marcha. RLIMIT_AS y los topes de ASan, más altos, no llegan a actuar (y
// son la red de seguridad de la prueba).
TEST_F(LanzaderaTest, LaMemoriaDeTodoLoQueLanzaTieneTope) {
    const std::string normal = compilar("memoria-arbol", kMemoriaArbol);
    const std::string asan =
        compilar("memoria-arbol-asan", kMemoriaArbol, {"-fsanitize=address,undefined"});
    struct Fila {
        const char* como;
        bool sanitizadores;
    } filas[] = {{"hijo", false}, {"mmap", false}, {"hijo", true}, {"mmap", true}};
    for (const Fila& f : filas) {
        nucleo::Aislamiento a = a_;
        a.memoria = std::size_t{3} << 30;
        a.sanitizadores = f.sanitizadores;
        if (f.sanitizadores) a.entorno = {"ASAN_OPTIONS=detect_leaks=0"};
        nucleo::Opciones o;
        o.limiteMemoria = std::size_t{256} << 20;
        const std::string marca = marcaUnica();
        const std::string caso = std::string(f.como) + (f.sanitizadores ? " con ASan" : "");
        const auto antes = Reloj::now();
        const nucleo::Resultado r =
            lanzado({f.sanitizadores ? asan : normal, f.como, "2048", marca}, "", a, o);
        EXPECT_TRUE(r.memoriaExcedida) << caso << ": " << r;
        EXPECT_FALSE(r.terminoBien()) << caso << ": " << r;
        EXPECT_EQ(r.salida.find("toc"), std::string::npos) << caso << ": " << r;
        EXPECT_LT(Reloj::now() - antes, std::chrono::seconds(10)) << caso;
        EXPECT_EQ(quedanConMarca(marca, milliseconds(2000)), 0) << caso;
    }
}

// Con la carpeta de la entrega solo para leer, ningún programa cambia lo compilado ni deja nada
// junto a ello ni en /tmp, y cada ejecución trabaja en una carpeta vacía, que es su HOME: lo que
// deja una no lo ve la siguiente. En la lanzadera y en un bwrap propio.
TEST_F(LanzaderaTest, LoCompiladoNoCambiaYCadaEjecucionEmpiezaDeCero) {
    const std::string programa = compilar("sobrescribir", kSobrescribir);
    escribirArchivo(entrega("otro"), "original\n");
    a_.carpetaSoloLectura = true;
    ASSERT_TRUE(nucleo::cederCarpeta(a_));
    reabrir();
    nucleo::Aislamiento propio = a_;
    propio.lanzadera = nullptr;
    const auto valor = [](const std::string& texto, const std::string& nombre) {
        const std::size_t desde = texto.find("\n" + nombre + "=");
        if (desde == std::string::npos) return std::string();
        const std::size_t inicio = desde + nombre.size() + 2;
        return texto.substr(inicio, texto.find('\n', inicio) - inicio);
    };
    for (const nucleo::Aislamiento* a : {&a_, &propio}) {
        const std::string donde =
            a->lanzadera != nullptr ? "en la lanzadera" : "en un bwrap propio";
        for (int vez = 1; vez <= 2; ++vez) {
            const nucleo::Resultado r =
                lanzado({programa, std::string(nucleo::kCarpetaDentro) + "/otro"}, "", *a);
            const std::string caso = donde + ", vez " + std::to_string(vez);
            EXPECT_TRUE(r.terminoBien()) << caso << ": " << r;
            for (const char* linea :
                 {"sobrescribe=0\n", "crea=0\n", "tmp=0\n", "vacía=1\n", "rastro=1\n"}) {
                EXPECT_NE(r.salida.find(linea), std::string::npos) << caso << ": " << r;
            }
            const std::string cwd = valor(r.salida, "cwd");
            EXPECT_EQ(cwd.rfind(nucleo::kCarpetaEjecucion, 0), 0U) << caso << ": " << r;
            EXPECT_EQ(valor(r.salida, "home"), cwd) << caso << ": " << r;
        }
    }
    EXPECT_EQ(leerArchivo(entrega("otro")), "original\n");
    EXPECT_FALSE(existe(entrega("nuevo")));
    EXPECT_FALSE(existe(entrega("rastro")));
}

}  // namespace

// El programa de la sonda de funciones (sonda.h): hace cada llamada que le piden con lo que
// escriba capturado y responde lo observado (sonda_protocolo.h). Se enlaza con la solución (con
// su main renombrado) y con el <programa>_sonda.cpp de su ejercicio, que registra las
// operaciones.
//
// La solución corre en este mismo programa, así que en Linux la sonda se guarda de ella: el que
// responde es un servidor que arranca antes que nada de la solución (en .preinit_array, antes que
// cualquier objeto global o constructor suyo) y que nunca la ejecuta. Antes de decir que está
// listo quita lo que pudiera haber (otros hilos, señales, temporizadores, descriptores y, si
// corre solo en su aislamiento, cualquier otro proceso) y deja de poder ser depurado o leído
// desde fuera. Cada llamada la hace un hijo suyo que, antes de seguir arrancando el programa
// (los globales de la solución, su main renombrado no), cierra la entrada de las peticiones y la
// salida de las respuestas; el servidor lee lo que el hijo observa y lo responde con el número de
// la llamada. El servidor habla con el núcleo directamente y sin reservar memoria: no pasa por
// nada que la solución pueda sustituir (su propio write o malloc). Así una solución solo puede
// influir en lo observado de su propia llamada, no responder por las demás ni leer las que vienen.
// La compilación rechaza una solución que pondría código antes que el servidor (un ifunc, su
// propio .preinit_array).
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "captura.h"
#include "sonda.h"
#include "sonda_protocolo.h"

#if defined(__linux__)
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <sys/wait.h>
#define EJ_SONDA_GUARDADA 1
#endif

namespace {

namespace d = nucleo::captura_detalle;

// Por donde van las respuestas: la salida estándar de verdad, apartada antes que nada en un
// número fijo (el penúltimo que deja el aislamiento, que admite 64 descriptores). La salida
// estándar pasa a ir a la nada: lo que la solución escriba fuera de una llamada no se mezcla con
// las respuestas. En un hijo, el último es el archivo donde se captura su salida de error mientras
// dura una llamada, que el servidor lee si el hijo no vuelve: ahí está el informe de los
// sanitizadores de lo que pasó dentro de la llamada.
constexpr int kRespuestas = 62;
constexpr int kErroresDeLaLlamada = 63;

#ifndef EJ_SONDA_GUARDADA
bool apartada = false;

void apartarLaSalida() {
    if (apartada) return;
    apartada = true;
    d::duplicarEn(d::kSalida, kRespuestas);
#ifdef _WIN32
    const int nada = _open("NUL", _O_WRONLY);
#else
    const int nada = open("/dev/null", O_WRONLY | O_CLOEXEC);
#endif
    if (nada >= 0) {
        d::duplicarEn(nada, d::kSalida);
        d::cerrar(nada);
    }
}
#endif

// La cuenta de new y delete, para las comprobaciones de la memoria de las listas.
long reservadosHastaAhora = 0;
long liberadosHastaAhora = 0;
const void* ultimo = nullptr;

void* reservar(std::size_t tam) {
    void* p = std::malloc(tam == 0 ? 1 : tam);
    if (p == nullptr) throw std::bad_alloc();
    ++reservadosHastaAhora;
    return p;
}

void liberar(void* p) noexcept {
    if (p == nullptr) return;
    ++liberadosHastaAhora;
    ultimo = p;
    std::free(p);
}

// Lo observado en una llamada (una línea del protocolo, sin número), o lo que lanzó.
std::string observar(const ej_sonda::Registro& registro, const std::vector<std::string>& c) {
    const ej_sonda::Operacion* operacion = registro.buscar(c[1]);
    if (operacion == nullptr) return "la sonda no tiene la operación «" + c[1] + "»";
    try {
        return (*operacion)(ej_sonda::Argumentos(std::vector<std::string>(c.begin() + 2, c.end())));
    } catch (const std::exception& x) {
        return std::string("lanza una excepción: ") + x.what();
    } catch (...) {
        return "lanza una excepción";
    }
}

#ifdef EJ_SONDA_GUARDADA

// ------------------------------------------------------------------- La sonda guardada

// Llamadas al núcleo sin pasar por la biblioteca de C (que la solución puede sustituir).
long nucleo_(long n, long a = 0, long b = 0, long c = 0, long e = 0, long f = 0) {
#if defined(__x86_64__)
    long r;
    register long r10 __asm__("r10") = e;
    register long r8 __asm__("r8") = f;
    __asm__ volatile("syscall"
                     : "=a"(r)
                     : "a"(n), "D"(a), "S"(b), "d"(c), "r"(r10), "r"(r8)
                     : "rcx", "r11", "memory");
    return r;
#else
    return syscall(n, a, b, c, e, f);
#endif
}

long leer(int fd, char* p, std::size_t n) {
    long r;
    while ((r = nucleo_(SYS_read, fd, reinterpret_cast<long>(p), static_cast<long>(n))) == -EINTR) {
    }
    return r;
}

// Escribe todo; false si no pudo (el que lee ya no está).
bool escribirHasta(int fd, const char* p, std::size_t n) {
    while (n > 0) {
        const long r = nucleo_(SYS_write, fd, reinterpret_cast<long>(p), static_cast<long>(n));
        if (r == -EINTR) continue;
        if (r <= 0) return false;
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

void escribir(int fd, const char* p, std::size_t n) {
    // Sin salida para responder, no hay sonda.
    if (!escribirHasta(fd, p, n)) nucleo_(SYS_exit_group, 1);
}

std::size_t largo(const char* t) {
    std::size_t n = 0;
    while (t[n] != '\0') ++n;
    return n;
}

// Una línea que se va componiendo en un búfer fijo.
struct Linea {
    char texto[1 << 17];
    std::size_t n = 0;
    void poner(const char* p, std::size_t k) {
        for (std::size_t i = 0; i < k && n < sizeof texto; ++i) texto[n++] = p[i];
    }
    void poner(const char* t) { poner(t, largo(t)); }
    void numero(long v) {
        char cifras[24];
        std::size_t k = 0;
        const bool negativo = v < 0;
        unsigned long u =
            negativo ? 0UL - static_cast<unsigned long>(v) : static_cast<unsigned long>(v);
        do {
            cifras[k++] = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u != 0);
        if (negativo) poner("-");
        while (k > 0) poner(&cifras[--k], 1);
    }
    // Con los escapes del protocolo.
    void campo(const char* p, std::size_t k) {
        for (std::size_t i = 0; i < k; ++i) {
            if (p[i] == '\t') {
                poner("\\t");
            } else if (p[i] == '\n') {
                poner("\\n");
            } else if (p[i] == '\\') {
                poner("\\\\");
            } else {
                poner(&p[i], 1);
            }
        }
    }
    void enviar() {
        poner("\n");
        escribir(kRespuestas, texto, n);
        n = 0;
    }
};

Linea salida;

// ¿Corre sola en su propio aislamiento (bubblewrap con su propio espacio de procesos, donde el
// primer proceso es bwrap y ella el segundo)? Solo entonces puede matar todo lo demás: fuera,
// eso alcanzaría a los procesos de quien comprueba.
bool solaEnSuAislamiento() {
    if (nucleo_(SYS_getpid) != 2 || nucleo_(SYS_getppid) != 1) return false;
    const long fd =
        nucleo_(SYS_openat, AT_FDCWD, reinterpret_cast<long>("/proc/1/comm"), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char nombre[16] = {};
    const long n = leer(static_cast<int>(fd), nombre, sizeof nombre - 1);
    nucleo_(SYS_close, fd);
    return n >= 6 && nombre[0] == 'b' && nombre[1] == 'w' && nombre[2] == 'r' && nombre[3] == 'a' &&
           nombre[4] == 'p' && nombre[5] == '\n';
}

// ¿Hay en su espacio de procesos alguno más que el primero y ella?
bool hayOtrosProcesos() {
    const long fd = nucleo_(SYS_openat, AT_FDCWD, reinterpret_cast<long>("/proc"),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    alignas(8) char bloque[8192];
    bool otros = false;
    for (;;) {
        const long n = nucleo_(SYS_getdents64, fd, reinterpret_cast<long>(bloque), sizeof bloque);
        if (n <= 0) break;
        for (long i = 0; i < n;) {
            const unsigned short tam = *reinterpret_cast<unsigned short*>(bloque + i + 16);
            const char* nombre = bloque + i + 19;
            const bool numero = nombre[0] >= '0' && nombre[0] <= '9';
            const bool propio = (nombre[0] == '1' || nombre[0] == '2') && nombre[1] == '\0';
            if (numero && !propio) otros = true;
            i += tam;
        }
    }
    nucleo_(SYS_close, fd);
    return otros;
}

// ¿Tiene este proceso un solo hilo?
bool unSoloHilo() {
    const long fd = nucleo_(SYS_openat, AT_FDCWD, reinterpret_cast<long>("/proc/self/status"),
                            O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    static char estado[16384];
    long total = 0;
    for (long n; total < static_cast<long>(sizeof estado) - 1 &&
                 (n = leer(static_cast<int>(fd), estado + total, sizeof estado - 1 - total)) > 0;)
        total += n;
    nucleo_(SYS_close, fd);
    estado[total] = '\0';
    const char* clave = "\nThreads:\t";
    for (long i = 0; i + 10 < total; ++i) {
        bool igual = true;
        for (int k = 0; k < 10 && igual; ++k) igual = estado[i + k] == clave[k];
        if (igual) return estado[i + 10] == '1' && estado[i + 11] == '\n';
    }
    return false;
}

// Si corre sola en su aislamiento (se mira una vez, antes de decir que está lista).
bool sola = false;

// Lo que pudo dejar preparado la solución al arrancar, fuera: manejadores de señales,
// temporizadores, descriptores de más y, en su aislamiento, otros procesos.
void limpiarLoQueDejo() {
    struct kernel_sigaction {
        void (*manejador)(int);
        unsigned long flags;
        void (*restaurador)();
        unsigned long mascara;
    };
    const kernel_sigaction porDefecto{SIG_DFL, 0, nullptr, 0};
    for (long s = 1; s < 65; ++s) {
        if (s == SIGKILL || s == SIGSTOP) continue;
        nucleo_(SYS_rt_sigaction, s, reinterpret_cast<long>(&porDefecto), 0, 8);
    }
    const unsigned long nada = 0;
    nucleo_(SYS_rt_sigprocmask, SIG_SETMASK, reinterpret_cast<long>(&nada), 0, 8);
    // Un hijo que ya no lee sus peticiones no tumba al servidor.
    const kernel_sigaction ignorar{SIG_IGN, 0, nullptr, 0};
    nucleo_(SYS_rt_sigaction, SIGPIPE, reinterpret_cast<long>(&ignorar), 0, 8);
    const itimerval cero{};
    for (long t : {ITIMER_REAL, ITIMER_VIRTUAL, ITIMER_PROF})
        nucleo_(SYS_setitimer, t, reinterpret_cast<long>(&cero), 0);
    nucleo_(SYS_close_range, 3, kRespuestas - 1, 0);
    nucleo_(SYS_close_range, kRespuestas + 1, ~0U, 0);
    if (sola) {
        nucleo_(SYS_kill, -1, SIGKILL);
        for (int vuelta = 0; vuelta < 1000 && hayOtrosProcesos(); ++vuelta) {
            const timespec espera{0, 1000000};
            nucleo_(SYS_nanosleep, reinterpret_cast<long>(&espera), 0);
        }
    }
    nucleo_(SYS_prctl, PR_SET_DUMPABLE, 0);
}

// En un hijo, de dónde lee sus peticiones y dónde dice lo observado; -1 en el servidor.
int fdPeticiones = -1;
int fdObservacion = -1;

// En el hijo, ya arrancado el programa (main): una llamada tras otra, cada una con lo observado
// en una línea, hasta que el servidor cierra sus peticiones. No vuelve.
[[noreturn]] void atenderEnElHijo(const ej_sonda::Registro& registro) {
    std::string pendiente;
    char trozo[4096];
    for (;;) {
        const std::size_t fin = pendiente.find('\n');
        if (fin == std::string::npos) {
            const long n = leer(fdPeticiones, trozo, sizeof trozo);
            if (n <= 0) break;
            pendiente.append(trozo, static_cast<std::size_t>(n));
            continue;
        }
        std::vector<std::string> c = ej_sonda::campos(pendiente.substr(0, fin));
        pendiente.erase(0, fin + 1);
        std::string observado = c.size() < 2 ? "petición mal formada" : observar(registro, c);
        observado = ej_sonda::escaparCampo(observado) + "\n";
        escribir(fdObservacion, observado.data(), observado.size());
    }
    nucleo_(SYS_exit_group, 0);
    __builtin_unreachable();
}

// El hijo que atiende las llamadas de una comprobación: solo ve las suyas, una cada vez.
struct Hijo {
    long pid = -1;
    int peticiones = -1;                  // el servidor escribe aquí
    int observaciones = -1;               // y lee aquí
    long errores = -1, deLaLlamada = -1;  // su salida de error, fuera y dentro de las llamadas
    char grupo[64] = {};
    std::size_t largoGrupo = 0;
    char leido[1 << 16];
    std::size_t llevo = 0;
};

Hijo hijo;

// Termina el hijo en marcha (ya sin peticiones, sale) y lo que haya dejado. Devuelve su estado
// de wait.
int acabarHijo() {
    int estado = -1;
    if (hijo.pid <= 0) return estado;
    nucleo_(SYS_close, hijo.peticiones);
    nucleo_(SYS_close, hijo.observaciones);
    while (nucleo_(SYS_wait4, hijo.pid, reinterpret_cast<long>(&estado), 0, 0) == -EINTR) {
    }
    if (hijo.errores >= 0) nucleo_(SYS_close, hijo.errores);
    if (hijo.deLaLlamada >= 0) nucleo_(SYS_close, hijo.deLaLlamada);
    hijo.pid = -1;
    // Lo que haya dejado en marcha no sigue.
    if (sola) nucleo_(SYS_kill, -1, SIGKILL);
    return estado;
}

// Un hijo nuevo para el grupo dado. Devuelve true en el hijo, que sigue arrancando el programa.
bool lanzarHijo(const char* grupo, std::size_t largo) {
    int aHijo[2], deHijo[2];
    if (nucleo_(SYS_pipe2, reinterpret_cast<long>(aHijo), O_CLOEXEC) != 0 ||
        nucleo_(SYS_pipe2, reinterpret_cast<long>(deHijo), O_CLOEXEC) != 0)
        nucleo_(SYS_exit_group, 1);
    const long errores = nucleo_(SYS_memfd_create, reinterpret_cast<long>("errores"), MFD_CLOEXEC);
    const long deLaLlamada =
        nucleo_(SYS_memfd_create, reinterpret_cast<long>("errores de la llamada"), MFD_CLOEXEC);
    const long pid = nucleo_(SYS_clone, SIGCHLD, 0, 0, 0, 0);
    if (pid == 0) {
        // Antes de tocar la solución: sin las peticiones de los demás, sin la salida de las
        // respuestas.
        nucleo_(SYS_close, 0);
        nucleo_(SYS_close, kRespuestas);
        nucleo_(SYS_close, aHijo[1]);
        nucleo_(SYS_close, deHijo[0]);
        // SIGPIPE, como siempre en el programa.
        const long porDefecto[4] = {0, 0, 0, 0};  // SIG_DFL, sin banderas
        nucleo_(SYS_rt_sigaction, SIGPIPE, reinterpret_cast<long>(porDefecto), 0, 8);
        if (errores >= 0) nucleo_(SYS_dup3, errores, 2, 0);
        if (deLaLlamada >= 0) nucleo_(SYS_dup3, deLaLlamada, kErroresDeLaLlamada, 0);
        fdPeticiones = aHijo[0];
        fdObservacion = deHijo[1];
        return true;
    }
    nucleo_(SYS_close, aHijo[0]);
    nucleo_(SYS_close, deHijo[1]);
    hijo.pid = pid;
    hijo.peticiones = aHijo[1];
    hijo.observaciones = deHijo[0];
    hijo.errores = errores;
    hijo.deLaLlamada = deLaLlamada;
    hijo.largoGrupo = largo < sizeof hijo.grupo ? largo : sizeof hijo.grupo;
    for (std::size_t i = 0; i < hijo.largoGrupo; ++i) hijo.grupo[i] = grupo[i];
    hijo.llevo = 0;
    return false;
}

// Una petición «número, grupo, operación, argumentos»: la hace el hijo de su grupo (uno nuevo
// si cambia el grupo o si el anterior no volvió), y el servidor responde lo que él observó o
// cómo terminó. Devuelve true en un hijo nuevo, que sigue arrancando el programa.
bool atender(const char* linea, std::size_t n) {
    std::size_t numero = 0;
    while (numero < n && linea[numero] != '\t') ++numero;
    std::size_t finGrupo = numero + 1;
    while (finGrupo < n && linea[finGrupo] != '\t') ++finGrupo;
    const char* grupo = linea + numero + 1;
    const std::size_t largoGrupo = finGrupo > numero + 1 ? finGrupo - numero - 1 : 0;
    bool mismo = hijo.pid > 0 && hijo.largoGrupo == largoGrupo;
    for (std::size_t i = 0; mismo && i < largoGrupo; ++i) mismo = hijo.grupo[i] == grupo[i];
    if (!mismo) {
        acabarHijo();
        if (lanzarHijo(grupo, largoGrupo)) return true;
    }
    // Al hijo, la petición sin su grupo: «número, operación, argumentos».
    static char sinGrupo[1 << 16];
    std::size_t k = 0;
    for (std::size_t i = 0; i < numero && k < sizeof sinGrupo; ++i) sinGrupo[k++] = linea[i];
    for (std::size_t i = finGrupo; i < n && k + 1 < sizeof sinGrupo; ++i) sinGrupo[k++] = linea[i];
    sinGrupo[k++] = '\n';
    escribirHasta(hijo.peticiones, sinGrupo, k);
    // Su observación: una línea.
    bool completa = false;
    std::size_t fin = 0;
    while (!completa) {
        for (; fin < hijo.llevo; ++fin) {
            if (hijo.leido[fin] == '\n') {
                completa = true;
                break;
            }
        }
        if (completa || hijo.llevo == sizeof hijo.leido) break;
        const long r =
            leer(hijo.observaciones, hijo.leido + hijo.llevo, sizeof hijo.leido - hijo.llevo);
        if (r <= 0) break;
        hijo.llevo += static_cast<std::size_t>(r);
    }
    if (completa) {
        salida.poner(ej_sonda::kRespuesta);
        salida.poner("\t");
        salida.poner(linea, numero);
        salida.poner("\t");
        // Lo que escribió el hijo ya va con escapes; un tabulador de más lo estropearía.
        for (std::size_t i = 0; i < fin; ++i)
            salida.poner(hijo.leido[i] == '\t' ? " " : &hijo.leido[i], 1);
        salida.enviar();
        // Lo que venga detrás es de la siguiente llamada.
        std::size_t j = 0;
        for (std::size_t i = fin + 1; i < hijo.llevo; ++i) hijo.leido[j++] = hijo.leido[i];
        hijo.llevo = j;
        return false;
    }
    // No volvió: lo que escribió por la salida de error (también lo que capturaba la llamada),
    // y cómo terminó. La siguiente petición la hará otro hijo.
    const long errores = hijo.errores, deLaLlamada = hijo.deLaLlamada;
    hijo.errores = hijo.deLaLlamada = -1;
    const int estado = acabarHijo();
    bool dichos = false;
    for (const long archivo : {errores, deLaLlamada}) {
        if (archivo < 0) continue;
        static char texto[1 << 14];
        const long leidos =
            nucleo_(SYS_pread64, archivo, reinterpret_cast<long>(texto), sizeof texto, 0);
        nucleo_(SYS_close, archivo);
        if (leidos <= 0) continue;
        if (!dichos) {
            salida.poner(ej_sonda::kErrores);
            salida.poner("\t");
            salida.poner(linea, numero);
            salida.poner("\t");
            dichos = true;
        }
        salida.campo(texto, static_cast<std::size_t>(leidos));
    }
    if (dichos) salida.enviar();
    salida.poner(ej_sonda::kMurio);
    salida.poner("\t");
    salida.poner(linea, numero);
    salida.poner("\t");
    // También si acabó bien sin responder: es una llamada que no volvió.
    salida.numero(estado);
    salida.enviar();
    return false;
}

// El servidor, antes que nada de la solución. Solo vuelve en los hijos, para que sigan
// arrancando el programa.
void servir(int, char**, char**) {
    nucleo_(SYS_dup3, 1, kRespuestas, 0);
    const long nada =
        nucleo_(SYS_openat, AT_FDCWD, reinterpret_cast<long>("/dev/null"), O_WRONLY | O_CLOEXEC);
    if (nada >= 0) {
        nucleo_(SYS_dup3, nada, 1, 0);
        nucleo_(SYS_close, nada);
    }
    if (!unSoloHilo()) {
        salida.poner(ej_sonda::kRechazo);
        salida.poner("\tla solución arranca hilos antes de main");
        salida.enviar();
        nucleo_(SYS_exit_group, 1);
    }
    sola = solaEnSuAislamiento();
    limpiarLoQueDejo();
    salida.poner(ej_sonda::kListo);
    salida.enviar();
    static char peticiones[1 << 22];
    std::size_t llevo = 0, desde = 0;
    long hechas = 0;
    for (;;) {
        const long r =
            llevo < sizeof peticiones ? leer(0, peticiones + llevo, sizeof peticiones - llevo) : 0;
        if (r > 0) llevo += static_cast<std::size_t>(r);
        for (std::size_t i = desde; i < llevo; ++i) {
            if (peticiones[i] != '\n') continue;
            if (atender(peticiones + desde, i - desde)) return;
            ++hechas;
            desde = i + 1;
        }
        if (r <= 0) break;
    }
    acabarHijo();
    salida.poner(ej_sonda::kFin);
    salida.poner("\t");
    salida.numero(hechas);
    salida.enviar();
    nucleo_(SYS_exit_group, 0);
    __builtin_unreachable();
}

__attribute__((section(".preinit_array"), used)) void (*const kServidor)(int, char**,
                                                                         char**) = servir;

#endif

}  // namespace

void* operator new(std::size_t tam) { return reservar(tam); }
void* operator new[](std::size_t tam) { return reservar(tam); }
void operator delete(void* p) noexcept { liberar(p); }
void operator delete[](void* p) noexcept { liberar(p); }
void operator delete(void* p, std::size_t) noexcept { liberar(p); }
void operator delete[](void* p, std::size_t) noexcept { liberar(p); }

namespace ej_sonda {

long reservados() { return reservadosHastaAhora; }
long liberados() { return liberadosHastaAhora; }
const void* ultimoLiberado() { return ultimo; }

Escrito escritoPor(void (*llamar)(void*), void* datos) {
    Escrito e;
    nucleo::Captura salida(std::cout);
#ifdef EJ_SONDA_GUARDADA
    // La salida de error, al archivo que el servidor lee si la llamada no vuelve (con el informe
    // de los sanitizadores, que escriben ahí).
    std::cerr.flush();
    std::fflush(stderr);
    const off_t desde = lseek(kErroresDeLaLlamada, 0, SEEK_END);
    const int antes = dup(2);
    dup2(kErroresDeLaLlamada, 2);
    llamar(datos);
    e.llegado = salida.llegado();
    std::cerr.flush();
    std::fflush(stderr);
    dup2(antes, 2);
    close(antes);
    char trozo[4096];
    for (off_t en = desde;;) {
        const ssize_t n = pread(kErroresDeLaLlamada, trozo, sizeof trozo, en);
        if (n <= 0) break;
        e.errores.append(trozo, static_cast<std::size_t>(n));
        en += n;
    }
#else
    {
        nucleo::Captura errores(std::cerr);
        llamar(datos);
        e.llegado = salida.llegado();
        e.errores = errores.texto();
    }
#endif
    e.salida = salida.texto();
    return e;
}

}  // namespace ej_sonda

int main() {
    ej_sonda::Registro registro;
    ej_sonda_registrar(registro);
#ifdef EJ_SONDA_GUARDADA
    // Solo llegan aquí los hijos del servidor, cada uno con su petición.
    if (fdPeticiones < 0) return 1;
    atenderEnElHijo(registro);
#else
    apartarLaSalida();
    // Sin hijos ni núcleo a mano (Windows): las llamadas, una tras otra en este proceso. Aquí
    // solo corre la respuesta modelo, en las pruebas de la colección.
    auto responder = [](const std::string& linea) {
        for (std::size_t hecho = 0; hecho < linea.size();) {
#ifdef _WIN32
            const int n = _write(kRespuestas, linea.data() + hecho,
                                 static_cast<unsigned>(linea.size() - hecho));
#else
            const ssize_t n = write(kRespuestas, linea.data() + hecho, linea.size() - hecho);
#endif
            if (n <= 0) return;
            hecho += static_cast<std::size_t>(n);
        }
    };
    responder(std::string(ej_sonda::kListo) + "\n");
    std::vector<std::string> peticiones;
    for (std::string linea; std::getline(std::cin, linea);) peticiones.push_back(linea);
    std::size_t hechas = 0;
    for (const std::string& linea : peticiones) {
        std::vector<std::string> c = ej_sonda::campos(linea);
        if (c.size() < 3) continue;
        c.erase(c.begin() + 1);  // el grupo: aquí todas van en el mismo proceso
        responder(std::string(ej_sonda::kRespuesta) + "\t" + ej_sonda::escaparCampo(c[0]) + "\t" +
                  ej_sonda::escaparCampo(observar(registro, c)) + "\n");
        ++hechas;
    }
    responder(std::string(ej_sonda::kFin) + "\t" + std::to_string(hechas) + "\n");
    return 0;
#endif
}

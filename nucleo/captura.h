// Captura de lo que una función escribe en la salida estándar o en la de error, para las
// pruebas unitarias que llaman directamente a las funciones de un programa.
//
// Se captura en el descriptor (1 o 2), no en el flujo: cuenta igual lo escrito con std::cout
// que con printf, puts o fputs. Mientras dura la captura, el descriptor apunta a un archivo
// temporal y stdout guarda lo escrito en un búfer completo (_IOFBF), como cuando la salida de
// un programa va a una tubería. Así lo que ya está en el archivo es lo que el programa vació:
// tras std::endl, '\n' con std::flush o fflush(stdout) la línea ha llegado; tras un '\n'
// solo, no (mientras lo escrito quepa en el búfer, de 64 KiB).
//
//   nucleo::Escrito e = nucleo::escritoPor([&] { imprimirLista(cabeza); });
//   EXPECT_EQ(e.texto, "1 -> NULL\n");
//   EXPECT_EQ(e.comoAcaba(), nucleo::Final::SaltoVaciado) << "acaba con std::endl";
//
// GoogleTest también escribe en stdout (cada fallo, cuando ocurre): lo que diga una aserción
// dentro de una captura de std::cout acaba en el archivo y se pierde. Por eso las aserciones
// van después de la captura, como con escritoPor.
//
// En Windows el archivo temporal se abre en modo binario, y el descriptor capturado lo toma de
// él: lo capturado tiene "\n" donde el programa escribió "\n", sin el "\r" que el modo texto
// le pondría delante en la consola o en una tubería.
#ifndef NUCLEO_CAPTURA_H
#define NUCLEO_CAPTURA_H

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <utility>

#if __has_include(<stdio_ext.h>)
#include <stdio_ext.h>
#define NUCLEO_CAPTURA_STDIO_EXT 1
#endif

namespace nucleo {

namespace captura_detalle {

#ifdef _WIN32
// Las llamadas de POSIX, con los nombres de la biblioteca de C de Windows.
using Posicion = long long;
inline int duplicar(int fd) { return _dup(fd); }
inline int duplicarEn(int fd, int destino) { return _dup2(fd, destino); }
inline int cerrar(int fd) { return _close(fd); }
inline bool esTerminal(int fd) { return _isatty(fd) != 0; }
constexpr int kSalida = 1, kErrores = 2;
#else
using Posicion = off_t;
inline int duplicar(int fd) { return dup(fd); }
inline int duplicarEn(int fd, int destino) { return dup2(fd, destino); }
inline int cerrar(int fd) { return close(fd); }
inline bool esTerminal(int fd) { return isatty(fd) != 0; }
constexpr int kSalida = STDOUT_FILENO, kErrores = STDERR_FILENO;
#endif

// El búfer de stdout durante las capturas, y también después: C no deja devolver a stdout el
// suyo, que setvbuf ya ha liberado, así que este dura lo que dura el programa.
constexpr std::size_t kTamBufer = std::size_t{1} << 16;
inline char* buferDeStdout() {
    static char bufer[kTamBufer];
    return bufer;
}

// Capturas de stdout abiertas: solo la de fuera cambia el búfer y lo restituye.
inline int& capturasDeStdout() {
    static int abiertas = 0;
    return abiertas;
}

// El modo de búfer de un FILE* que escribe en el descriptor dado (_IOFBF, _IOLBF o _IONBF).
inline int modoDeBufer(std::FILE* archivo, int descriptor) {
#ifdef NUCLEO_CAPTURA_STDIO_EXT
    if (__flbf(archivo) != 0) return _IOLBF;
    const std::size_t tam = __fbufsize(archivo);
    if (tam == 1) return _IONBF;  // glibc: un flujo sin búfer escribe byte a byte
    if (tam > 1) return _IOFBF;
#else
    (void)archivo;
#endif
    // Sin búfer aún: el que tendrá, según adónde va el descriptor.
    return esTerminal(descriptor) ? _IOLBF : _IOFBF;
}

[[noreturn]] inline void fallo(const char* que) {
    throw std::runtime_error(std::string("Captura: ") + que + ": " + std::strerror(errno));
}

// El archivo temporal, ya abierto para escribir en él (el descriptor que se devuelve) y para
// leerlo (`lectura`). En Linux es el mismo descriptor, sin nombre: se lee con pread, que no mueve
// la posición de escritura. En Windows no hay pread y un archivo abierto no se puede borrar: se
// abre dos veces, cada una con su posición, y se borra al terminar (`nombre`).
#ifdef _WIN32
inline int abrirTemporal(int& lectura, std::filesystem::path& nombre) {
    static std::atomic<unsigned> cuenta{0};
    std::error_code ec;
    const std::filesystem::path carpeta = std::filesystem::temp_directory_path(ec);
    for (int intento = 0; intento < 100; ++intento) {
        nombre = carpeta /
                 ("captura-" + std::to_string(_getpid()) + "-" + std::to_string(cuenta++) + ".tmp");
        const int escritura =
            _wopen(nombre.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
        if (escritura < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        lectura = _wopen(nombre.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
        if (lectura < 0) {
            const int error = errno;
            _close(escritura);
            _wunlink(nombre.c_str());
            errno = error;
            return -1;
        }
        return escritura;
    }
    errno = EEXIST;
    return -1;
}

inline long leerEn(int lectura, char* trozo, unsigned tam, Posicion desde) {
    if (_lseeki64(lectura, desde, SEEK_SET) < 0) return -1;
    return _read(lectura, trozo, tam);
}
#else
inline int abrirTemporal(int& lectura) {
    const char* carpeta = std::getenv("TMPDIR");
    std::string plantilla =
        std::string(carpeta != nullptr && *carpeta != '\0' ? carpeta : "/tmp") + "/captura-XXXXXX";
    const int fd = mkstemp(plantilla.data());
    if (fd < 0) return -1;
    unlink(plantilla.c_str());
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    lectura = fd;
    return fd;
}

inline ssize_t leerEn(int lectura, char* trozo, size_t tam, Posicion desde) {
    return pread(lectura, trozo, tam, desde);
}
#endif

}  // namespace captura_detalle

// Mientras existe, lo que llega al descriptor de `flujo` (std::cout: el 1; std::cerr o
// std::clog: el 2) va a un archivo temporal; al destruirse, el descriptor y el búfer de
// stdout vuelven a ser los de antes y lo no leído se descarta.
class Captura {
   public:
    explicit Captura(std::ostream& flujo = std::cout) : flujo_(flujo) {
        if (&flujo == &std::cout) {
            archivo_ = stdout;
            descriptor_ = captura_detalle::kSalida;
        } else if (&flujo == &std::cerr || &flujo == &std::clog) {
            archivo_ = stderr;
            descriptor_ = captura_detalle::kErrores;
        } else {
            throw std::invalid_argument("Captura: solo de std::cout, std::cerr o std::clog");
        }
        vaciar();  // lo pendiente de antes va a su sitio, no al archivo

#ifdef _WIN32
        temporal_ = captura_detalle::abrirTemporal(lectura_, nombre_);
#else
        temporal_ = captura_detalle::abrirTemporal(lectura_);
#endif
        if (temporal_ < 0) captura_detalle::fallo("archivo temporal");
        guardado_ = captura_detalle::duplicar(descriptor_);
        if (guardado_ < 0 || captura_detalle::duplicarEn(temporal_, descriptor_) < 0) {
            const int error = errno;
            if (guardado_ >= 0) captura_detalle::cerrar(guardado_);
            cerrarTemporal();
            errno = error;
            captura_detalle::fallo("dup");
        }
#ifndef _WIN32
        fcntl(guardado_, F_SETFD, FD_CLOEXEC);
#endif

        if (archivo_ == stdout && captura_detalle::capturasDeStdout()++ == 0) {
            cambiaBufer_ = true;
            modoAnterior_ = captura_detalle::modoDeBufer(stdout, guardado_);
            std::setvbuf(stdout, captura_detalle::buferDeStdout(), _IOFBF,
                         captura_detalle::kTamBufer);
        }
    }

    ~Captura() {
        vaciar();  // lo que queda pendiente es de la captura: va al archivo, que se descarta
        if (cambiaBufer_) {
            --captura_detalle::capturasDeStdout();
            if (modoAnterior_ == _IONBF) {
                std::setvbuf(stdout, nullptr, _IONBF, 0);
            } else {
                std::setvbuf(stdout, captura_detalle::buferDeStdout(), modoAnterior_,
                             captura_detalle::kTamBufer);
            }
        }
        captura_detalle::duplicarEn(guardado_, descriptor_);
        captura_detalle::cerrar(guardado_);
        cerrarTemporal();
    }

    Captura(const Captura&) = delete;
    Captura& operator=(const Captura&) = delete;

    // Todo lo escrito desde la última lectura: vacía antes el flujo de C++ y el de C. Lo
    // devuelto se descarta (la siguiente llamada da solo lo nuevo).
    std::string texto() {
        vaciar();
        std::string t = leer();
        leido_ += static_cast<captura_detalle::Posicion>(t.size());
        return t;
    }

    // Lo que ya ha llegado al descriptor desde la última lectura, sin vaciar nada: lo que el
    // programa ha vaciado por sí mismo. No descarta nada.
    std::string llegado() const { return leer(); }

   private:
    void vaciar() {
        flujo_.flush();
        std::fflush(archivo_);
    }

    std::string leer() const {
        std::string t;
        char trozo[4096];
        for (captura_detalle::Posicion desde = leido_;;) {
            const auto n = captura_detalle::leerEn(lectura_, trozo, sizeof trozo, desde);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            t.append(trozo, static_cast<std::size_t>(n));
            desde += n;
        }
        return t;
    }

    void cerrarTemporal() {
        if (lectura_ != temporal_) captura_detalle::cerrar(lectura_);
        captura_detalle::cerrar(temporal_);
#ifdef _WIN32
        _wunlink(nombre_.c_str());
#endif
    }

    std::ostream& flujo_;
    std::FILE* archivo_ = nullptr;
    int descriptor_ = -1;
    int guardado_ = -1;  // el descriptor de antes, para restituirlo
    int temporal_ = -1;  // el archivo temporal, donde escribe el descriptor capturado
    int lectura_ = -1;   // el mismo archivo, para leerlo (en Linux, temporal_, con pread)
#ifdef _WIN32
    std::filesystem::path nombre_;  // el del temporal, que se borra al final
#endif
    captura_detalle::Posicion leido_ = 0;  // lo ya devuelto por texto()
    bool cambiaBufer_ = false;
    int modoAnterior_ = _IOFBF;
};

// Cómo acaba lo que escribió una llamada, tal como lo ve quien lee la salida del programa.
enum class Final {
    SaltoVaciado,    // un salto de línea que ya llegó a la salida (std::endl)
    SaltoSinVaciar,  // un salto de línea que aún espera en el búfer ('\n' sin vaciar)
    SinSalto,        // sin salto de línea al final
};

inline std::ostream& operator<<(std::ostream& os, Final f) {
    switch (f) {
        case Final::SaltoVaciado:
            return os << "un salto de línea que ya llegó a la salida (como con std::endl)";
        case Final::SaltoSinVaciar:
            return os << "un salto de línea que aún no llegó a la salida (sin vaciar)";
        case Final::SinSalto:
            break;
    }
    return os << "sin salto de línea al final";
}

// Lo que escribió una llamada: todo, y lo que ya había llegado a la salida cuando volvió.
struct Escrito {
    std::string texto;
    std::string llegado;  // siempre un principio de texto

    Final comoAcaba() const {
        if (texto.empty() || texto.back() != '\n') return Final::SinSalto;
        return llegado.size() == texto.size() ? Final::SaltoVaciado : Final::SaltoSinVaciar;
    }
};

// Llama a `llamada` con `flujo` capturado; al volver, la captura ya ha terminado.
template <typename Llamada>
Escrito escritoPor(Llamada&& llamada, std::ostream& flujo = std::cout) {
    Escrito e;
    {
        Captura captura(flujo);
        std::forward<Llamada>(llamada)();
        e.llegado = captura.llegado();
        e.texto = captura.texto();
    }
    return e;
}

}  // namespace nucleo

#endif

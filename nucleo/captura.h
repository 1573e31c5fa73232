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
#ifndef NUCLEO_CAPTURA_H
#define NUCLEO_CAPTURA_H

#include <fcntl.h>
#include <unistd.h>

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
    return isatty(descriptor) ? _IOLBF : _IOFBF;
}

[[noreturn]] inline void fallo(const char* que) {
    throw std::runtime_error(std::string("Captura: ") + que + ": " + std::strerror(errno));
}

}  // namespace captura_detalle

// Mientras existe, lo que llega al descriptor de `flujo` (std::cout: el 1; std::cerr o
// std::clog: el 2) va a un archivo temporal; al destruirse, el descriptor y el búfer de
// stdout vuelven a ser los de antes y lo no leído se descarta.
class Captura {
   public:
    explicit Captura(std::ostream& flujo = std::cout) : flujo_(flujo) {
        if (&flujo == &std::cout) {
            archivo_ = stdout;
            descriptor_ = STDOUT_FILENO;
        } else if (&flujo == &std::cerr || &flujo == &std::clog) {
            archivo_ = stderr;
            descriptor_ = STDERR_FILENO;
        } else {
            throw std::invalid_argument("Captura: solo de std::cout, std::cerr o std::clog");
        }
        vaciar();  // lo pendiente de antes va a su sitio, no al archivo

        const char* carpeta = std::getenv("TMPDIR");
        std::string plantilla =
            std::string(carpeta != nullptr && *carpeta != '\0' ? carpeta : "/tmp") +
            "/captura-XXXXXX";
        temporal_ = mkstemp(plantilla.data());
        if (temporal_ < 0) captura_detalle::fallo("mkstemp");
        unlink(plantilla.c_str());
        guardado_ = dup(descriptor_);
        if (guardado_ < 0 || dup2(temporal_, descriptor_) < 0) {
            const int error = errno;
            if (guardado_ >= 0) close(guardado_);
            close(temporal_);
            errno = error;
            captura_detalle::fallo("dup");
        }
        fcntl(guardado_, F_SETFD, FD_CLOEXEC);
        fcntl(temporal_, F_SETFD, FD_CLOEXEC);

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
        dup2(guardado_, descriptor_);
        close(guardado_);
        close(temporal_);
    }

    Captura(const Captura&) = delete;
    Captura& operator=(const Captura&) = delete;

    // Todo lo escrito desde la última lectura: vacía antes el flujo de C++ y el de C. Lo
    // devuelto se descarta (la siguiente llamada da solo lo nuevo).
    std::string texto() {
        vaciar();
        std::string t = leer();
        leido_ += static_cast<off_t>(t.size());
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
        for (off_t desde = leido_;;) {
            const ssize_t n = pread(temporal_, trozo, sizeof trozo, desde);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            t.append(trozo, static_cast<std::size_t>(n));
            desde += n;
        }
        return t;
    }

    std::ostream& flujo_;
    std::FILE* archivo_ = nullptr;
    int descriptor_ = -1;
    int guardado_ = -1;  // el descriptor de antes, para restituirlo
    int temporal_ = -1;  // el archivo temporal, ya sin nombre; se lee con pread
    off_t leido_ = 0;    // lo ya devuelto por texto()
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

// El programa de la sonda de funciones (sonda.h): lee todas las peticiones de su entrada
// estándar, hace cada llamada con lo que escriba capturado y responde lo observado por su salida
// estándar original (sonda_protocolo.h). Se enlaza con la solución (con su main renombrado) y
// con el <programa>_sonda.cpp de su ejercicio, que registra las operaciones.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "captura.h"
#include "sonda.h"
#include "sonda_protocolo.h"

#if defined(__SANITIZE_ADDRESS__)
#define EJ_SONDA_SANITIZADORES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define EJ_SONDA_SANITIZADORES 1
#endif
#endif
#ifdef EJ_SONDA_SANITIZADORES
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

namespace d = nucleo::captura_detalle;

// La salida estándar de verdad, por donde van las respuestas. Se aparta antes que nada (antes de
// que se construya ningún objeto global de la solución), y en su lugar la salida estándar va a
// la nada: lo que escriba la solución fuera de una llamada no se mezcla con las respuestas.
int respuestas = -1;

void apartarLaSalida() {
    if (respuestas >= 0) return;
    respuestas = d::duplicar(d::kSalida);
#ifdef _WIN32
    const int nada = _open("NUL", _O_WRONLY);
#else
    const int nada = open("/dev/null", O_WRONLY | O_CLOEXEC);
#endif
    if (nada >= 0) {
        d::duplicarEn(nada, d::kSalida);
        d::cerrar(nada);
    }
#ifdef EJ_SONDA_SANITIZADORES
    // Los informes de los sanitizadores, a la salida de error de verdad aunque una llamada la
    // tenga capturada.
    const int errores = d::duplicar(d::kErrores);
    if (errores >= 0)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::uintptr_t>(errores)));
#endif
}

#if defined(__GNUC__) || defined(__clang__)
__attribute__((constructor(101))) void alEmpezar() { apartarLaSalida(); }
#endif

void responder(const std::string& linea) {
    const char* p = linea.data();
    std::size_t falta = linea.size();
    while (falta > 0) {
#ifdef _WIN32
        const int n = _write(respuestas, p, static_cast<unsigned>(falta));
#else
        const ssize_t n = write(respuestas, p, falta);
        if (n < 0 && errno == EINTR) continue;
#endif
        if (n <= 0) return;
        p += n;
        falta -= static_cast<std::size_t>(n);
    }
}

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

Escrito escritoPor(const std::function<void()>& llamada) {
    Escrito e;
    nucleo::Captura salida(std::cout);
    {
        nucleo::Captura errores(std::cerr);
        llamada();
        e.llegado = salida.llegado();
        e.errores = errores.texto();
    }
    e.salida = salida.texto();
    return e;
}

}  // namespace ej_sonda

int main() {
    apartarLaSalida();
    ej_sonda::Registro registro;
    ej_sonda_registrar(registro);
    // Todas las peticiones antes de la primera llamada: una función que lea la entrada no se
    // lleva las que vienen detrás.
    std::vector<std::string> peticiones;
    for (std::string linea; std::getline(std::cin, linea);) peticiones.push_back(linea);
    std::size_t hechas = 0;
    for (const std::string& linea : peticiones) {
        std::vector<std::string> c = ej_sonda::campos(linea);
        if (c.size() < 2) continue;
        const ej_sonda::Operacion* operacion = registro.buscar(c[1]);
        std::string observado;
        if (operacion == nullptr) {
            observado = "la sonda no tiene la operación «" + c[1] + "»";
        } else {
            try {
                observado = (*operacion)(
                    ej_sonda::Argumentos(std::vector<std::string>(c.begin() + 2, c.end())));
            } catch (const std::exception& x) {
                observado = std::string("lanza una excepción: ") + x.what();
            } catch (...) {
                observado = "lanza una excepción";
            }
        }
        responder(std::string(ej_sonda::kRespuesta) + "\t" + ej_sonda::escaparCampo(c[0]) + "\t" +
                  ej_sonda::escaparCampo(observado) + "\n");
        ++hechas;
    }
    responder(std::string(ej_sonda::kFin) + "\t" + std::to_string(hechas) + "\n");
    return 0;
}

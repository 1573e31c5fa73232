// Lo que cada sistema pone al ejecutor de procesos (proceso.cpp, que lleva la conversación y los
// límites): un programa en marcha con su entrada y sus dos salidas en tuberías. La
// implementación de Linux y macOS está en proceso_posix.cpp y la de Windows en
// proceso_win32.cpp; solo se compila una de las dos.
#ifndef NUCLEO_PROCESO_PLATAFORMA_H
#define NUCLEO_PROCESO_PLATAFORMA_H

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "proceso.h"

namespace nucleo::plataforma {

using Reloj = std::chrono::steady_clock;

// Lo que mide Programa::medir().
struct Medida {
    std::chrono::milliseconds cpu{-1};
    long long memoria = -1;  // bytes
    // Algo del programa espera turno, calcula o espera al disco: no está parado (solo Linux).
    bool enMarcha = false;
};

// El programa se lanza al construirse; si no se puede ni crear una tubería, lanza
// std::runtime_error. Un programa que no existe termina con el estado 127, como en el shell.
// Al destruirse no queda nada suyo en marcha.
class Programa {
   public:
    Programa(const std::string& ruta, const Opciones& opciones);
    ~Programa();
    Programa(const Programa&) = delete;
    Programa& operator=(const Programa&) = delete;

    // Alguna salida sigue abierta (el programa, o algo que lanzó, aún puede escribir).
    bool leyendo() const;
    bool salidaAbierta() const;  // la salida estándar (o las dos juntas)
    bool entradaAbierta() const;

    // Espera como mucho `espera` a que llegue algo por las salidas (o, si `escribiendo`, a que la
    // entrada admita más) y añade lo llegado. false si ya no se puede esperar nada (un error).
    bool esperar(std::chrono::milliseconds espera, bool escribiendo, std::string& salida,
                 std::string& errores);
    // Escribe lo que la entrada admita ahora sin bloquearse y lo quita de `pendiente`. false si
    // el programa ya no lee (terminó o cerró su entrada).
    bool escribir(std::string& pendiente);
    void cerrarEntrada();
    // Lo que ya haya llegado por las salidas, sin esperar (tras matarlo).
    void leerLoQueQuede(std::string& salida, std::string& errores);
    // Deja de leer y de escribir: lo que llegue después se descarta.
    void cerrarFlujos();

    // ¿Ha terminado el programa? Sin recogerlo: lo que lanzó sigue al alcance de matar().
    bool haTerminado();
    // Lo que llevan gastado el programa y lo que lanzó: el tiempo de CPU (los que terminaron y
    // ya se recogieron, también) y la memoria residente que suman los que siguen; cada uno
    // negativo si este sistema no deja medirlo mientras corre.
    Medida medir();
    // Mata el programa y todo lo que lanzó.
    void matar();
    // Espera a que termine hasta `fin`; si no, lo mata y devuelve false.
    bool esperarFin(Reloj::time_point fin);
    // Mata lo que quede de lo que lanzó, recoge el programa y anota en `r` cómo terminó y, si se
    // puede saber, el tiempo de CPU que gastó.
    void recoger(Resultado& r);

    // Lo de cada sistema (descriptores, hilos...); público solo para que lo vean sus funciones.
    struct Datos;

   private:
    std::unique_ptr<Datos> d_;
};

// Lo que se suma al límite de tiempo por lo que tarda en arrancar un programa: nada, salvo en
// wine, donde arrancar cuesta cientos de milisegundos (en Windows, unos pocos) y un límite corto
// (el de las entradas hostiles) no daría ni para empezar.
std::chrono::milliseconds holguraDeArranque();

// Un código de salida de Windows que dice que el programa se rompió, y la señal de Linux con que
// se juzga.
struct CodigoDeWindows {
    std::uint32_t codigo;
    int senal;
    const char* nombre;
};

// El de ese código, o nullptr si es un estado de salida corriente.
const CodigoDeWindows* codigoDeWindows(std::uint32_t codigo);

// El código con que el ejecutor termina en Windows lo que mata: uno "de cliente" (bit 29), que
// Windows no usa, acabado en 9 como SIGKILL, la señal con que se juzga (la de Linux: Windows no
// tiene SIGKILL).
constexpr std::uint32_t kCodigoAlMatar = 0xE0000009;
constexpr int kSenalAlMatar = 9;

#ifndef _WIN32
// Un grupo de procesos que Ctrl+C también mata (el bwrap de una lanzadera), y su baja.
void apuntarEnMarcha(int pid);
void borrarDeEnMarcha(int pid);
#endif

}  // namespace nucleo::plataforma

#endif

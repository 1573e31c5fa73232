// Un aislamiento que dura toda la revisión de una entrega: un solo bwrap con la lanzadera
// (lanzadera_dentro.cpp) dentro, que lanza allí cada programa que se le pide. Arrancar un bwrap
// cuesta unos milisegundos de CPU, más que muchos de los programas que se ejecutan, y una
// entrega ejecuta decenas; así se arranca uno por entrega. Lo que ve y puede cada programa es
// lo del aislamiento (aislamiento.h); su límite de memoria lo pone su guardián, y lo que deje en
// marcha muere cuando él termina, como cuando cada uno tenía su bwrap. Solo en Linux.
//
//   auto l = Lanzadera::abrir(aislamiento, EJ_LANZADERA);  // nullptr: no se pudo
//   aislamiento.lanzadera = l.get();  // ejecutar() lanza ahí lo que lleve este aislamiento
//
// Dentro, la lanzadera, sus guardianes y los programas comparten usuario; lo que separa a un
// programa de su guardián es que ni la lanzadera ni los guardianes se dejan depurar
// (lanzadera_dentro.cpp). Aun así, de cada aviso se mira quién lo envía (sus credenciales en el
// socket): la lanzadera se presenta primero, un guardián solo dice que empezó si es hijo de la
// lanzadera, y el fin de una ejecución solo lo dice su guardián o la lanzadera. Lo demás se
// descarta.
#ifndef NUCLEO_LANZADERA_H
#define NUCLEO_LANZADERA_H

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nucleo {

struct Aislamiento;

namespace lanzadera {

// Dentro, el socket con el comprobador es el descriptor 3.
inline constexpr int kSocket = 3;
// Lo más que ocupa una petición (la orden y su entorno).
inline constexpr std::size_t kTamanoMaximo = 64 * 1024;

// Del comprobador a la lanzadera, con cuatro descriptores en SCM_RIGHTS (entrada, salida,
// errores y el visto bueno: una tubería por la que el comprobador escribe un byte cuando acepta
// al guardián, que no lanza nada hasta leerlo): esta cabecera y después la orden y el entorno,
// cada cadena acabada en '\0' y una vacía entre las dos listas.
struct Peticion {
    std::uint32_t id;
    std::uint32_t opciones;  // kContarCls | kCarpetaPropia
    std::uint64_t memoria;   // RLIMIT_AS del programa; 0, sin él (los sanitizadores)
};

inline constexpr std::uint32_t kContarCls = 1;      // contar las llamadas a cls
inline constexpr std::uint32_t kCarpetaPropia = 2;  // una carpeta de trabajo vacía y propia

inline constexpr std::uint32_t kEmpezado = 1;  // lo envía el guardián: sus credenciales dan su pid
inline constexpr std::uint32_t kTerminado = 2;  // estado: el de waitpid; cpu: milisegundos
inline constexpr std::uint32_t kLanzadera = 3;  // lo primero que envía la lanzadera: su pid

// De la lanzadera (o del guardián) al comprobador.
struct Aviso {
    std::uint32_t tipo;
    std::uint32_t id;
    std::int32_t estado;
    std::int32_t llamadasCls;  // -1 si no se contaron
    std::int64_t cpu;
};

}  // namespace lanzadera

class Lanzadera {
   public:
    // Arranca la lanzadera `programa` (una ruta que el aislamiento deja leer) dentro de `a`.
    // Sus límites de archivos y tamaño valen para todo lo que lance; el de memoria, no: ese lo
    // pone cada ejecución. nullptr si no arranca.
    static std::unique_ptr<Lanzadera> abrir(const Aislamiento& a, const std::string& programa);
    ~Lanzadera();
    Lanzadera(const Lanzadera&) = delete;
    Lanzadera& operator=(const Lanzadera&) = delete;

    // Cómo se lanza una ejecución.
    struct Pedido {
        std::uint64_t memoria = 0;   // RLIMIT_AS; 0, sin él
        bool contarCls = false;      // contar las llamadas a cls (execve de una ruta .../cls)
        bool carpetaPropia = false;  // trabajar en una carpeta vacía propia, que se borra al final
    };
    // Cómo terminó una ejecución.
    struct Fin {
        int estado = 0;        // el de waitpid
        long long cpu = 0;     // milisegundos
        int llamadasCls = -1;  // -1 si no se contaron
    };

    // Lanza `orden` con ese entorno y esos tres flujos (que aquí siguen abiertos). Devuelve el
    // número de la ejecución y el pid, en esta máquina, de su guardián; false si no se pudo.
    bool lanzar(const std::vector<std::string>& orden, const std::vector<std::string>& entorno,
                const Pedido& pedido, const int flujos[3], std::uint32_t& id, pid_t& guardian);
    // Espera como mucho `espera` (0: solo mira) a que termine; si terminó, dice cómo.
    bool esperar(std::uint32_t id, std::chrono::milliseconds espera, Fin& fin);
    // Deja de apuntar esa ejecución (ya recogida).
    void olvidar(std::uint32_t id);

   private:
    Lanzadera() = default;
    void leer();

    struct Ejecucion {
        bool empezada = false, terminada = false;
        pid_t guardian = -1;
        int vistoBueno = -1;  // el extremo de la tubería que escribe el comprobador
        Fin fin;
    };
    int socket_ = -1;
    pid_t bwrap_ = -1;
    pid_t lanzadera_ = -1;  // el pid de la lanzadera, en esta máquina, cuando se presenta
    std::thread lector_;
    std::mutex mutex_;
    std::condition_variable cambio_;
    std::map<std::uint32_t, Ejecucion> ejecuciones_;
    std::uint32_t siguiente_ = 1;
    bool cerrada_ = false;
};

}  // namespace nucleo

#endif

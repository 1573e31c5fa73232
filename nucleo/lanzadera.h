// Un aislamiento que dura toda la revisión de una entrega: un solo bwrap con la lanzadera
// (lanzadera_dentro.cpp) dentro, que lanza allí cada programa que se le pide. Arrancar un bwrap
// cuesta unos milisegundos de CPU, más que muchos de los programas que se ejecutan, y una
// entrega ejecuta decenas; así se arranca uno por entrega. Lo que ve y puede cada programa es
// lo del aislamiento (aislamiento.h); su límite de memoria lo pone su guardián, y lo que deje en
// marcha muere cuando él termina, como cuando cada uno tenía su bwrap. Solo en Linux.
//
//   auto l = Lanzadera::abrir(aislamiento, EJ_LANZADERA);  // nullptr: no se pudo
//   aislamiento.lanzadera = l.get();  // ejecutar() lanza ahí lo que lleve este aislamiento
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

// Del comprobador a la lanzadera, con los tres flujos (entrada, salida, errores) en SCM_RIGHTS:
// esta cabecera y después la orden y el entorno, cada cadena acabada en '\0' y una vacía entre
// las dos listas.
struct Peticion {
    std::uint32_t id;
    std::uint32_t reservado;
    std::uint64_t memoria;  // RLIMIT_AS del programa; 0, sin él (los sanitizadores)
};

inline constexpr std::uint32_t kEmpezado = 1;  // lo envía el guardián: sus credenciales dan su pid
inline constexpr std::uint32_t kTerminado = 2;  // estado: el de waitpid; cpu: milisegundos

// De la lanzadera (o del guardián) al comprobador.
struct Aviso {
    std::uint32_t tipo;
    std::uint32_t id;
    std::int32_t estado;
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

    // Lanza `orden` con ese entorno y esos tres flujos (que aquí siguen abiertos). Devuelve el
    // número de la ejecución y el pid, en esta máquina, de su guardián; false si no se pudo.
    bool lanzar(const std::vector<std::string>& orden, const std::vector<std::string>& entorno,
                std::uint64_t memoria, const int flujos[3], std::uint32_t& id, pid_t& guardian);
    // Espera como mucho `espera` (0: solo mira) a que termine; si terminó, da su estado (el de
    // waitpid) y la CPU que gastó, en milisegundos.
    bool esperar(std::uint32_t id, std::chrono::milliseconds espera, int& estado, long long& cpu);
    // Deja de apuntar esa ejecución (ya recogida).
    void olvidar(std::uint32_t id);

   private:
    Lanzadera() = default;
    void leer();

    struct Ejecucion {
        bool empezada = false, terminada = false;
        pid_t guardian = -1;
        int estado = 0;
        long long cpu = 0;
    };
    int socket_ = -1;
    pid_t bwrap_ = -1;
    std::thread lector_;
    std::mutex mutex_;
    std::condition_variable cambio_;
    std::map<std::uint32_t, Ejecucion> ejecuciones_;
    std::uint32_t siguiente_ = 1;
    bool cerrada_ = false;
};

}  // namespace nucleo

#endif

// El aislamiento de una compilación o una ejecución de una entrega ajena: la orden se envuelve
// con bubblewrap (bwrap), que es quien aísla; aquí solo se construye su línea de órdenes y se
// ponen los límites del proceso. Dentro se ve, solo para leer, /usr (con /bin, /lib... como
// los tenga el sistema), /etc/ld.so.cache y /etc/alternatives; más /proc, un /dev mínimo, un
// /tmp propio en memoria y la copia de la entrega, escribible, en /tmp/entrega. Sin red, con
// espacios de nombres propios (usuario, pid, ipc, uts, cgroup) y un entorno limpio.
//
//   Aislamiento a;
//   a.carpeta = copia;  // tras cederCarpeta(a)
//   OrdenAislada orden(a, {"g++", "-std=c++17", "main.cpp"});
//   // en el hijo, tras fork: if (!orden.prepararHijo()) _exit(126); execve(orden.argv()[0], ...);
//
// Como root, RLIMIT_NPROC no limita nada (el núcleo no se lo aplica a root, tampoco dentro de
// un espacio de nombres de usuario mapeado a root), así que el hijo cambia antes al usuario
// `usuario` (nobody) y bwrap corre sin privilegios. El límite de procesos se pone ya dentro (con
// prlimit), porque fuera contaría todos los procesos de ese usuario en la máquina.
//
// bwrap busca lo que monta por su ruta, con los permisos de quien lo ejecuta (también lo que se
// le da con --ro-bind-fd: lo convierte en ruta antes de montarlo). Como root, lo que `usuario` no
// alcanza (una colección en /root, que es 0700) se le pone al alcance antes: el hijo, aún root,
// entra en un espacio de nombres de montaje propio, tapa la primera carpeta cerrada de la ruta
// con un tmpfs abierto y monta en su sitio, desde un descriptor abierto sin seguir enlaces, lo
// que hay que ver. Nada de eso sale del hijo ni cambia los permisos de nada.
#ifndef NUCLEO_AISLAMIENTO_H
#define NUCLEO_AISLAMIENTO_H

#include <cstddef>
#include <string>
#include <vector>

namespace nucleo {

class Lanzadera;

// Dónde ve la orden la copia de la entrega (es también su HOME y su carpeta de trabajo, salvo
// con carpetaSoloLectura).
inline constexpr const char* kCarpetaDentro = "/tmp/entrega";
// Con carpetaSoloLectura, la carpeta escribible donde trabaja la orden (su HOME); en la
// lanzadera, donde cada ejecución tiene la suya.
inline constexpr const char* kCarpetaEjecucion = "/tmp/ejecucion";

struct Aislamiento {
    // Carpeta del anfitrión (la copia de la entrega, nunca la original) que se monta
    // escribible en kCarpetaDentro. Si se es root debe ser de `usuario` (cederCarpeta).
    std::string carpeta;
    // La carpeta se monta solo para leer (lo compilado: ninguna ejecución lo cambia) y la orden
    // trabaja en kCarpetaEjecucion, vacía y escribible, que es también su HOME; /tmp deja de ser
    // escribible. En la lanzadera, cada ejecución tiene la suya dentro, vacía, y se borra al
    // terminar: lo que escribe una no lo ve la siguiente. Para compilar, false.
    bool carpetaSoloLectura = false;
    // Rutas extra del anfitrión visibles solo para leer, en la misma ruta (las cabeceras de la
    // colección, GoogleTest...). Como root, `usuario` debe poder leerlas (recorrer la ruta
    // hasta ellas, no: ver arriba).
    std::vector<std::string> lectura;
    // Variables "NOMBRE=valor" que se añaden al entorno limpio (p. ej. ASAN_OPTIONS).
    std::vector<std::string> entorno;
    // Bytes de memoria virtual (RLIMIT_AS).
    std::size_t memoria = std::size_t{1} << 30;
    // El programa lleva ASan: reserva teras de memoria virtual, así que RLIMIT_AS no se pone
    // y `memoria` pasa a los límites del propio asignador de ASan (opcionesAsanDeMemoria).
    // Esos los hace cumplir el propio programa: contra uno hostil no son un tope firme.
    bool sanitizadores = false;
    int procesos = 64;                                  // RLIMIT_NPROC, contando la propia orden
    int archivosAbiertos = 64;                          // RLIMIT_NOFILE
    std::size_t tamanoArchivo = std::size_t{64} << 20;  // RLIMIT_FSIZE: bytes de un archivo
    std::size_t tamanoTmp = std::size_t{128} << 20;     // bytes de /tmp y de /dev/shm, cada uno
    unsigned usuario = 65534;  // uid y gid con que corre todo si quien aísla es root
    // Si no es nulo, cada ejecución con este aislamiento se lanza en esa lanzadera (lanzadera.h),
    // abierta con este mismo aislamiento, en vez de en un bwrap propio.
    Lanzadera* lanzadera = nullptr;
};

// La ruta de bwrap: $EJ_BWRAP si está puesta, si no /usr/bin/bwrap.
std::string rutaBwrap();

// ¿Se puede aislar aquí? Lo prueba ejecutando /bin/true aislado tal como se aislará una
// entrega (unos milisegundos). Si no, deja en `razon` por qué y cómo arreglarlo. Sin libseccomp
// al compilar, no: la lanzadera no podría contar las llamadas a cls.
bool aislamientoDisponible(std::string* razon = nullptr);

// Una orden aislada, lista para lanzarse con fork y execve.
class OrdenAislada {
   public:
    OrdenAislada(const Aislamiento& a, const std::vector<std::string>& orden);
    // bwrap y sus opciones, "--", prlimit con el límite de procesos y la orden. La orden se
    // busca en PATH=/usr/bin:/bin dentro; sus rutas relativas, desde su carpeta de trabajo.
    const std::vector<std::string>& argv() const { return argv_; }
    // En el hijo, justo antes de execve(argv()[0], ...): como root, pone al alcance de
    // `usuario` lo que no alcanza (ver arriba); después, aplicarLimites. Solo llamadas al
    // sistema (segura tras fork en un proceso con hilos). Si devuelve false no hay que ejecutar
    // nada (lo que faltó ya está dicho en la salida de error).
    bool prepararHijo() const noexcept;

   private:
    struct Montaje {
        std::string ruta;  // sin enlaces: la misma fuera y en el espacio de montaje del hijo
        bool carpeta;
    };
    Aislamiento limites_;
    std::vector<std::string> argv_;
    std::vector<std::string> tapas_;     // las primeras carpetas cerradas, que tapa un tmpfs
    std::vector<std::string> carpetas_;  // las que se crean en esos tmpfs, de fuera adentro
    std::vector<Montaje> montajes_;      // lo que se monta en su sitio
    std::string sinMontar_;              // qué decir si no se puede
};

// Lo mismo que OrdenAislada(a, orden).argv().
std::vector<std::string> ordenAislada(const Aislamiento& a, const std::vector<std::string>& orden);

// En el hijo, justo antes de execve: RLIMIT_AS (salvo con sanitizadores), RLIMIT_NOFILE,
// RLIMIT_FSIZE, RLIMIT_CORE a 0 y, si se es root, el cambio a `usuario`. Solo llamadas al
// sistema. Si devuelve false no hay que ejecutar nada. (OrdenAislada::prepararHijo la incluye.)
bool aplicarLimites(const Aislamiento& a) noexcept;

// El entorno de dentro: PATH=/usr/bin:/bin, LANG y LC_ALL (C.UTF-8 si existe, si no C),
// HOME=kCarpetaDentro (kCarpetaEjecucion con carpetaSoloLectura) y `a.entorno`, que sustituye a
// las anteriores del mismo nombre. Con sanitizadores, ASAN_OPTIONS acaba con
// opcionesAsanDeMemoria(a.memoria). bwrap añade PWD.
std::vector<std::string> entornoAislado(const Aislamiento& a);

// Opciones de ASan que topan la memoria: el programa muere al pasar de `bytes` de memoria
// residente o al pedir un bloque mayor, con un informe de ASan que señala dónde.
std::string opcionesAsanDeMemoria(std::size_t bytes);

// Si se es root, hace a `a.usuario` dueño de `a.carpeta` y de todo lo que contiene, para
// que la orden aislada pueda escribir en ella. Sin root no hace nada.
bool cederCarpeta(const Aislamiento& a, std::string* error = nullptr);

}  // namespace nucleo

#endif

// El ejecutor de procesos: ejecuta un programa ya compilado con una entrada dada y devuelve,
// como bytes, lo que escribió en cada flujo y cómo terminó. También guarda la carpeta temporal
// de quien ejecuta programas ajenos, y los mata todos si llega Ctrl+C.
//
// La conversación y los límites son los mismos en Linux y en Windows; cada sistema pone lo
// suyo (proceso_posix.cpp, proceso_win32.cpp): cómo se lanza el programa con sus tres flujos
// en tuberías, cómo se mata con todo lo que lanzó y cómo terminó. En Windows las salidas se
// leen con "\r\n" como "\n" (el modo texto de sus programas escribe así cada "\n"), para que
// lo esperado sea igual que en Linux.
//
//   Resultado r = ejecutar("ringchain", "3\n10\n20\n30\n");        // tuberías separadas
//   Resultado r = conversar("ringchain", {{"elementos: ", "1\n"}}); // respuesta tras el aviso
#ifndef NUCLEO_PROCESO_H
#define NUCLEO_PROCESO_H

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace nucleo {

struct Aislamiento;

struct Opciones {
    // Tiempo máximo de la ejecución entera; al agotarse el programa se mata con SIGKILL (en
    // Windows, su trabajo entero).
    std::chrono::milliseconds limite{10000};
    // Tiempo de CPU máximo del programa y lo que lance (0: sin este límite). Al agotarse se mata
    // igual, pero no depende de lo cargada que esté la máquina: un programa que espera su turno
    // no gasta CPU. `limite` sigue siendo el tope en tiempo real (un programa que se queda
    // parado sin calcular no gasta CPU); si al llegar a él el programa sigue gastando CPU (corre,
    // pero la máquina no le da más), el tope se alarga de `limite` en `limite` hasta cuatro
    // veces el original. Donde no se puede medir mientras corre (macOS), vale como tiempo real.
    std::chrono::milliseconds limiteCpu{0};
    // Bytes de memoria residente que pueden sumar el programa y todo lo que lance (0: sin este
    // límite). Se mide desde fuera, cada pocos milisegundos, como la CPU: vale también con
    // sanitizadores, para los hijos y para la memoria pedida con mmap. Solo en Linux.
    std::size_t limiteMemoria = 0;
    // Salida estándar y de error por la misma tubería, para comprobar su orden relativo.
    bool unirSalidas = false;
    // Variables "NOMBRE=valor" que se añaden (o sustituyen) al entorno heredado.
    std::vector<std::string> entorno;
    // Pone una variable "NOMBRE=valor" en `entorno`, en lugar de la del mismo nombre si ya está.
    void poner(const std::string& variable);
    // Argumentos de la orden (los ejercicios no leen ninguno; el lanzador sí).
    std::vector<std::string> argumentos;
    // Carpeta de trabajo del programa; vacía, la del que lo ejecuta.
    std::string directorio;
    // Bytes de salida estándar y de error, sumados, a partir de los cuales el programa se
    // mata (un bucle que no para de escribir); 0 es sin límite.
    std::size_t limiteSalida = 0;
    // Si no es nulo, el programa corre dentro de ese aislamiento (aislamiento.h), con un
    // entorno limpio más `entorno`; su ruta es la de dentro. Solo en Linux.
    const Aislamiento* aislamiento = nullptr;
    // Contar las veces que el programa, o lo que lance, ejecuta un archivo llamado cls
    // (system("cls") cuenta una). Solo en la lanzadera de un aislamiento: las cuenta su guardián,
    // fuera del alcance del programa.
    bool contarCls = false;
};

struct Resultado {
    std::string salida;   // salida estándar (o las dos, si unirSalidas)
    std::string errores;  // salida de error (vacía si unirSalidas)
    int estado = -1;      // código de salida si el programa terminó por sí mismo
    int senal = 0;        // señal que lo terminó, o 0
    // Windows no tiene señales: un programa que se rompe termina con el código de su excepción
    // (0xC0000005, una violación de acceso) o, si abortó, con el 3 de abort(). Ese código queda
    // aquí y `senal` es la de Linux que le corresponde (SIGSEGV...), así que se juzga igual.
    // 0 si terminó de otra manera, y siempre en Linux.
    std::uint32_t codigoWindows = 0;
    bool agotado = false;  // se mató por superar el límite o por no llegar un aviso
    // Con `limiteCpu`: se mató por llegar al tope de tiempo real sin haber gastado su CPU, es
    // decir, parado (una pausa, una espera), no calculando.
    bool agotadoParado = false;
    // Tiempo de CPU del programa y lo que lanzó; negativo si no se pudo medir. De un programa
    // aislado solo se sabe con `limiteCpu` (se mide mientras corre, cada pocos milisegundos).
    std::chrono::milliseconds cpu{-1};
    // En una conversación: el primer paso cuya respuesta se escribió sin que hubiera llegado
    // su aviso (-1 si llegaron todos), y si ese aviso llegó después, tal cual (no se había
    // vaciado la salida) o nunca (se escribió de otra manera).
    int pasoSinAviso = -1;
    bool avisoTardio = false;
    // El primer paso tras cuyo aviso el programa no esperó la respuesta (siguió escribiendo
    // o terminó); -1 si esperó en todos.
    int pasoSinEsperar = -1;
    // Se mató por escribir más de `limiteSalida` bytes.
    bool salidaExcesiva = false;
    // Se mató porque él y lo que lanzó pasaron de `limiteMemoria` bytes de memoria residente.
    bool memoriaExcedida = false;
    // Con `limiteCpu`: se mató en el tope de tiempo real ya alargado, aún gastando CPU sin
    // llegar a su límite: la máquina está tan cargada que no se sabe qué haría el programa.
    // También lleva `agotado`; no es un veredicto sobre el programa.
    bool maquinaCargada = false;
    // Con `contarCls`, las veces que ejecutó cls; -1 si no se contaron.
    int llamadasCls = -1;

    // Terminó con estado 0, sin señal y a tiempo.
    bool terminoBien() const {
        return !agotado && !salidaExcesiva && !memoriaExcedida && senal == 0 && estado == 0;
    }
    // Además, en una conversación, cada aviso llegó a tiempo y el programa esperó cada respuesta.
    bool conversoBien() const { return terminoBien() && pasoSinAviso < 0 && pasoSinEsperar < 0; }
};

// Describe un resultado (estado, señal, tiempo y ambos flujos) para los mensajes de fallo.
std::ostream& operator<<(std::ostream& os, const Resultado& r);

// Cómo se llama lo que terminó el programa, para los mensajes: la señal ("SIGSEGV"; las poco
// habituales, con su descripción) o, en Windows, su código y su nombre ("0xC0000005,
// STATUS_ACCESS_VIOLATION"), que es lo que ve quien lo ejecuta allí.
std::string nombreDeSenal(const Resultado& r);

// Ruta del programa compilado con ese nombre, en la carpeta bin/ del árbol de compilación
// (en Windows, con ".exe").
std::string rutaPrograma(const std::string& nombre);

// Ejecuta el programa con la entrada completa: se escribe entera (mientras se leen las
// salidas, para no bloquearse con entradas grandes) y después se cierra.
Resultado ejecutar(const std::string& programa, const std::string& entrada,
                   const Opciones& opciones = {});

// Un paso de conversación: esperar a que la salida estándar contenga `aviso` (después de
// lo ya esperado en pasos anteriores) y solo entonces escribir `respuesta`.
struct Paso {
    std::string aviso;
    std::string respuesta;
    // Tras el aviso, mirar un momento que el programa se queda esperando antes de responder (lo
    // que comprueban los casos); sin eso, se responde en cuanto llega el aviso.
    bool mirarQueEspera = true;
};

// Conversación con la entrada abierta: cada respuesta se escribe cuando su aviso ya llegó y el
// programa se ha quedado esperándola. Si el aviso no llega (el programa calla, o pasa
// `esperaAviso`, sin que nada suyo calcule o espere turno), la respuesta se escribe igual y se
// marca `pasoSinAviso`; si tras el aviso el programa sigue escribiendo o termina,
// `pasoSinEsperar`. Tras el último paso la entrada se cierra.
Resultado conversar(const std::string& programa, const std::vector<Paso>& pasos,
                    const Opciones& opciones = {},
                    std::chrono::milliseconds esperaAviso = std::chrono::milliseconds(3000));

// Si esto corre en wine (así se prueba en Linux lo compilado con MinGW): allí arrancar un
// programa cuesta mucho más y algunas cosas de Windows no se ven igual. false fuera de Windows.
bool enWine();

// Una carpeta temporal propia, creada con un nombre nuevo en `base` (por omisión la temporal del
// sistema: $TMPDIR o /tmp; en Windows, %TEMP%), que se borra al destruirse. `ruta()` está vacía
// si no se pudo crear.
class CarpetaTemporal {
   public:
    explicit CarpetaTemporal(const std::string& prefijo, const std::string& base = "");
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    const std::string& ruta() const { return ruta_; }

   private:
    std::string ruta_;
};

// Desde aquí, con SIGINT, SIGTERM o SIGHUP se matan los grupos de procesos que estén en marcha
// (los de ejecutar y conversar), se borra esa carpeta y se termina con la misma señal. El
// manejador solo hace llamadas seguras dentro de una señal (kill, fork, execve, waitpid).
// En Windows, lo mismo con Ctrl+C, Ctrl+Inter o al cerrarse la consola.
void limpiarAlInterrumpir(const std::string& carpeta);

// Desde aquí, los procesos que un programa deja atrás al terminar (hijos que se escaparon de su
// grupo con setsid) pasan a ser hijos de este proceso, que los recoge con recogerHuerfanos.
// Solo hace algo en Linux: en Windows nada se escapa del trabajo de cada ejecución, que muere
// entero con ella.
void adoptarHuerfanos();
// Mata y recoge los hijos que queden.
void recogerHuerfanos();

}  // namespace nucleo

#endif

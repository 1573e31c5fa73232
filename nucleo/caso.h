// Los casos de cada ejercicio como datos: la entrada, los bytes exactos que el programa debe
// escribir y de dónde sale cada caso. Las mismas tablas las usan las pruebas de la colección
// y el comprobador de soluciones de los alumnos: no hay una segunda copia de ninguna salida.
#ifndef NUCLEO_CASO_H
#define NUCLEO_CASO_H

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "arbol.h"
#include "proceso.h"

namespace nucleo {

// Enunciado: lo pide el ejercicio; una solución correcta y literal lo cumple.
// Decidido: lo decidió la colección donde el ejercicio deja el caso abierto (lecturas
// fallidas, resultados que no caben, recursión demasiado profunda); no se exige al alumno.
enum class Origen { Enunciado, Decidido };

// Tuberias: la entrada de una vez; salida estándar y de error por separado.
// Unidas: las dos salidas por la misma tubería, para comprobar su orden relativo.
// Conversacion: cada respuesta se escribe solo cuando su aviso ya llegó (prueba que el
// programa vacía la salida antes de leer).
enum class Modo { Tuberias, Unidas, Conversacion };

struct Caso {
    std::string descripcion;
    std::string entrada;       // Tuberias y Unidas
    std::string salida;        // salida estándar exacta (con Unidas, las dos salidas juntas)
    std::string errores = "";  // salida de error exacta (Tuberias y Conversacion)
    Origen origen = Origen::Enunciado;
    Modo modo = Modo::Tuberias;
    std::vector<Paso> pasos = {};  // Conversacion: aviso esperado y respuesta, en orden
    std::chrono::milliseconds limite{10000};
};

// El azar de las entradas que el alumno no ha visto: el mismo con la misma semilla, en cualquier
// sistema (no usa las distribuciones de la biblioteca, que cambian de una a otra).
class Azar {
   public:
    explicit Azar(std::uint64_t semilla) : estado_(semilla) {}
    std::uint64_t siguiente();
    // Un entero en [desde, hasta].
    long long entero(long long desde, long long hasta);
    // Un entero en [desde, hasta] que no está en `salvo` (los que el alumno ya ha visto en los
    // casos y en las tablas). Si no queda ninguno, `desde`.
    long long entero(long long desde, long long hasta, const std::vector<long long>& salvo);
    // Verdadero con probabilidad 1/n.
    bool unoDe(int n) { return entero(1, n) == 1; }
    // Un elemento de la lista.
    template <typename T>
    const T& elegir(const std::vector<T>& opciones) {
        return opciones[static_cast<std::size_t>(
            entero(0, static_cast<long long>(opciones.size()) - 1))];
    }

   private:
    std::uint64_t estado_;
};

// Una llamada de una comprobación de funciones: la operación que la sonda del ejercicio responde
// (sonda.h), sus argumentos y lo que se espera observar, escrito con ej_sonda::ver. Las
// sorteadas no lo llevan: lo da la sonda compilada con la respuesta modelo.
struct Llamada {
    std::string operacion;
    std::vector<std::string> argumentos;
    std::string esperado;
    // Cómo se muestra en un informe: "fibonacci(10)"; vacía, la operación con sus argumentos.
    std::string muestra = "";
};

// Una comprobación de las funciones del ejercicio: pasa si cada llamada observa lo esperado.
struct ComprobacionDeFunciones {
    std::string id;  // estable, como un nombre de C++: FibonacciDeCadaPosicion
    Origen origen = Origen::Enunciado;
    std::string frase;  // lo que comprueba, en español
    std::vector<Llamada> llamadas;
    // Más llamadas, sorteadas en cada comprobación donde el ejercicio define el resultado;
    // vacío si no hay. Lo esperado lo da la respuesta modelo.
    std::function<std::vector<Llamada>(Azar&)> sorteo = nullptr;
    // Una pista en los términos del enunciado, para cuando falla; vacía si no hay.
    std::string pista = "";
};

// Lo que dice una regla de la técnica de una solución: la cumple, no la cumple (y dónde y por
// qué, en los términos del enunciado), o decide una persona (una forma que el enunciado no
// descarta ni pide y que hay que leer).
struct Juicio {
    enum class Como { Cumple, Incumple, Revisar };
    Como como = Como::Cumple;
    Lugar lugar;        // el de lo que incumple o hay que revisar
    std::string pista;  // «fibonacci tiene un bucle for en la línea 7: el enunciado pide...»
};

// Una regla de la técnica que pide el enunciado, comprobada sobre el árbol de sintaxis de la
// solución (arbol.h).
struct ReglaDeTecnica {
    std::string id;         // estable, como un nombre de C++: FibonacciSinBucles
    std::string frase;      // lo que comprueba, como lo lee el alumno
    std::string enunciado;  // la frase del enunciado de la que sale
    std::function<Juicio(const Arbol&)> juzgar;
    // Una solución de errores/ que solo esta regla incumple, y la línea que debe nombrar.
    std::string error = "";
    int lineaDelError = 0;
};

// Cómo es el fuente de un ejercicio: un archivo (Archivo), un archivo que incluye el
// node_list.h compartido (Lista), o una carpeta con main.cpp, que incluye Cir.cpp, que incluye
// Cir.h (Carpeta).
enum class Forma { Archivo, Lista, Carpeta };

// Nodos que un ejercicio conserva a propósito al terminar cuando son todos los que reservó.
constexpr int kTodosLosNodos = -1;

// Un ejercicio: su línea del catálogo (catalogo.txt) y lo que guarda su carpeta.
struct Ejercicio {
    std::string tema;
    std::string programa;
    std::string fuente;   // el modelo de solución, relativo a la raíz (ejlistas/ringchain.cpp)
    std::string carpeta;  // la carpeta del ejercicio, relativa a la raíz (ejlistas/ringchain)
    Forma forma = Forma::Archivo;
    bool leeEntrada = false;
    // Nodos reservados que conserva a propósito al terminar: 0 (una fuga es un error), un
    // número, o kTodosLosNodos.
    int nodosConservados = 0;
    std::string descripcion;
    std::string entradaDemo;  // con los saltos de línea ya como '\n'
    // Lo primero que escribe, pase lo que pase con la entrada; vacío si no lee nada.
    std::string primerAviso;
    // Las declaraciones que pide el ejercicio, para explicar una función que falta.
    std::vector<std::string> firmas;
    std::vector<Caso> casos;
    // Veces que llama a system("cls") en cada ejecución (ellipsegirth, una); 0 si no la llama.
    int llamadasACls = 0;
    // La sonda de sus funciones (<programa>_sonda.cpp, relativa a la raíz), y lo que se le pide.
    std::string sonda;
    std::vector<ComprobacionDeFunciones> funciones;
    // Las reglas de la técnica que pide su enunciado; vacío si no pide ninguna que se pueda ver
    // en el fuente.
    std::vector<ReglaDeTecnica> tecnica;
    // Lo que miran esas reglas, con el nombre que le da el enunciado (una función, una clase, la
    // variable que guarda una lambda). A una solución sin alguno de ellos no se le cumple
    // ninguna: «no tiene bucles» no es técnica en un programa que no tiene esa función.
    std::vector<std::string> examina;
    // Cómo se encuentra en una solución cada uno de ellos; nullptr: por su nombre (una función,
    // una clase o una variable que se llame así). Una lambda se encuentra también con otro
    // nombre, por el papel que hace.
    std::function<bool(const Arbol&, const std::string&)> encuentra = nullptr;
    // Entradas nuevas para el programa, sorteadas en cada comprobación donde el ejercicio
    // define la salida; vacío si no lee nada. Lo esperado lo da la respuesta modelo.
    std::function<std::vector<std::string>(Azar&)> sorteo = nullptr;

    bool conservaNodos() const { return nodosConservados != 0; }
};

// Las entradas hostiles con las que se prueba cada programa que lee: vacía, letras, números
// fuera de rango, una palabra de 1 MiB, bytes nulos, UTF-8 no válido...
struct Hostil {
    std::string descripcion;
    std::string bytes;
};

}  // namespace nucleo

#endif

// La sonda de las funciones de un ejercicio: un programa pequeño que el comprobador compila con
// la solución de un alumno y al que pide, una a una, llamadas a sus funciones («fibonacci 10»);
// de cada una responde lo que observó (lo que devolvió la función, lo que escribió y cómo
// acabó, su firma...) como un texto de una línea. Los valores esperados no entran nunca en la
// sonda: el comprobador compara fuera lo observado con los de su tabla (nucleo/caso.h) o con
// lo que responde la sonda compilada con la respuesta modelo.
//
// La solución se compila como su propia unidad: se preprocesa sola (con esta cabecera delante
// y su main renombrado) y detrás se pega, ya sin preprocesar, el <programa>_sonda.cpp de la
// carpeta del ejercicio, que registra las operaciones:
//   void ej_sonda_registrar(ej_sonda::Registro& r) {
//       r("fibonacci", [](const ej_sonda::Argumentos& a) {
//           return ej_sonda::ver(fibonacci(a.entero(0)));
//       });
//       r("firma fibonacci", [](const ej_sonda::Argumentos&) {
//           return ej_sonda::firma<decltype(&fibonacci)>();
//       });
//   }
// Así ninguna macro de la solución toca lo que se pega detrás ni el programa de la sonda
// (sonda_main.cpp), que se compila aparte. El <programa>_sonda.cpp no lleva directivas del
// preprocesador (#include, #define...): nada de él pasa por el preprocesador.
#ifndef NUCLEO_SONDA_H
#define NUCLEO_SONDA_H

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "firmas.h"

namespace ej_sonda {

// Los argumentos de una llamada, como textos; cada lector los convierte al tipo pedido.
class Argumentos {
   public:
    explicit Argumentos(std::vector<std::string> valores) : valores_(std::move(valores)) {}
    std::size_t cuantos() const { return valores_.size(); }
    const std::string& texto(std::size_t i) const;
    int entero(std::size_t i) const;
    long long largo(std::size_t i) const;
    unsigned long long sinSigno(std::size_t i) const;
    double real(std::size_t i) const;  // también "nan", "inf", "-0" y hexadecimales
    float realCorto(std::size_t i) const;
    char caracter(std::size_t i) const;             // un byte: "a", o "\xNN"
    std::vector<int> enteros(std::size_t i) const;  // "1 2 3"; "" es la lista vacía

   private:
    std::vector<std::string> valores_;
};

// Una operación: una función sin estado (una lambda sin capturas) que hace la llamada y dice lo
// observado. Un puntero y no std::function: la sonda se compila con cada solución, y así compila
// antes.
using Operacion = std::string (*)(const Argumentos&);

// Las operaciones que responde la sonda, por su nombre.
class Registro {
   public:
    void operator()(const std::string& nombre, Operacion operacion);
    const Operacion* buscar(const std::string& nombre) const;

   private:
    std::vector<std::pair<std::string, Operacion>> operaciones_;
};

// Lo observado, en una línea y siempre igual para el mismo valor: los enteros en decimal, los
// reales con las cifras justas para distinguirlos de cualquier otro ("0.1", "-0", "nan",
// "inf"), los textos entre «» con lo invisible a la vista ("⏎", "\t", "\xNN").
std::string ver(int valor);
std::string ver(long valor);
std::string ver(long long valor);
std::string ver(unsigned valor);
std::string ver(unsigned long valor);
std::string ver(unsigned long long valor);
std::string ver(bool valor);
std::string ver(char valor);
std::string ver(double valor);
std::string ver(float valor);
std::string ver(const std::string& valor);
std::string ver(const char* valor);  // "nulo" si es nulo

// Lo que escribió una llamada en la salida estándar y en la de error, y lo que de la estándar
// ya había llegado a su destino al volver (lo vaciado).
struct Escrito {
    std::string salida;
    std::string llegado;
    std::string errores;
};

Escrito escritoPor(void (*llamar)(void*), void* datos);

template <typename Llamada>
Escrito escritoPor(Llamada&& llamada) {
    using Tipo = std::remove_reference_t<Llamada>;
    return escritoPor([](void* datos) { (*static_cast<Tipo*>(datos))(); },
                      const_cast<void*>(static_cast<const void*>(&llamada)));
}

// «escribe «7 <-> cabeza⏎», sin vaciar el final»; con la salida de error, «…; en la de error
// «…»». El final se dice si acaba en un salto de línea: «vaciado» (std::endl) o «sin
// vaciar» ('\n').
std::string ver(const Escrito& escrito);

// Lo reservado y lo liberado con new y delete desde que empezó la sonda, y lo último liberado.
long reservados();
long liberados();
const void* ultimoLiberado();

// La firma de una función, tal como se declararía: "int (int)", "void (Cir::*)() const".
template <typename T>
std::string firma() {
    return nucleo::firmaLegible<T>();
}

}  // namespace ej_sonda

// La define el <programa>_sonda.cpp del ejercicio.
void ej_sonda_registrar(ej_sonda::Registro& registro);

#endif

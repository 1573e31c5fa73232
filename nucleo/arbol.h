// Lo que hay en el árbol de sintaxis de una solución, como lo cuenta el analizador de la técnica
// (comprobador/analizador.cpp, con libclang): sus funciones, clases y miembros, y en cada
// función los bucles, las llamadas, las variables locales y estáticas, las lambdas con sus
// capturas, las asignaciones, las desreferencias y las reservas con new. Las reglas de la técnica
// de cada ejercicio (ReglaDeTecnica, en caso.h) se evalúan sobre esto, fuera del aislamiento.
//
// El analizador escribe un hecho por línea, con sus campos separados por tabuladores; la primera
// letra dice cuál es (lugar es «archivo:línea»):
//   F usr nombre lugar tipo definición clase acceso firma       una función (tipo: funcion,
//                                                               metodo, constructor, plantilla,
//                                                               especializacion)
//   K nombre lugar tipo primaria mostrado definición           una clase (tipo: clase, plantilla,
//                                                               especializacion, ...)
//   M clase miembro acceso lugar campo                          un campo de una clase
//   C desde usr_llamado nombre_llamado lugar                    una llamada
//   B en tipo lugar                                             un bucle (for, while, do,
//                                                               for-rango) o un goto
//   V en nombre tipo lugar inicial static                       una variable local (inicial:
//                                                               lambda, llamada:nombre o -;
//                                                               static: 1 si lo es)
//   L en lugar por_defecto capturas mutable guardada            una lambda
//   A en destino lugar operador                                 una asignación (destino: var:x,
//                                                               global:x, deref*:p, miembro:x...)
//   D en destino lugar                                          una desreferencia (*p)
//   N en tipo lugar arreglo                                     una reserva con new
// y acaba con «fin». `en` y `desde` son el USR de la función donde está (- fuera de ellas).
#ifndef NUCLEO_ARBOL_H
#define NUCLEO_ARBOL_H

#include <string>
#include <vector>

namespace nucleo {

struct Lugar {
    std::string archivo;
    int linea = 0;
    // «la línea 7», o «la línea 7 de Cir.cpp» si no es el archivo principal.
    std::string enPalabras(const std::string& principal) const;
};

struct Funcion {
    std::string usr, nombre, tipo, clase, acceso, firma;
    Lugar lugar;
    bool definicion = false;
};

struct Clase {
    std::string nombre, tipo, primaria, mostrado;
    Lugar lugar;
    bool definicion = false;
};

struct Miembro {
    std::string clase, nombre, acceso;
    Lugar lugar;
};

struct Llamada_ {
    std::string desde, usr, nombre;
    Lugar lugar;
};

struct Bucle {
    std::string en, tipo;
    Lugar lugar;
};

struct Variable {
    std::string en, nombre, tipo, inicial;
    Lugar lugar;
    bool estatica = false;
};

struct Lambda {
    std::string en, porDefecto;         // "=", "&" o "" si no captura todo
    std::vector<std::string> capturas;  // "x" por copia, "&x" por referencia, "this"
    bool esMutable = false;
    std::string guardada;  // la variable local que la guarda; "" si ninguna
    Lugar lugar;
};

struct Escritura {
    std::string en, destino, operador;  // operador vacío: una desreferencia que se lee
    Lugar lugar;
};

struct Reserva {
    std::string en, tipo;
    bool arreglo = false;
    Lugar lugar;
};

class Arbol {
   public:
    // Los hechos del analizador; `completo` dice si acabaron con «fin».
    static Arbol leer(const std::string& hechos);
    bool completo = false;
    // El nombre del archivo principal de la solución, sin carpetas (lo pone quien lo lee).
    std::string principal;

    std::vector<Funcion> funciones;
    std::vector<Clase> clases;
    std::vector<Miembro> miembros;
    std::vector<Llamada_> llamadas;
    std::vector<Bucle> bucles;
    std::vector<Variable> variables;
    std::vector<Lambda> lambdas;
    std::vector<Escritura> asignaciones;
    std::vector<Escritura> desreferencias;
    std::vector<Reserva> reservas;

    // La definición de la función con ese nombre (calificado: "Cir::out"); nullptr si no hay.
    const Funcion* definicion(const std::string& nombre) const;
    // Todas las declaraciones (también la definición) con ese nombre, en el orden del fuente.
    std::vector<const Funcion*> declaraciones(const std::string& nombre) const;
    // La función de ese USR definida en la solución; nullptr si no es suya.
    const Funcion* funcionDe(const std::string& usr) const;
    // La función y las de la solución a las que llama, directa o indirectamente (sus ayudantes),
    // sin main: sus USR.
    std::vector<std::string> conAyudantes(const std::string& usr) const;
    // ¿Se llama a sí misma?
    bool seLlama(const std::string& usr) const;
    // Las llamadas desde esa función (o sus ayudantes) a funciones cuyo nombre es uno de esos.
    std::vector<Llamada_> llamadasA(const std::vector<std::string>& usrs,
                                    const std::vector<std::string>& nombres) const;
};

// Lee varios fuentes con los mismos argumentos en una sola ejecución del analizador
// (`analizador`, con las cabeceras precompiladas `cabeceras` si no es vacía, y `argumentos` del
// compilador), fuera de todo aislamiento: solo para fuentes de la colección. Un árbol por fuente,
// en su orden; el de uno que el analizador no pudo leer queda sin completar.
std::vector<Arbol> analizarVarios(const std::string& analizador, const std::string& cabeceras,
                                  const std::vector<std::string>& fuentes,
                                  const std::vector<std::string>& argumentos = {});

}  // namespace nucleo

#endif

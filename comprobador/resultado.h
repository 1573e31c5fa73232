// El resultado de revisar una entrega: una sola lista de comprobaciones, todas del mismo tipo.
// Cada paso de la revisión (compilar, los casos, las entradas sorteadas, las funciones, la
// robustez) añade las suyas; el informe de texto, la tabla, JUnit, CSV y JSON solo escriben
// esta lista. Cada comprobación dice qué se comprobó (un id estable, la frase y su grupo), cómo
// quedó (pasó, falló, no se ejecutó porque esperaba a otro paso, o un fallo del propio
// comprobador) y con qué pruebas: la entrada, lo esperado, lo obtenido, las pistas y el lugar.
#ifndef COMPROBADOR_RESULTADO_H
#define COMPROBADOR_RESULTADO_H

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace comprobador {

// Lo que cuenta en la nota: solo el grupo Ejercicio (lo que pide el enunciado). Lo que decidió la
// colección y la robustez se muestran y no cuentan; la preparación (las compilaciones) es lo que
// los demás necesitan, y su fallo se ve en lo que dejó sin ejecutar.
enum class Grupo { Ejercicio, Decision, Robustez, Preparacion };

// Qué clase de cosa se comprobó: decide en qué parte del informe sale.
enum class Tipo { Compilacion, Caso, Sorteo, Funcion, Robustez, Tecnica };

enum class Estado {
    Paso,
    Fallo,
    NoEjecutada,  // esperaba a un paso que falló (esperaA lo nombra)
    ParaRevisar,  // lo decide una persona: se muestra y no cuenta
    ErrorPropio,  // el comprobador no pudo hacerla; nunca es un veredicto sobre la entrega
};

struct Evidencia {
    std::string entrada;   // la entrada o la llamada, a la vista
    std::string esperado;  // lo que se esperaba (vacío si no aplica)
    std::string obtenido;  // lo que salió
    std::vector<std::string> pistas;
    std::string archivo;  // dónde, si se sabe: "fibcalc.cpp" y la línea 7
    int linea = 0;
    // La explicación entera, en varias líneas (la entrada, la comparación y las pistas), como
    // la escribe el juez; vacía si pasó.
    std::string explicacion;
};

struct Comprobacion {
    std::string id;     // estable entre ejecuciones: "caso/ejemplo", "funcion/FirmaDePower"...
    std::string frase;  // lo que se comprobó, en español
    Grupo grupo = Grupo::Ejercicio;
    Tipo tipo = Tipo::Caso;
    Estado estado = Estado::NoEjecutada;
    std::string causa;    // una línea: por qué falló, no se ejecutó o no se pudo hacer
    std::string esperaA;  // con NoEjecutada, el id del paso que falló
    Evidencia evidencia;
    std::chrono::milliseconds tiempo{0};  // lo que tardó (0 si no se ejecutó)

    bool cuenta() const { return grupo == Grupo::Ejercicio && estado != Estado::ParaRevisar; }
    bool paso() const { return estado == Estado::Paso; }
};

// Una entrega: el archivo que se compila (main.cpp en una carpeta) y cómo mostrarla.
struct Entrega {
    std::string nombre;     // como la escribió quien comprueba (practica/ringchain.cpp)
    std::string principal;  // ruta absoluta del fuente que se compila
};

struct Revision {
    Entrega entrega;
    std::string programa;  // el ejercicio con que se revisó
    std::vector<Comprobacion> comprobaciones;
    bool aislada = false;       // se compiló y se ejecutó dentro del aislamiento
    std::uint64_t semilla = 0;  // la de las entradas sorteadas
    // Un fallo del propio comprobador (disco lleno, un aislamiento que no arranca): entonces
    // no hay veredicto, solo esta línea.
    std::string errorPropio;
    // Las fichas léxicas del fuente, como las escribe el analizador (líneas «T»), si se pidieron
    // (Entorno::fichas): para comparar entregas entre sí, no son un veredicto.
    std::string fichas;

    int correctos() const;
    int total() const;
    bool aprobada() const { return errorPropio.empty() && correctos() == total(); }
    // La comprobación de ese id; nullptr si no está.
    const Comprobacion* buscar(const std::string& id) const;
    // ¿Compiló el programa? (la comprobación "compilacion" pasó)
    bool compila() const;
};

// Los nombres de los grupos, tipos y estados tal como se escriben en JSON y CSV.
const char* nombre(Grupo g);
const char* nombre(Tipo t);
const char* nombre(Estado e);

}  // namespace comprobador

#endif

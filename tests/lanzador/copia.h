// Una copia del repositorio para probar cómo compila el lanzador sin tocar el árbol real: sin
// build/ ni practica/, en una carpeta propia, con una "cmake" espía delante en el PATH que
// anota cada llamada del lanzador (las que configuran o compilan; no la que lo ejecuta a él,
// cmake -P) y después ejecuta la verdadera. Todo lo que se ejecuta en la copia lleva en
// CMAKE_GENERATOR el generador con que se creó.
#ifndef PRUEBAS_LANZADOR_COPIA_H
#define PRUEBAS_LANZADOR_COPIA_H

#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "proceso.h"

namespace lanzador {

namespace fs = std::filesystem;

// Una llamada del lanzador a cmake: sus argumentos y cuántos bytes había escrito ya el
// lanzador en su salida de error cuando la hizo.
struct LlamadaACmake {
    std::string argumentos;
    std::size_t erroresPrevios = 0;
};

class Copia {
   public:
    // Copia nueva en una carpeta temporal propia, que se borra al destruirla; `generador` es
    // el de CMake ("Unix Makefiles", "Ninja") y `repositorio`, el nombre de la carpeta de la
    // copia dentro de la temporal.
    explicit Copia(std::string generador, std::string repositorio = "repositorio");
    // Copia en `carpeta`: con `nueva` se borra lo que hubiera y se copia de nuevo; si no, se
    // usa la que ya hay (o se crea si falta). Con `borrarAlFinal` se borra al destruirla.
    Copia(const fs::path& carpeta, bool nueva, bool borrarAlFinal, std::string generador,
          std::string repositorio = "repositorio");
    ~Copia();
    Copia(const Copia&) = delete;
    Copia& operator=(const Copia&) = delete;

    // Carpeta que lo contiene todo (la copia, la espía y sus registros).
    const fs::path& carpeta() const { return carpeta_; }
    // Raíz de la copia del repositorio.
    fs::path raiz() const { return carpeta_ / repositorio_; }
    // Árbol de compilación del preset default y sus programas.
    fs::path arbol() const { return raiz() / "build" / "default"; }
    fs::path bin() const { return arbol() / "bin"; }

    // Ejecuta ./ejercicios de la copia con esos argumentos y esa entrada (límite: 150 s).
    // Su salida de error va a un archivo, para que la espía sepa qué se había escrito ya.
    nucleo::Resultado lanzar(const std::vector<std::string>& argumentos,
                             const std::string& entrada = "") const;
    // Las llamadas a cmake del último lanzar(), en orden.
    std::vector<LlamadaACmake> llamadas() const;
    // Con `falla`, la espía anota las llamadas y falla sin llamar a la cmake verdadera.
    void cmakeFalla(bool falla) { cmakeFalla_ = falla; }
    // Lo que practicar hace con la compilación del comprobador (EJ_PREPARAR): por omisión "no"
    // (en segundo plano, nada la esperaría); "esperar", allí mismo.
    void preparar(std::string como) { preparar_ = std::move(como); }

    // Ejecuta un guion de sh en la raíz de la copia, con las dos salidas unidas; $1, $2...
    // son los `parametros`.
    nucleo::Resultado orden(const std::string& guion,
                            const std::vector<std::string>& parametros = {}) const;

    // Leer y escribir archivos de la copia (rutas relativas a su raíz); lo escrito queda más
    // nuevo que los programas y el comprobador ya compilados.
    std::string leer(const fs::path& relativa) const;
    void escribir(const fs::path& relativa, const std::string& contenido) const;

   private:
    void copiarRepositorio() const;
    void crearEspia() const;

    // Variables de entorno comunes a todo lo que se ejecuta en la copia.
    std::vector<std::string> entorno() const;

    fs::path carpeta_;
    std::string repositorio_;
    std::string generador_;
    bool borrarAlFinal_;
    bool cmakeFalla_ = false;
    std::string preparar_ = "no";
};

// Cambia un archivo de una copia y lo deja como estaba al salir del ámbito.
class Cambio {
   public:
    Cambio(const Copia& copia, fs::path relativa, const std::string& contenido);
    ~Cambio();
    Cambio(const Cambio&) = delete;
    Cambio& operator=(const Cambio&) = delete;

   private:
    const Copia& copia_;
    fs::path relativa_;
    std::string original_;
};

// Las líneas de un texto, sin el fin de línea.
std::vector<std::string> lineas(const std::string& texto);

// Veces que aparece `trozo` en `texto`.
std::size_t contar(const std::string& texto, const std::string& trozo);

// Nombres de los archivos de una carpeta (vacío si no existe).
std::vector<std::string> archivos(const fs::path& carpeta);

}  // namespace lanzador

#endif

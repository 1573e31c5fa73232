// Las descargas de la plataforma del curso, como llegan: un zip, un tar (también .tar.gz) o una
// carpeta, con una carpeta por alumno («Ana Pérez_12345_assignsubmission_file_/») o, sin
// carpetas, ese mismo prefijo delante de cada archivo. Se leen con libarchive, sin ejecutar nada,
// y con cuidado: son archivos de otras personas. Nada sale de la carpeta de trabajo (ni rutas
// absolutas ni «..»), los enlaces no se siguen ni se crean, y hay topes al número de entradas, a
// su tamaño y a cuánto se expanden (una bomba de descompresión se rechaza diciéndolo). Un zip
// dentro de la carpeta de un alumno también se abre, un nivel.
#ifndef COMPROBADOR_DESCARGAS_H
#define COMPROBADOR_DESCARGAS_H

#include <locale.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "caso.h"

namespace comprobador {

// Mientras existe, este hilo trabaja en UTF-8 (C.UTF-8), sea cual sea el idioma del sistema:
// libarchive convierte los nombres de los archivos al de la terminal, y en «C» uno con acentos
// («Ana Pérez_...») no se podría leer ni escribir.
class EnUtf8 {
   public:
    EnUtf8();
    ~EnUtf8();
    EnUtf8(const EnUtf8&) = delete;
    EnUtf8& operator=(const EnUtf8&) = delete;

   private:
    locale_t nuevo_;
    locale_t anterior_;
};

// Los topes al leer un archivo comprimido.
struct Topes {
    std::size_t entradas = 5000;
    std::size_t porArchivo = std::size_t{16} << 20;
    std::size_t total = std::size_t{256} << 20;
    // Cuántas veces lo escrito puede pasar de lo leído del archivo comprimido.
    std::size_t expansion = 200;
};

// Saca `archivo` (zip, tar...) en la carpeta `destino`, que ya existe. Los enlaces y lo que no
// es un archivo o una carpeta se omiten, y también lo que quisiera salir de `destino`: cada
// omisión, una línea en `avisos`. "" si fue bien; si no, por qué no se lee (en español).
std::string extraer(const std::string& archivo, const std::string& destino, const Topes& topes,
                    std::vector<std::string>& avisos);

// Escribe `archivo`, un zip (o un tar.gz, si se llama así), con esos archivos (su ruta dentro, en
// UTF-8, y su contenido). "" si fue bien; si no, qué falló.
std::string comprimir(const std::string& archivo,
                      const std::vector<std::pair<std::string, std::string>>& archivos);

// Un alumno, tal como lo nombra la plataforma en la descarga.
struct Alumno {
    std::string nombre;  // «Ana Pérez»
    std::string id;      // «12345»; vacío si la descarga no lo dice
};

// Lo que entregó un alumno para un ejercicio.
struct EntregaDeAlumno {
    Alumno alumno;
    std::string carpeta;  // su carpeta en la descarga, o el prefijo de sus archivos
    std::string
        principal;        // el fuente que se comprueba, ya en la carpeta de trabajo; vacío si nada
    std::string archivo;  // su nombre, como lo entregó («RingChain.CPP», «main.cpp»)
    std::string motivo;  // por qué no se comprueba nada, o qué se eligió entre varios y por qué
    // La descarga traía una carpeta por alumno (si no, el prefijo va delante de cada archivo).
    bool enCarpeta = true;
};

struct Descarga {
    std::string ruta;      // como la dio el profesor
    std::string programa;  // el ejercicio
    std::vector<EntregaDeAlumno> entregas;
    std::vector<std::string> avisos;  // lo omitido al leerla
};

// Lee la descarga `argumento` («DESCARGA» o «EJERCICIO=DESCARGA») en la carpeta `trabajo` (que
// ya existe): el ejercicio (el dado, o el que dicen los nombres de sus archivos o el suyo), y
// una entrega por alumno. "" si fue bien; si no, por qué no se puede leer.
std::string leerDescarga(const std::string& argumento, const std::string& trabajo, Descarga& d);

// El nombre y el número de un alumno según el prefijo que pone la plataforma
// («Ana Pérez_12345_assignsubmission_file_...»); false si no lo lleva. En `resto`, lo que
// sigue al prefijo (el nombre del archivo, en una descarga sin carpetas).
bool alumnoDe(const std::string& nombre, Alumno& alumno, std::string& resto);

// El ejercicio que dicen unos nombres de archivos (o el de la descarga): el programa cuyo
// nombre aparece, sin distinguir mayúsculas; vacío si ninguno o más de uno.
std::string ejercicioDe(const std::vector<std::string>& nombres);

}  // namespace comprobador

#endif

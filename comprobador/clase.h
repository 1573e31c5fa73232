// Una clase corregida (./ejercicios corregir): las entregas de las descargas, cada una revisada
// con su nota, agrupadas en una fila por alumno, y lo que se escribe de ellas para quien corrige:
// la tabla de notas, la hoja de calificaciones de la plataforma rellena, el informe de cada
// alumno para devolvérselo y la página de la clase (pagina.cpp). Todo sale de la misma lista de
// comprobaciones de cada revisión.
#ifndef COMPROBADOR_CLASE_H
#define COMPROBADOR_CLASE_H

#include <cstddef>
#include <string>
#include <vector>

#include "descargas.h"
#include "resultado.h"
#include "similitud.h"

namespace comprobador {

// Una entrega de un alumno para un ejercicio.
struct Corregida {
    std::string programa;
    EntregaDeAlumno entrega;
    bool revisada = false;  // se comprobó (si no, entrega.motivo dice por qué)
    Revision revision;

    // ¿Tiene nota? Se revisó y había algo que leer (un archivo vacío no la tiene).
    bool calificada() const;
    // Lo que vale sobre `escala`: la parte de las comprobaciones del ejercicio que pasan (lo que
    // decide la colección y la robustez no cuentan). 0 si no está calificada.
    double nota(double escala) const;
    // En pocas palabras, por qué no tiene nota o qué le pasa: «no compila», «el archivo está
    // vacío», «entregó 2 archivos de C++ (...): se comprueba...»; vacío si nada que decir.
    std::string observacion() const;
};

// Un alumno y sus entregas: por ejercicio, su índice en Clase::corregidas (o -1 si no está en
// esa descarga).
struct Fila {
    Alumno alumno;
    std::vector<int> entregas;
};

// Dos entregas del mismo ejercicio que se parecen demasiado (índices en Clase::corregidas).
struct ParDeEntregas {
    std::size_t a = 0;
    std::size_t b = 0;
    Parecido parecido;
};

struct Clase {
    double escala = 10;
    std::vector<std::string> programas;  // en el orden de las descargas
    std::vector<Corregida> corregidas;
    std::vector<Fila> filas;  // por nombre
    std::vector<ParDeEntregas> parecidos;
    // Si no se compararon las entregas, por qué (sin libclang no hay fichas).
    std::string sinComparar;

    // Junta las entregas en una fila por alumno: por su número y, si la descarga no lo dice,
    // por su nombre.
    void agrupar();
    // La media de un alumno: la de todos los ejercicios de la corrección; sin nota cuenta 0.
    double media(const Fila& fila) const;
};

// Un número con `decimales` cifras decimales como mucho (sin ceros de más) y ese separador:
// 7.5, 10, 6,67.
std::string numero(double valor, char separador, int decimales = 2);

// Cómo escribe los números y separa las columnas una hoja de cálculo: en los idiomas que
// escriben los decimales con coma (español, francés...), «;» y «,»; si no, «,» y «.».
struct FormatoCsv {
    char separador = ',';
    char decimal = '.';
};
// El de un idioma como los de LC_ALL, LC_NUMERIC o LANG («es_ES.UTF-8»): el primero que esté
// puesto. nullptr o vacío: sin poner.
FormatoCsv formatoDelIdioma(const char* lcAll, const char* lcNumeric, const char* lang);

// Un campo de CSV: entre comillas si lleva el separador, una comilla o un salto de línea.
std::string campoCsv(const std::string& texto, char separador);

// notas.csv: ID, nombre, una columna por ejercicio, la media y las observaciones; UTF-8 con
// BOM (así lo abren bien las hojas de cálculo). false si no se pudo escribir.
bool escribirNotas(const Clase& clase, const std::string& archivo, const FormatoCsv& formato);

// El informe que se devuelve a un alumno: su nombre, el ejercicio, la nota, lo que se eligió de
// su entrega y el informe de la comprobación, sin rutas de quien corrige.
std::string informeDeAlumno(const Clase& clase, const Corregida& corregida);

// La frase corta para la plataforma: «Nota 7,5 de 10: 6 de 8 comprobaciones bien. Fallan: ...».
std::string comentarioBreve(const Corregida& corregida, double maximo, char decimal, int decimales);

// La retroalimentación de un ejercicio: en `carpeta`, una carpeta por alumno como las de su
// descarga (o, si venía sin carpetas, su prefijo delante del archivo) con su informe, y el
// mismo contenido en `zip`, que la plataforma acepta de vuelta. "" si fue bien, o qué falló.
std::string escribirRetroalimentacion(const Clase& clase, const std::string& programa,
                                      const std::string& carpeta, const std::string& zip);

// Rellena la hoja de calificaciones de la plataforma (`hoja`, un CSV cuyas columnas nombra en
// inglés o en español) para `programa`: en cada fila de un alumno con nota («Participant N» o
// «Participante N», con N su número), la nota sobre la máxima de esa fila y con su separador
// decimal, y el comentario breve; todo lo demás, byte a byte como estaba. La escribe en
// `salida`. "" si fue bien (en `resumen`, cuántas filas se rellenaron), o por qué no.
std::string rellenarHoja(const Clase& clase, const std::string& programa, const std::string& hoja,
                         const std::string& salida, std::string& resumen);

// Lo mismo sobre el texto de la hoja, sin archivos: el texto nuevo en `salida`.
std::string rellenarHojaTexto(const Clase& clase, const std::string& programa,
                              const std::string& texto, std::string& salida, std::string& resumen);

// clase.html: una página sola (sin nada de la red) con la tabla de notas, lo que más falla, las
// entregas muy parecidas y el informe de cada entrega. false si no se pudo escribir.
bool escribirPagina(const Clase& clase, const std::string& archivo);
std::string pagina(const Clase& clase);

// similitud.csv: una fila por pareja marcada. false si no se pudo escribir.
bool escribirSimilitud(const Clase& clase, const std::string& archivo, const FormatoCsv& formato);

}  // namespace comprobador

#endif

// Los archivos de una entrega, que son de otra persona: se leen sin seguir enlaces (un enlace
// simbólico, o un archivo con más de un nombre en el disco, podría llevar a un archivo del
// profesor, como /etc/shadow o uno de su carpeta personal), mirando su tamaño antes de leerlos, y
// se copian a la carpeta temporal de la revisión como archivos nuevos. Lo que escribe el
// comprobador, si no se puede escribir (un disco lleno), es un fallo suyo: ErrorDelComprobador.
#ifndef COMPROBADOR_ARCHIVOS_H
#define COMPROBADOR_ARCHIVOS_H

#include <cstddef>
#include <filesystem>
#include <string>

#include "caso.h"
#include "resultado.h"

namespace comprobador {

// Lo más que pesa un archivo de una entrega: un fuente de un ejercicio ocupa unos pocos KiB.
constexpr std::size_t kTamanoMaximo = std::size_t{1} << 20;

// Lee `ruta` si es un archivo normal con un solo nombre y no pasa de `maximo` bytes, sin seguir
// un enlace simbólico en su último paso; "" si lo leyó, o por qué no (en español, con la ruta).
std::string leerSinEnlaces(const std::string& ruta, std::size_t maximo, std::string& contenido);

// Lo que el sistema de quien entrega añade a lo que comprime o copia, y no es suyo: los metadatos
// de macOS (la carpeta __MACOSX, y el «._archivo» que acompaña a cada archivo, binario aunque se
// llame .cpp) y los índices de carpeta de macOS y Windows. `ruta` es relativa a la carpeta donde
// se busca.
bool esDelSistema(const std::filesystem::path& ruta);

// Crea `ruta` (que no debe existir) con ese contenido; si no puede, ErrorDelComprobador.
void escribirNuevo(const std::string& ruta, const std::string& contenido);

// Copia a `temporal` el fuente de la entrega y los que lo acompañan (node_list.h en las listas;
// en una carpeta, todos sus archivos). Deja en `fuente` la ruta del principal dentro de
// `temporal` (como la ve quien comprueba, relativa a donde dio la orden, así los errores del
// compilador la nombran igual). Devuelve "" o por qué se rechaza la entrega: un enlace, un
// archivo demasiado grande, uno vacío.
std::string copiarEntrega(const nucleo::Ejercicio& ejercicio, const Entrega& entrega,
                          const std::string& temporal, std::string& fuente);

}  // namespace comprobador

#endif

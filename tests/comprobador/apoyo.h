// Lo que comparten las pruebas del comprobador: ejecutarlo como lo haría quien comprueba, con su
// propia carpeta temporal, y mirar lo que deja.
#ifndef PRUEBAS_COMPROBADOR_APOYO_H
#define PRUEBAS_COMPROBADOR_APOYO_H

#include <filesystem>
#include <string>
#include <vector>

#include "proceso.h"

namespace apoyo {

namespace fs = std::filesystem;

inline const std::string kRaiz = EJ_RAIZ;

// La carpeta de un ejercicio, relativa a la raíz (ellambda/fixedsquare).
std::string carpeta(const std::string& programa);

// La solución de referencia de un ejercicio, relativa a la raíz: su archivo o, si es una carpeta
// con main.cpp, la carpeta.
std::string solucion(const std::string& programa);

// Una solución con un error habitual, relativa a la raíz.
std::string conError(const std::string& programa, const std::string& archivo);

// Una carpeta temporal propia que se borra al terminar, a la que puede entrar el usuario sin
// privilegios del aislamiento.
struct Temporal {
    fs::path ruta;
    Temporal();
    ~Temporal();
};

// Ejecuta "comprobador ARGUMENTOS" desde `desde` (la raíz de la colección), con su propia carpeta
// temporal (TMPDIR) para ver que no deja nada.
nucleo::Resultado practica(const std::vector<std::string>& argumentos, const fs::path& tmp,
                           const fs::path& desde = kRaiz);

std::string ultimaLinea(const std::string& texto);

// Los correctos y el total de la última línea («7 de 9 comprobaciones correctas»).
std::pair<int, int> cuenta(const std::string& salida);

bool vacia(const fs::path& carpeta);

// Procesos vivos que vienen de una comprobación con esa carpeta temporal.
int procesosDesde(const fs::path& carpeta);

std::string leer(const fs::path& ruta);

}  // namespace apoyo

#endif

// Rutas tal como se muestran: relativas a la carpeta desde la que se dio la orden, para que se
// puedan copiar y funcionen desde ahí.
#ifndef COMPROBADOR_RUTAS_H
#define COMPROBADOR_RUTAS_H

#include <filesystem>
#include <string>

namespace comprobador {

inline std::string paraMostrar(const std::filesystem::path& ruta) {
    std::error_code ec;
    const std::filesystem::path relativa = std::filesystem::proximate(ruta, ec);
    return ec ? ruta.string() : relativa.string();
}

// El lanzador de la colección como se escribe desde aquí: ./ejercicios, ../ejercicios...
inline std::string lanzador(const std::string& raiz) {
    const std::string ruta = paraMostrar(std::filesystem::path(raiz) / "ejercicios");
    return ruta.find('/') == std::string::npos ? "./" + ruta : ruta;
}

}  // namespace comprobador

#endif

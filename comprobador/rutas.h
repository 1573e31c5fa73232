// Rutas tal como se muestran: relativas a la carpeta desde la que se dio la orden, para que se
// puedan copiar y funcionen desde ahí.
#ifndef COMPROBADOR_RUTAS_H
#define COMPROBADOR_RUTAS_H

#include <filesystem>
#include <string>

namespace comprobador {

// Sin resolver enlaces: un enlace se muestra con su propio nombre, no con el de adonde apunta.
inline std::string paraMostrar(const std::filesystem::path& ruta) {
    std::error_code ec;
    const std::filesystem::path aqui = std::filesystem::current_path(ec);
    if (ec) return ruta.string();
    const std::filesystem::path relativa =
        std::filesystem::absolute(ruta, ec).lexically_normal().lexically_proximate(aqui);
    return ec || relativa.empty() ? ruta.string() : relativa.string();
}

// El lanzador de la colección como se escribe desde aquí: ./ejercicios, ../ejercicios...
inline std::string lanzador(const std::string& raiz) {
    const std::string ruta = paraMostrar(std::filesystem::path(raiz) / "ejercicios");
    return ruta.find('/') == std::string::npos ? "./" + ruta : ruta;
}

}  // namespace comprobador

#endif

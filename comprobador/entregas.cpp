#include "entregas.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace comprobador {

bool entregasDe(const nucleo::Ejercicio& ejercicio, const std::string& ruta,
                std::vector<Entrega>& entregas, std::string& error) {
    std::error_code ec;
    const fs::path camino = fs::absolute(ruta, ec);
    if (!fs::exists(camino)) {
        error = "No existe " + ruta + ".";
        return false;
    }
    if (ejercicio.forma == nucleo::Forma::Carpeta) {
        if (fs::is_regular_file(camino)) {
            entregas.push_back({ruta, camino.string()});
            return true;
        }
        if (fs::exists(camino / "main.cpp")) {
            entregas.push_back({ruta, (camino / "main.cpp").string()});
            return true;
        }
        std::vector<fs::path> carpetas;
        for (const auto& e : fs::directory_iterator(camino)) {
            if (e.is_directory() && fs::exists(e.path() / "main.cpp")) carpetas.push_back(e.path());
        }
        std::sort(carpetas.begin(), carpetas.end());
        for (const fs::path& c : carpetas) {
            entregas.push_back(
                {(fs::path(ruta) / c.filename()).string(), (c / "main.cpp").string()});
        }
        if (carpetas.empty()) {
            error = ruta +
                    " no tiene main.cpp (con Cir.h y Cir.cpp al lado), ni carpetas que lo tengan.";
        }
        return !carpetas.empty();
    }
    if (!fs::is_directory(camino)) {
        entregas.push_back({ruta, camino.string()});
        return true;
    }
    std::vector<fs::path> fuentes;
    for (const auto& e : fs::directory_iterator(camino)) {
        if (e.is_regular_file() && e.path().extension() == ".cpp") fuentes.push_back(e.path());
    }
    std::sort(fuentes.begin(), fuentes.end());
    for (const fs::path& f : fuentes) {
        entregas.push_back({(fs::path(ruta) / f.filename()).string(), f.string()});
    }
    if (fuentes.empty()) error = "En " + ruta + " no hay ningún archivo .cpp.";
    return !fuentes.empty();
}

}  // namespace comprobador

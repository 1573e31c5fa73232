#include "entregas.h"

#include <algorithm>
#include <filesystem>

#include "archivos.h"

namespace fs = std::filesystem;

namespace comprobador {

namespace {

// Las carpetas (de verdad: un enlace a una carpeta no se sigue) o los archivos de una carpeta;
// entre los archivos, también los enlaces, que la revisión rechaza diciendo por qué. Lo que
// añadió el sistema de quien la copió (los «._archivo» de macOS) no cuenta.
std::vector<fs::path> ordenados(const fs::path& carpeta, bool carpetas) {
    std::vector<fs::path> r;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(carpeta, ec)) {
        if (esDelSistema(e.path().filename())) continue;
        const fs::file_status s = e.symlink_status(ec);
        const bool vale =
            carpetas ? fs::is_directory(s) : fs::is_regular_file(s) || fs::is_symlink(s);
        if (vale) r.push_back(e.path());
    }
    std::sort(r.begin(), r.end());
    return r;
}

// Los enlaces a carpetas de una carpeta: no se siguen.
std::vector<fs::path> enlacesACarpetas(const fs::path& carpeta) {
    std::vector<fs::path> r;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(carpeta, ec)) {
        if (e.is_symlink(ec) && e.is_directory(ec)) r.push_back(e.path());
    }
    std::sort(r.begin(), r.end());
    return r;
}

// El nombre de una entrega tal como se escribió su ruta, más lo que haya debajo.
std::string nombre(const std::string& ruta, const fs::path& dentro) {
    return (fs::path(ruta) / dentro).string();
}

bool esFuente(const fs::path& p) { return p.extension() == ".cpp"; }

}  // namespace

bool entregasDe(const nucleo::Ejercicio& ejercicio, const std::string& ruta,
                std::vector<Entrega>& entregas, std::vector<std::string>& omitidas,
                std::string& error) {
    std::error_code ec;
    const fs::path camino = fs::absolute(ruta, ec);
    if (!fs::exists(fs::symlink_status(camino))) {
        error = "No existe " + ruta + ".";
        return false;
    }
    const bool carpeta = ejercicio.forma == nucleo::Forma::Carpeta;
    // Un archivo nombrado a mano, aunque sea un enlace: la revisión lo rechaza diciéndolo.
    if (fs::is_regular_file(camino) ||
        (fs::is_symlink(fs::symlink_status(camino)) && !fs::is_directory(camino))) {
        // Un archivo nombrado a mano tiene que ser un fuente de C++.
        if (!esFuente(camino)) {
            error = ruta + " no es un archivo .cpp: da el fuente de la solución" +
                    (carpeta ? " (main.cpp) o su carpeta." : ".");
            return false;
        }
        entregas.push_back({ruta, camino.string()});
        return true;
    }
    const std::size_t antes = entregas.size();
    for (const fs::path& c : enlacesACarpetas(camino))
        omitidas.push_back(nombre(ruta, c.filename()) + ": es un enlace simbólico, no se sigue");
    if (carpeta) {
        // Una carpeta de proyecto (con main.cpp), o una carpeta de ellas.
        if (fs::exists(camino / "main.cpp")) {
            entregas.push_back({ruta, (camino / "main.cpp").string()});
            return true;
        }
        for (const fs::path& c : ordenados(camino, true)) {
            if (fs::exists(c / "main.cpp")) {
                entregas.push_back({nombre(ruta, c.filename()), (c / "main.cpp").string()});
            } else {
                omitidas.push_back(nombre(ruta, c.filename()) + ": no tiene main.cpp");
            }
        }
        if (entregas.size() == antes) {
            error = ruta +
                    " no tiene main.cpp (con Cir.h y Cir.cpp al lado), ni carpetas que lo tengan.";
        }
        return entregas.size() > antes;
    }
    // Cada .cpp de la carpeta es una entrega, y cada .cpp de sus subcarpetas (como las deja la
    // descarga de una plataforma: una carpeta por alumno).
    for (const fs::path& f : ordenados(camino, false)) {
        if (esFuente(f)) entregas.push_back({nombre(ruta, f.filename()), f.string()});
    }
    for (const fs::path& c : ordenados(camino, true)) {
        bool alguno = false;
        for (const fs::path& f : ordenados(c, false)) {
            if (!esFuente(f)) continue;
            entregas.push_back({nombre(ruta, c.filename() / f.filename()), f.string()});
            alguno = true;
        }
        if (!alguno) omitidas.push_back(nombre(ruta, c.filename()) + ": no tiene archivos .cpp");
    }
    if (entregas.size() == antes) error = "En " + ruta + " no hay ningún archivo .cpp.";
    return entregas.size() > antes;
}

}  // namespace comprobador

#include "catalogo.h"

#include <algorithm>
#include <cctype>

namespace nucleo {

const Ejercicio* buscarEjercicio(const std::string& programa) {
    for (const Ejercicio& ejercicio : ejercicios()) {
        if (ejercicio.programa == programa) return &ejercicio;
    }
    return nullptr;
}

namespace {

// Cuántas letras hay que cambiar, quitar o poner para pasar de un nombre al otro.
std::size_t distancia(const std::string& a, const std::string& b) {
    std::vector<std::size_t> fila(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) fila[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = fila[0];
        fila[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t arriba = fila[j];
            fila[j] = std::min({fila[j] + 1, fila[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = arriba;
        }
    }
    return fila[b.size()];
}

}  // namespace

std::vector<std::string> nombresParecidos(const std::string& programa) {
    std::string buscado;
    for (char c : programa)
        buscado += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::vector<std::pair<std::size_t, std::string>> candidatos;
    for (const Ejercicio& e : ejercicios()) {
        const std::size_t d = distancia(buscado, e.programa);
        const bool contiene = buscado.size() >= 3 && e.programa.find(buscado) != std::string::npos;
        if (d <= 3 || contiene) candidatos.push_back({contiene ? 0 : d, e.programa});
    }
    std::stable_sort(candidatos.begin(), candidatos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> nombres;
    for (const auto& c : candidatos) {
        if (nombres.size() < 3) nombres.push_back(c.second);
    }
    return nombres;
}

std::string firmaDe(const Ejercicio& ejercicio, const std::string& nombre) {
    if (nombre.empty()) return "";
    auto esLetra = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    for (const std::string& firma : ejercicio.firmas) {
        // El nombre entero, no una parte de otro (dato no es parte de datos).
        for (std::size_t p = firma.find(nombre); p != std::string::npos;
             p = firma.find(nombre, p + 1)) {
            const std::size_t fin = p + nombre.size();
            const bool antes = p == 0 || !esLetra(firma[p - 1]);
            const bool despues = fin == firma.size() || !esLetra(firma[fin]);
            if (antes && despues) return firma;
        }
    }
    return "";
}

std::string rutaSonda(const std::string& programa) {
    const std::string bin = EJ_BIN_DIR;
    const std::string arbol = bin.substr(0, bin.rfind('/'));
#ifdef _WIN32
    return arbol + "/sondas/sonda_" + programa + ".exe";
#else
    return arbol + "/sondas/sonda_" + programa;
#endif
}

}  // namespace nucleo

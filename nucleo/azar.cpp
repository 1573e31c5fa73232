#include <algorithm>

#include "caso.h"

namespace nucleo {

// splitmix64: corto, rápido y el mismo en cualquier compilador.
std::uint64_t Azar::siguiente() {
    std::uint64_t z = (estado_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

long long Azar::entero(long long desde, long long hasta) {
    if (hasta <= desde) return desde;
    const std::uint64_t ancho =
        static_cast<std::uint64_t>(hasta) - static_cast<std::uint64_t>(desde) + 1;
    // Con ancho 0 (todo el rango de long long) vale cualquier valor.
    const std::uint64_t v = ancho == 0 ? siguiente() : siguiente() % ancho;
    return static_cast<long long>(static_cast<std::uint64_t>(desde) + v);
}

long long Azar::entero(long long desde, long long hasta, const std::vector<long long>& salvo) {
    std::vector<long long> fuera;
    for (long long v : salvo) {
        if (v >= desde && v <= hasta) fuera.push_back(v);
    }
    std::sort(fuera.begin(), fuera.end());
    fuera.erase(std::unique(fuera.begin(), fuera.end()), fuera.end());
    const std::uint64_t ancho =
        static_cast<std::uint64_t>(hasta) - static_cast<std::uint64_t>(desde) + 1;
    if (hasta < desde || (ancho != 0 && ancho <= fuera.size())) return desde;
    // El k-ésimo de los que quedan: se salta, en orden, cada excluido que no pasa de él.
    long long v =
        entero(desde, static_cast<long long>(static_cast<std::uint64_t>(hasta) - fuera.size()));
    for (long long f : fuera) {
        if (f > v) break;
        ++v;
    }
    return v;
}

}  // namespace nucleo

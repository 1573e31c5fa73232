// Trabajo repartido entre los núcleos de la máquina, sin pasar de ellos.
#ifndef COMPROBADOR_PARALELO_H
#define COMPROBADOR_PARALELO_H

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace comprobador {

// Cuántos trabajos a la vez: los núcleos de la máquina (dos, si no se sabe).
inline std::size_t nucleos() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 2 : n;
}

// Ejecuta f(0) ... f(n - 1) en `hilos` hilos (por omisión, uno por núcleo).
template <class F>
void enParalelo(std::size_t n, F f, std::size_t hilos = nucleos()) {
    std::atomic<std::size_t> siguiente{0};
    auto trabajo = [&] {
        for (std::size_t i; (i = siguiente++) < n;) f(i);
    };
    std::vector<std::thread> otros;
    for (std::size_t k = 1; k < std::min(hilos, n); ++k) otros.emplace_back(trabajo);
    trabajo();
    for (std::thread& t : otros) t.join();
}

}  // namespace comprobador

#endif

// Trabajo repartido entre los núcleos de la máquina, sin pasar de ellos.
#ifndef COMPROBADOR_PARALELO_H
#define COMPROBADOR_PARALELO_H

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace comprobador {

// Cuántos trabajos a la vez: los núcleos de la máquina (dos, si no se sabe).
inline std::size_t nucleos() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 2 : n;
}

// Ejecuta f(0) ... f(n - 1) en `hilos` hilos (por omisión, uno por núcleo). Si un f lanza una
// excepción (un ErrorDelComprobador: la máquina tan cargada que un programa no avanza), no se
// empieza ningún otro, se espera a los que están en marcha y se relanza aquí la primera: una
// excepción que saliera de un hilo terminaría el proceso.
template <class F>
void enParalelo(std::size_t n, F f, std::size_t hilos = nucleos()) {
    std::atomic<std::size_t> siguiente{0};
    std::mutex cerrojo;
    std::exception_ptr primera;
    auto trabajo = [&] {
        for (std::size_t i; (i = siguiente++) < n;) {
            try {
                f(i);
            } catch (...) {
                std::lock_guard<std::mutex> g(cerrojo);
                if (!primera) primera = std::current_exception();
                siguiente = n;
            }
        }
    };
    std::vector<std::thread> otros;
    for (std::size_t k = 1; k < std::min(hilos, n); ++k) otros.emplace_back(trabajo);
    trabajo();
    for (std::thread& t : otros) t.join();
    if (primera) std::rethrow_exception(primera);
}

// Una de las plazas para un proceso pesado (un compilador o un programa del alumno): hay tantas
// como núcleos, para todas las entregas a la vez. Se toma al construirla y se deja al destruirla
// (o antes, con soltar).
class Ranura {
   public:
    Ranura() {
        std::unique_lock<std::mutex> cerrojo(mutex());
        libres().wait(cerrojo, [] { return ocupadas() < nucleos(); });
        ++ocupadas();
    }
    ~Ranura() { soltar(); }
    Ranura(const Ranura&) = delete;
    Ranura& operator=(const Ranura&) = delete;

    void soltar() {
        if (!tomada_) return;
        tomada_ = false;
        {
            std::lock_guard<std::mutex> cerrojo(mutex());
            --ocupadas();
        }
        libres().notify_one();
    }

   private:
    bool tomada_ = true;
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::condition_variable& libres() {
        static std::condition_variable c;
        return c;
    }
    static std::size_t& ocupadas() {
        static std::size_t n = 0;
        return n;
    }
};

}  // namespace comprobador

#endif

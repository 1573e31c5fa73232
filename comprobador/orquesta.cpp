#include "orquesta.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace comprobador {

namespace {

enum class Fase { Pendiente, EnMarcha, Bien, Mal, Saltado, Error };

struct Estado_ {
    Fase fase = Fase::Pendiente;
    std::string raiz;   // el paso que falló, para un paso saltado o fallido
    std::string causa;  // su causa
    std::vector<Comprobacion> hechas;
};

bool terminado(Fase f) { return f != Fase::Pendiente && f != Fase::EnMarcha; }

// Ordena lo que dio un paso según sus previstas; lo no previsto, detrás. Una prevista que no dio
// queda sin ejecutar si el paso falló (por lo mismo que él), y si no, como fallo del comprobador.
std::vector<Comprobacion> ordenadas(const Paso& paso, std::vector<Comprobacion> hechas, bool fallo,
                                    const std::string& causa) {
    std::vector<Comprobacion> r;
    for (const Comprobacion& prevista : paso.previstas) {
        auto it = std::find_if(hechas.begin(), hechas.end(),
                               [&](const Comprobacion& c) { return c.id == prevista.id; });
        if (it != hechas.end()) {
            r.push_back(std::move(*it));
            hechas.erase(it);
        } else {
            Comprobacion c = prevista;
            c.estado = fallo ? Estado::NoEjecutada : Estado::ErrorPropio;
            c.esperaA = fallo ? paso.id : "";
            c.causa = fallo ? causa : "el comprobador no llegó a hacerla";
            r.push_back(std::move(c));
        }
    }
    for (Comprobacion& c : hechas) r.push_back(std::move(c));
    return r;
}

}  // namespace

void orquestar(const std::vector<Paso>& pasos, Revision& revision, unsigned hilos) {
    std::map<std::string, std::size_t> indice;
    for (std::size_t i = 0; i < pasos.size(); ++i) indice[pasos[i].id] = i;
    std::vector<Estado_> estados(pasos.size());
    std::mutex m;
    std::condition_variable cambio;
    std::vector<std::thread> hilosEnMarcha;
    unsigned enMarcha = 0;
    std::string error;

    auto faseDe = [&](const std::string& id) { return estados[indice.at(id)].fase; };

    std::unique_lock<std::mutex> cerrojo(m);
    for (;;) {
        bool avanzo = false;
        for (std::size_t i = 0; i < pasos.size(); ++i) {
            Estado_& e = estados[i];
            if (e.fase != Fase::Pendiente) continue;
            if (!error.empty()) {
                e.fase = Fase::Error;
                avanzo = true;
                continue;
            }
            // Un requisito que falló o no se hizo: este tampoco se hace.
            bool listo = true;
            for (const std::string& r : pasos[i].requiere) {
                const Estado_& req = estados[indice.at(r)];
                if (req.fase == Fase::Mal || req.fase == Fase::Saltado) {
                    e.fase = Fase::Saltado;
                    e.raiz = req.fase == Fase::Mal ? r : req.raiz;
                    e.causa = req.causa;
                    avanzo = true;
                    break;
                }
                listo = listo && req.fase == Fase::Bien;
            }
            if (e.fase != Fase::Pendiente) continue;
            for (const std::string& r : pasos[i].espera) listo = listo && terminado(faseDe(r));
            if (!listo || enMarcha >= std::max(1u, hilos)) continue;
            e.fase = Fase::EnMarcha;
            ++enMarcha;
            avanzo = true;
            hilosEnMarcha.emplace_back([&, i] {
                Salida s;
                std::string fallo;
                try {
                    s = pasos[i].correr();
                } catch (const ErrorDelComprobador& x) {
                    fallo = x.what();
                }
                std::lock_guard<std::mutex> g(m);
                Estado_& propio = estados[i];
                if (!fallo.empty()) {
                    propio.fase = Fase::Error;
                    if (error.empty()) error = fallo;
                } else {
                    propio.fase = s.bien ? Fase::Bien : Fase::Mal;
                    propio.causa = s.causa;
                    propio.hechas = std::move(s.comprobaciones);
                }
                --enMarcha;
                cambio.notify_all();
            });
        }
        const bool hayPendientes =
            std::any_of(estados.begin(), estados.end(),
                        [](const Estado_& e) { return e.fase == Fase::Pendiente; });
        if (!hayPendientes && enMarcha == 0) break;
        if (!avanzo && enMarcha == 0) {
            // Nadie en marcha y nadie puede empezar: los pasos esperan a uno posterior.
            error = "los pasos de la revisión esperan en un orden imposible";
            continue;
        }
        if (!avanzo) cambio.wait(cerrojo);
    }
    cerrojo.unlock();
    for (std::thread& t : hilosEnMarcha) t.join();

    revision.errorPropio = error;
    for (std::size_t i = 0; i < pasos.size(); ++i) {
        const Paso& paso = pasos[i];
        Estado_& e = estados[i];
        if (e.fase == Fase::Bien || e.fase == Fase::Mal) {
            for (Comprobacion& c :
                 ordenadas(paso, std::move(e.hechas), e.fase == Fase::Mal, e.causa))
                revision.comprobaciones.push_back(std::move(c));
            continue;
        }
        for (Comprobacion c : paso.previstas) {
            if (e.fase == Fase::Saltado) {
                c.estado = Estado::NoEjecutada;
                c.esperaA = e.raiz;
                c.causa = e.causa;
            } else {
                c.estado = Estado::ErrorPropio;
                c.causa = error;
            }
            revision.comprobaciones.push_back(std::move(c));
        }
    }
}

}  // namespace comprobador

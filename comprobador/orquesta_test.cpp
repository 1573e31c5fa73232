// El orquestador con pasos de mentira: qué se hace, qué queda sin hacer y por qué, en qué orden
// salen las comprobaciones y qué pasa con un fallo del propio comprobador, sin compilar ni
// ejecutar nada.
#include "orquesta.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "paralelo.h"

namespace comprobador {
namespace {

Comprobacion prevista(const std::string& id) {
    Comprobacion c;
    c.id = id;
    c.frase = id;
    return c;
}

// Un paso que da sus previstas con ese estado y termina bien o mal.
Paso paso(const std::string& id, std::vector<std::string> requiere, bool bien,
          std::vector<std::string> previstas, std::vector<std::string> espera = {}) {
    Paso p;
    p.id = id;
    p.descripcion = "el paso " + id;
    p.requiere = std::move(requiere);
    p.espera = std::move(espera);
    for (const std::string& c : previstas) p.previstas.push_back(prevista(c));
    p.correr = [id, bien, previstas] {
        Salida s;
        s.bien = bien;
        s.causa = "falló " + id;
        // Al revés que sus previstas: el orquestador las pone en su sitio.
        for (auto it = previstas.rbegin(); it != previstas.rend(); ++it) {
            Comprobacion c = prevista(*it);
            c.estado = bien ? Estado::Paso : Estado::Fallo;
            s.comprobaciones.push_back(c);
        }
        return s;
    };
    return p;
}

std::string resumen(const Revision& r) {
    std::string t;
    for (const Comprobacion& c : r.comprobaciones) {
        t += c.id + "=" + nombre(c.estado);
        if (!c.esperaA.empty()) t += "(" + c.esperaA + ": " + c.causa + ")";
        t += " ";
    }
    return t;
}

TEST(Orquesta, LoQueDependeDeUnPasoQueFallaNoSeHaceYDiceAQuienEsperaba) {
    struct Fila {
        const char* que;
        std::vector<Paso> pasos;
        std::string esperado;
    } filas[] = {
        {"todo bien",
         {paso("a", {}, true, {"a1"}), paso("b", {"a"}, true, {"b1", "b2"})},
         "a1=paso b1=paso b2=paso "},
        {"falla el primero",
         {paso("a", {}, false, {"a1"}), paso("b", {"a"}, true, {"b1"}),
          paso("c", {"b"}, true, {"c1"})},
         "a1=fallo b1=no_ejecutada(a: falló a) c1=no_ejecutada(a: falló a) "},
        {"uno que falla no para a los que no dependen de él",
         {paso("a", {}, true, {"a1"}), paso("b", {"a"}, false, {"b1"}),
          paso("c", {"a"}, true, {"c1"}), paso("d", {"c", "b"}, true, {"d1"})},
         "a1=paso b1=fallo c1=paso d1=no_ejecutada(b: falló b) "},
        {"esperar no es requerir",
         {paso("a", {}, false, {"a1"}), paso("b", {}, true, {"b1"}, {"a"})},
         "a1=fallo b1=paso "},
    };
    for (Fila& f : filas) {
        SCOPED_TRACE(f.que);
        Revision r;
        orquestar(f.pasos, r);
        EXPECT_EQ(resumen(r), f.esperado);
        EXPECT_TRUE(r.errorPropio.empty());
    }
}

// Lo que un paso da sin estar previsto sale detrás; lo previsto que no da, como fallo del
// comprobador (nunca como un aprobado).
TEST(Orquesta, CadaComprobacionPrevistaTieneSuSitio) {
    Paso p = paso("a", {}, true, {"a1", "a2"});
    p.correr = [] {
        Salida s;
        Comprobacion extra = prevista("extra");
        extra.estado = Estado::Paso;
        Comprobacion a2 = prevista("a2");
        a2.estado = Estado::Fallo;
        s.comprobaciones = {extra, a2};
        return s;
    };
    Revision r;
    orquestar({p}, r);
    EXPECT_EQ(resumen(r), "a1=error_del_comprobador a2=fallo extra=paso ");
}

// Un fallo del comprobador para todo: lo que faltaba no se hace, y la revisión no tiene
// veredicto.
TEST(Orquesta, UnFalloDelComprobadorNoEsUnVeredicto) {
    Paso roto = paso("b", {"a"}, true, {"b1"});
    roto.correr = []() -> Salida { throw ErrorDelComprobador("disco lleno"); };
    Revision r;
    orquestar({paso("a", {}, true, {"a1"}), roto, paso("c", {"b"}, true, {"c1"})}, r);
    EXPECT_EQ(r.errorPropio, "disco lleno");
    EXPECT_FALSE(r.aprobada());
    EXPECT_EQ(resumen(r), "a1=paso b1=error_del_comprobador c1=error_del_comprobador ");
}

// Lo que no depende de otro corre a la vez; lo que depende, después.
TEST(Orquesta, LosPasosIndependientesCorrenALaVez) {
    std::atomic<int> enMarcha{0}, maximo{0};
    std::mutex m;
    std::vector<std::string> orden;
    auto lento = [&](const std::string& id, std::vector<std::string> requiere) {
        Paso p = paso(id, std::move(requiere), true, {id + "1"});
        auto original = p.correr;
        p.correr = [&, id, original] {
            const int ahora = ++enMarcha;
            for (int v = maximo; ahora > v && !maximo.compare_exchange_weak(v, ahora);) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            --enMarcha;
            std::lock_guard<std::mutex> g(m);
            orden.push_back(id);
            return original();
        };
        return p;
    };
    Revision r;
    orquestar({lento("a", {}), lento("b", {}), lento("c", {}), lento("d", {"a", "b", "c"})}, r, 3);
    EXPECT_EQ(maximo, 3);
    ASSERT_EQ(orden.size(), 4u);
    EXPECT_EQ(orden.back(), "d");
    EXPECT_EQ(resumen(r), "a1=paso b1=paso c1=paso d1=paso ");
}

// Un trabajo que lanza una excepción en cualquier hilo (la máquina tan cargada que no se puede
// juzgar) no termina el proceso: se espera a los demás y la recibe quien repartió el trabajo.
TEST(Paralelo, UnaExcepcionEnUnHiloLlegaAQuienReparte) {
    for (std::size_t falla : {0u, 3u, 7u}) {
        std::atomic<int> hechos{0};
        EXPECT_THROW(enParalelo(
                         8,
                         [&](std::size_t i) {
                             std::this_thread::sleep_for(std::chrono::milliseconds(5));
                             if (i == falla) throw ErrorDelComprobador("cargada");
                             ++hechos;
                         },
                         4),
                     ErrorDelComprobador);
        EXPECT_LT(hechos.load(), 8);
    }
}

}  // namespace
}  // namespace comprobador

#include "robustez.h"

#include <algorithm>

#include "catalogo.h"
#include "ejecucion.h"
#include "juez.h"
#include "paralelo.h"

namespace comprobador {

namespace {

// Un hallazgo sin su " en archivo:línea".
std::string sinLugar(std::string texto) {
    const std::size_t en = texto.find(" en ");
    const std::size_t fin = en == std::string::npos ? en : texto.find(": ", en);
    if (fin != std::string::npos) texto.erase(en, fin - en);
    return texto;
}

}  // namespace

void buscarFallos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno, Revision& revision) {
    if (!ejercicio.leeEntrada) return;
    revision.robustezProbada = true;
    const std::string vigilado = entorno.dentro("vigilado");
    const std::string normal = entorno.dentro("normal");
    const auto& hostiles = nucleo::entradasHostiles();
    std::vector<std::string> hallazgos(hostiles.size());
    enParalelo(hostiles.size(), [&](std::size_t i) {
        const nucleo::Caso caso = nucleo::casoHostil(hostiles[i]);
        Ranura ranura;
        const nucleo::Resultado r = nucleo::ejecutarCaso(
            vigilado, caso, opcionesAlumno(ejercicio, caso, caso.limite, true, false, entorno));
        ranura.soltar();
        const nucleo::Veredicto v = nucleo::juzgarHostil(ejercicio, caso, r);
        if (!v.correcto) {
            // Lo que dicen los sanitizadores es lo más preciso; si no, la primera pista.
            const std::vector<std::string> informes = nucleo::resumirSanitizadores(r.errores);
            hallazgos[i] = !informes.empty()  ? informes.front()
                           : v.pistas.empty() ? "no terminó bien"
                                              : v.pistas.front();
            return;
        }
        // Lo que se escribe dentro de la biblioteca estándar (std::cin >> arreglo) no lo ven los
        // sanitizadores; la compilación normal lleva protección de la pila, que sí lo ve al
        // volver de la función. Solo hace falta con las palabras largas.
        if (hostiles[i].bytes.size() < 16 || hostiles[i].bytes.find(' ') != std::string::npos)
            return;
        Ranura otra;
        const nucleo::Resultado n = nucleo::ejecutarCaso(
            normal, caso, opcionesAlumno(ejercicio, caso, caso.limite, false, false, entorno));
        if (n.errores.find("stack smashing detected") != std::string::npos) {
            hallazgos[i] =
                "se escribió fuera de un arreglo local (la protección de la pila lo detectó al "
                "terminar): ¿una palabra más larga que el arreglo donde se lee?";
        }
    });
    // Un mismo hallazgo con varias entradas se dice una vez, con la lista de entradas. Se
    // agrupan por su clase, sin el lugar: una pila agotada revienta en una línea u otra según
    // la ejecución, y el informe debe ser el mismo cada vez.
    struct Grupo {
        std::string clase, que, entradas;
    };
    std::vector<Grupo> grupos;
    for (std::size_t i = 0; i < hostiles.size(); ++i) {
        if (hallazgos[i].empty()) continue;
        const std::string clase = sinLugar(hallazgos[i]);
        const std::string entrada = "«" + hostiles[i].descripcion + "»";
        auto g = std::find_if(grupos.begin(), grupos.end(),
                              [&](const Grupo& x) { return x.clase == clase; });
        if (g == grupos.end()) {
            grupos.push_back({clase, hallazgos[i], entrada});
        } else {
            g->entradas += ", " + entrada;
        }
    }
    for (const Grupo& g : grupos) {
        revision.robustez.push_back("Con la entrada " + g.entradas + ": " + g.que);
    }
}

}  // namespace comprobador

#include "robustez.h"

#include "catalogo.h"
#include "ejecucion.h"
#include "juez.h"
#include "paralelo.h"

namespace comprobador {

std::vector<Comprobacion> robustezPrevista(const nucleo::Ejercicio& ejercicio) {
    std::vector<Comprobacion> r;
    if (!ejercicio.leeEntrada) return r;
    for (const nucleo::Hostil& h : nucleo::entradasHostiles()) {
        Comprobacion c;
        c.id = "robustez/" + h.descripcion;
        c.frase = h.descripcion;
        c.grupo = Grupo::Robustez;
        c.tipo = Tipo::Robustez;
        r.push_back(std::move(c));
    }
    return r;
}

std::vector<Comprobacion> buscarFallos(const nucleo::Ejercicio& ejercicio, const Entorno& entorno) {
    std::vector<Comprobacion> r = robustezPrevista(ejercicio);
    const std::string vigilado = entorno.dentro("vigilado");
    const std::string normal = entorno.dentro("normal");
    const auto& hostiles = nucleo::entradasHostiles();
    enParalelo(r.size(), [&](std::size_t i) {
        Comprobacion& c = r[i];
        const nucleo::Caso caso = nucleo::casoHostil(hostiles[i]);
        c.evidencia.entrada = hostiles[i].bytes;
        Ranura ranura;
        const nucleo::Resultado res = nucleo::ejecutarCaso(
            vigilado, caso, opcionesAlumno(ejercicio, caso, caso.limite, true, false, entorno));
        ranura.soltar();
        siLaMaquinaNoDa(res);
        const nucleo::Veredicto v = nucleo::juzgarHostil(ejercicio, caso, res);
        c.estado = Estado::Paso;
        if (!v.correcto) {
            // Lo que dicen los sanitizadores es lo más preciso; si no, la primera pista.
            const std::vector<std::string> informes = nucleo::resumirSanitizadores(res.errores);
            c.estado = Estado::Fallo;
            c.causa = !informes.empty()  ? informes.front()
                      : v.pistas.empty() ? "no terminó bien"
                                         : v.pistas.front();
            c.evidencia.pistas = v.pistas;
            c.evidencia.explicacion = v.explicacion;
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
            c.estado = Estado::Fallo;
            c.causa =
                "se escribió fuera de un arreglo local (la protección de la pila lo detectó al "
                "terminar): ¿una palabra más larga que el arreglo donde se lee?";
        }
    });
    return r;
}

}  // namespace comprobador

#include "tecnica.h"

#include <filesystem>
#include <sstream>

#include "paralelo.h"
#include "reglas.h"
#include "texto.h"

namespace comprobador {

namespace {

// Lo que puede tardar el analizador: muchas veces lo que tarda con cualquier solución (una
// décima de segundo).
constexpr std::chrono::seconds kLimiteDelAnalisis{20};

Comprobacion prevista(const nucleo::ReglaDeTecnica& r) {
    Comprobacion c;
    c.id = "tecnica/" + r.id;
    c.frase = r.frase;
    c.grupo = Grupo::Ejercicio;
    c.tipo = Tipo::Tecnica;
    return c;
}

}  // namespace

bool hayAnalizador(const Entorno& entorno) { return !entorno.analizador.empty(); }

std::vector<Comprobacion> tecnicaPrevista(const nucleo::Ejercicio& ejercicio,
                                          const Entorno& entorno) {
    std::vector<Comprobacion> r;
    if (ejercicio.tecnica.empty()) return r;
    if (!hayAnalizador(entorno)) {
        Comprobacion c;
        c.id = "tecnica";
        c.frase = "La técnica del ejercicio";
        c.grupo = Grupo::Preparacion;
        c.tipo = Tipo::Tecnica;
        c.estado = Estado::NoEjecutada;
        c.causa =
            "no se comprobó: este comprobador se compiló sin libclang (paquete de Debian "
            "libclang-dev)";
        return {c};
    }
    for (const nucleo::ReglaDeTecnica& regla : ejercicio.tecnica) r.push_back(prevista(regla));
    return r;
}

std::vector<Comprobacion> juzgarTecnica(const nucleo::Ejercicio& ejercicio,
                                        const nucleo::Arbol& arbol) {
    std::vector<Comprobacion> r;
    for (const nucleo::ReglaDeTecnica& regla : ejercicio.tecnica) {
        Comprobacion c = prevista(regla);
        const nucleo::Juicio j = nucleo::reglas::juzgar(ejercicio, regla, arbol);
        c.estado = j.como == nucleo::Juicio::Como::Cumple     ? Estado::Paso
                   : j.como == nucleo::Juicio::Como::Incumple ? Estado::Fallo
                                                              : Estado::ParaRevisar;
        if (c.estado != Estado::Paso) {
            c.causa = j.pista;
            c.evidencia.archivo = j.lugar.archivo;
            c.evidencia.linea = j.lugar.linea;
            c.evidencia.pistas = {j.pista};
            c.evidencia.explicacion =
                j.pista + "\n" +
                (c.estado == Estado::ParaRevisar ? "Lo decide quien corrige, leyendo el fuente.\n"
                                                 : "") +
                "El enunciado: «" + regla.enunciado + "»\n";
        }
        r.push_back(std::move(c));
    }
    return r;
}

Salida comprobarTecnica(const nucleo::Ejercicio& ejercicio, const std::string& fuente,
                        const Entorno& entorno, std::string* fichas) {
    Salida s;
    if (!hayAnalizador(entorno)) {
        s.comprobaciones = tecnicaPrevista(ejercicio, entorno);
        return s;
    }
    nucleo::Opciones o;
    o.argumentos = {fuente};
    if (ejercicio.forma == nucleo::Forma::Lista) {
        const std::string carpeta = std::filesystem::path(ejercicio.fuente).parent_path().string();
        o.argumentos.insert(o.argumentos.end(), {"-iquote", entorno.raiz + "/" + carpeta});
    }
    if (!entorno.cabecerasDelAnalisis.empty())
        o.argumentos.insert(o.argumentos.end(), {"-include-pch", entorno.cabecerasDelAnalisis});
    o.limite = kLimiteDelAnalisis;
    o.limiteSalida = std::size_t{16} << 20;
    o.directorio = entorno.temporal;
    o.aislamiento = entorno.aislamientoDeCompilacion();
    Ranura ranura;
    const nucleo::Resultado r = nucleo::ejecutar(entorno.analizador, "", o);
    ranura.soltar();
    nucleo::Arbol arbol = nucleo::Arbol::leer(r.salida);
    arbol.principal = std::filesystem::path(fuente).filename().string();
    if (!r.terminoBien() || !arbol.completo) {
        s.bien = false;
        s.causa = r.agotado ? "el análisis de la técnica no terminó en " +
                                  std::to_string(kLimiteDelAnalisis.count()) + " s"
                            : "no se pudo analizar el fuente";
        return s;
    }
    s.comprobaciones = juzgarTecnica(ejercicio, arbol);
    if (fichas != nullptr) {
        std::istringstream lineas(r.salida);
        for (std::string l; std::getline(lineas, l);) {
            if (l.rfind("T\t", 0) == 0) *fichas += l + "\n";
        }
    }
    return s;
}

}  // namespace comprobador

#include "juez.h"

#include <algorithm>
#include <cstdlib>

#include "pistas.h"
#include "sanitizadores.h"
#include "texto.h"

namespace nucleo {

namespace {

// Tope de bytes escritos: lo esperado varias veces, y nunca menos de 1 MiB en un caso que pide
// el ejercicio. En uno que decidió la colección o en una entrada hostil, donde la respuesta
// modelo no escribe ni 150 bytes, 64 KiB: un bucle que repite su aviso tras una lectura fallida
// se para en cuanto los llena, sin gastar antes todo su límite de CPU.
constexpr std::size_t kSalidaMinima = 1 << 20;
constexpr std::size_t kSalidaMinimaDecidida = 64 << 10;

std::size_t limiteSalidaDe(const Caso& caso) {
    const std::size_t minima =
        caso.origen == Origen::Enunciado ? kSalidaMinima : kSalidaMinimaDecidida;
    return minima + 4 * (caso.salida.size() + caso.errores.size());
}

std::string entradaVisible(const Caso& caso) {
    std::string resultado;
    if (caso.modo == Modo::Conversacion) {
        resultado += "Conversación (cada respuesta se escribe cuando ya llegó su aviso):\n";
        for (const Paso& paso : caso.pasos) {
            resultado += "    │aviso «" + enLinea(paso.aviso) + "» → respuesta «" +
                         enLinea(paso.respuesta) + "»\n";
        }
        return resultado;
    }
    resultado += "Entrada escrita de una vez:\n";
    return resultado + sangrar(caso.entrada.empty() ? "(vacía)" : recortado(caso.entrada));
}

void agregarPistas(std::vector<std::string>& destino, const std::vector<std::string>& nuevas) {
    for (const std::string& p : nuevas) {
        if (std::find(destino.begin(), destino.end(), p) == destino.end()) destino.push_back(p);
    }
}

std::string conPistas(std::string explicacion, const std::vector<std::string>& pistas) {
    if (!pistas.empty()) {
        explicacion += "Pistas:\n";
        for (const std::string& p : pistas) explicacion += "  - " + p + "\n";
    }
    return explicacion;
}

// Archivo y línea ("nodesearch.cpp:31") de la primera línea de pila que es del programa y

}  // namespace

std::chrono::milliseconds topeParado(std::chrono::milliseconds limite) {
    return limite * 2 + std::chrono::seconds(1);
}

Opciones opcionesDe(const Ejercicio& ejercicio, const Caso& caso) {
    Opciones opciones;
    // El límite del caso es de CPU: la misma vara con la máquina libre o cargada (las pruebas
    // corren a la vez, y con sanitizadores). El de tiempo real, solo para el que se queda parado.
    opciones.limiteCpu = caso.limite;
    opciones.limite = topeParado(caso.limite);
    opciones.unirSalidas = caso.modo == Modo::Unidas;
    opciones.limiteSalida = limiteSalidaDe(caso);
    if (ejercicio.conservaNodos()) {
        const char* actuales = std::getenv("ASAN_OPTIONS");
        const std::string antes =
            actuales != nullptr && *actuales != '\0' ? std::string(actuales) + ":" : "";
        opciones.entorno.push_back("ASAN_OPTIONS=" + antes + "detect_leaks=0");
    }
#ifndef _WIN32
    // La "cls" del lanzador que no hace nada va primero: ellipsegirth la llama. En Windows "cls"
    // es una orden interna de cmd, que ningún PATH cambia.
    const char* path = std::getenv("PATH");
    opciones.entorno.push_back(std::string("PATH=") + EJ_RAIZ + "/lanzador/mudo:" +
                               (path != nullptr && *path != '\0' ? path : "/usr/bin:/bin"));
#endif
    return opciones;
}

Resultado ejecutarCaso(const std::string& ruta, const Caso& caso, const Opciones& opciones) {
    if (caso.modo == Modo::Conversacion) {
        const auto limite = opciones.limiteCpu.count() > 0 ? opciones.limiteCpu : opciones.limite;
        return conversar(ruta, caso.pasos, opciones, std::min(limite, kEsperaAviso));
    }
    Opciones o = opciones;
    o.unirSalidas = caso.modo == Modo::Unidas;
    return ejecutar(ruta, caso.entrada, o);
}

Resultado ejecutarCaso(const std::string& ruta, const Ejercicio& ejercicio, const Caso& caso) {
    return ejecutarCaso(ruta, caso, opcionesDe(ejercicio, caso));
}

Veredicto juzgar(const Caso& caso, const Resultado& resultado) {
    Veredicto v;
    const bool unidas = caso.modo == Modo::Unidas;
    const bool salidaBien = resultado.salida == caso.salida;
    const bool erroresBien = unidas || resultado.errores == caso.errores;
    v.correcto = resultado.conversoBien() && salidaBien && erroresBien;
    if (v.correcto) return v;

    const std::vector<std::string> informes = resumirSanitizadores(resultado.errores);
    agregarPistas(v.pistas, pistasDeTerminacion(resultado, caso.limite, limiteSalidaDe(caso),
                                                caso.pasos, informes));

    std::string e = entradaVisible(caso);
    if (!salidaBien) {
        e += unidas ? "Salida estándar y de error juntas, en el orden en que llegaron:\n"
                    : "Salida estándar:\n";
        e += compararTextos(caso.salida, resultado.salida);
        agregarPistas(v.pistas, pistasDeTexto(caso, caso.salida, resultado.salida));
    }
    if (!erroresBien) {
        e += "Salida de error:\n" + compararTextos(caso.errores, resultado.errores);
        agregarPistas(v.pistas, pistasDeTexto(caso, caso.errores, resultado.errores));
    }
    agregarPistas(v.pistas, pistasDeFlujo(caso, resultado, !informes.empty()));
    if (resultado.pasoSinEsperar >= 0 &&
        static_cast<std::size_t>(resultado.pasoSinEsperar) < caso.pasos.size()) {
        const Paso& paso = caso.pasos[static_cast<std::size_t>(resultado.pasoSinEsperar)];
        v.pistas.push_back("Tras el aviso «" + enLinea(paso.aviso) +
                           "» el programa no esperó la respuesta (siguió sin leerla): ¿falta leer "
                           "ese dato con std::cin?");
    }
    if (salidaBien && erroresBien && v.pistas.empty()) {
        v.pistas.push_back("Las salidas son las esperadas, pero el programa no terminó bien.");
    }
    v.explicacion = conPistas(e, v.pistas);
    return v;
}

Caso casoHostil(const Hostil& hostil) {
    Caso caso{hostil.descripcion, hostil.bytes, ""};
    caso.origen = Origen::Decidido;
    caso.limite = kLimiteHostil;
    return caso;
}

Veredicto juzgarHostil(const Ejercicio& ejercicio, const Caso& caso, const Resultado& resultado) {
    Veredicto v;
    const std::vector<std::string> informes = resumirSanitizadores(resultado.errores);
    const bool empiezaBien =
        resultado.salida.compare(0, ejercicio.primerAviso.size(), ejercicio.primerAviso) == 0;
    v.correcto = resultado.terminoBien() && empiezaBien && informes.empty();
    if (v.correcto) return v;
    agregarPistas(v.pistas,
                  pistasDeTerminacion(resultado, caso.limite, limiteSalidaDe(caso), {}, informes));
    if (!empiezaBien) {
        v.pistas.push_back("La salida no empieza por el primer aviso, «" +
                           enLinea(ejercicio.primerAviso) +
                           "», que se escribe antes de leer nada.");
    }
    std::string e = entradaVisible(caso);
    e += "Salida estándar:\n" + sangrar(recortado(resultado.salida, 2000));
    e += "Salida de error:\n" + sangrar(recortado(resultado.errores, 2000));
    v.explicacion = conPistas(e, v.pistas);
    return v;
}

}  // namespace nucleo

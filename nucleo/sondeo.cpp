#include "sondeo.h"

#include "sonda_protocolo.h"
#include "texto.h"

namespace nucleo {

Sondeo sondear(const std::string& sonda, const std::vector<Llamada>& llamadas,
               const Opciones& opciones, const std::vector<std::size_t>& grupos) {
    std::string entrada;
    for (std::size_t i = 0; i < llamadas.size(); ++i)
        entrada += ej_sonda::peticion(i, i < grupos.size() ? grupos[i] : i, llamadas[i].operacion,
                                      llamadas[i].argumentos);
    Sondeo s;
    const std::string listo = std::string(ej_sonda::kListo) + "\n";
    Paso paso{listo, entrada};
    paso.mirarQueEspera = false;
    s.proceso = conversar(sonda, {paso}, opciones, opciones.limite);
    s.observado.assign(llamadas.size(), std::nullopt);
    s.murio.assign(llamadas.size(), std::nullopt);
    s.errores.assign(llamadas.size(), "");
    // Solo lo que llega después de «listo»: antes solo ha corrido lo que la solución haga al
    // arrancar.
    const std::size_t empieza = s.proceso.salida.find(listo);
    std::size_t respondidas = 0;
    bool fin = false;
    const std::string despues =
        empieza == std::string::npos ? "" : s.proceso.salida.substr(empieza + listo.size());
    if (empieza == std::string::npos) {
        for (const std::string& linea : lineasDe(s.proceso.salida)) {
            const std::vector<std::string> c = ej_sonda::campos(linea);
            if (c.size() == 2 && c[0] == ej_sonda::kRechazo) s.rechazo = c[1];
        }
    }
    for (const std::string& linea : lineasDe(despues)) {
        const std::vector<std::string> c = ej_sonda::campos(linea);
        if (c.size() == 2 && c[0] == ej_sonda::kFin) {
            fin = c[1] == std::to_string(llamadas.size());
            continue;
        }
        if (c.size() != 3) continue;
        std::size_t i = 0;
        try {
            i = std::stoul(c[1]);
        } catch (...) {
            continue;
        }
        if (i >= llamadas.size() || std::to_string(i) != c[1]) continue;
        if (c[0] == ej_sonda::kErrores) {
            s.errores[i] += c[2];
            continue;
        }
        const bool respuesta = c[0] == ej_sonda::kRespuesta;
        if (!respuesta && c[0] != ej_sonda::kMurio) continue;
        if (s.observado[i] || s.murio[i]) {
            s.repetidas = true;
            continue;
        }
        ++respondidas;
        if (respuesta) {
            s.observado[i] = c[2];
        } else {
            try {
                s.murio[i] = std::stoi(c[2]);
            } catch (...) {
                s.murio[i] = -1;
            }
        }
    }
    s.completo = fin && respondidas == llamadas.size();
    return s;
}

std::string muestraDe(const Llamada& llamada) {
    if (!llamada.muestra.empty()) return llamada.muestra;
    if (llamada.operacion.rfind("firma ", 0) == 0)
        return "la declaración de " + llamada.operacion.substr(6);
    std::string r = llamada.operacion + "(";
    for (std::size_t i = 0; i < llamada.argumentos.size(); ++i)
        r += (i ? ", " : "") + llamada.argumentos[i];
    return r + ")";
}

}  // namespace nucleo

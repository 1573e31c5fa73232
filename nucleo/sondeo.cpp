#include "sondeo.h"

#include "sonda_protocolo.h"
#include "texto.h"

namespace nucleo {

Sondeo sondear(const std::string& sonda, const std::vector<Llamada>& llamadas,
               const Opciones& opciones) {
    std::string entrada;
    for (std::size_t i = 0; i < llamadas.size(); ++i)
        entrada += ej_sonda::peticion(i, llamadas[i].operacion, llamadas[i].argumentos);
    Sondeo s;
    s.proceso = ejecutar(sonda, entrada, opciones);
    s.observado.assign(llamadas.size(), std::nullopt);
    std::size_t respondidas = 0;
    bool fin = false;
    for (const std::string& linea : lineasDe(s.proceso.salida)) {
        const std::vector<std::string> c = ej_sonda::campos(linea);
        if (c.size() == 2 && c[0] == ej_sonda::kFin) {
            fin = c[1] == std::to_string(llamadas.size());
            continue;
        }
        if (c.size() != 3 || c[0] != ej_sonda::kRespuesta) continue;
        std::size_t i = 0;
        try {
            i = std::stoul(c[1]);
        } catch (...) {
            continue;
        }
        if (i >= llamadas.size() || std::to_string(i) != c[1]) continue;
        if (s.observado[i]) {
            s.repetidas = true;
        } else {
            s.observado[i] = c[2];
            ++respondidas;
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

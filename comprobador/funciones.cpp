#include "funciones.h"

#include <fstream>
#include <sstream>

#include "paralelo.h"
#include "pistas.h"
#include "sanitizadores.h"

namespace comprobador {

namespace {

using nucleo::Opciones;
using nucleo::Resultado;

// Límite de cada comprobación: de sobra para una solución correcta, que tarda milisegundos.
const std::chrono::milliseconds kLimiteComprobacion{5000};
// Lo que puede escribir antes de que se la pare.
const std::size_t kLimiteSalida = 1 << 20;

std::string desescapar(const std::string& campo) {
    std::string r;
    for (std::size_t i = 0; i < campo.size(); ++i) {
        if (campo[i] == '\\' && i + 1 < campo.size()) {
            const char c = campo[++i];
            r += c == 't' ? '\t' : c == 'n' ? '\n' : c;
        } else {
            r += campo[i];
        }
    }
    return r;
}

std::string leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

// Lo más habitual de los mensajes de las aserciones de GoogleTest, en español.
std::string traducirFallo(std::string texto) {
    const std::pair<const char*, const char*> frases[] = {
        {"Expected equality of these values:", "Se esperaba que fueran iguales:"},
        {"Which is: ", "que vale: "},
        {"Value of: ", "Valor de: "},
        {"  Actual: ", "  Obtenido: "},
        {"Expected: ", "Esperado: "},
        {"Google Test trace:", "Contexto:"},
    };
    for (const auto& [ingles, espanol] : frases) {
        for (std::size_t p = texto.find(ingles); p != std::string::npos;
             p = texto.find(ingles, p + std::string(espanol).size())) {
            texto.replace(p, std::string(ingles).size(), espanol);
        }
    }
    return texto;
}

// El protocolo se escribe en la carpeta de la entrega: `protocolo` es su nombre allí.
Opciones opcionesDeComprobacion(const Entorno& entorno, const std::string& protocolo) {
    Opciones o;
    o.entorno = {"ASAN_OPTIONS=detect_leaks=0", "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1",
                 "EJ_PROTOCOLO=" + entorno.dentro(protocolo)};
    o.limite = kLimiteComprobacion;
    o.limiteSalida = kLimiteSalida;
    o.directorio = entorno.temporal;
    o.aislamiento = entorno.aislamiento(true);
    return o;
}

}  // namespace

std::vector<Comprobacion> leerProtocolo(const std::string& texto) {
    std::vector<Comprobacion> r;
    std::istringstream lineas(texto);
    for (std::string l; std::getline(lineas, l);) {
        std::vector<std::string> campos;
        std::istringstream partes(l);
        for (std::string campo; std::getline(partes, campo, '\t');) campos.push_back(campo);
        if (!l.empty() && l.back() == '\t') campos.push_back("");
        if (campos.size() != 7 || campos[0] != "prueba") continue;
        r.push_back({campos[1], campos[2], campos[3], campos[4], desescapar(campos[5]),
                     desescapar(campos[6])});
    }
    return r;
}

void comprobarFunciones(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                        const Compilaciones& compilaciones, Revision& revision) {
    if (!compilaciones.funciones.terminoBien()) {
        revision.notasFunciones.push_back(
            "Las comprobaciones de funciones no compilan con tu solución:");
        for (const std::string& l :
             explicarErroresDeFunciones(ejercicio, compilaciones.funciones.salida)) {
            revision.notasFunciones.push_back("  " + l);
        }
        Linea linea;
        linea.nombre = "las funciones que pide el ejercicio";
        linea.explicacion = "No se pudieron comprobar: mira la nota de arriba.\n";
        revision.funciones.push_back(linea);
        return;
    }
    const std::string programa = entorno.dentro("funciones");
    Opciones o = opcionesDeComprobacion(entorno, "lista.protocolo");
    o.entorno.push_back("EJ_LISTAR=1");
    nucleo::ejecutar(programa, "", o);
    std::vector<Comprobacion> pruebas;
    for (const Comprobacion& c : leerProtocolo(leer(entorno.temporal + "/lista.protocolo"))) {
        if (c.origen == "enunciado" || c.origen == "decidido") pruebas.push_back(c);
    }

    revision.funciones.assign(pruebas.size(), Linea{});
    enParalelo(pruebas.size(), [&](std::size_t i) {
        const Comprobacion& prueba = pruebas[i];
        Linea& linea = revision.funciones[i];
        linea.nombre = prueba.frase;
        linea.origen =
            prueba.origen == "enunciado" ? nucleo::Origen::Enunciado : nucleo::Origen::Decidido;
        const std::string protocolo = std::to_string(i) + ".protocolo";
        Opciones una = opcionesDeComprobacion(entorno, protocolo);
        una.argumentos = {"--gtest_filter=" + prueba.grupo + "." + prueba.nombre};
        const Resultado p = nucleo::ejecutar(programa, "", una);
        const std::vector<Comprobacion> hecha =
            leerProtocolo(leer(entorno.temporal + "/" + protocolo));
        linea.correcto = p.terminoBien() && hecha.size() == 1 && hecha[0].veredicto == "bien";
        if (linea.correcto) return;
        std::string detalle = hecha.empty() ? "" : traducirFallo(hecha[0].mensaje);
        const std::vector<std::string> informes = nucleo::resumirSanitizadores(p.errores);
        for (const std::string& l : informes) detalle += l + "\n";
        if (p.agotado) {
            detalle += "No terminó en " + nucleo::segundos(kLimiteComprobacion) +
                       " s: ¿un bucle o una recursión sin caso base?\n";
        } else if (p.senal != 0 && informes.empty()) {
            detalle += "Terminó con la señal " + std::to_string(p.senal) + ".\n";
        }
        linea.explicacion = detalle;
    });
}

}  // namespace comprobador

#include "funciones.h"

#include <algorithm>
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
// La CPU de todas juntas en un proceso (juntas): cien veces lo que gastan en una solución
// correcta.
const std::chrono::milliseconds kLimiteJuntas{2000};
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

namespace {

// Cada comprobación, fallida porque no se pudo ejecutar.
void sinEjecutar(const std::vector<Comprobacion>& pruebas, const std::string& causa,
                 Revision& revision) {
    for (const Comprobacion& c : pruebas) {
        Linea linea;
        linea.nombre = c.frase;
        linea.origen =
            c.origen == "enunciado" ? nucleo::Origen::Enunciado : nucleo::Origen::Decidido;
        linea.explicacion = "No se pudo ejecutar: " + causa + ".\n";
        linea.pistas = {"No se pudo ejecutar: " + causa + "."};
        revision.funciones.push_back(linea);
    }
}

// Todas las comprobaciones en un solo proceso: con los sanitizadores, arrancar y terminar es lo
// más caro de cada una, y en una solución correcta pasan todas. Devuelve cuáles pasaron así
// (su línea del protocolo dice "bien"); las demás se repiten cada una en su propio proceso, que
// es lo que las juzga: su fallo, lo que digan los sanitizadores y el tiempo, sin que una que
// revienta o no termina se lleve por delante a las que vienen detrás.
std::vector<bool> juntas(const std::string& programa, const std::vector<Comprobacion>& pruebas,
                         const Entorno& entorno) {
    std::vector<bool> pasaron(pruebas.size(), false);
    if (pruebas.size() < 2) return pasaron;
    std::string filtro = "--gtest_filter=";
    for (const Comprobacion& p : pruebas) filtro += p.grupo + "." + p.nombre + ":";
    filtro.pop_back();
    const std::string protocolo = "todas.protocolo";
    Opciones o = opcionesDeComprobacion(entorno, protocolo);
    o.argumentos = {filtro};
    // Todas juntas tardan milisegundos en una solución correcta: una que se queda en un bucle
    // no cuesta aquí el límite entero, y se repite sola.
    o.limiteCpu = kLimiteJuntas;
    Ranura ranura;
    nucleo::ejecutar(programa, "", o);
    ranura.soltar();
    const std::vector<Comprobacion> hechas =
        leerProtocolo(leer(entorno.temporal + "/" + protocolo));
    for (std::size_t i = 0; i < pruebas.size(); ++i) {
        int bien = 0, otras = 0;
        for (const Comprobacion& h : hechas) {
            if (h.grupo != pruebas[i].grupo || h.nombre != pruebas[i].nombre) continue;
            (h.veredicto == "bien" ? bien : otras) += 1;
        }
        pasaron[i] = bien == 1 && otras == 0;
    }
    return pasaron;
}

}  // namespace

std::vector<Comprobacion> declaradas(const std::string& archivo,
                                     std::string (*leer)(const std::string& ruta)) {
    std::vector<Comprobacion> r;
    const std::string texto = leer(archivo);
    const std::string carpeta = archivo.substr(0, archivo.rfind('/') + 1);
    for (std::size_t p = 0; p < texto.size();) {
        const std::size_t incluye = texto.find("#include \"", p);
        const std::size_t pide = texto.find("PIDE_EL_EJERCICIO(", p);
        const std::size_t decide = texto.find("DECIDE_LA_COLECCION(", p);
        const std::size_t primero = std::min({incluye, pide, decide});
        if (primero == std::string::npos) break;
        if (primero == incluye) {
            const std::size_t fin = texto.find('"', incluye + 10);
            const std::string nombre = texto.substr(incluye + 10, fin - incluye - 10);
            if (nombre.size() > 9 && nombre.compare(nombre.size() - 9, 9, "_unidad.h") == 0) {
                // Como lo busca el compilador: junto al archivo, o desde alguna carpeta de más
                // arriba (la raíz, con -I).
                std::string dir = carpeta;
                while (!dir.empty() && leer(dir + nombre).empty()) {
                    dir.pop_back();
                    dir = dir.substr(0, dir.rfind('/') + 1);
                }
                if (!dir.empty()) {
                    for (Comprobacion& c : declaradas(dir + nombre, leer))
                        r.push_back(std::move(c));
                }
            }
            p = fin == std::string::npos ? texto.size() : fin + 1;
            continue;
        }
        // NOMBRE(Identificador, "frase" "que sigue")
        const bool esPide = primero == pide;
        std::size_t i = texto.find('(', primero) + 1;
        const std::size_t coma = texto.find(',', i);
        if (coma == std::string::npos) break;
        Comprobacion c;
        c.grupo = esPide ? "Enunciado" : "Decidido";
        c.origen = esPide ? "enunciado" : "decidido";
        c.nombre = texto.substr(i, coma - i);
        c.nombre.erase(0, c.nombre.find_first_not_of(" \n"));
        i = coma + 1;
        for (;;) {
            i = texto.find_first_not_of(" \n\t", i);
            if (i == std::string::npos || texto[i] != '"') break;
            for (++i; i < texto.size() && texto[i] != '"'; ++i) {
                if (texto[i] == '\\' && i + 1 < texto.size()) ++i;
                c.frase += texto[i];
            }
            ++i;
        }
        r.push_back(c);
        p = i == std::string::npos ? texto.size() : i;
    }
    return r;
}

void funcionesSinEjecutar(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                          const std::string& causa, Revision& revision) {
    if (ejercicio.unidad.empty()) return;
    std::vector<Comprobacion> pruebas;
    for (Comprobacion& c : declaradas(entorno.raiz + "/" + ejercicio.unidad, leer)) {
        if (c.origen == "enunciado" || c.origen == "decidido") pruebas.push_back(std::move(c));
    }
    sinEjecutar(pruebas, causa, revision);
}

void comprobarFunciones(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                        const Compilaciones& compilaciones, Revision& revision) {
    // Las que declara el archivo de comprobaciones: cada entrega se mide con todas.
    std::vector<Comprobacion> pruebas;
    for (Comprobacion& c : declaradas(entorno.raiz + "/" + ejercicio.unidad, leer)) {
        if (c.origen == "enunciado" || c.origen == "decidido") pruebas.push_back(std::move(c));
    }
    if (!compilaciones.funciones.terminoBien()) {
        revision.notasFunciones.push_back(
            "Las comprobaciones de funciones no compilan con tu solución:");
        for (const std::string& l :
             explicarErroresDeFunciones(ejercicio, compilaciones.funciones.salida)) {
            revision.notasFunciones.push_back("  " + l);
        }
        sinEjecutar(pruebas,
                    "las comprobaciones no compilan con tu solución (mira la nota de arriba)",
                    revision);
        return;
    }
    const std::string programa = entorno.dentro("funciones");
    revision.funciones.assign(pruebas.size(), Linea{});
    const std::vector<bool> pasaron = juntas(programa, pruebas, entorno);
    enParalelo(pruebas.size(), [&](std::size_t i) {
        const Comprobacion& prueba = pruebas[i];
        Linea& linea = revision.funciones[i];
        linea.nombre = prueba.frase;
        linea.origen =
            prueba.origen == "enunciado" ? nucleo::Origen::Enunciado : nucleo::Origen::Decidido;
        linea.correcto = pasaron[i];
        if (linea.correcto) return;
        const std::string protocolo = std::to_string(i) + ".protocolo";
        Opciones una = opcionesDeComprobacion(entorno, protocolo);
        una.argumentos = {"--gtest_filter=" + prueba.grupo + "." + prueba.nombre};
        Ranura ranura;
        const Resultado p = nucleo::ejecutar(programa, "", una);
        ranura.soltar();
        const std::vector<Comprobacion> hecha =
            leerProtocolo(leer(entorno.temporal + "/" + protocolo));
        linea.correcto = p.terminoBien() && hecha.size() == 1 && hecha[0].veredicto == "bien";
        if (linea.correcto) return;
        std::string detalle = hecha.empty() ? "" : traducirFallo(hecha[0].mensaje);
        if (hecha.empty() && p.terminoBien()) detalle = "No se pudo ejecutar esta comprobación.\n";
        const std::vector<std::string> informes = nucleo::resumirSanitizadores(p.errores);
        for (const std::string& l : informes) detalle += l + "\n";
        if (p.agotado) {
            detalle += "No terminó en " + nucleo::segundos(kLimiteComprobacion) +
                       " s: ¿un bucle o una recursión sin caso base?\n";
        } else if (p.senal != 0 && informes.empty()) {
            detalle += "Terminó con la señal " + std::to_string(p.senal) + " (" +
                       nucleo::nombreDeSenal(p) + ").\n";
        }
        linea.explicacion = detalle;
    });
}

}  // namespace comprobador

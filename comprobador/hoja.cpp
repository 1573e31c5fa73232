// La hoja de calificaciones de la plataforma, rellena: se lee como CSV guardando dónde empieza
// y acaba cada campo, y solo se reescriben la nota y el comentario de las filas de los alumnos
// con nota; lo demás (otras columnas, otras filas, el BOM, los finales de línea, las comillas)
// sale byte a byte como llegó.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "archivos.h"
#include "clase.h"
#include "informe.h"
#include "rutas.h"
#include "texto.h"

namespace fs = std::filesystem;

namespace comprobador {

namespace {

struct Campo {
    std::string valor;  // sin comillas
    std::size_t inicio = 0;
    std::size_t fin = 0;  // el campo crudo es texto[inicio, fin)
    bool entreComillas = false;
};

using Registro = std::vector<Campo>;

// Los registros de un CSV (RFC 4180, con ese separador), desde `desde`.
std::vector<Registro> leerCsv(const std::string& t, std::size_t desde, char separador) {
    std::vector<Registro> registros;
    std::size_t i = desde;
    while (i < t.size()) {
        Registro r;
        for (;;) {
            Campo c;
            c.inicio = i;
            if (i < t.size() && t[i] == '"') {
                c.entreComillas = true;
                ++i;
                while (i < t.size()) {
                    if (t[i] == '"' && i + 1 < t.size() && t[i + 1] == '"') {
                        c.valor += '"';
                        i += 2;
                    } else if (t[i] == '"') {
                        ++i;
                        break;
                    } else {
                        c.valor += t[i++];
                    }
                }
                // Lo que siga hasta el separador (no debería haber nada) se queda en el campo.
                while (i < t.size() && t[i] != separador && t[i] != '\n' && t[i] != '\r')
                    c.valor += t[i++];
            } else {
                while (i < t.size() && t[i] != separador && t[i] != '\n' && t[i] != '\r')
                    c.valor += t[i++];
            }
            c.fin = i;
            r.push_back(c);
            if (i < t.size() && t[i] == separador) {
                ++i;
                continue;
            }
            break;
        }
        if (i < t.size() && t[i] == '\r') ++i;
        if (i < t.size() && t[i] == '\n') ++i;
        registros.push_back(std::move(r));
    }
    return registros;
}

std::string recortado(std::string t) {
    const std::size_t a = t.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(" \t") - a + 1);
}

std::string minusculas(std::string t) {
    for (char& c : t) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return t;
}

// La columna que se llama de alguna de esas maneras; -1 si ninguna.
int columna(const Registro& cabecera, std::initializer_list<const char*> nombres) {
    for (std::size_t i = 0; i < cabecera.size(); ++i) {
        const std::string n = minusculas(recortado(cabecera[i].valor));
        for (const char* nombre : nombres) {
            if (n == nombre) return static_cast<int>(i);
        }
    }
    return -1;
}

// El número de «Participant 12345» o «Participante 12345»; vacío si no lo es.
std::string numeroDeParticipante(const std::string& identificador) {
    const std::string t = recortado(identificador);
    const std::size_t espacio = t.rfind(' ');
    if (espacio == std::string::npos) return "";
    const std::string palabra = minusculas(t.substr(0, espacio));
    if (palabra != "participant" && palabra != "participante") return "";
    const std::string n = t.substr(espacio + 1);
    if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos) return "";
    return n;
}

// La calificación máxima de una fila («10,00», «100»): su valor, su separador decimal y sus
// decimales. false si no es un número.
bool leerMaximo(const std::string& texto, double& valor, char& decimal, int& decimales) {
    const std::string t = recortado(texto);
    if (t.empty()) return false;
    std::string conPunto;
    decimal = '.';
    decimales = 0;
    bool tras = false;
    for (char c : t) {
        if (c >= '0' && c <= '9') {
            conPunto += c;
            if (tras) ++decimales;
        } else if ((c == ',' || c == '.') && !tras) {
            decimal = c;
            tras = true;
            conPunto += '.';
        } else {
            return false;
        }
    }
    valor = std::strtod(conPunto.c_str(), nullptr);
    if (decimales == 0) decimales = 2;
    return valor > 0;
}

// El campo nuevo, con comillas si el de antes las llevaba o si hacen falta.
std::string campoNuevo(const std::string& valor, const Campo& antes, char separador) {
    const std::string t = lineaSegura(valor);
    if (!antes.entreComillas && t.find_first_of(std::string("\"") + separador) == std::string::npos)
        return t;
    std::string r = "\"";
    for (char c : t) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

}  // namespace

std::string rellenarHojaTexto(const Clase& clase, const std::string& programa,
                              const std::string& texto, std::string& salida, std::string& resumen) {
    // La plataforma la da en UTF-8. Si otro programa la guardó con otra codificación (una hoja de
    // cálculo en Windows), sus columnas no se reconocen y una copia rellena mezclaría las dos.
    if (!nucleo::utf8Valido(texto))
        return "no está en UTF-8, como la da la plataforma (¿se abrió y se guardó con otro "
               "programa?): descárgala otra vez, o guárdala como «CSV UTF-8»";
    const std::size_t inicio = texto.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const std::string primera = texto.substr(inicio, texto.find('\n', inicio) - inicio);
    // El separador: la coma, salvo que la cabecera solo tenga punto y coma.
    const char separador =
        primera.find(',') == std::string::npos && primera.find(';') != std::string::npos ? ';'
                                                                                         : ',';
    const std::vector<Registro> registros = leerCsv(texto, inicio, separador);
    if (registros.empty()) return "está vacía";
    const Registro& cabecera = registros.front();
    const int id = columna(cabecera, {"identifier", "identificador"});
    const int nota = columna(cabecera, {"grade", "calificación"});
    const int maximo = columna(cabecera, {"maximum grade", "calificación máxima"});
    const int comentario =
        columna(cabecera, {"feedback comments", "comentarios de retroalimentación"});
    std::vector<std::string> faltan;
    if (id < 0) faltan.push_back("«Identifier» (o «Identificador»)");
    if (nota < 0) faltan.push_back("«Grade» (o «Calificación»)");
    if (maximo < 0) faltan.push_back("«Maximum Grade» (o «Calificación máxima»)");
    if (!faltan.empty()) {
        std::string lista;
        for (std::size_t i = 0; i < faltan.size(); ++i)
            lista += (i == 0 ? "" : i + 1 == faltan.size() ? " ni " : ", ") + faltan[i];
        return "no es una hoja de calificaciones de la plataforma: no tiene la columna " + lista;
    }

    // Los alumnos con entrega de este ejercicio, por su número.
    std::map<std::string, const Corregida*> porNumero;
    for (const Corregida& c : clase.corregidas) {
        if (c.programa == programa && !c.entrega.alumno.id.empty())
            porNumero[c.entrega.alumno.id] = &c;
    }
    struct Cambio {
        std::size_t inicio, fin;
        std::string nuevo;
    };
    std::vector<Cambio> cambios;
    std::size_t puestas = 0, sinNota = 0, sinEntrega = 0;
    std::map<std::string, bool> enLaHoja;
    for (std::size_t r = 1; r < registros.size(); ++r) {
        const Registro& fila = registros[r];
        if (static_cast<int>(fila.size()) <= std::max({id, nota, maximo})) continue;
        const std::string n = numeroDeParticipante(fila[static_cast<std::size_t>(id)].valor);
        if (n.empty()) continue;
        enLaHoja[n] = true;
        const auto it = porNumero.find(n);
        if (it == porNumero.end()) {
            ++sinEntrega;
            continue;
        }
        const Corregida& c = *it->second;
        double valor = 0;
        char decimal = '.';
        int decimales = 2;
        if (!leerMaximo(fila[static_cast<std::size_t>(maximo)].valor, valor, decimal, decimales)) {
            valor = clase.escala;
        }
        if (c.calificada()) {
            const Campo& campo = fila[static_cast<std::size_t>(nota)];
            cambios.push_back(
                {campo.inicio, campo.fin,
                 campoNuevo(numero(c.nota(valor), decimal, decimales), campo, separador)});
            ++puestas;
        } else {
            ++sinNota;
        }
        if (comentario >= 0 && static_cast<int>(fila.size()) > comentario) {
            const Campo& campo = fila[static_cast<std::size_t>(comentario)];
            cambios.push_back(
                {campo.inicio, campo.fin,
                 campoNuevo(comentarioBreve(c, valor, decimal, decimales), campo, separador)});
        }
    }
    salida.clear();
    std::size_t hecho = 0;
    for (const Cambio& c : cambios) {
        salida.append(texto, hecho, c.inicio - hecho);
        salida += c.nuevo;
        hecho = c.fin;
    }
    salida.append(texto, hecho, std::string::npos);
    std::size_t fuera = 0;
    for (const auto& [n, c] : porNumero) fuera += enLaHoja.count(n) ? 0 : 1;
    resumen = std::to_string(puestas) + (puestas == 1 ? " nota puesta" : " notas puestas");
    if (sinNota > 0)
        resumen += ", " + std::to_string(sinNota) +
                   (sinNota == 1 ? " entrega sin nota (solo el comentario)"
                                 : " entregas sin nota (solo el comentario)");
    if (sinEntrega > 0)
        resumen +=
            ", " + std::to_string(sinEntrega) +
            (sinEntrega == 1 ? " fila sin entrega, sin tocar" : " filas sin entrega, sin tocar");
    if (fuera > 0)
        resumen += "; " + std::to_string(fuera) +
                   (fuera == 1 ? " alumno de la descarga no está en la hoja"
                               : " alumnos de la descarga no están en la hoja");
    return "";
}

std::string rellenarHoja(const Clase& clase, const std::string& programa, const std::string& hoja,
                         const std::string& salida, std::string& resumen) {
    std::string texto;
    const std::string error = leerSinEnlaces(hoja, std::size_t{64} << 20, texto);
    if (!error.empty()) return error;
    std::error_code ec;
    if (fs::exists(salida, ec) && fs::equivalent(hoja, salida, ec))
        return "no se escribe encima de la hoja que se dio: elige otra carpeta con --salida";
    std::string nueva;
    const std::string e = rellenarHojaTexto(clase, programa, texto, nueva, resumen);
    if (!e.empty()) return paraMostrar(hoja) + " " + e;
    std::ofstream f(salida, std::ios::binary | std::ios::trunc);
    f << nueva;
    if (!f) return "No se pudo escribir " + salida;
    return "";
}

}  // namespace comprobador

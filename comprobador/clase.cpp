#include "clase.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "informe.h"

namespace fs = std::filesystem;

namespace comprobador {

namespace {

const Comprobacion* lectura(const Revision& r) { return r.buscar("lectura"); }

std::string nombreConNumero(const Alumno& a) {
    return a.id.empty() ? a.nombre : a.nombre + " (" + a.id + ")";
}

// Las frases de lo que cuenta y no pasó, en el orden del informe.
std::vector<std::string> fallos(const Revision& r) {
    std::vector<std::string> f;
    for (const Comprobacion& c : r.comprobaciones) {
        if (c.cuenta() && !c.paso()) f.push_back(c.frase);
    }
    return f;
}

bool escribirArchivo(const std::string& ruta, const std::string& contenido) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f << contenido;
    return static_cast<bool>(f);
}

// El nombre del informe de un ejercicio dentro de la retroalimentación de un alumno.
std::string nombreDelInforme(const std::string& programa) { return "informe-" + programa + ".txt"; }

// Dónde va el informe de una entrega dentro de la retroalimentación: en la carpeta del alumno,
// o con su prefijo delante si la descarga venía sin carpetas.
std::string rutaDelInforme(const Corregida& c) {
    const std::string archivo = nombreDelInforme(c.programa);
    return c.entrega.enCarpeta ? c.entrega.carpeta + "/" + archivo : c.entrega.carpeta + archivo;
}

}  // namespace

bool Corregida::calificada() const {
    if (!revisada || !revision.errorPropio.empty()) return false;
    const Comprobacion* l = lectura(revision);
    return l == nullptr || l->paso();
}

double Corregida::nota(double escala) const {
    if (!calificada() || revision.total() == 0) return 0;
    return escala * revision.correctos() / revision.total();
}

std::string Corregida::observacion() const {
    std::vector<std::string> partes;
    if (!revisada) {
        partes.push_back(entrega.motivo);
    } else {
        if (!entrega.motivo.empty()) partes.push_back(entrega.motivo);
        const Comprobacion* l = lectura(revision);
        if (!revision.errorPropio.empty()) {
            partes.push_back("el comprobador no pudo revisarla: " + revision.errorPropio);
        } else if (l != nullptr && !l->paso()) {
            partes.push_back(l->causa.find("vacío") != std::string::npos
                                 ? "el archivo " + entrega.archivo + " está vacío"
                                 : l->causa);
        } else if (!revision.compila()) {
            partes.push_back("no compila");
        }
    }
    std::string r;
    for (const std::string& p : partes) r += (r.empty() ? "" : "; ") + p;
    return r;
}

void Clase::agrupar() {
    filas.clear();
    std::map<std::string, std::size_t> porClave;
    for (std::size_t i = 0; i < corregidas.size(); ++i) {
        const Alumno& a = corregidas[i].entrega.alumno;
        const std::string clave = a.id.empty() ? "nombre:" + a.nombre : "id:" + a.id;
        auto [pos, nueva] = porClave.try_emplace(clave, filas.size());
        if (nueva) filas.push_back({a, std::vector<int>(programas.size(), -1)});
        const auto p = std::find(programas.begin(), programas.end(), corregidas[i].programa);
        filas[pos->second].entregas[static_cast<std::size_t>(p - programas.begin())] =
            static_cast<int>(i);
    }
    std::stable_sort(filas.begin(), filas.end(), [](const Fila& x, const Fila& y) {
        return x.alumno.nombre != y.alumno.nombre ? x.alumno.nombre < y.alumno.nombre
                                                  : x.alumno.id < y.alumno.id;
    });
}

double Clase::media(const Fila& fila) const {
    if (programas.empty()) return 0;
    double suma = 0;
    for (int i : fila.entregas) {
        if (i >= 0) suma += corregidas[static_cast<std::size_t>(i)].nota(escala);
    }
    return suma / static_cast<double>(programas.size());
}

std::string numero(double valor, char separador, int decimales) {
    const double factor = std::pow(10.0, decimales);
    long long entero = std::llround(valor * factor);
    const bool negativo = entero < 0;
    if (negativo) entero = -entero;
    std::string cifras = std::to_string(entero);
    if (decimales > 0) {
        if (cifras.size() <= static_cast<std::size_t>(decimales))
            cifras.insert(0, static_cast<std::size_t>(decimales) + 1 - cifras.size(), '0');
        std::string fraccion = cifras.substr(cifras.size() - static_cast<std::size_t>(decimales));
        cifras.erase(cifras.size() - static_cast<std::size_t>(decimales));
        while (!fraccion.empty() && fraccion.back() == '0') fraccion.pop_back();
        if (!fraccion.empty()) cifras += separador + fraccion;
    }
    return (negativo ? "-" : "") + cifras;
}

FormatoCsv formatoDelIdioma(const char* lcAll, const char* lcNumeric, const char* lang) {
    std::string idioma;
    for (const char* v : {lcAll, lcNumeric, lang}) {
        if (v != nullptr && *v != '\0') {
            idioma = v;
            break;
        }
    }
    // Los idiomas que escriben la coma decimal (los de las hojas de cálculo en esos países).
    static const char* const conComa[] = {"es", "ca", "gl", "eu", "fr", "de", "it", "pt", "nl",
                                          "da", "sv", "nb", "nn", "fi", "pl", "cs", "sk", "sl",
                                          "hr", "ro", "hu", "ru", "uk", "tr", "el", "bg"};
    const std::string lengua = idioma.substr(0, idioma.find_first_of("_.@"));
    for (const char* c : conComa) {
        if (lengua == c) return {';', ','};
    }
    return {',', '.'};
}

std::string campoCsv(const std::string& texto, char separador) {
    const std::string t = textoSeguro(texto);
    if (t.find_first_of(std::string("\"\n\r") + separador) == std::string::npos) return t;
    std::string r = "\"";
    for (char c : t) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

bool escribirNotas(const Clase& clase, const std::string& archivo, const FormatoCsv& formato) {
    const char s = formato.separador;
    std::string t = "\xEF\xBB\xBF";  // BOM: así se abre como UTF-8
    t += "ID" + std::string(1, s) + "Nombre";
    for (const std::string& p : clase.programas) t += s + campoCsv(p, s);
    t += std::string(1, s) + "Media" + s + "Observaciones\r\n";
    for (const Fila& f : clase.filas) {
        t += campoCsv(f.alumno.id, s) + s + campoCsv(f.alumno.nombre, s);
        std::string observaciones;
        for (std::size_t k = 0; k < clase.programas.size(); ++k) {
            t += s;
            const int i = f.entregas[k];
            if (i < 0) {
                observaciones += (observaciones.empty() ? "" : "; ") + clase.programas[k] +
                                 ": no está en su descarga";
                continue;
            }
            const Corregida& c = clase.corregidas[static_cast<std::size_t>(i)];
            if (c.calificada()) t += numero(c.nota(clase.escala), formato.decimal);
            const std::string o = c.observacion();
            if (!o.empty())
                observaciones +=
                    (observaciones.empty() ? "" : "; ") + clase.programas[k] + ": " + o;
        }
        t += s + numero(clase.media(f), formato.decimal) + s + campoCsv(observaciones, s) + "\r\n";
    }
    return escribirArchivo(archivo, t);
}

std::string informeDeAlumno(const Clase& clase, const Corregida& c) {
    std::ostringstream os;
    os << lineaSegura(nombreConNumero(c.entrega.alumno)) << " · " << c.programa << "\n";
    if (c.calificada()) {
        os << "Nota: " << numero(c.nota(clase.escala), ',') << " sobre "
           << numero(clase.escala, ',') << " (" << c.revision.correctos() << " de "
           << c.revision.total() << " comprobaciones del ejercicio correctas)\n";
    } else {
        os << "Sin nota: " << lineaSegura(c.observacion()) << "\n";
    }
    if (c.revisada && !c.entrega.motivo.empty())
        os << "De tu entrega: " << lineaSegura(c.entrega.motivo) << "\n";
    if (c.revisada) {
        os << "\n";
        escribirInforme(os, c.programa, c.revision, Estilo{});
    }
    return os.str();
}

std::string comentarioBreve(const Corregida& c, double maximo, char decimal, int decimales) {
    if (!c.calificada()) return "Sin nota: " + lineaSegura(c.observacion()) + ".";
    const double escala = maximo;
    std::string t = "Nota " + numero(c.nota(escala), decimal, decimales) + " de " +
                    numero(maximo, decimal, decimales) + ": " +
                    std::to_string(c.revision.correctos()) + " de " +
                    std::to_string(c.revision.total()) + " comprobaciones correctas.";
    if (!c.revision.compila()) {
        t += " No compila.";
    } else {
        const std::vector<std::string> f = fallos(c.revision);
        for (std::size_t i = 0; i < f.size() && i < 3; ++i)
            t += (i == 0 ? " Falla: «" : "; «") + lineaSegura(f[i]) + "»";
        if (f.size() > 3) t += " y " + std::to_string(f.size() - 3) + " más";
        if (!f.empty()) t += ".";
    }
    return t + " El informe completo está en " + nombreDelInforme(c.programa) + ".";
}

std::string escribirRetroalimentacion(const Clase& clase, const std::string& programa,
                                      const std::string& carpeta, const std::string& zip) {
    std::error_code ec;
    fs::create_directories(carpeta, ec);
    if (ec) return "No se pudo crear " + carpeta + ": " + ec.message();
    std::vector<std::pair<std::string, std::string>> informes;
    for (const Corregida& c : clase.corregidas) {
        if (c.programa != programa) continue;
        informes.push_back({rutaDelInforme(c), informeDeAlumno(clase, c)});
        const fs::path ruta = fs::path(carpeta) / informes.back().first;
        fs::create_directories(ruta.parent_path(), ec);
        if (!escribirArchivo(ruta.string(), informes.back().second))
            return "No se pudo escribir " + ruta.string();
    }
    return comprimir(zip, informes);
}

bool escribirSimilitud(const Clase& clase, const std::string& archivo, const FormatoCsv& formato) {
    const char s = formato.separador;
    std::string t = "\xEF\xBB\xBF";
    for (const char* c : {"Ejercicio", "Alumno A", "ID A", "Archivo A", "Alumno B", "ID B",
                          "Archivo B", "Parecido (%)", "Líneas de A", "Líneas de B"})
        t += (t.size() > 3 ? std::string(1, s) : "") + c;
    t += "\r\n";
    for (const ParDeEntregas& p : clase.parecidos) {
        const Corregida& a = clase.corregidas[p.a];
        const Corregida& b = clase.corregidas[p.b];
        t += campoCsv(a.programa, s);
        for (const Corregida* c : {&a, &b}) {
            t += s + campoCsv(c->entrega.alumno.nombre, s) + s + campoCsv(c->entrega.alumno.id, s) +
                 s + campoCsv(c->entrega.archivo, s);
        }
        t += s + std::to_string(std::lround(p.parecido.parecido * 100)) + s +
             campoCsv(p.parecido.lineasA, s) + s + campoCsv(p.parecido.lineasB, s) + "\r\n";
    }
    return escribirArchivo(archivo, t);
}

}  // namespace comprobador

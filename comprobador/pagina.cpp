// clase.html: la clase de un vistazo, una sola página que se abre sin red (el estilo y la poca
// programación que lleva van dentro): la tabla de notas, lo que más falla en la clase, las
// entregas muy parecidas y el informe de cada entrega, a un clic desde su nota.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>

#include "clase.h"
#include "informe.h"

namespace comprobador {

namespace {

// Texto ajeno dentro de HTML (en un elemento o en un atributo entre comillas dobles).
std::string html(const std::string& texto) { return escaparMarcado(texto, "&#39;"); }

const char* const kEstilo = R"(
body { font-family: system-ui, sans-serif; margin: 2em auto; max-width: 72em; padding: 0 1em;
       color: #222; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #ccc; padding: .3em .6em; text-align: left; vertical-align: top; }
th { background: #f2f2f2; }
td.nota { text-align: right; font-variant-numeric: tabular-nums; }
td.bien { background: #e6f4e6; }
td.mal { background: #fbe7e7; }
td.sin { background: #f4f4f4; color: #666; }
small { display: block; color: #666; }
details { margin: .4em 0; border: 1px solid #ddd; border-radius: 4px; padding: .3em .6em; }
details[open] { background: #fafafa; }
summary { cursor: pointer; }
pre { white-space: pre-wrap; font-size: .9em; }
.cuenta { display: inline-block; min-width: 5em; font-variant-numeric: tabular-nums; }
)";

// Abre el informe al que lleva un enlace (#e3), también al cargar la página con él.
const char* const kProgramacion = R"(
function abrir() {
  var e = document.getElementById(location.hash.slice(1));
  if (e && e.tagName === 'DETAILS') { e.open = true; }
}
window.addEventListener('hashchange', abrir);
abrir();
)";

std::string nombreConNumero(const Alumno& a) {
    return a.id.empty() ? a.nombre : a.nombre + " (" + a.id + ")";
}

std::string listaDeProgramas(const std::vector<std::string>& p) {
    std::string r;
    for (std::size_t i = 0; i < p.size(); ++i)
        r += (i == 0 ? "" : i + 1 == p.size() ? " y " : ", ") + p[i];
    return r;
}

// Una celda de nota: la nota, con el enlace a su informe, o por qué no la tiene.
std::string celda(const Clase& clase, int indice) {
    if (indice < 0) return "<td class=\"sin\">—<small>no está en su descarga</small></td>";
    const Corregida& c = clase.corregidas[static_cast<std::size_t>(indice)];
    const std::string enlace = "#e" + std::to_string(indice);
    const std::string o = c.observacion();
    if (!c.calificada())
        return "<td class=\"sin\"><a href=\"" + enlace + "\">—</a><small>" + html(o) +
               "</small></td>";
    const double nota = c.nota(clase.escala);
    return std::string("<td class=\"nota ") + (nota * 2 >= clase.escala ? "bien" : "mal") +
           "\"><a href=\"" + enlace + "\">" + numero(nota, ',') + "</a>" +
           (o.empty() ? "" : "<small>" + html(o) + "</small>") + "</td>";
}

void tablaDeNotas(std::string& h, const Clase& clase) {
    h += "<h2>Notas</h2>\n<table id=\"notas\">\n<thead><tr><th>Alumno</th><th>ID</th>";
    for (const std::string& p : clase.programas) h += "<th>" + html(p) + "</th>";
    h += "<th>Media</th></tr></thead>\n<tbody>\n";
    for (const Fila& f : clase.filas) {
        h += "<tr><td>" + html(f.alumno.nombre) + "</td><td>" + html(f.alumno.id) + "</td>";
        for (int i : f.entregas) h += celda(clase, i);
        h += "<td class=\"nota\">" + numero(clase.media(f), ',') + "</td></tr>\n";
    }
    h += "</tbody>\n</table>\n";
}

void loQueMasFalla(std::string& h, const Clase& clase) {
    h += "<h2>Lo que más falla</h2>\n";
    for (const std::string& p : clase.programas) {
        std::map<std::string, int> veces;
        std::vector<std::string> orden;  // las frases, en el orden del informe
        int calificadas = 0, noCompilan = 0;
        for (const Corregida& c : clase.corregidas) {
            if (c.programa != p || !c.calificada()) continue;
            ++calificadas;
            if (!c.revision.compila()) {
                ++noCompilan;
                continue;
            }
            for (const Comprobacion& k : c.revision.comprobaciones) {
                if (!k.cuenta()) continue;
                if (veces.count(k.frase) == 0) orden.push_back(k.frase);
                veces[k.frase] += k.estado == Estado::Fallo ? 1 : 0;
            }
        }
        std::stable_sort(
            orden.begin(), orden.end(),
            [&](const std::string& a, const std::string& b) { return veces[a] > veces[b]; });
        h += "<h3>" + html(p) + "</h3>\n<ol class=\"fallos\">\n";
        const std::string de = " de " + std::to_string(calificadas);
        if (noCompilan > 0)
            h += "<li><span class=\"cuenta\">" + std::to_string(noCompilan) + de +
                 "</span> no compilan</li>\n";
        int mostradas = 0;
        for (const std::string& f : orden) {
            if (veces[f] == 0 || mostradas == 10) break;
            ++mostradas;
            h += "<li><span class=\"cuenta\">" + std::to_string(veces[f]) + de + "</span> " +
                 html(f) + "</li>\n";
        }
        if (noCompilan == 0 && mostradas == 0) h += "<li>Nada: todas las entregas pasan.</li>\n";
        h += "</ol>\n";
    }
}

void parecidas(std::string& h, const Clase& clase) {
    h += "<h2>Entregas muy parecidas</h2>\n";
    if (!clase.sinComparar.empty()) {
        h += "<p>" + html(clase.sinComparar) + "</p>\n";
        return;
    }
    if (clase.parecidos.empty()) {
        h += "<p>Ninguna pareja de entregas del mismo ejercicio comparte el " +
             std::to_string(std::lround(kUmbralDeParecido * 100)) + " % de su código propio.</p>\n";
        return;
    }
    h += "<p>Solo es un aviso: lo decide quien corrige, leyendo las dos.</p>\n"
         "<table id=\"parecidas\">\n<thead><tr><th>Ejercicio</th><th>Entrega A</th>"
         "<th>Entrega B</th><th>Parecido</th><th>Líneas de A</th><th>Líneas de B</th></tr>"
         "</thead>\n<tbody>\n";
    for (const ParDeEntregas& p : clase.parecidos) {
        const Corregida& a = clase.corregidas[p.a];
        const Corregida& b = clase.corregidas[p.b];
        h += "<tr><td>" + html(a.programa) + "</td><td><a href=\"#e" + std::to_string(p.a) + "\">" +
             html(nombreConNumero(a.entrega.alumno)) + "</a></td><td><a href=\"#e" +
             std::to_string(p.b) + "\">" + html(nombreConNumero(b.entrega.alumno)) +
             "</a></td><td class=\"nota\">" +
             std::to_string(std::lround(p.parecido.parecido * 100)) + " %</td><td>" +
             html(p.parecido.lineasA) + "</td><td>" + html(p.parecido.lineasB) + "</td></tr>\n";
    }
    h += "</tbody>\n</table>\n";
}

void informes(std::string& h, const Clase& clase) {
    h += "<h2>Informes</h2>\n";
    for (const Fila& f : clase.filas) {
        for (int i : f.entregas) {
            if (i < 0) continue;
            const Corregida& c = clase.corregidas[static_cast<std::size_t>(i)];
            h += "<details id=\"e" + std::to_string(i) + "\"><summary>" +
                 html(nombreConNumero(f.alumno)) + " · " + html(c.programa) + " · " +
                 (c.calificada() ? numero(c.nota(clase.escala), ',') : std::string("sin nota")) +
                 "</summary>\n<pre>" + html(informeDeAlumno(clase, c)) + "</pre></details>\n";
        }
    }
}

}  // namespace

std::string pagina(const Clase& clase) {
    std::size_t entregas = 0;
    for (const Corregida& c : clase.corregidas) entregas += c.revisada ? 1 : 0;
    const std::string titulo = "Corrección de " + listaDeProgramas(clase.programas);
    std::string h =
        "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>" +
        html(titulo) + "</title>\n<style>" + kEstilo + "</style>\n</head>\n<body>\n";
    h += "<h1>" + html(titulo) + "</h1>\n<p id=\"resumen\">" + std::to_string(clase.filas.size()) +
         (clase.filas.size() == 1 ? " alumno" : " alumnos") + " · " + std::to_string(entregas) +
         (entregas == 1 ? " entrega comprobada" : " entregas comprobadas") + " · notas sobre " +
         numero(clase.escala, ',') + " (la media cuenta 0 donde no hay nota)</p>\n";
    tablaDeNotas(h, clase);
    loQueMasFalla(h, clase);
    parecidas(h, clase);
    informes(h, clase);
    h += "<script>" + std::string(kProgramacion) + "</script>\n</body>\n</html>\n";
    return h;
}

bool escribirPagina(const Clase& clase, const std::string& archivo) {
    std::ofstream f(archivo, std::ios::binary | std::ios::trunc);
    f << pagina(clase);
    return static_cast<bool>(f);
}

}  // namespace comprobador

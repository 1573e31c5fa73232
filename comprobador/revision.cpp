#include "revision.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>

#include "archivos.h"
#include "compilacion.h"
#include "ejecucion.h"
#include "explicar.h"
#include "funciones.h"
#include "lanzadera.h"
#include "orquesta.h"
#include "robustez.h"
#include "tecnica.h"

namespace comprobador {

namespace {

// Una compilación como paso: lo que depende de ella sigue solo si compiló.
Salida compilacion(const std::string& id, const std::string& frase, const nucleo::Resultado& r,
                   const Entorno& entorno, const std::string& causa) {
    Salida s;
    s.comprobaciones.push_back(comprobacionDeCompilacion(id, frase, r, entorno));
    s.bien = s.comprobaciones.front().paso();
    if (!s.bien) s.causa = causa;
    return s;
}

// Con EJ_TIEMPOS en el entorno, lo que tarda cada paso, en la salida de error (para medir el
// comprobador, no para los alumnos).
std::function<Salida()> medido(const std::string& nombre, std::function<Salida()> paso) {
    if (std::getenv("EJ_TIEMPOS") == nullptr) return paso;
    return [nombre, paso] {
        const auto inicio = std::chrono::steady_clock::now();
        Salida s = paso();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - inicio);
        std::cerr << "[tiempo] " << nombre << ": " << ms.count() << " ms\n";
        return s;
    };
}

// El analizador lee también un fuente que no compila, pero la técnica de un programa que no
// existe no vale nada: si la compilación falló, lo que dijo el análisis queda sin ejecutar, a la
// espera de ella, como los casos.
void sinTecnicaSiNoCompila(Revision& revision) {
    const auto compilacion =
        std::find_if(revision.comprobaciones.begin(), revision.comprobaciones.end(),
                     [](const Comprobacion& c) { return c.id == "compilacion"; });
    if (compilacion == revision.comprobaciones.end() || compilacion->paso()) return;
    const std::string causa = compilacion->causa;
    for (Comprobacion& c : revision.comprobaciones) {
        if (c.tipo != Tipo::Tecnica || c.estado == Estado::NoEjecutada) continue;
        c.estado = Estado::NoEjecutada;
        c.esperaA = "compilacion";
        c.causa = causa;
        c.evidencia = Evidencia{};
    }
}

// ¿Declara la entrega algún arreglo (int a[5], char palabra[20], std::array, new T[n])? Se
// miran sus fuentes, los que copió el comprobador, sin seguir enlaces.
bool declaraArreglos(const std::string& fuente) {
    static const std::set<std::string> kPalabrasClave = {"return", "delete", "throw", "case",
                                                         "else",   "do",     "goto",  "sizeof"};
    const auto letra = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    // Un tipo, un nombre y su tamaño entre corchetes, seguido de lo que sigue a una declaración
    // (=, ;, {, «,» o «)»); un return p[1]; no es una: su «tipo» es una palabra clave.
    const auto declaracion = [&](const std::string& t, std::size_t corchete) {
        std::size_t i = corchete;
        while (i > 0 && std::isspace(static_cast<unsigned char>(t[i - 1]))) --i;
        const std::size_t finNombre = i;
        while (i > 0 && letra(t[i - 1])) --i;
        if (i == finNombre || std::isdigit(static_cast<unsigned char>(t[i])) != 0) return false;
        const std::size_t antesDelNombre = i;
        while (i > 0 && (std::isspace(static_cast<unsigned char>(t[i - 1])) || t[i - 1] == '*' ||
                         t[i - 1] == '&'))
            --i;
        if (i == antesDelNombre || i == 0) return false;
        const std::size_t finTipo = i;
        while (i > 0 && (letra(t[i - 1]) || t[i - 1] == ':' || t[i - 1] == '<' || t[i - 1] == '>'))
            --i;
        if (i == finTipo || kPalabrasClave.count(t.substr(i, finTipo - i)) != 0) return false;
        const std::size_t cierre = t.find(']', corchete);
        if (cierre == std::string::npos) return false;
        const std::size_t sigue = t.find_first_not_of(" \t\r\n", cierre + 1);
        return sigue != std::string::npos &&
               std::string("=;{,)").find(t[sigue]) != std::string::npos;
    };
    std::error_code ec;
    const std::filesystem::path carpeta = std::filesystem::path(fuente).parent_path();
    for (const auto& e : std::filesystem::directory_iterator(carpeta, ec)) {
        const std::string extension = e.path().extension().string();
        if (extension != ".cpp" && extension != ".h" && extension != ".hpp") continue;
        std::string texto;
        if (!leerSinEnlaces(e.path().string(), std::size_t{1} << 20, texto).empty()) continue;
        if (texto.find("std::array") != std::string::npos) return true;
        for (std::size_t p = texto.find('['); p != std::string::npos; p = texto.find('[', p + 1)) {
            if (declaracion(texto, p)) return true;
            // new T[n]
            std::size_t i = p;
            while (i > 0 && std::isspace(static_cast<unsigned char>(texto[i - 1]))) --i;
            const std::size_t finTipo = i;
            while (i > 0 && (letra(texto[i - 1]) || texto[i - 1] == ':')) --i;
            std::size_t j = i;
            while (j > 0 && std::isspace(static_cast<unsigned char>(texto[j - 1]))) --j;
            if (finTipo > i && j >= 3 && j < i && texto.compare(j - 3, 3, "new") == 0 &&
                (j == 3 || !letra(texto[j - 4])))
                return true;
        }
    }
    return false;
}

// Los resúmenes de los sanitizadores y de la protección de la pila suponen un arreglo local
// cuando se escribe fuera de una variable; si la entrega no declara ninguno, se dice sin él.
void quitarArreglosQueNoHay(Revision& revision, const std::string& fuente) {
    static const std::pair<const char*, const char*> kCambios[] = {
        {"se escribió fuera de un arreglo local hasta salirse de la pila (¿una cadena más larga "
         "que el arreglo?)",
         "se escribió fuera de una variable local hasta salirse de la pila"},
        {"se leyó o escribió fuera de un arreglo local (¿un índice fuera de rango o una cadena "
         "que no cabe?)",
         "se leyó o escribió fuera de una variable local (¿un puntero que apunta más allá de "
         "ella?)"},
        {"se escribió fuera de un arreglo local (la protección de la pila lo detectó al "
         "terminar): ¿una palabra más larga que el arreglo donde se lee?",
         "se escribió fuera de una variable local (la protección de la pila lo detectó al "
         "terminar)"},
    };
    auto cambiar = [](std::string& texto) {
        for (const auto& [de, a] : kCambios) {
            for (std::size_t p = texto.find(de); p != std::string::npos; p = texto.find(de, p))
                texto.replace(p, std::string(de).size(), a);
        }
    };
    bool hace = false;
    for (const Comprobacion& c : revision.comprobaciones)
        hace = hace || c.causa.find("arreglo local") != std::string::npos ||
               c.evidencia.explicacion.find("arreglo local") != std::string::npos;
    if (!hace || fuente.empty() || declaraArreglos(fuente)) return;
    for (Comprobacion& c : revision.comprobaciones) {
        cambiar(c.causa);
        cambiar(c.evidencia.explicacion);
        for (std::string& p : c.evidencia.pistas) cambiar(p);
    }
}

}  // namespace

void sinArreglosQueNoHay(Revision& revision, const std::string& fuente) {
    quitarArreglosQueNoHay(revision, fuente);
}

Revision revisar(const nucleo::Ejercicio& ejercicio, const Entrega& entrega, const Entorno& base) {
    Revision revision;
    revision.entrega = entrega;
    revision.programa = ejercicio.programa;
    revision.semilla = base.semilla;
    try {
        exigirRespuestaModelo(ejercicio);
    } catch (const ErrorDelComprobador& e) {
        revision.errorPropio = e.what();
        return revision;
    }
    Entorno entorno = base;
    std::string fuente;
    std::unique_ptr<nucleo::Lanzadera> lanzadera;
    bool conSanitizadores = false;  // la compilación vigilada salió bien
    if (entorno.aislar) {
        entorno.normal.carpeta = entorno.temporal;
        entorno.compilacion = entorno.normal;
        entorno.compilacion.lectura = lecturaDe(ejercicio, entorno);
        entorno.normal.lectura = lecturaDeEjecucion(entorno);
        // Lo compilado, solo para leer; cada ejecución trabaja en una carpeta vacía propia.
        entorno.normal.carpetaSoloLectura = true;
        if (!entorno.lanzadera.empty()) entorno.normal.lectura.push_back(entorno.lanzadera);
        entorno.vigilado = entorno.normal;
        entorno.vigilado.sanitizadores = true;
    }

    std::vector<Paso> pasos;
    pasos.push_back(
        {"lectura",
         "la lectura de la entrega",
         {},
         {},
         {preparacion("lectura", "Se puede leer")},
         [&] {
             Salida s;
             Comprobacion c = preparacion("lectura", "Se puede leer");
             const std::string rechazo =
                 copiarEntrega(ejercicio, entrega, entorno.temporal, fuente);
             c.estado = rechazo.empty() ? Estado::Paso : Estado::Fallo;
             c.causa = rechazo;
             s.bien = rechazo.empty();
             s.causa = rechazo.find("vacío") != std::string::npos ? "el archivo está vacío"
                                                                  : "se rechazó la entrega";
             s.comprobaciones.push_back(c);
             if (!s.bien || !entorno.aislar) return s;
             // La copia, del usuario del aislamiento; y un solo aislamiento para todos los
             // programas de la entrega: arrancar un bwrap cuesta más que muchos de ellos.
             std::string error;
             if (!nucleo::cederCarpeta(entorno.normal, &error))
                 throw ErrorDelComprobador("No se pudo preparar la carpeta aislada: " + error);
             if (!entorno.lanzadera.empty()) {
                 lanzadera = nucleo::Lanzadera::abrir(entorno.normal, entorno.lanzadera);
                 entorno.normal.lanzadera = entorno.vigilado.lanzadera = lanzadera.get();
             }
             return s;
         }});
    pasos.push_back({"compilacion",
                     "la compilación",
                     {"lectura"},
                     {},
                     {preparacion("compilacion", "Compila")},
                     medido("compilación", [&] {
                         Salida s = compilacion("compilacion", "Compila",
                                                compilarNormal(ejercicio, fuente, entorno), entorno,
                                                "no compila");
                         Comprobacion& c = s.comprobaciones.front();
                         c.evidencia.pistas =
                             pistasDelCompilador(ejercicio, c.evidencia.obtenido, s.bien);
                         return s;
                     })});
    const std::string vigilada = "Compila con AddressSanitizer y UBSan";
    pasos.push_back({"compilacion-vigilada",
                     "la compilación con sanitizadores",
                     {"lectura"},
                     {},
                     {preparacion("compilacion-vigilada", vigilada)},
                     medido("compilación vigilada", [&] {
                         Salida s = compilacion("compilacion-vigilada", vigilada,
                                                compilarVigilada(ejercicio, fuente, entorno),
                                                entorno, "no compila con AddressSanitizer y UBSan");
                         conSanitizadores = s.bien;
                         return s;
                     })});
    if (!ejercicio.sonda.empty()) {
        const std::string frase = "Las comprobaciones de funciones compilan con tu solución";
        pasos.push_back(
            {"compilacion-funciones",
             "la compilación de las comprobaciones de funciones",
             {"lectura"},
             {},
             {preparacion("compilacion-funciones", frase)},
             medido("compilación de funciones", [&, frase] {
                 const nucleo::Resultado r = compilarFunciones(ejercicio, fuente, entorno);
                 Salida s = compilacion(
                     "compilacion-funciones", frase, r, entorno,
                     "las comprobaciones no compilan con tu solución (mira la nota de arriba)");
                 if (!s.bien)
                     s.comprobaciones.front().evidencia.pistas =
                         explicarErroresDeFunciones(ejercicio, r.salida);
                 return s;
             })});
    }
    std::string fichas;
    if (!ejercicio.tecnica.empty() || (entorno.fichas && hayAnalizador(entorno))) {
        pasos.push_back({"tecnica",
                         "el análisis de la técnica",
                         {"lectura"},
                         {},
                         tecnicaPrevista(ejercicio, entorno),
                         medido("técnica", [&] {
                             return comprobarTecnica(ejercicio, fuente, entorno,
                                                     entorno.fichas ? &fichas : nullptr);
                         })});
    }
    pasos.push_back({"casos",
                     "los casos del ejercicio",
                     {"compilacion"},
                     {"compilacion-vigilada"},
                     casosPrevistos(ejercicio),
                     medido("casos", [&] {
                         Salida s;
                         // La compilación vigilada ya terminó: este paso la espera.
                         s.comprobaciones = ejecutarCasos(ejercicio, entorno, conSanitizadores);
                         return s;
                     })});
    pasos.push_back({"sorteo",
                     "las entradas sorteadas",
                     {"compilacion"},
                     {},
                     sorteoPrevisto(ejercicio, entorno.semilla),
                     medido("sorteo", [&] {
                         Salida s;
                         s.comprobaciones = ejecutarSorteo(ejercicio, entorno);
                         return s;
                     })});
    pasos.push_back({"robustez",
                     "la robustez",
                     {"compilacion", "compilacion-vigilada"},
                     {},
                     robustezPrevista(ejercicio),
                     medido("robustez", [&] {
                         Salida s;
                         s.comprobaciones = buscarFallos(ejercicio, entorno);
                         return s;
                     })});
    if (!ejercicio.sonda.empty()) {
        pasos.push_back({"funciones",
                         "las funciones",
                         {"compilacion-funciones"},
                         {},
                         funcionesPrevistas(ejercicio),
                         medido("funciones", [&] {
                             Salida s;
                             s.comprobaciones = comprobarFunciones(ejercicio, entorno);
                             return s;
                         })});
    }
    orquestar(pasos, revision);
    sinTecnicaSiNoCompila(revision);
    quitarArreglosQueNoHay(revision, fuente);
    revision.aislada = entorno.aislar;
    revision.fichas = std::move(fichas);
    return revision;
}

}  // namespace comprobador

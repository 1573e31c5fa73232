#include "corregir.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "archivos.h"
#include "catalogo.h"
#include "clase.h"
#include "descargas.h"
#include "informe.h"
#include "lote.h"
#include "practicar.h"
#include "proceso.h"
#include "rutas.h"
#include "similitud.h"

namespace fs = std::filesystem;

namespace comprobador {

const char* const kUsoDeCorregir =
    "Uso: ./ejercicios corregir DESCARGA... [--salida CARPETA] [--hoja EJERCICIO=HOJA.csv]...\n"
    "                           [--escala N] [--semilla N] [--sin-aislamiento]\n"
    "  Corrige las entregas de una clase tal como las descarga la plataforma del curso: una\n"
    "  DESCARGA por ejercicio (el zip, un tar o la carpeta donde se descomprimió), con una\n"
    "  carpeta por alumno («Nombre Apellidos_ID_assignsubmission_file_») o ese prefijo delante\n"
    "  de cada archivo. El ejercicio se reconoce por los nombres de los archivos o de la\n"
    "  descarga; si no, dilo delante: ringchain=descarga.zip.\n"
    "  Deja en CARPETA (por omisión, ./correccion): notas.csv, clase.html, similitud.csv, la\n"
    "  retroalimentación de cada alumno (una carpeta y un zip por ejercicio, para subirla a la\n"
    "  plataforma), resultados.json, resultados.xml (JUnit) y resultados.csv.\n"
    "  --hoja EJERCICIO=HOJA.csv  rellena una copia de la hoja de calificaciones que da la\n"
    "                            plataforma (la tuya no se toca).\n"
    "  --escala N                las notas, sobre N (10 si no se dice).\n";

namespace {

// La marca que deja una corrección en su carpeta: una carpeta con ella se puede reescribir.
const char* const kMarca = ".correccion";

int errorDeUso(const std::string& mensaje) {
    std::cerr << mensaje << "\n";
    return 2;
}

int errorPropio(const std::string& mensaje) {
    std::cerr << "Error del comprobador (no es un fallo de las entregas): " << lineaSegura(mensaje)
              << "\n";
    return 3;
}

bool esTerminal(int fd) {
    const char* term = std::getenv("TERM");
    return isatty(fd) && (term == nullptr || std::string(term) != "dumb");
}

// Un número de la orden («10», «7,5», «7.5») mayor que 0; false si no lo es.
bool leerPositivo(std::string texto, double& valor) {
    for (char& c : texto) {
        if (c == ',') c = '.';
    }
    if (texto.empty() || texto.find_first_not_of("0123456789.") != std::string::npos) return false;
    char* fin = nullptr;
    valor = std::strtod(texto.c_str(), &fin);
    return *fin == '\0' && valor > 0 && valor <= 1000000;
}

// La carpeta de resultados: nueva, vacía o de otra corrección (con la marca). "" si se puede
// usar, o por qué no.
std::string prepararSalida(const fs::path& carpeta) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(carpeta))) {
        if (!fs::is_directory(fs::symlink_status(carpeta)))
            return paraMostrar(carpeta) + " ya existe y no es una carpeta";
        const bool vacia = fs::is_empty(carpeta, ec);
        if (!vacia && !fs::exists(carpeta / kMarca))
            return paraMostrar(carpeta) +
                   " ya existe y no es de una corrección anterior: no se escribe en ella. Elige "
                   "otra con --salida CARPETA";
        fs::remove_all(carpeta / "retroalimentacion", ec);
    }
    fs::create_directories(carpeta, ec);
    if (ec) return "No se pudo crear " + paraMostrar(carpeta) + ": " + ec.message();
    std::ofstream(carpeta / kMarca) << "Resultados de ./ejercicios corregir.\n";
    return "";
}

// El contenido de lo que se comprueba de una entrega (el fuente y los que lo acompañan), para
// revisar una sola vez las entregas idénticas.
std::string contenidoDe(const nucleo::Ejercicio& ejercicio, const std::string& principal) {
    std::vector<fs::path> archivos = {principal};
    const fs::path carpeta = fs::path(principal).parent_path();
    std::error_code ec;
    if (ejercicio.forma == nucleo::Forma::Carpeta) {
        archivos.clear();
        for (const auto& e : fs::directory_iterator(carpeta, ec)) archivos.push_back(e.path());
        std::sort(archivos.begin(), archivos.end());
    } else if (ejercicio.forma == nucleo::Forma::Lista) {
        archivos.push_back(carpeta / "node_list.h");
    }
    std::string todo = ejercicio.programa;
    for (const fs::path& a : archivos) {
        std::string contenido;
        if (!leerSinEnlaces(a.string(), kTamanoMaximo, contenido).empty()) contenido = "-";
        todo += '\0' + a.filename().string() + '\0' + std::to_string(contenido.size()) + '\0' +
                contenido;
    }
    return todo;
}

// El código que da el enunciado: lo que va entre las líneas ``` de enunciado.md.
std::string codigoDelEnunciado(const std::string& markdown) {
    std::istringstream lineas(markdown);
    std::string codigo;
    bool dentro = false;
    for (std::string l; std::getline(lineas, l);) {
        if (l.rfind("```", 0) == 0) {
            dentro = !dentro;
            continue;
        }
        if (dentro) codigo += l + "\n";
    }
    return codigo;
}

// Los tramos del código que tienen todas las entregas de un ejercicio: el punto de partida de
// la colección, el código del enunciado y, en las listas, su node_list.h. Son de la colección:
// el analizador los lee sin aislamiento, en una carpeta propia.
std::set<std::uint64_t> codigoComun(const nucleo::Ejercicio& ejercicio, const Entorno& entorno,
                                    const fs::path& carpeta) {
    std::error_code ec;
    fs::create_directories(carpeta, ec);
    std::vector<std::pair<std::string, std::string>> archivos;
    for (const auto& [nombre, contenido] : puntoDePartida(ejercicio, entorno.raiz))
        archivos.push_back({fs::path(nombre).filename().string(), contenido});
    std::string enunciado;
    leerSinEnlaces((fs::path(entorno.raiz) / ejercicio.carpeta / "enunciado.md").string(),
                   kTamanoMaximo, enunciado);
    archivos.push_back({"enunciado.cpp", codigoDelEnunciado(enunciado)});
    if (ejercicio.forma == nucleo::Forma::Lista) {
        std::string lista;
        leerSinEnlaces(
            (fs::path(entorno.raiz) / fs::path(ejercicio.fuente).parent_path() / "node_list.h")
                .string(),
            kTamanoMaximo, lista);
        archivos.push_back({"node_list.h", lista});
    }
    for (const auto& [nombre, contenido] : archivos)
        std::ofstream(carpeta / nombre, std::ios::binary) << contenido;
    std::set<std::uint64_t> comun;
    for (const auto& [nombre, contenido] : archivos) {
        nucleo::Opciones o;
        o.argumentos = {nombre};
        if (!entorno.cabecerasDelAnalisis.empty())
            o.argumentos.insert(o.argumentos.end(), {"-include-pch", entorno.cabecerasDelAnalisis});
        o.directorio = carpeta.string();
        o.limite = std::chrono::seconds(20);
        const nucleo::Resultado r = nucleo::ejecutar(entorno.analizador, "", o);
        const std::set<std::uint64_t> t = tramos(normalizar(r.salida));
        comun.insert(t.begin(), t.end());
    }
    return comun;
}

// Compara entre sí las entregas calificadas de cada ejercicio.
void compararEntregas(Clase& clase, const Entorno& entorno, const std::string& temporal) {
    if (entorno.analizador.empty()) {
        clase.sinComparar =
            "No se compararon las entregas: este comprobador se compiló sin libclang (paquete de "
            "Debian libclang-dev).";
        return;
    }
    for (const std::string& programa : clase.programas) {
        const nucleo::Ejercicio& ejercicio = *nucleo::buscarEjercicio(programa);
        const std::set<std::uint64_t> comun =
            codigoComun(ejercicio, entorno, fs::path(temporal) / "comun" / programa);
        std::vector<std::size_t> indices;
        std::vector<Fichas> fichas;
        std::vector<Huellas> huellasDe;
        for (std::size_t i = 0; i < clase.corregidas.size(); ++i) {
            const Corregida& c = clase.corregidas[i];
            if (c.programa != programa || !c.calificada() || c.revision.fichas.empty()) continue;
            indices.push_back(i);
            fichas.push_back(normalizar(c.revision.fichas));
            huellasDe.push_back(huellas(fichas.back()));
        }
        for (std::size_t x = 0; x < indices.size(); ++x) {
            for (std::size_t y = x + 1; y < indices.size(); ++y) {
                const Parecido p =
                    comparar(fichas[x], huellasDe[x], fichas[y], huellasDe[y], comun);
                if (p.parecido >= kUmbralDeParecido)
                    clase.parecidos.push_back({indices[x], indices[y], p});
            }
        }
    }
    std::stable_sort(clase.parecidos.begin(), clase.parecidos.end(),
                     [](const ParDeEntregas& a, const ParDeEntregas& b) {
                         return a.parecido.parecido > b.parecido.parecido;
                     });
}

std::string nombreConNumero(const Alumno& a) {
    return a.id.empty() ? a.nombre : a.nombre + " (" + a.id + ")";
}

// Lo que se ve mientras se corrige: en una terminal, una línea que se reescribe; si no, una
// línea por entrega.
class Progreso {
   public:
    Progreso(std::size_t total) : total_(total), terminal_(esTerminal(STDERR_FILENO)) {}
    void empieza(const std::string& que) {
        ++empezadas_;
        const std::string linea = "[" + std::to_string(empezadas_) + "/" + std::to_string(total_) +
                                  "] " + lineaSegura(que);
        if (terminal_) {
            std::cerr << "\r\033[K" << recortar(linea) << std::flush;
        } else {
            std::cerr << linea << "\n";
        }
    }
    void termina() {
        if (terminal_ && empezadas_ > 0) std::cerr << "\r\033[K" << std::flush;
    }

   private:
    // Una línea que quepa en la terminal (80 columnas si no se sabe).
    static std::string recortar(const std::string& t) {
        std::size_t columnas = 80;
        if (const char* c = std::getenv("COLUMNS")) columnas = std::max(20, std::atoi(c));
        std::string r;
        std::size_t vistas = 0;
        for (char ch : t) {
            if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80 && ++vistas > columnas - 1) break;
            r += ch;
        }
        return r;
    }
    std::size_t total_;
    std::size_t empezadas_ = 0;
    bool terminal_;
};

}  // namespace

int corregir(const std::vector<std::string>& argumentos, const Entorno& base) {
    std::string salida = "correccion", escalaDada, semillaDada;
    std::vector<std::string> hojasDadas, descargas;
    bool sinAislamiento = false;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        std::string valor;
        bool falta = false, conValor = false;
        for (const char* opcion : {"--salida", "--hoja", "--escala", "--semilla"}) {
            if (conValor || !opcionConValor(argumentos, i, opcion, valor, falta)) continue;
            conValor = true;
            if (falta) return errorDeUso(std::string("Falta el valor tras ") + opcion + ".");
            const std::string o = opcion;
            if (o == "--salida") salida = valor;
            if (o == "--hoja") hojasDadas.push_back(valor);
            if (o == "--escala") escalaDada = valor;
            if (o == "--semilla") semillaDada = valor;
        }
        if (conValor) continue;
        if (a == "--sin-aislamiento") {
            sinAislamiento = true;
        } else if (a == "-h" || a == "--help" || a == "--ayuda") {
            std::cout << kUsoDeCorregir;
            return 0;
        } else if (a.size() > 1 && a[0] == '-') {
            return errorDeUso("Opción desconocida: " + lineaSegura(a) + "\n" + kUsoDeCorregir);
        } else {
            descargas.push_back(a);
        }
    }
    if (descargas.empty()) return errorDeUso(kUsoDeCorregir);
    Clase clase;
    if (!escalaDada.empty() && !leerPositivo(escalaDada, clase.escala))
        return errorDeUso("La escala es un número mayor que 0 (por ejemplo --escala 10): " +
                          lineaSegura(escalaDada));
    // Las hojas: EJERCICIO=HOJA.csv, de un ejercicio que existe y un archivo que se puede leer.
    std::vector<std::pair<std::string, std::string>> hojas;
    for (const std::string& h : hojasDadas) {
        const std::size_t igual = h.find('=');
        const std::string programa = h.substr(0, igual);
        if (igual == std::string::npos || nucleo::buscarEjercicio(programa) == nullptr)
            return errorDeUso(
                "--hoja va seguido de EJERCICIO=HOJA.csv (por ejemplo --hoja "
                "ringchain=Calificaciones.csv): " +
                lineaSegura(h));
        const std::string ruta = h.substr(igual + 1);
        std::string contenido;
        const std::string error = leerSinEnlaces(ruta, std::size_t{64} << 20, contenido);
        if (!error.empty()) return errorDeUso(lineaSegura(error) + ".");
        hojas.push_back({programa, ruta});
    }
    Entorno entorno = base;
    entorno.fichas = true;
    if (!semillaDada.empty()) {
        char* fin = nullptr;
        entorno.semilla = std::strtoull(semillaDada.c_str(), &fin, 10);
        if (*fin != '\0' || semillaDada[0] == '-')
            return errorDeUso("La semilla es un número entero sin signo: " +
                              lineaSegura(semillaDada));
    } else {
        std::random_device azar;
        entorno.semilla = (static_cast<std::uint64_t>(azar()) << 32 | azar()) % 1000000000ULL;
    }
    std::string razon;
    entorno.aislar = !sinAislamiento && nucleo::aislamientoDisponible(&razon);
    if (!entorno.aislar && !sinAislamiento)
        return errorDeUso(razon +
                          "\nLas entregas de otros solo se corrigen sin aislamiento si se pide: "
                          "añade --sin-aislamiento.");
    const fs::path carpeta = salida;
    if (const std::string e = prepararSalida(carpeta); !e.empty()) return errorDeUso(e + ".");

    std::string fallo;
    const std::unique_ptr<Taller> taller = Taller::abrir(entorno.aislar, fallo);
    if (taller == nullptr) return errorPropio(fallo);
    const auto inicio = std::chrono::steady_clock::now();

    // Las descargas: una por ejercicio.
    int estado = 0;
    std::vector<Descarga> leidas;
    for (std::size_t k = 0; k < descargas.size(); ++k) {
        Descarga d;
        const std::string trabajo = taller->ruta() + "/descarga-" + std::to_string(k + 1);
        std::error_code ec;
        fs::create_directories(trabajo, ec);
        const std::string error = leerDescarga(descargas[k], trabajo, d);
        for (const std::string& aviso : d.avisos)
            std::cerr << lineaSegura(d.ruta) << ": " << lineaSegura(aviso) << "\n";
        if (!error.empty()) {
            std::cerr << "No se corrige " << lineaSegura(d.ruta) << ": " << lineaSegura(error)
                      << "\n";
            estado = 1;
            continue;
        }
        for (const Descarga& otra : leidas) {
            if (otra.programa == d.programa)
                return errorDeUso(lineaSegura(otra.ruta) + " y " + lineaSegura(d.ruta) +
                                  " son las dos de " + d.programa +
                                  ": da una sola descarga por ejercicio.");
        }
        std::cerr << lineaSegura(d.ruta) << ": " << d.programa << ", " << d.entregas.size()
                  << (d.entregas.size() == 1 ? " alumno" : " alumnos") << "\n";
        clase.programas.push_back(d.programa);
        leidas.push_back(std::move(d));
    }
    if (leidas.empty()) {
        std::cerr << "No hay nada que corregir.\n";
        return 1;
    }
    for (const auto& [programa, ruta] : hojas) {
        if (std::find(clase.programas.begin(), clase.programas.end(), programa) ==
            clase.programas.end())
            return errorDeUso("Hay hoja de " + programa + " (" + lineaSegura(ruta) +
                              ") pero ninguna descarga de " + programa + ".");
    }

    // Las entregas que se revisan: una vez cada contenido distinto.
    std::vector<Trabajo> trabajos;
    std::vector<std::vector<std::size_t>> deTrabajo;  // las corregidas de cada trabajo
    std::map<std::string, std::size_t> porContenido;
    for (const Descarga& d : leidas) {
        const nucleo::Ejercicio* ejercicio = nucleo::buscarEjercicio(d.programa);
        for (const EntregaDeAlumno& e : d.entregas) {
            Corregida c;
            c.programa = d.programa;
            c.entrega = e;
            const std::size_t indice = clase.corregidas.size();
            clase.corregidas.push_back(c);
            if (e.principal.empty()) continue;
            const auto [pos, nuevo] =
                porContenido.try_emplace(contenidoDe(*ejercicio, e.principal), trabajos.size());
            if (nuevo) {
                Entrega entrega;
                entrega.nombre = nombreConNumero(e.alumno) + " · " + e.archivo;
                entrega.principal = e.principal;
                trabajos.push_back({ejercicio, entrega});
                deTrabajo.emplace_back();
            }
            deTrabajo[pos->second].push_back(indice);
        }
    }
    clase.agrupar();

    Progreso progreso(trabajos.size());
    std::vector<Revision> revisiones;
    fallo = revisarTodas(
        trabajos, entorno, taller->ruta(), revisiones,
        [&](std::size_t i) {
            progreso.empieza(trabajos[i].ejercicio->programa + " · " + trabajos[i].entrega.nombre);
        },
        nullptr);
    progreso.termina();
    if (!fallo.empty()) return errorPropio(fallo);
    for (std::size_t t = 0; t < trabajos.size(); ++t) {
        for (std::size_t i : deTrabajo[t]) {
            Corregida& c = clase.corregidas[i];
            c.revisada = true;
            c.revision = revisiones[t];
            c.revision.entrega.nombre =
                nombreConNumero(c.entrega.alumno) + " · " + c.entrega.archivo;
        }
    }
    compararEntregas(clase, entorno, taller->ruta());

    // Lo que se escribe, de la misma lista.
    const FormatoCsv formato =
        formatoDelIdioma(std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"), std::getenv("LANG"));
    std::vector<std::pair<std::string, std::string>> escrito;  // archivo y qué es
    const auto anotar = [&](bool bien, const fs::path& ruta, const std::string& que) {
        if (bien) {
            escrito.push_back({paraMostrar(ruta), que});
        } else {
            std::cerr << "No se pudo escribir " << paraMostrar(ruta) << ".\n";
            estado = 1;
        }
    };
    anotar(escribirNotas(clase, (carpeta / "notas.csv").string(), formato), carpeta / "notas.csv",
           "las notas, una fila por alumno");
    anotar(escribirPagina(clase, (carpeta / "clase.html").string()), carpeta / "clase.html",
           "la clase de un vistazo: ábrela en el navegador");
    anotar(escribirSimilitud(clase, (carpeta / "similitud.csv").string(), formato),
           carpeta / "similitud.csv",
           clase.parecidos.empty()
               ? "ninguna pareja de entregas muy parecidas"
               : std::to_string(clase.parecidos.size()) +
                     (clase.parecidos.size() == 1 ? " pareja de entregas muy parecidas"
                                                  : " parejas de entregas muy parecidas"));
    for (const std::string& programa : clase.programas) {
        const fs::path r = carpeta / "retroalimentacion";
        const std::string error = escribirRetroalimentacion(
            clase, programa, (r / programa).string(), (r / (programa + ".zip")).string());
        if (!error.empty()) {
            std::cerr << lineaSegura(error) << ".\n";
            estado = 1;
        } else {
            escrito.push_back(
                {paraMostrar(r / (programa + ".zip")),
                 "la retroalimentación de " + programa + ", para subirla a la plataforma"});
        }
    }
    for (const auto& [programa, ruta] : hojas) {
        const fs::path copia = carpeta / fs::path(ruta).filename();
        std::string resumen;
        const std::string error = rellenarHoja(clase, programa, ruta, copia.string(), resumen);
        if (!error.empty()) {
            std::cerr << "La hoja de " << programa << ": " << lineaSegura(error) << ".\n";
            estado = 1;
        } else {
            escrito.push_back(
                {paraMostrar(copia), "la hoja de " + programa + " rellena: " + resumen});
        }
    }
    std::vector<Revision> todas;
    for (const Corregida& c : clase.corregidas) {
        if (c.revisada) todas.push_back(c.revision);
    }
    std::string nombres;
    for (const std::string& p : clase.programas) nombres += (nombres.empty() ? "" : " ") + p;
    struct Formato {
        const char* nombre;
        bool (*escribir)(const std::string&, const std::string&, const std::vector<Revision>&);
        const char* que;
    };
    for (const Formato& f :
         {Formato{"resultados.json", escribirJson, "todas las comprobaciones, en JSON"},
          Formato{"resultados.xml", escribirJUnit, "lo mismo en JUnit"},
          Formato{"resultados.csv", escribirCsv, "una fila por entrega"}}) {
        const fs::path ruta = carpeta / f.nombre;
        anotar(f.escribir(ruta.string(), nombres, todas), ruta, f.que);
    }

    // Lo que se ve al terminar: quién no tiene nota, y dónde está todo.
    const auto segundos =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - inicio)
            .count();
    std::cout << "Corregidas " << todas.size() << (todas.size() == 1 ? " entrega" : " entregas")
              << " de " << clase.filas.size() << (clase.filas.size() == 1 ? " alumno" : " alumnos")
              << " en " << segundos << " s (semilla " << entorno.semilla << ").\n";
    for (const Fila& f : clase.filas) {
        for (std::size_t k = 0; k < clase.programas.size(); ++k) {
            const int i = f.entregas[k];
            if (i < 0 || clase.corregidas[static_cast<std::size_t>(i)].calificada()) continue;
            std::cout << "Sin nota en " << clase.programas[k] << ": "
                      << lineaSegura(nombreConNumero(f.alumno)) << ", "
                      << lineaSegura(clase.corregidas[static_cast<std::size_t>(i)].observacion())
                      << "\n";
        }
    }
    if (!clase.sinComparar.empty()) std::cout << clase.sinComparar << "\n";
    std::size_t ancho = 0;
    for (const auto& [archivo, que] : escrito) ancho = std::max(ancho, archivo.size());
    for (const auto& [archivo, que] : escrito)
        std::cout << "  " << archivo << std::string(ancho - archivo.size() + 2, ' ') << que << "\n";
    return estado;
}

}  // namespace comprobador

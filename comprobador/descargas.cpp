#include "descargas.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#include "archivos.h"
#include "catalogo.h"
#include "orquesta.h"
#include "rutas.h"

namespace fs = std::filesystem;

namespace comprobador {

namespace {

std::string minusculas(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

bool terminaEn(const std::string& t, const std::string& final) {
    return t.size() >= final.size() && t.compare(t.size() - final.size(), final.size(), final) == 0;
}

bool esComprimido(const std::string& nombre) {
    const std::string n = minusculas(nombre);
    // También los que hacen los alumnos en Windows (rar, 7z): libarchive los lee igual.
    for (const char* e :
         {".zip", ".tar", ".tar.gz", ".tgz", ".tar.bz2", ".tar.xz", ".7z", ".rar"}) {
        if (terminaEn(n, e)) return true;
    }
    return false;
}

bool esFuenteDeCpp(const std::string& nombre) {
    const std::string n = minusculas(nombre);
    for (const char* e : {".cpp", ".cc", ".cxx", ".c++"}) {
        if (terminaEn(n, e)) return true;
    }
    return false;
}

// Las partes de una ruta de un archivo comprimido; vacío si sale de la carpeta (absoluta, o
// con «..»).
std::vector<std::string> partesSeguras(const std::string& ruta) {
    std::vector<std::string> partes;
    if (ruta.empty() || ruta[0] == '/') return {};
    std::string parte;
    for (char c : ruta + "/") {
        if (c != '/' && c != '\\') {
            parte += c;
            continue;
        }
        if (parte == "..") return {};
        if (!parte.empty() && parte != ".") partes.push_back(parte);
        parte.clear();
    }
    return partes;
}

// Crea las carpetas de `partes` (menos la última) bajo `destino`; false si algo ya existe y no es
// una carpeta de verdad.
bool crearCarpetas(const fs::path& destino, const std::vector<std::string>& partes,
                   std::size_t hasta) {
    fs::path p = destino;
    for (std::size_t i = 0; i < hasta; ++i) {
        p /= partes[i];
        struct stat st {};
        if (lstat(p.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) return false;
            continue;
        }
        if (mkdir(p.c_str(), 0755) != 0) return false;
    }
    return true;
}

std::string unirPartes(const std::vector<std::string>& partes) {
    std::string r;
    for (const std::string& p : partes) r += (r.empty() ? "" : "/") + p;
    return r;
}

// Copia una carpeta del profesor a `destino`, sin seguir enlaces y con los mismos topes.
std::string copiarCarpeta(const fs::path& origen, const fs::path& destino, const Topes& topes,
                          std::vector<std::string>& avisos) {
    std::size_t entradas = 0, total = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(origen, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (++entradas > topes.entradas)
            return paraMostrar(origen) + " tiene más de " + std::to_string(topes.entradas) +
                   " archivos: no se lee";
        const fs::path relativa = it->path().lexically_relative(origen);
        const fs::file_status s = it->symlink_status(ec);
        if (fs::is_symlink(s)) {
            avisos.push_back("Se omite " + relativa.string() + ": es un enlace simbólico.");
            if (it->is_directory(ec)) it.disable_recursion_pending();
            continue;
        }
        if (fs::is_directory(s)) {
            fs::create_directories(destino / relativa, ec);
            continue;
        }
        if (!fs::is_regular_file(s)) {
            avisos.push_back("Se omite " + relativa.string() + ": no es un archivo.");
            continue;
        }
        std::string contenido;
        const std::string error = leerSinEnlaces(it->path().string(), topes.porArchivo, contenido);
        if (!error.empty()) {
            avisos.push_back("Se omite " + relativa.string() + ": " + error + ".");
            continue;
        }
        total += contenido.size();
        if (total > topes.total)
            return paraMostrar(origen) + " pesa más de " + std::to_string(topes.total >> 20) +
                   " MiB: no se lee";
        fs::create_directories((destino / relativa).parent_path(), ec);
        escribirNuevo((destino / relativa).string(), contenido);
    }
    return "";
}

// Las entregas de un alumno: sus archivos, con los de un comprimido suyo ya abiertos.
struct Carpeta {
    Alumno alumno;
    std::string nombre;  // la carpeta, o el prefijo, tal como en la descarga
    fs::path ruta;       // donde están sus archivos en la carpeta de trabajo
    bool enCarpeta = true;
};

// Los archivos de un alumno (rutas relativas a su carpeta), en orden, sin los que añade su
// sistema.
std::vector<fs::path> archivosDe(const fs::path& carpeta) {
    std::vector<fs::path> r;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(carpeta, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path relativa = it->path().lexically_relative(carpeta);
        if (it->is_regular_file(ec) && !esDelSistema(relativa)) r.push_back(relativa);
    }
    std::sort(r.begin(), r.end());
    return r;
}

// Abre (un nivel) los comprimidos que haya entre los archivos de un alumno.
void abrirComprimidos(const fs::path& carpeta, std::vector<std::string>& avisos) {
    for (const fs::path& a : archivosDe(carpeta)) {
        if (!esComprimido(a.filename().string())) continue;
        const fs::path c = carpeta / a;
        const fs::path dentro = c.parent_path() / (c.filename().string() + ".contenido");
        std::error_code ec;
        fs::create_directories(dentro, ec);
        std::vector<std::string> suyos;
        const std::string error = extraer(c.string(), dentro.string(), Topes{}, suyos);
        if (!error.empty()) avisos.push_back(error + ".");
        for (const std::string& x : suyos) avisos.push_back(x);
    }
}

std::string lista(const std::vector<fs::path>& archivos) {
    std::string r;
    for (const fs::path& a : archivos) r += (r.empty() ? "" : ", ") + a.string();
    return r;
}

// Un alumno con varias carpetas en la descarga (la de sus archivos y la de su texto en línea, que
// la plataforma separa) es uno solo: sus carpetas pasan, cada una con su nombre, a una suya en
// `trabajo`, y la que lo nombra es la de sus archivos. Sin eso, la carpeta del texto en línea
// ocupaba su fila y la nota de su fuente se perdía.
std::vector<Carpeta> juntarPorAlumno(const std::vector<Carpeta>& carpetas,
                                     const fs::path& trabajo) {
    std::map<std::string, std::vector<std::size_t>> porAlumno;
    for (std::size_t i = 0; i < carpetas.size(); ++i) porAlumno[carpetas[i].alumno.id].push_back(i);
    std::vector<Carpeta> r;
    for (std::size_t i = 0; i < carpetas.size(); ++i) {
        const std::vector<std::size_t>& suyas = porAlumno[carpetas[i].alumno.id];
        if (suyas.size() == 1) {
            r.push_back(carpetas[i]);
            continue;
        }
        if (suyas.front() != i) continue;  // ya se juntó con la primera
        std::size_t nombra = suyas.front();
        for (std::size_t k : suyas) {
            if (carpetas[k].nombre.find("_assignsubmission_file_") != std::string::npos) {
                nombra = k;
                break;
            }
        }
        std::error_code ec;
        const fs::path junta = trabajo / "juntas" / std::to_string(r.size());
        fs::create_directories(junta, ec);
        for (std::size_t k : suyas) fs::rename(carpetas[k].ruta, junta / carpetas[k].nombre, ec);
        Carpeta c = carpetas[nombra];
        c.ruta = junta;
        r.push_back(std::move(c));
    }
    return r;
}

// Qué se comprueba de un alumno: su fuente, o por qué nada.
void elegir(const nucleo::Ejercicio& ejercicio, const fs::path& carpeta, EntregaDeAlumno& e) {
    const std::vector<fs::path> archivos = archivosDe(carpeta);
    if (archivos.empty()) {
        e.motivo = "no entregó ningún archivo";
        return;
    }
    if (ejercicio.forma == nucleo::Forma::Carpeta) {
        // Su proyecto: la carpeta con main.cpp (sin distinguir mayúsculas en el nombre).
        std::vector<fs::path> mains;
        for (const fs::path& a : archivos) {
            if (minusculas(a.filename().string()) == "main.cpp") mains.push_back(a);
        }
        if (mains.empty()) {
            e.motivo = "no entregó main.cpp (entregó " + lista(archivos) + ")";
            return;
        }
        if (mains.size() > 1)
            e.motivo = "entregó " + std::to_string(mains.size()) + " main.cpp (" + lista(mains) +
                       "): se comprueba " + mains.front().string() + ", el primero por orden";
        e.principal = (carpeta / mains.front()).string();
        e.archivo = mains.front().filename().string();
        return;
    }
    std::vector<fs::path> fuentes;
    for (const fs::path& a : archivos) {
        if (esFuenteDeCpp(a.filename().string())) fuentes.push_back(a);
    }
    if (fuentes.empty()) {
        e.motivo = "no entregó ningún archivo de C++ (entregó " + lista(archivos) + ")";
        return;
    }
    fs::path elegido = fuentes.front();
    if (fuentes.size() > 1) {
        // El que se llama como el ejercicio; si no, el primero por orden.
        std::string porque = "el primero por orden alfabético";
        for (const fs::path& f : fuentes) {
            if (minusculas(f.stem().string()) == ejercicio.programa) {
                elegido = f;
                porque = "que se llama como el ejercicio";
                break;
            }
        }
        e.motivo = "entregó " + std::to_string(fuentes.size()) + " archivos de C++ (" +
                   lista(fuentes) + "): se comprueba " + elegido.string() + ", " + porque;
    }
    e.principal = (carpeta / elegido).string();
    e.archivo = elegido.filename().string();
}

}  // namespace

EnUtf8::EnUtf8()
    : nuevo_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))),
      anterior_(nuevo_ != static_cast<locale_t>(nullptr) ? uselocale(nuevo_)
                                                         : static_cast<locale_t>(nullptr)) {}

EnUtf8::~EnUtf8() {
    if (nuevo_ == static_cast<locale_t>(nullptr)) return;
    uselocale(anterior_);
    freelocale(nuevo_);
}

std::string extraer(const std::string& archivo, const std::string& destino, const Topes& topes,
                    std::vector<std::string>& avisos) {
    const std::string nombre = fs::path(archivo).filename().string();
    const int fd = open(archivo.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ELOOP ? nombre + " es un enlace simbólico: no se sigue"
                              : "No se puede leer " + nombre + ": " + std::strerror(errno);
    const EnUtf8 utf8;
    archive* a = archive_read_new();
    archive_read_support_format_all(a);
    archive_read_support_filter_all(a);
    std::string error;
    if (archive_read_open_fd(a, fd, 1 << 16) != ARCHIVE_OK) {
        error = nombre + " no es un zip ni un tar que se pueda leer";
    }
    std::size_t entradas = 0, total = 0;
    archive_entry* entrada = nullptr;
    while (error.empty()) {
        const int r = archive_read_next_header(a, &entrada);
        if (r == ARCHIVE_EOF) break;
        if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
            error = entradas == 0 ? nombre + " no es un zip ni un tar que se pueda leer"
                                  : nombre + " está dañado: " +
                                        (archive_error_string(a) ? archive_error_string(a) : "");
            break;
        }
        if (++entradas > topes.entradas) {
            error =
                nombre + " tiene más de " + std::to_string(topes.entradas) + " entradas: no se lee";
            break;
        }
        const char* enUtf8 = archive_entry_pathname_utf8(entrada);
        const char* crudo = archive_entry_pathname(entrada);
        if (enUtf8 == nullptr && crudo == nullptr) {
            avisos.push_back("Se omite una entrada de " + nombre + ": su nombre no se puede leer.");
            continue;
        }
        const std::string ruta = enUtf8 != nullptr ? enUtf8 : crudo;
        const std::vector<std::string> partes = partesSeguras(ruta);
        const auto tipo = archive_entry_filetype(entrada);
        const bool omitida =
            archive_entry_hardlink(entrada) != nullptr || (tipo != AE_IFDIR && tipo != AE_IFREG);
        if (omitida && !partes.empty()) {
            // Sus carpetas sí: el alumno que solo mandó un enlace también tiene su fila.
            crearCarpetas(destino, partes, partes.size() - 1);
        }
        if (archive_entry_hardlink(entrada) != nullptr || tipo == AE_IFLNK) {
            avisos.push_back("Se omite " + ruta + " (en " + nombre + "): es un enlace.");
            continue;
        }
        if (partes.empty()) {
            if (!ruta.empty() && ruta != "./")
                avisos.push_back("Se omite " + ruta + " (en " + nombre +
                                 "): su ruta sale de la carpeta.");
            continue;
        }
        if (tipo == AE_IFDIR) {
            if (!crearCarpetas(destino, partes, partes.size()))
                avisos.push_back("Se omite la carpeta " + ruta + " (en " + nombre + ").");
            continue;
        }
        if (tipo != AE_IFREG) {
            avisos.push_back("Se omite " + ruta + " (en " + nombre + "): no es un archivo.");
            continue;
        }
        const fs::path salida = fs::path(destino) / unirPartes(partes);
        int f = -1;
        if (crearCarpetas(destino, partes, partes.size() - 1))
            f = open(salida.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (f < 0) {
            avisos.push_back("Se omite " + ruta + " (en " + nombre + "): está repetido.");
            continue;
        }
        std::size_t esteArchivo = 0;
        const void* bloque = nullptr;
        std::size_t tam = 0;
        la_int64_t desplazamiento = 0;
        for (;;) {
            const int rr = archive_read_data_block(a, &bloque, &tam, &desplazamiento);
            if (rr == ARCHIVE_EOF) break;
            if (rr != ARCHIVE_OK && rr != ARCHIVE_WARN) {
                error = nombre +
                        " está dañado: " + (archive_error_string(a) ? archive_error_string(a) : "");
                break;
            }
            esteArchivo += tam;
            total += tam;
            const std::size_t leido = static_cast<std::size_t>(archive_filter_bytes(a, -1));
            if (esteArchivo > topes.porArchivo || total > topes.total ||
                (total > (std::size_t{1} << 20) && total > topes.expansion * (leido + 1))) {
                error = nombre + " se expande demasiado (más de " +
                        std::to_string(topes.total >> 20) + " MiB, o " +
                        std::to_string(topes.expansion) +
                        " veces lo que ocupa): parece una bomba de descompresión, no se lee";
                break;
            }
            const char* p = static_cast<const char*>(bloque);
            for (std::size_t hecho = 0; hecho < tam;) {
                const ssize_t n = write(f, p + hecho, tam - hecho);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) {
                    close(f);
                    archive_read_free(a);
                    close(fd);
                    throw ErrorDelComprobador("No se pudo escribir en la carpeta de trabajo (" +
                                              destino + "): " + std::strerror(errno) + ".");
                }
                hecho += static_cast<std::size_t>(n);
            }
        }
        close(f);
    }
    archive_read_free(a);
    close(fd);
    return error;
}

std::string comprimir(const std::string& archivo,
                      const std::vector<std::pair<std::string, std::string>>& archivos) {
    const EnUtf8 utf8;
    archive* a = archive_write_new();
    if (terminaEn(minusculas(archivo), ".tar.gz")) {
        archive_write_set_format_pax_restricted(a);
        archive_write_add_filter_gzip(a);
    } else {
        archive_write_set_format_zip(a);
        archive_write_set_options(a, "zip:hdrcharset=UTF-8");
    }
    const std::string nombre = fs::path(archivo).filename().string();
    if (archive_write_open_filename(a, archivo.c_str()) != ARCHIVE_OK) {
        archive_write_free(a);
        return "No se pudo escribir " + nombre;
    }
    std::string error;
    for (const auto& [ruta, contenido] : archivos) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, ruta.c_str());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, static_cast<la_int64_t>(contenido.size()));
        if (archive_write_header(a, e) != ARCHIVE_OK ||
            archive_write_data(a, contenido.data(), contenido.size()) !=
                static_cast<la_ssize_t>(contenido.size()))
            error = "No se pudo escribir " + nombre;
        archive_entry_free(e);
        if (!error.empty()) break;
    }
    if (archive_write_close(a) != ARCHIVE_OK && error.empty())
        error = "No se pudo escribir " + nombre;
    archive_write_free(a);
    return error;
}

bool alumnoDe(const std::string& nombre, Alumno& alumno, std::string& resto) {
    const std::size_t marca = nombre.find("_assignsubmission_");
    if (marca == std::string::npos) return false;
    const std::size_t finId = marca;
    const std::size_t inicioId = nombre.rfind('_', finId - 1);
    if (inicioId == std::string::npos || inicioId + 1 >= finId) return false;
    const std::string id = nombre.substr(inicioId + 1, finId - inicioId - 1);
    if (!std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    alumno.nombre = nombre.substr(0, inicioId);
    alumno.id = id;
    // Tras «_assignsubmission_file_» (o «_onlinetext_»...), el nombre del archivo.
    const std::size_t tipo = nombre.find('_', marca + 18);
    resto = tipo == std::string::npos ? "" : nombre.substr(tipo + 1);
    return !alumno.nombre.empty();
}

std::string ejercicioDe(const std::vector<std::string>& nombres) {
    std::string hallado;
    for (const nucleo::Ejercicio& e : nucleo::ejercicios()) {
        bool esta = false;
        for (const std::string& n : nombres) {
            const std::string m = minusculas(n);
            // El nombre entero, no dentro de otro («ringchain» y no «ringchainx»).
            for (std::size_t p = m.find(e.programa); p != std::string::npos && !esta;
                 p = m.find(e.programa, p + 1)) {
                const std::size_t fin = p + e.programa.size();
                const bool antes = p == 0 || !std::isalnum(static_cast<unsigned char>(m[p - 1]));
                const bool despues =
                    fin == m.size() || !std::isalnum(static_cast<unsigned char>(m[fin]));
                esta = antes && despues;
            }
        }
        if (!esta) continue;
        if (!hallado.empty() && hallado != e.programa) return "";
        hallado = e.programa;
    }
    return hallado;
}

std::string leerDescarga(const std::string& argumento, const std::string& trabajo, Descarga& d) {
    // «EJERCICIO=DESCARGA», si lo que va antes del = es un ejercicio.
    d.ruta = argumento;
    const std::size_t igual = argumento.find('=');
    if (igual != std::string::npos &&
        nucleo::buscarEjercicio(argumento.substr(0, igual)) != nullptr) {
        d.programa = argumento.substr(0, igual);
        d.ruta = argumento.substr(igual + 1);
    }
    std::error_code ec;
    const fs::path ruta = fs::absolute(d.ruta, ec);
    if (!fs::exists(ruta)) return "No existe " + d.ruta + ".";
    const fs::path leida = fs::path(trabajo) / "descarga";
    fs::create_directories(leida, ec);
    std::string error;
    if (fs::is_directory(ruta)) {
        error = copiarCarpeta(ruta, leida, Topes{}, d.avisos);
    } else if (esComprimido(ruta.filename().string())) {
        error = extraer(ruta.string(), leida.string(), Topes{}, d.avisos);
    } else {
        return d.ruta +
               " no es una descarga de la plataforma: da el zip (o tar) tal como se "
               "descarga, o la carpeta donde se descomprimió.";
    }
    if (!error.empty()) return error + ".";

    // Los alumnos: las carpetas (o los archivos) con el prefijo de la plataforma, donde estén.
    std::vector<Carpeta> carpetas;
    std::map<std::string, std::size_t> porPrefijo;
    std::vector<std::string> nombres = {ruta.filename().string()};
    for (auto it = fs::recursive_directory_iterator(leida, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string nombre = it->path().filename().string();
        nombres.push_back(nombre);
        Alumno alumno;
        std::string resto;
        if (!alumnoDe(nombre, alumno, resto)) continue;
        if (it->is_directory(ec)) {
            carpetas.push_back({alumno, nombre, it->path()});
            it.disable_recursion_pending();
            continue;
        }
        // Sin carpetas: cada archivo lleva el prefijo; se juntan los del mismo alumno en una
        // carpeta suya, con su nombre original.
        const std::string prefijo = nombre.substr(0, nombre.size() - resto.size());
        auto [pos, nuevo] = porPrefijo.try_emplace(prefijo, carpetas.size());
        if (nuevo) {
            const fs::path suya = fs::path(trabajo) / "alumnos" / std::to_string(carpetas.size());
            fs::create_directories(suya, ec);
            carpetas.push_back({alumno, prefijo, suya, false});
        }
        const fs::path destino = carpetas[pos->second].ruta / (resto.empty() ? nombre : resto);
        fs::rename(it->path(), destino, ec);
    }
    carpetas = juntarPorAlumno(carpetas, trabajo);
    if (carpetas.empty()) {
        // Sin el prefijo de la plataforma: cada carpeta de primer nivel es un alumno, y cada
        // fuente suelto también.
        for (const auto& e : fs::directory_iterator(leida, ec)) {
            const std::string nombre = e.path().filename().string();
            if (e.is_directory(ec)) {
                carpetas.push_back({{nombre, ""}, nombre, e.path()});
            } else if (esFuenteDeCpp(nombre)) {
                const fs::path suya =
                    fs::path(trabajo) / "alumnos" / std::to_string(carpetas.size());
                fs::create_directories(suya, ec);
                fs::rename(e.path(), suya / nombre, ec);
                carpetas.push_back(
                    {{e.path().stem().string(), ""}, e.path().stem().string() + "_", suya, false});
            }
        }
    }
    if (carpetas.empty()) return "En " + d.ruta + " no hay ninguna entrega.";
    for (const Carpeta& c : carpetas) {
        abrirComprimidos(c.ruta, d.avisos);
        for (const fs::path& a : archivosDe(c.ruta)) nombres.push_back(a.filename().string());
    }
    if (d.programa.empty()) {
        // El del nombre de la descarga; si no, el de los nombres de sus archivos.
        d.programa = ejercicioDe({ruta.filename().string()});
        if (d.programa.empty()) d.programa = ejercicioDe(nombres);
        if (d.programa.empty()) {
            return "No sé de qué ejercicio es " + d.ruta + ": dilo delante, EJERCICIO=" + d.ruta +
                   " (por ejemplo ringchain=" + d.ruta + ").";
        }
    }
    const nucleo::Ejercicio& ejercicio = *nucleo::buscarEjercicio(d.programa);
    std::sort(carpetas.begin(), carpetas.end(),
              [](const Carpeta& a, const Carpeta& b) { return a.nombre < b.nombre; });
    for (const Carpeta& c : carpetas) {
        EntregaDeAlumno e;
        e.alumno = c.alumno;
        e.carpeta = c.nombre;
        e.enCarpeta = c.enCarpeta;
        elegir(ejercicio, c.ruta, e);
        d.entregas.push_back(std::move(e));
    }
    return "";
}

}  // namespace comprobador

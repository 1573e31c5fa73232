#include "archivos.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "orquesta.h"
#include "rutas.h"

namespace fs = std::filesystem;

namespace comprobador {

namespace {

std::string tamano(std::size_t bytes) {
    return bytes >= (std::size_t{1} << 20) ? std::to_string(bytes >> 20) + " MiB"
                                           : std::to_string(bytes >> 10) + " KiB";
}

// El descriptor se cierra al salir, pase lo que pase.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
};

// ¿Es un enlace simbólico? (sin seguirlo)
bool esEnlace(const fs::path& ruta) {
    struct stat st {};
    return lstat(ruta.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace

std::string leerSinEnlaces(const std::string& ruta, std::size_t maximo, std::string& contenido) {
    const std::string nombre = paraMostrar(ruta);
    Descriptor d{open(ruta.c_str(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)};
    if (d.fd < 0) {
        if (errno == ELOOP) return nombre + " es un enlace simbólico: no se sigue";
        if (errno == ENOENT) return "No existe " + nombre;
        return "No se puede leer " + nombre + ": " + std::strerror(errno);
    }
    struct stat st {};
    if (fstat(d.fd, &st) != 0) return "No se puede leer " + nombre + ": " + std::strerror(errno);
    if (!S_ISREG(st.st_mode)) return nombre + " no es un archivo normal";
    if (st.st_nlink > 1)
        return nombre + " tiene más de un nombre en el disco (un enlace duro): no se lee";
    if (static_cast<std::uintmax_t>(st.st_size) > maximo)
        return nombre + " pesa más de " + tamano(maximo) + ": no es un fuente";
    contenido.clear();
    char trozo[65536];
    for (;;) {
        const ssize_t n = read(d.fd, trozo, sizeof trozo);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return "No se puede leer " + nombre + ": " + std::strerror(errno);
        if (n == 0) break;
        contenido.append(trozo, static_cast<std::size_t>(n));
        // Un archivo que crece mientras se lee tampoco pasa del tope.
        if (contenido.size() > maximo)
            return nombre + " pesa más de " + tamano(maximo) + ": no es un fuente";
    }
    return "";
}

bool esDelSistema(const fs::path& ruta) {
    for (const fs::path& parte : ruta) {
        if (parte == "__MACOSX") return true;
    }
    const std::string nombre = ruta.filename().string();
    return nombre.rfind("._", 0) == 0 || nombre == ".DS_Store" || nombre == "Thumbs.db" ||
           nombre == "desktop.ini";
}

void escribirNuevo(const std::string& ruta, const std::string& contenido) {
    Descriptor d{open(ruta.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644)};
    const auto fallar = [&] {
        throw ErrorDelComprobador("No se pudo escribir en la carpeta temporal (" + ruta +
                                  "): " + std::strerror(errno) + ".");
    };
    if (d.fd < 0) fallar();
    for (std::size_t hecho = 0; hecho < contenido.size();) {
        const ssize_t n = write(d.fd, contenido.data() + hecho, contenido.size() - hecho);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fallar();
        hecho += static_cast<std::size_t>(n);
    }
    if (close(d.fd) != 0) {
        d.fd = -1;
        fallar();
    }
    d.fd = -1;
}

std::string copiarEntrega(const nucleo::Ejercicio& ejercicio, const Entrega& entrega,
                          const std::string& temporal, std::string& fuente) {
    const fs::path principal = entrega.principal;
    // Dentro, el archivo se llama como lo conoce quien comprueba (relativo a donde dio la
    // orden); si queda fuera de esa carpeta, por su nombre.
    fs::path relativa = paraMostrar(principal);
    if (relativa.is_absolute() || relativa.empty() || *relativa.begin() == "..")
        relativa = principal.filename();
    fuente = relativa.string();
    const fs::path destino = fs::path(temporal) / relativa.parent_path();
    std::error_code ec;
    fs::create_directories(destino, ec);
    if (ec) {
        throw ErrorDelComprobador("No se pudo crear la carpeta temporal " + destino.string() +
                                  ": " + ec.message() + ".");
    }

    // Los archivos que se copian: el principal y los que lo acompañan.
    std::vector<fs::path> archivos = {principal};
    const fs::path carpeta = principal.parent_path();
    if (ejercicio.forma == nucleo::Forma::Carpeta) {
        // Los del proyecto (main.cpp, Cir.h, Cir.cpp y los que haya), no sus carpetas; un
        // enlace entre ellos rechaza la entrega.
        archivos.clear();
        DIR* d = opendir(carpeta.c_str());
        if (d == nullptr) return "No se puede leer la carpeta " + paraMostrar(carpeta);
        while (const dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n == "." || n == "..") continue;
            struct stat st {};
            if (fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            if (S_ISLNK(st.st_mode) || S_ISREG(st.st_mode)) archivos.push_back(carpeta / n);
        }
        closedir(d);
        std::sort(archivos.begin(), archivos.end());
    } else if (ejercicio.forma == nucleo::Forma::Lista) {
        const fs::path lista = carpeta / "node_list.h";
        if (esEnlace(lista) || fs::is_regular_file(fs::symlink_status(lista)))
            archivos.push_back(lista);
    }
    for (const fs::path& a : archivos) {
        std::string contenido;
        const std::string error = leerSinEnlaces(a.string(), kTamanoMaximo, contenido);
        if (!error.empty()) return "Se rechaza la entrega: " + error + ".";
        if (a == principal && contenido.empty())
            return "El archivo " + entrega.nombre + " está vacío: escribe en él tu solución.";
        escribirNuevo((destino / a.filename()).string(), contenido);
    }
    return "";
}

}  // namespace comprobador

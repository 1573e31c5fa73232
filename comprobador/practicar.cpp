#include "practicar.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rutas.h"

namespace fs = std::filesystem;

namespace comprobador {

namespace {

std::string leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

// El enunciado como comentario de bloque (sin "*/" dentro, que lo cerraría antes de tiempo).
std::string comentarioDelEnunciado(const fs::path& enunciado) {
    std::string texto = leer(enunciado);
    if (texto.empty()) texto = "Enunciado: " + paraMostrar(enunciado) + "\n";
    for (std::size_t p = texto.find("*/"); p != std::string::npos; p = texto.find("*/", p)) {
        texto.replace(p, 2, "* /");
    }
    return "/*\n" + texto + (texto.back() == '\n' ? "" : "\n") + "*/\n\n";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> puntoDePartida(const nucleo::Ejercicio& ejercicio,
                                                                const std::string& raiz) {
    const std::string& p = ejercicio.programa;
    const fs::path enunciado = fs::path(raiz) / ejercicio.carpeta / "enunciado.md";
    const std::string comentario = comentarioDelEnunciado(enunciado);
    const std::string vacio = "int main() {\n    // Tu solución.\n    return 0;\n}\n";
    if (ejercicio.forma == nucleo::Forma::Carpeta) {
        return {
            {p + "/main.cpp", comentario + "#include \"Cir.cpp\"\n\n" + vacio},
            {p + "/Cir.h", "// La declaración de la clase Cir (el enunciado está en main.cpp).\n"},
            {p + "/Cir.cpp",
             "// Las funciones miembro de Cir (el enunciado está en main.cpp).\n"
             "#include \"Cir.h\"\n"}};
    }
    std::string inicio;
    if (ejercicio.forma == nucleo::Forma::Lista) {
        inicio =
            "// node_list.h está junto a este archivo: es el de la colección, y si lo\n"
            "// cambias, la comprobación usa el tuyo.\n#include \"node_list.h\"\n\n";
    }
    return {{p + ".cpp", comentario + inicio + vacio}};
}

}  // namespace comprobador

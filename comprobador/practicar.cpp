#include "practicar.h"

#include <filesystem>
#include <fstream>
#include <iostream>
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

void escribirSiNoExiste(const fs::path& ruta, const std::string& contenido) {
    if (fs::exists(ruta)) {
        std::cout << "Ya existe " << paraMostrar(ruta) << ": no se toca, sigue con tu solución.\n";
        return;
    }
    std::ofstream(ruta, std::ios::binary) << contenido;
    std::cout << "Creado " << paraMostrar(ruta) << "\n";
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
        const std::string cabecera =
            (fs::path(ejercicio.fuente).parent_path() / "node_list.h").string();
        inicio =
            "// Si escribes tu propio node_list.h junto a este archivo, se usa el tuyo; si no,\n"
            "// la comprobación usa el de la colección (" +
            cabecera + ").\n#include \"node_list.h\"\n\n";
    }
    return {{p + ".cpp", comentario + inicio + vacio}};
}

int practicar(const nucleo::Ejercicio& ejercicio, const std::string& raiz) {
    const std::string& p = ejercicio.programa;
    const fs::path practica = fs::path(raiz) / "practica";
    const fs::path enunciado = fs::path(raiz) / ejercicio.carpeta / "enunciado.md";
    for (const auto& [nombre, contenido] : puntoDePartida(ejercicio, raiz)) {
        const fs::path ruta = practica / nombre;
        fs::create_directories(ruta.parent_path());
        escribirSiNoExiste(ruta, contenido);
    }
    std::cout << "El enunciado, con sus dibujos: " << paraMostrar(enunciado) << "\n"
              << "Cuando tengas tu solución, compruébala con:\n"
              << "    " << lanzador(raiz) << " comprobar " << p << "\n";
    return 0;
}

}  // namespace comprobador

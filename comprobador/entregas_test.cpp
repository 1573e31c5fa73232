// Las entregas de una ruta: un archivo .cpp, una carpeta de ellos con sus subcarpetas (una por
// alumno), o para el ejercicio de varios archivos, carpetas con main.cpp; lo demás se rechaza o
// se omite diciendo por qué.
#include "entregas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogo.h"
#include "proceso.h"

namespace fs = std::filesystem;

namespace {

void crear(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "int main() {}\n";
}

std::vector<std::string> nombres(const std::vector<comprobador::Entrega>& entregas) {
    std::vector<std::string> r;
    for (const auto& e : entregas) r.push_back(e.nombre);
    return r;
}

TEST(Entregas, UnaCarpetaConSubcarpetasPorAlumno) {
    nucleo::CarpetaTemporal t("prueba-entregas");
    const fs::path c = fs::path(t.ruta()) / "entregas";
    crear(c / "ana.cpp");
    crear(c / "fabián" / "main.cpp");
    crear(c / "vacía" / "notas.txt");
    std::ofstream(c / "léeme.txt") << "x";
    // Lo que macOS deja al copiar en un disco que no es suyo no son entregas.
    crear(c / "._ana.cpp");
    crear(c / "fabián" / "._main.cpp");
    crear(c / "__MACOSX" / "._ana.cpp");
    std::vector<comprobador::Entrega> entregas;
    std::vector<std::string> omitidas;
    std::string error;
    ASSERT_TRUE(comprobador::entregasDe(*nucleo::buscarEjercicio("fixedsquare"), c.string(),
                                        entregas, omitidas, error))
        << error;
    EXPECT_EQ(nombres(entregas), (std::vector<std::string>{(c / "ana.cpp").string(),
                                                           (c / "fabián" / "main.cpp").string()}));
    EXPECT_EQ(omitidas,
              std::vector<std::string>{(c / "vacía").string() + ": no tiene archivos .cpp"});
}

TEST(Entregas, LoQueNoEsUnaEntregaSeRechaza) {
    nucleo::CarpetaTemporal t("prueba-entregas");
    const fs::path raiz = t.ruta();
    std::ofstream(raiz / "sol.txt") << "int main() {}\n";
    fs::create_directories(raiz / "sin_nada");
    crear(raiz / "proyectos" / "ana" / "main.cpp");
    fs::create_directories(raiz / "proyectos" / "beto");
    struct Fila {
        const char* programa;
        fs::path ruta;
        bool hay;
        std::string error;
    } filas[] = {
        {"fixedsquare", raiz / "sol.txt", false, "no es un archivo .cpp"},
        {"fixedsquare", raiz / "no_existe.cpp", false, "No existe"},
        {"fixedsquare", raiz / "sin_nada", false, "no hay ningún archivo .cpp"},
        {"ellipsegirth", raiz / "sin_nada", false, "no tiene main.cpp"},
        {"ellipsegirth", raiz / "proyectos", true, ""},
    };
    for (const Fila& f : filas) {
        std::vector<comprobador::Entrega> entregas;
        std::vector<std::string> omitidas;
        std::string error;
        EXPECT_EQ(comprobador::entregasDe(*nucleo::buscarEjercicio(f.programa), f.ruta.string(),
                                          entregas, omitidas, error),
                  f.hay)
            << f.ruta;
        EXPECT_NE(error.find(f.error), std::string::npos) << error;
        if (f.hay) {
            EXPECT_EQ(nombres(entregas), std::vector<std::string>{(f.ruta / "ana").string()});
            EXPECT_EQ(omitidas,
                      std::vector<std::string>{(f.ruta / "beto").string() + ": no tiene main.cpp"});
        }
    }
}

}  // namespace

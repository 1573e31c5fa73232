// La copia de una entrega no lleva nada del anfitrión: un enlace simbólico o duro a un archivo
// del profesor, un archivo enorme o disperso, una tubería con nombre... se rechazan con una línea
// que lo dice, y una carpeta enlazada no se recorre.
#include "archivos.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "catalogo.h"
#include "entregas.h"
#include "proceso.h"

namespace fs = std::filesystem;

namespace comprobador {
namespace {

struct Prueba : testing::Test {
    nucleo::CarpetaTemporal t{"prueba-archivos"};
    fs::path raiz = t.ruta();
    fs::path secreto = raiz / "secreto.txt";
    fs::path copia = raiz / "copia";

    void SetUp() override {
        std::ofstream(secreto) << "root:$6$clave:19000::::::\n";
        fs::create_directories(copia);
    }
    void escribir(const fs::path& p, const std::string& texto = "int main() {}\n") {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << texto;
    }
    // La causa del rechazo ("" si se copió), y que nada del secreto llegó a la copia.
    std::string copiar(const char* programa, const fs::path& principal) {
        fs::remove_all(copia);
        fs::create_directories(copia);
        std::string fuente;
        const std::string r =
            copiarEntrega(*nucleo::buscarEjercicio(programa),
                          {principal.string(), principal.string()}, copia.string(), fuente);
        for (const auto& e : fs::recursive_directory_iterator(copia)) {
            std::ifstream f(e.path());
            const std::string texto((std::istreambuf_iterator<char>(f)), {});
            EXPECT_EQ(texto.find("clave"), std::string::npos) << e.path();
        }
        return r;
    }
};

TEST_F(Prueba, LoQueNoEsUnFuenteDeLaEntregaSeRechazaDiciendoPorQue) {
    const fs::path enlace = raiz / "a" / "sol.cpp";
    fs::create_directories(enlace.parent_path());
    fs::create_symlink(secreto, enlace);
    const fs::path duro = raiz / "b" / "sol.cpp";
    fs::create_directories(duro.parent_path());
    fs::create_hard_link(secreto, duro);
    const fs::path grande = raiz / "c" / "sol.cpp";
    escribir(grande, std::string(kTamanoMaximo + 1, 'x'));
    const fs::path disperso = raiz / "d" / "sol.cpp";
    escribir(disperso, "");
    fs::resize_file(disperso, std::uintmax_t{8} << 30);  // 8 GiB sin ocupar disco
    const fs::path tuberia = raiz / "e" / "sol.cpp";
    fs::create_directories(tuberia.parent_path());
    ASSERT_EQ(mkfifo(tuberia.c_str(), 0600), 0);
    const fs::path vacio = raiz / "f" / "sol.cpp";
    escribir(vacio, "");
    const fs::path proyecto = raiz / "g" / "main.cpp";
    escribir(proyecto, "#include \"Cir.cpp\"\n");
    fs::create_symlink(secreto, raiz / "g" / "Cir.h");
    const fs::path lista = raiz / "h" / "sol.cpp";
    escribir(lista);
    fs::create_symlink(secreto, raiz / "h" / "node_list.h");
    struct Fila {
        const char* programa;
        fs::path ruta;
        std::string motivo;
    } filas[] = {
        {"fixedsquare", enlace, "es un enlace simbólico"},
        {"fixedsquare", duro, "tiene más de un nombre en el disco"},
        {"fixedsquare", grande, "pesa más de 1 MiB"},
        {"fixedsquare", disperso, "pesa más de 1 MiB"},
        {"fixedsquare", tuberia, "no es un archivo normal"},
        {"fixedsquare", vacio, "está vacío: escribe en él tu solución"},
        {"ellipsegirth", proyecto, "Cir.h es un enlace simbólico"},
        {"nodesearch", lista, "node_list.h es un enlace simbólico"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.ruta);
        const std::string rechazo = copiar(f.programa, f.ruta);
        EXPECT_NE(rechazo.find(f.motivo), std::string::npos) << rechazo;
        EXPECT_EQ(rechazo.find("secreto"), std::string::npos) << "no dice adónde lleva el enlace";
    }
}

TEST_F(Prueba, UnaEntregaNormalSeCopiaConLoQueLaAcompana) {
    const fs::path proyecto = raiz / "ana" / "main.cpp";
    escribir(proyecto, "#include \"Cir.cpp\"\n");
    escribir(raiz / "ana" / "Cir.cpp", "#include \"Cir.h\"\n");
    escribir(raiz / "ana" / "Cir.h", "class Cir {};\n");
    EXPECT_EQ(copiar("ellipsegirth", proyecto), "");
    std::size_t archivos = 0;
    for (const auto& e : fs::recursive_directory_iterator(copia)) archivos += e.is_regular_file();
    EXPECT_EQ(archivos, 3u);
}

// Una carpeta enlazada dentro de una carpeta de entregas no se recorre: se dice que se omite.
TEST_F(Prueba, UnaCarpetaEnlazadaNoSeRecorre) {
    const fs::path entregas = raiz / "entregas";
    escribir(entregas / "ana" / "main.cpp");
    fs::create_directories(raiz / "fuera");
    escribir(raiz / "fuera" / "otra.cpp");
    fs::create_directory_symlink(raiz / "fuera", entregas / "beto");
    std::vector<Entrega> encontradas;
    std::vector<std::string> omitidas;
    std::string error;
    ASSERT_TRUE(entregasDe(*nucleo::buscarEjercicio("fixedsquare"), entregas.string(), encontradas,
                           omitidas, error));
    ASSERT_EQ(encontradas.size(), 1u);
    EXPECT_EQ(omitidas, std::vector<std::string>{(entregas / "beto").string() +
                                                 ": es un enlace simbólico, no se sigue"});
}

}  // namespace
}  // namespace comprobador

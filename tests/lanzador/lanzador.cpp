// El lanzador ./ejercicios: lista exactamente los programas compilados y su demostración
// ejecuta todos sin fallar. Usa los programas de este árbol de compilación (EJ_BIN), así que
// no compila nada.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "catalogo.h"
#include "proceso.h"
#include "tabla.h"

namespace {

const std::string kLanzador = std::string(EJ_RAIZ) + "/ejercicios";

nucleo::Opciones conProgramasCompilados() {
    // La demostración ejecuta también los programas que conservan nodos a propósito.
    nucleo::Opciones opciones = nucleo::sinDeteccionDeFugas();
    opciones.entorno.push_back(std::string("EJ_BIN=") + EJ_BIN_DIR);
    opciones.limite = std::chrono::seconds(50);
    return opciones;
}

std::set<std::string> programasCompilados() {
    std::set<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(EJ_BIN_DIR)) {
        nombres.insert(e.path().filename().string());
    }
    return nombres;
}

size_t contar(const std::string& texto, const std::string& trozo) {
    size_t n = 0;
    for (size_t p = texto.find(trozo); p != std::string::npos; p = texto.find(trozo, p + 1)) ++n;
    return n;
}

TEST(Lanzador, ListaExactamenteLosVeintiseisProgramasCompilados) {
    nucleo::Resultado r = nucleo::ejecutar(kLanzador, "", conProgramasCompilados());
    ASSERT_TRUE(r.terminoBien()) << r;
    std::set<std::string> listados;
    std::istringstream lineas(r.salida);
    for (std::string linea; std::getline(lineas, linea);) {
        if (linea.rfind("  ", 0) == 0) {
            std::istringstream palabras(linea);
            std::string nombre;
            palabras >> nombre;
            listados.insert(nombre);
        }
    }
    EXPECT_EQ(listados.size(), nucleo::ejercicios().size());
    EXPECT_EQ(listados, programasCompilados());
    EXPECT_EQ(r.salida.find("no disponible"), std::string::npos) << r.salida;
}

TEST(Lanzador, LaDemostracionEjecutaTodosSinFallar) {
    nucleo::Opciones opciones = conProgramasCompilados();
    opciones.argumentos = {"--demo"};
    nucleo::Resultado r = nucleo::ejecutar(kLanzador, "", opciones);
    ASSERT_TRUE(r.terminoBien()) << r;
    // Una transcripción por programa (la primera no va tras un salto de línea).
    EXPECT_EQ(contar("\n" + r.salida, "\n=== "), nucleo::ejercicios().size());
    EXPECT_EQ(r.salida.rfind("=== nodesearch", 0), 0u);
    EXPECT_EQ(r.salida.find("no disponible"), std::string::npos) << r.salida;
    EXPECT_EQ(r.salida.find("(terminó con estado"), std::string::npos) << r.salida;
    // Una muestra: la transcripción de ringchain con su entrada.
    EXPECT_NE(r.salida.find("$ printf '3\\n10\\n20\\n30\\n' | ./ejercicios ringchain\n"
                            "Ingrese el número de elementos: Ingrese el dato 1: Ingrese el dato 2: "
                            "Ingrese el dato 3: 10 <-> 20 <-> 30 <-> cabeza\n"),
              std::string::npos)
        << r.salida;
}

TEST(Lanzador, RechazaUnEjercicioQueNoExiste) {
    nucleo::Opciones opciones = conProgramasCompilados();
    opciones.argumentos = {"noexiste"};
    nucleo::Resultado r = nucleo::ejecutar(kLanzador, "", opciones);
    EXPECT_EQ(r.estado, 2) << r;
    EXPECT_EQ(r.salida, "");
    EXPECT_NE(r.errores.find("No existe el ejercicio \"noexiste\""), std::string::npos) << r;
}

TEST(Lanzador, EjecutaUnEjercicioConLaEntradaDelAlumno) {
    nucleo::Opciones opciones = conProgramasCompilados();
    opciones.argumentos = {"ringchain"};
    nucleo::Resultado r = nucleo::ejecutar(kLanzador, "1 7\n", opciones);
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "Ingrese el número de elementos: Ingrese el dato 1: 7 <-> cabeza\n");
}

}  // namespace

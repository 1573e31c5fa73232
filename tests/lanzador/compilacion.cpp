// Cómo compila el lanzador ./ejercicios, sobre copias del repositorio (nunca el árbol real):
// solo el programa que se ejecuta y solo si ha cambiado, los errores del compilador sin el
// ruido de make, una configuración fallida que se repite la vez siguiente, la demostración con
// un programa que no compila, el proyecto sin GoogleTest y la plantilla de "practicar".
//
// Compilacion.*: cada prueba en su propia copia (configurar una copia tarda medio segundo).
// Preparacion.* y Compartida.*: una copia compartida con los programas ya compilados, para
// que ninguna prueba tenga que compilarlos todos. Con ctest cada prueba es un proceso: la copia
// vive en la carpeta EJ_COPIA_COMPARTIDA, la prepara Preparacion (fixture de ctest), las
// Compartida la usan de una en una (RESOURCE_LOCK) y lanzador.BorrarCopiaCompartida la borra.
// Ejecutando el binario a mano, la copia va a una carpeta temporal que se borra al terminar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalogo.h"
#include "copia.h"
#include "proceso.h"

namespace {

using lanzador::archivos;
using lanzador::Cambio;
using lanzador::contar;
using lanzador::Copia;
using lanzador::lineas;
using lanzador::LlamadaACmake;
namespace fs = std::filesystem;

const std::string kRoto = "\nstatic_assert(false, \"roto a propósito\");\n";
const std::string kRegistro = "El registro completo está en build/ejercicios-compilacion.log\n";

std::string avisoPrimeraVez(const std::string& que) {
    return "Compilando " + que + " (la primera vez tarda unos segundos)...\n";
}

bool empiezaPor(const std::string& texto, const std::string& inicio) {
    return texto.rfind(inicio, 0) == 0;
}

bool terminaEn(const std::string& texto, const std::string& final) {
    return texto.size() >= final.size() &&
           texto.compare(texto.size() - final.size(), final.size(), final) == 0;
}

// Una llamada es la configuración si no compila nada.
bool esConfiguracion(const LlamadaACmake& llamada) {
    return llamada.argumentos.find("--build") == std::string::npos &&
           llamada.argumentos.find("--preset default") != std::string::npos;
}

// Los objetivos que piden las llamadas de compilación, en orden.
std::vector<std::string> objetivos(const std::vector<LlamadaACmake>& llamadas) {
    std::vector<std::string> resultado;
    for (const LlamadaACmake& llamada : llamadas) {
        if (llamada.argumentos.find("--build --preset default") == std::string::npos) continue;
        std::istringstream palabras(llamada.argumentos);
        std::string palabra, objetivo;
        while (palabras >> palabra) {
            if (palabra == "--target") palabras >> objetivo;
        }
        resultado.push_back(objetivo);
    }
    return resultado;
}

std::string describir(const std::vector<LlamadaACmake>& llamadas) {
    std::string texto = "llamadas a cmake:\n";
    for (const LlamadaACmake& l : llamadas) {
        texto += "  cmake " + l.argumentos + " (con " + std::to_string(l.erroresPrevios) +
                 " bytes ya en la salida de error)\n";
    }
    return texto;
}

// Ejecutables de pruebas en el árbol de compilación: el lanzador no debe compilar ninguno.
std::vector<std::string> pruebasCompiladas(const Copia& copia) {
    std::vector<std::string> pruebas;
    for (const std::string& nombre : archivos(copia.arbol() / "tests")) {
        const fs::path ruta = copia.arbol() / "tests" / nombre;
        if (fs::is_regular_file(ruta) &&
            (fs::status(ruta).permissions() & fs::perms::owner_exec) != fs::perms::none) {
            pruebas.push_back(nombre);
        }
    }
    return pruebas;
}

// Líneas de make, no del compilador: "gmake[2]: ...", "make: ...", "[ 50%] ...", y los
// avisos de CMake sobre dependencias.
bool esRuidoDeMake(const std::string& linea) {
    for (const char* inicio : {"make", "gmake", "Consolidate compiler", "Scanning dependencies"}) {
        if (empiezaPor(linea, inicio)) return true;
    }
    const size_t cierre = linea.find("%]");
    return empiezaPor(linea, "[") && cierre != std::string::npos &&
           linea.find_first_not_of(" 0123456789", 1) == cierre;
}

// Los programas del catálogo, tal como los lista ./ejercicios.
std::vector<std::string> catalogo(const Copia& copia) {
    nucleo::Resultado r = copia.lanzar({});
    std::vector<std::string> nombres;
    for (const std::string& linea : lineas(r.salida)) {
        if (!empiezaPor(linea, "  ")) continue;
        std::istringstream palabras(linea);
        std::string nombre;
        palabras >> nombre;
        nombres.push_back(nombre);
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

// La línea que sigue a la cabecera "=== NOMBRE (" de una demostración.
std::string lineaTrasCabecera(const std::string& demo, const std::string& programa) {
    const std::vector<std::string> todas = lineas(demo);
    for (size_t i = 0; i + 1 < todas.size(); ++i) {
        if (empiezaPor(todas[i], "=== " + programa + " (")) return todas[i + 1];
    }
    return "(sin cabecera de " + programa + ")";
}

std::string reemplazar(std::string texto, const std::string& de, const std::string& por) {
    const size_t p = texto.find(de);
    if (p != std::string::npos) texto.replace(p, de.size(), por);
    return texto;
}

// La copia compartida (véase el comentario del principio).
Copia& copiaCompartida(bool nueva) {
    static std::unique_ptr<Copia> copia;
    if (!copia) {
        const char* carpeta = std::getenv("EJ_COPIA_COMPARTIDA");
        if (carpeta != nullptr && *carpeta != '\0') {
            copia = std::make_unique<Copia>(carpeta, nueva, false);
        } else {
            copia = std::make_unique<Copia>();
        }
    }
    return *copia;
}

fs::path marcaDePreparada(const Copia& copia) { return copia.carpeta() / "preparada"; }

// La copia compartida con los programas compilados; si nadie la ha preparado aún (una
// prueba Compartida elegida sola, fuera de ctest), se prepara aquí.
const Copia& copiaConProgramas() {
    Copia& copia = copiaCompartida(false);
    if (!fs::exists(marcaDePreparada(copia))) {
        nucleo::Resultado r = copia.lanzar({"--demo"});
        if (!r.terminoBien()) {
            ADD_FAILURE() << "No se pudo preparar la copia compartida:\n" << r;
        } else {
            std::ofstream(marcaDePreparada(copia)) << "sí\n";
        }
    }
    return copia;
}

// --- Cada prueba en su propia copia ---------------------------------------------------------

TEST(Compilacion, CompilaSoloElProgramaQueSeEjecutaYSoloSiHaCambiado) {
    Copia copia;

    // La primera vez configura y compila solo ese objetivo, y avisa antes de empezar.
    nucleo::Resultado r = copia.lanzar({"fixedsquare"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "El cuadrado de 6 es: 36\n");
    EXPECT_EQ(r.errores, avisoPrimeraVez("fixedsquare"));
    std::vector<LlamadaACmake> llamadas = copia.llamadas();
    ASSERT_EQ(llamadas.size(), 2u) << describir(llamadas);
    EXPECT_TRUE(esConfiguracion(llamadas[0])) << describir(llamadas);
    EXPECT_EQ(llamadas[0].erroresPrevios, avisoPrimeraVez("fixedsquare").size())
        << "el aviso tiene que estar escrito antes de llamar a cmake\n"
        << describir(llamadas);
    EXPECT_EQ(objetivos(llamadas), std::vector<std::string>{"fixedsquare"}) << describir(llamadas);
    EXPECT_EQ(archivos(copia.bin()), std::vector<std::string>{"fixedsquare"});
    EXPECT_EQ(pruebasCompiladas(copia), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(copia.arbol() / "comprobador" / "comprobador"));

    // Al día: ni una llamada a cmake, ni un aviso.
    r = copia.lanzar({"fixedsquare"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "El cuadrado de 6 es: 36\n");
    EXPECT_EQ(r.errores, "");
    EXPECT_TRUE(copia.llamadas().empty()) << describir(copia.llamadas());

    // Con el fuente cambiado se compila otra vez, ya sin el aviso de la primera vez.
    const std::string fuente = copia.leer("ellambda/fixedsquare.cpp");
    const std::string editado =
        reemplazar(fuente, "\"El cuadrado de \"", "\"El cuadrado (editado) de \"");
    ASSERT_NE(editado, fuente);
    Cambio cambio(copia, "ellambda/fixedsquare.cpp", editado);
    r = copia.lanzar({"fixedsquare"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "El cuadrado (editado) de 6 es: 36\n");
    EXPECT_EQ(r.errores, "Compilando fixedsquare...\n");
    EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"fixedsquare"})
        << describir(copia.llamadas());
    EXPECT_FALSE(esConfiguracion(copia.llamadas().at(0))) << describir(copia.llamadas());
}

TEST(Compilacion, UnaConfiguracionFallidaSeRepiteLaVezSiguiente) {
    Copia copia;
    const std::string cmakelists = copia.leer("CMakeLists.txt");
    const std::string roto =
        cmakelists + "\nmessage(FATAL_ERROR \"configuración rota a propósito\")\n";
    {
        Cambio cambio(copia, "CMakeLists.txt", roto);
        // Antes, tras un fallo, cada ejecución solo decía "gmake: Makefile: No such file or
        // directory": la segunda vez tiene que volver a configurar y decir lo mismo.
        for (int vez = 1; vez <= 2; ++vez) {
            SCOPED_TRACE("ejecución " + std::to_string(vez));
            nucleo::Resultado r = copia.lanzar({"fixedsquare"});
            EXPECT_EQ(r.estado, 1) << r;
            EXPECT_EQ(r.salida, "");
            EXPECT_TRUE(empiezaPor(r.errores, avisoPrimeraVez("fixedsquare"))) << r;
            EXPECT_NE(r.errores.find("configuración rota a propósito"), std::string::npos) << r;
            EXPECT_NE(r.errores.find("No se pudo preparar la compilación"), std::string::npos) << r;
            EXPECT_EQ(r.errores.find("No such file"), std::string::npos) << r;
            EXPECT_FALSE(fs::exists(copia.arbol() / "Makefile"));
            const std::vector<LlamadaACmake> llamadas = copia.llamadas();
            ASSERT_EQ(llamadas.size(), 1u) << describir(llamadas);
            EXPECT_TRUE(esConfiguracion(llamadas[0])) << describir(llamadas);
        }
    }
    // Arreglado, la ejecución siguiente configura, compila y ejecuta.
    nucleo::Resultado r = copia.lanzar({"fixedsquare"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "El cuadrado de 6 es: 36\n");
    EXPECT_TRUE(esConfiguracion(copia.llamadas().at(0))) << describir(copia.llamadas());

    // Con el árbol ya configurado, el CMakeLists.txt roto lo descubre la compilación (make
    // vuelve a ejecutar cmake): falla, y arreglado vuelve a funcionar.
    {
        Cambio cambio(copia, "CMakeLists.txt", roto);
        r = copia.lanzar({"fixedsquare"});
        EXPECT_EQ(r.estado, 1) << r;
        EXPECT_EQ(r.salida, "");
        EXPECT_NE(r.errores.find("configuración rota a propósito"), std::string::npos) << r;
    }
    r = copia.lanzar({"fixedsquare"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "El cuadrado de 6 es: 36\n");
}

TEST(Compilacion, SinGoogleTestLosEjerciciosCompilanYLasPruebasPidenInstalarlo) {
    Copia copia;
    const std::string arbol = (copia.carpeta() / "sin-googletest").string();
    nucleo::Resultado r =
        copia.orden("\"$1\" --preset default -B \"$2\" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON",
                    {EJ_CMAKE, arbol});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_NE(r.salida.find("libgtest-dev"), std::string::npos) << r;

    r = copia.orden("\"$1\" --build \"$2\" --target fixedproduct && \"$2/bin/fixedproduct\"",
                    {EJ_CMAKE, arbol});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_TRUE(terminaEn(r.salida, "\n3 * 4 = 12\n")) << r;

    r = copia.orden("\"$1\" --test-dir \"$2\" --output-on-failure", {EJ_CTEST, arbol});
    EXPECT_NE(r.estado, 0) << r;
    EXPECT_NE(r.salida.find("libgtest-dev"), std::string::npos) << r;
}

TEST(Compilacion, PracticarCreaLaPlantillaSinSobrescribirla) {
    Copia copia;

    // Compila solo el comprobador (no los programas) y crea la plantilla.
    nucleo::Resultado r = copia.lanzar({"practicar", "fixedproduct"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.errores, avisoPrimeraVez("el comprobador"));
    EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"comprobador"})
        << describir(copia.llamadas());
    EXPECT_EQ(archivos(copia.bin()), std::vector<std::string>{});
    EXPECT_TRUE(empiezaPor(r.salida, "Creado practica/fixedproduct.cpp\n")) << r;
    EXPECT_NE(r.salida.find("./ejercicios comprobar fixedproduct\n"), std::string::npos) << r;
    const std::string plantilla = copia.leer("practica/fixedproduct.cpp");
    const std::vector<std::string> enunciado =
        lineas(copia.leer("ellambda/fixedproduct/enunciado.md"));
    ASSERT_FALSE(enunciado.empty());
    EXPECT_NE(plantilla.find(enunciado.front() + "\n"), std::string::npos) << plantilla;
    EXPECT_NE(plantilla.find(enunciado.back()), std::string::npos) << plantilla;
    EXPECT_NE(plantilla.find("int main()"), std::string::npos) << plantilla;

    // La plantilla compila tal cual (el enunciado está dentro de un comentario que se cierra).
    nucleo::Resultado compilada =
        copia.orden("\"$1\" -std=c++17 -fsyntax-only practica/fixedproduct.cpp", {EJ_COMPILADOR});
    EXPECT_TRUE(compilada.terminoBien()) << compilada;

    // La segunda vez la solución del alumno no se toca, y lo dice.
    const std::string solucion =
        "#include <iostream>\nint main() { std::cout << \"3 * 4 = 12\" << std::endl; }\n";
    copia.escribir("practica/fixedproduct.cpp", solucion);
    r = copia.lanzar({"practicar", "fixedproduct"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_TRUE(empiezaPor(r.salida, "Ya existe practica/fixedproduct.cpp")) << r;
    EXPECT_EQ(r.salida.find("Creado"), std::string::npos) << r;
    EXPECT_EQ(copia.leer("practica/fixedproduct.cpp"), solucion);
    EXPECT_EQ(r.errores, "");
    EXPECT_TRUE(copia.llamadas().empty()) << describir(copia.llamadas());

    // Un ejercicio que no existe: estado 2, un mensaje en español y ningún archivo.
    r = copia.lanzar({"practicar", "noexiste"});
    EXPECT_EQ(r.estado, 2) << r;
    EXPECT_NE(r.errores.find("No existe el ejercicio \"noexiste\""), std::string::npos) << r;
    EXPECT_EQ(archivos(copia.raiz() / "practica"), std::vector<std::string>{"fixedproduct.cpp"});

    // El ejercicio de varios archivos: una carpeta con main.cpp, Cir.h y Cir.cpp.
    r = copia.lanzar({"practicar", "ellipsegirth"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(archivos(copia.raiz() / "practica"),
              (std::vector<std::string>{"ellipsegirth", "fixedproduct.cpp"}));
    EXPECT_EQ(archivos(copia.raiz() / "practica" / "ellipsegirth"),
              (std::vector<std::string>{"Cir.cpp", "Cir.h", "main.cpp"}));
    for (const std::string archivo : {"main.cpp", "Cir.h", "Cir.cpp"}) {
        EXPECT_NE(r.salida.find("Creado practica/ellipsegirth/" + archivo + "\n"),
                  std::string::npos)
            << r;
    }
    compilada = copia.orden("\"$1\" -std=c++17 -fsyntax-only practica/ellipsegirth/main.cpp",
                            {EJ_COMPILADOR});
    EXPECT_TRUE(compilada.terminoBien()) << compilada;
}

// --- La copia compartida -----------------------------------------------------------------

TEST(Preparacion, LaDemostracionCompilaSoloLosProgramasYLosEjecutaTodos) {
    Copia& copia = copiaCompartida(true);
    nucleo::Resultado r = copia.lanzar({"--demo"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.errores, avisoPrimeraVez("los ejercicios"));
    const std::vector<LlamadaACmake> llamadas = copia.llamadas();
    ASSERT_EQ(llamadas.size(), 2u) << describir(llamadas);
    EXPECT_TRUE(esConfiguracion(llamadas[0])) << describir(llamadas);
    EXPECT_EQ(objetivos(llamadas), std::vector<std::string>{"programas"}) << describir(llamadas);

    // Los programas del catálogo y nada más: ni pruebas ni comprobador.
    const std::vector<std::string> programas = catalogo(copia);
    EXPECT_EQ(programas.size(), nucleo::ejercicios().size());
    EXPECT_EQ(archivos(copia.bin()), programas);
    EXPECT_EQ(pruebasCompiladas(copia), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(copia.arbol() / "comprobador" / "comprobador"));

    // Una transcripción por programa, cada una con la orden que se puede copiar.
    EXPECT_EQ(contar("\n" + r.salida, "\n=== "), nucleo::ejercicios().size()) << r.salida;
    for (const std::string& programa : programas) {
        const std::string orden = lineaTrasCabecera(r.salida, programa);
        EXPECT_TRUE(
            orden == "$ ./ejercicios " + programa ||
            (empiezaPor(orden, "$ printf '") && terminaEn(orden, "' | ./ejercicios " + programa)))
            << orden;
    }
    EXPECT_NE(r.salida.find("$ ./ejercicios fixedsquare\nEl cuadrado de 6 es: 36\n"),
              std::string::npos)
        << r.salida;
    EXPECT_NE(r.salida.find("$ printf '3\\n10\\n20\\n30\\n' | ./ejercicios ringchain\n"),
              std::string::npos)
        << r.salida;
    for (const std::string malo : {"(no compila", "(aún no disponible)", "(terminó con estado"}) {
        EXPECT_EQ(r.salida.find(malo), std::string::npos) << r.salida;
    }

    // Todo al día: la segunda demostración no llama a cmake y escribe lo mismo.
    nucleo::Resultado otra = copia.lanzar({"--demo"});
    ASSERT_TRUE(otra.terminoBien()) << otra;
    EXPECT_EQ(otra.errores, "");
    EXPECT_TRUE(copia.llamadas().empty()) << describir(copia.llamadas());
    EXPECT_EQ(otra.salida, r.salida);

    if (!HasFailure()) std::ofstream(marcaDePreparada(copia)) << "sí\n";
}

TEST(Compartida, UnFuenteRotoSoloBloqueaSuPrograma) {
    const Copia& copia = copiaConProgramas();
    const std::string fuente = "ellambda/fixedsquare.cpp";
    Cambio cambio(copia, fuente, copia.leer(fuente) + kRoto);

    // Su programa no se ejecuta (tampoco el binario viejo): solo los errores del compilador,
    // con rutas relativas a la raíz y sin el ruido de make.
    nucleo::Resultado r = copia.lanzar({"fixedsquare"});
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_EQ(r.salida, "");
    EXPECT_TRUE(empiezaPor(r.errores, "Compilando fixedsquare")) << r;
    EXPECT_TRUE(terminaEn(r.errores,
                          "No se pudo compilar fixedsquare: arriba están los errores del "
                          "compilador.\n" +
                              kRegistro))
        << r;
    bool error = false;
    for (const std::string& linea : lineas(r.errores)) {
        EXPECT_FALSE(esRuidoDeMake(linea)) << linea;
        error = error || (empiezaPor(linea, fuente + ":") &&
                          linea.find("roto a propósito") != std::string::npos);
    }
    EXPECT_TRUE(error) << "falta el error del compilador con la ruta " << fuente << "\n" << r;
    EXPECT_EQ(r.errores.find(copia.raiz().string()), std::string::npos) << r;
    EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"fixedsquare"})
        << describir(copia.llamadas());
    const std::string registro = copia.leer("build/ejercicios-compilacion.log");
    EXPECT_NE(registro.find("roto a propósito"), std::string::npos) << registro;

    // Otro programa de la misma carpeta se compila y se ejecuta.
    r = copia.lanzar({"fixedproduct"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "3 * 4 = 12\n");
    EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"fixedproduct"})
        << describir(copia.llamadas());
}

TEST(Compartida, LaDemostracionSigueSiUnProgramaNoCompila) {
    const Copia& copia = copiaConProgramas();
    // Dos rotos, en carpetas distintas; uno por un archivo que no es el principal.
    Cambio uno(copia, "ellambda/fixedsquare.cpp", copia.leer("ellambda/fixedsquare.cpp") + kRoto);
    const std::string cir = "ejsobrecarga_operadores/ellipsegirth/Cir.cpp";
    Cambio otro(copia, cir, copia.leer(cir) + kRoto);

    nucleo::Resultado r = copia.lanzar({"--demo"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"programas"})
        << describir(copia.llamadas());

    // En la salida de error, los que no compilan (exactamente esos).
    const std::string inicio = "No se pudieron compilar: ";
    std::set<std::string> nombrados;
    bool linea = false;
    for (const std::string& l : lineas(r.errores)) {
        if (!empiezaPor(l, inicio)) continue;
        linea = true;
        std::istringstream palabras(l.substr(inicio.size()));
        for (std::string p; palabras >> p && p[0] != '(';) nombrados.insert(p);
    }
    EXPECT_TRUE(linea) << r;
    EXPECT_EQ(nombrados, (std::set<std::string>{"ellipsegirth", "fixedsquare"})) << r;

    // En la transcripción, los rotos lo dicen y no se ejecutan (tampoco su binario viejo);
    // los otros 24 se ejecutan.
    for (const std::string programa : {"fixedsquare", "ellipsegirth"}) {
        EXPECT_EQ(lineaTrasCabecera(r.salida, programa),
                  "(no compila: ./ejercicios " + programa + " muestra los errores del compilador)");
    }
    EXPECT_EQ(r.salida.find("El cuadrado de 6 es"), std::string::npos) << r.salida;
    EXPECT_EQ(r.salida.find("El perimetro es"), std::string::npos) << r.salida;
    EXPECT_EQ(contar("\n" + r.salida, "\n=== "), nucleo::ejercicios().size()) << r.salida;
    EXPECT_EQ(contar("\n" + r.salida, "\n$ "), 24u) << r.salida;
    EXPECT_NE(r.salida.find("$ ./ejercicios fixedproduct\n3 * 4 = 12\n"), std::string::npos)
        << r.salida;
    EXPECT_EQ(r.salida.find("(terminó con estado"), std::string::npos) << r.salida;
}

}  // namespace

// Cómo compila el lanzador ./ejercicios, sobre copias del repositorio (nunca el árbol real),
// con cada generador de CMake que puede elegir quien lo usa (Make y Ninja): solo el programa
// que se ejecuta y solo si ha cambiado, los errores del compilador sin el ruido de make ni de
// ninja, una configuración fallida que se repite la vez siguiente, una ruta con blancos y
// acentos, la demostración con programas que no compilan o con el CMakeLists.txt roto, el
// proyecto sin GoogleTest y la plantilla de "practicar".
//
// Compilacion.*/<generador>: cada prueba en su propia copia (configurar una copia tarda medio
// segundo). Comprobador.*: igual, solo con Make (compilar el comprobador tarda).
// Preparacion.*/<generador> y Compartida.*/<generador>: una copia compartida por generador con
// los programas ya compilados, para que ninguna prueba tenga que compilarlos todos; está en una
// carpeta "mi repositorio ñ", así que todas ellas prueban también esa ruta. Con ctest cada
// prueba es un proceso: la copia vive en la carpeta EJ_COPIA_COMPARTIDA, la prepara Preparacion
// (fixture de ctest), las Compartida la usan de una en una (RESOURCE_LOCK) y
// lanzador.BorrarCopiaCompartida.<generador> la borra. Ejecutando el binario a mano, la copia
// va a una carpeta temporal que se borra al terminar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
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

// Un generador de CMake: su nombre en las pruebas, en CMAKE_GENERATOR, el archivo que deja en
// un árbol configurado, el del otro generador, y lo que sigue tras un error de compilación.
struct Generador {
    std::string nombre;
    std::string cmake;
    std::string archivo;
    std::string otroArchivo;
    std::string seguir;
};

void PrintTo(const Generador& g, std::ostream* os) { *os << g.cmake; }

const std::vector<Generador> kGeneradores = {
    {"Make", "Unix Makefiles", "Makefile", "build.ninja", "-- -k"},
    {"Ninja", "Ninja", "build.ninja", "Makefile", "-- -k 0"},
};

std::string nombreDe(const testing::TestParamInfo<Generador>& info) { return info.param.nombre; }

// ¿Hay un ejecutable con ese nombre en el PATH?
bool enElPath(const std::string& programa) {
    const char* path = std::getenv("PATH");
    std::istringstream carpetas(path != nullptr ? path : "");
    for (std::string carpeta; std::getline(carpetas, carpeta, ':');) {
        const fs::path ruta = fs::path(carpeta.empty() ? "." : carpeta) / programa;
        std::error_code ec;
        if (fs::is_regular_file(ruta, ec) &&
            (fs::status(ruta, ec).permissions() & fs::perms::owner_exec) != fs::perms::none) {
            return true;
        }
    }
    return false;
}

// Las pruebas de un generador; sin ninja instalado, las de Ninja se saltan (y lo dicen).
class ConGenerador : public testing::TestWithParam<Generador> {
   protected:
    void SetUp() override {
        if (GetParam().nombre == "Ninja" && !enElPath("ninja")) {
            GTEST_SKIP() << "ninja no está instalado (paquete de Debian ninja-build)";
        }
    }
};

const std::string kRoto = "\nstatic_assert(false, \"roto a propósito\");\n";
const std::string kRegistro = "El registro completo está en build/ejercicios-compilacion.log\n";
const std::string kRutaRara = "mi repositorio ñ";

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

// Las llamadas de compilación.
std::vector<LlamadaACmake> compilaciones(const std::vector<LlamadaACmake>& llamadas) {
    std::vector<LlamadaACmake> resultado;
    for (const LlamadaACmake& llamada : llamadas) {
        if (llamada.argumentos.find("--build --preset default") != std::string::npos) {
            resultado.push_back(llamada);
        }
    }
    return resultado;
}

// Los objetivos que piden las llamadas de compilación, en orden.
std::vector<std::string> objetivos(const std::vector<LlamadaACmake>& llamadas) {
    std::vector<std::string> resultado;
    for (const LlamadaACmake& llamada : compilaciones(llamadas)) {
        std::istringstream palabras(llamada.argumentos);
        // Los objetivos siguen a --target, hasta la siguiente opción.
        std::string palabra;
        bool dentro = false;
        while (palabras >> palabra) {
            if (palabra.rfind("--", 0) == 0) {
                dentro = palabra == "--target";
            } else if (dentro) {
                resultado.push_back(palabra);
            }
        }
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

// El árbol de la copia lo generó `g`, y no el otro generador.
void esperarGenerador(const Copia& copia, const Generador& g) {
    EXPECT_TRUE(fs::exists(copia.arbol() / g.archivo)) << "falta " << g.archivo;
    EXPECT_FALSE(fs::exists(copia.arbol() / g.otroArchivo)) << "sobra " << g.otroArchivo;
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

// Vuelve a escribir un archivo tal cual: queda más nuevo que los programas.
void renovar(const Copia& copia, const fs::path& relativa) {
    copia.escribir(relativa, copia.leer(relativa));
}

// La copia compartida de cada generador (véase el comentario del principio).
Copia& copiaCompartida(const Generador& g, bool nueva) {
    static std::map<std::string, std::unique_ptr<Copia>> copias;
    std::unique_ptr<Copia>& copia = copias[g.nombre];
    if (!copia) {
        const char* carpeta = std::getenv("EJ_COPIA_COMPARTIDA");
        if (carpeta != nullptr && *carpeta != '\0') {
            copia = std::make_unique<Copia>(carpeta, nueva, false, g.cmake, kRutaRara);
        } else {
            copia = std::make_unique<Copia>(g.cmake, kRutaRara);
        }
    }
    return *copia;
}

fs::path marcaDePreparada(const Copia& copia) { return copia.carpeta() / "preparada"; }

// La copia compartida con los programas compilados; si nadie la ha preparado aún (una
// prueba Compartida elegida sola, fuera de ctest), se prepara aquí.
const Copia& copiaConProgramas(const Generador& g) {
    Copia& copia = copiaCompartida(g, false);
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

class Compilacion : public ConGenerador {};
INSTANTIATE_TEST_SUITE_P(, Compilacion, testing::ValuesIn(kGeneradores), nombreDe);

TEST_P(Compilacion, CompilaSoloElProgramaQueSeEjecutaYSoloSiHaCambiado) {
    Copia copia(GetParam().cmake);

    // La primera vez configura (con el generador de CMAKE_GENERATOR) y compila solo ese
    // objetivo, y avisa antes de empezar.
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
    esperarGenerador(copia, GetParam());
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
    {
        Cambio cambio(copia, "ellambda/fixedsquare.cpp", editado);
        r = copia.lanzar({"fixedsquare"});
        ASSERT_TRUE(r.terminoBien()) << r;
        EXPECT_EQ(r.salida, "El cuadrado (editado) de 6 es: 36\n");
        EXPECT_EQ(r.errores, "Compilando fixedsquare...\n");
        EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"fixedsquare"})
            << describir(copia.llamadas());
        EXPECT_FALSE(esConfiguracion(copia.llamadas().at(0))) << describir(copia.llamadas());
    }

    // Un archivo de su carpeta que el programa no usa (los casos del comprobador) cambia: se
    // llama a cmake una vez, que no tiene nada que rehacer, y la siguiente ya no.
    renovar(copia, "ellambda/fixedsquare.cpp");
    ASSERT_TRUE(copia.lanzar({"fixedsquare"}).terminoBien());
    renovar(copia, "ellambda/fixedsquare/casos.cpp");
    for (const size_t esperadas : {1u, 0u}) {
        r = copia.lanzar({"fixedsquare"});
        ASSERT_TRUE(r.terminoBien()) << r;
        EXPECT_EQ(r.salida, "El cuadrado de 6 es: 36\n");
        EXPECT_EQ(copia.llamadas().size(), esperadas) << describir(copia.llamadas());
    }
}

TEST_P(Compilacion, UnaConfiguracionFallidaSeRepiteLaVezSiguiente) {
    const Generador& g = GetParam();
    Copia copia(g.cmake);
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
            EXPECT_EQ(r.errores.find("missing and no known rule"), std::string::npos) << r;
            EXPECT_FALSE(fs::exists(copia.arbol() / g.archivo));
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
    esperarGenerador(copia, g);

    // Con el árbol ya configurado, el CMakeLists.txt roto lo descubre la compilación (make o
    // ninja vuelven a ejecutar cmake): falla, y arreglado vuelve a funcionar.
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

    // Lo que deja una configuración a medias (interrumpida, o de otro generador): el árbol
    // solo está configurado con la caché y el archivo de su generador; si no, se configura
    // otra vez antes de compilar.
    const fs::path cache = copia.arbol() / "CMakeCache.txt";
    const fs::path propio = copia.arbol() / g.archivo;
    const fs::path ajeno = copia.arbol() / g.otroArchivo;
    struct Resto {
        const char* que;
        std::vector<fs::path> borrar;
        std::vector<fs::path> crear;
    };
    const std::vector<Resto> restos = {
        {"la caché sin el archivo de su generador", {propio}, {}},
        {"la caché con el archivo del otro generador", {propio}, {ajeno}},
        {"el archivo de su generador sin la caché", {cache}, {}},
    };
    for (const Resto& resto : restos) {
        SCOPED_TRACE(resto.que);
        for (const fs::path& ruta : resto.borrar) fs::remove(ruta);
        for (const fs::path& ruta : resto.crear) std::ofstream(ruta) << "# a medias\n";
        renovar(copia, "ellambda/fixedsquare.cpp");
        r = copia.lanzar({"fixedsquare"});
        ASSERT_TRUE(r.terminoBien()) << r;
        EXPECT_EQ(r.salida, "El cuadrado de 6 es: 36\n");
        const std::vector<LlamadaACmake> llamadas = copia.llamadas();
        ASSERT_EQ(llamadas.size(), 2u) << describir(llamadas);
        EXPECT_TRUE(esConfiguracion(llamadas[0])) << describir(llamadas);
        EXPECT_EQ(objetivos(llamadas), std::vector<std::string>{"fixedsquare"})
            << describir(llamadas);
        EXPECT_TRUE(fs::exists(propio));
        fs::remove(ajeno);
    }
}

TEST_P(Compilacion, FuncionaEnUnaRutaConBlancosYAcentos) {
    Copia copia(GetParam().cmake, kRutaRara);
    ASSERT_NE(copia.raiz().string().find(" repositorio ñ"), std::string::npos);

    nucleo::Resultado r = copia.lanzar({"ringchain"}, "2\n4\n5\n");
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_TRUE(terminaEn(r.salida, "4 <-> 5 <-> cabeza\n")) << r;
    EXPECT_EQ(r.errores, avisoPrimeraVez("ringchain"));
    EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"ringchain"})
        << describir(copia.llamadas());
    esperarGenerador(copia, GetParam());

    // El comprobador se rehace si cambia algo de la carpeta de un ejercicio, también en esta
    // ruta. Uno de mentira (y la respuesta modelo del ejercicio, que también necesita), y una
    // cmake que falla: basta ver si el lanzador intenta compilarlo.
    const fs::path herramienta = copia.arbol() / "comprobador" / "comprobador";
    fs::create_directories(herramienta.parent_path());
    std::ofstream(herramienta) << "#!/bin/sh\necho \"comprobador de mentira: $*\"\n";
    fs::permissions(herramienta, fs::perms::owner_all);
    std::ofstream(copia.bin() / "fixedproduct") << "#!/bin/sh\n";
    copia.cmakeFalla(true);
    r = copia.lanzar({"comprobar", "fixedproduct"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "comprobador de mentira: comprobar fixedproduct\n");
    EXPECT_TRUE(copia.llamadas().empty()) << describir(copia.llamadas());

    // Solo lo que necesita ese ejercicio: el comprobador y su respuesta modelo.
    renovar(copia, "ellambda/fixedproduct/casos.cpp");
    r = copia.lanzar({"comprobar", "fixedproduct"});
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(objetivos(copia.llamadas()),
              (std::vector<std::string>{"comprobador", "fixedproduct"}))
        << describir(copia.llamadas());

    // Uno con sonda de funciones, también la suya; y para corregir una clase, las de todos.
    r = copia.lanzar({"comprobar", "ringchain"});
    EXPECT_EQ(objetivos(copia.llamadas()),
              (std::vector<std::string>{"comprobador", "ringchain", "sonda_ringchain"}))
        << describir(copia.llamadas());
    r = copia.lanzar({"corregir", "clase.zip"});
    EXPECT_EQ(objetivos(copia.llamadas()), std::vector<std::string>{"comprobador_todo"})
        << describir(copia.llamadas());
}

TEST_P(Compilacion, SinGoogleTestLosEjerciciosCompilanYLasPruebasPidenInstalarlo) {
    Copia copia(GetParam().cmake);
    const std::string arbol = (copia.carpeta() / "sin-googletest").string();
    nucleo::Resultado r =
        copia.orden("\"$1\" --preset default -B \"$2\" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON",
                    {EJ_CMAKE, arbol});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_NE(r.salida.find("libgtest-dev"), std::string::npos) << r;
    EXPECT_TRUE(fs::exists(fs::path(arbol) / GetParam().archivo));

    r = copia.orden("\"$1\" --build \"$2\" --target fixedproduct && \"$2/bin/fixedproduct\"",
                    {EJ_CMAKE, arbol});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_TRUE(terminaEn(r.salida, "\n3 * 4 = 12\n")) << r;

    r = copia.orden("\"$1\" --test-dir \"$2\" --output-on-failure", {EJ_CTEST, arbol});
    EXPECT_NE(r.estado, 0) << r;
    EXPECT_NE(r.salida.find("libgtest-dev"), std::string::npos) << r;
}

// practicar no compila nada (ni el comprobador ni los programas): es inmediato.
TEST(Comprobador, PracticarCreaLaPlantillaSinSobrescribirla) {
    Copia copia(kGeneradores.front().cmake);

    nucleo::Resultado r = copia.lanzar({"practicar", "fixedproduct"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.errores, "");
    EXPECT_TRUE(copia.llamadas().empty()) << describir(copia.llamadas());
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

    // Un ejercicio que no existe: estado 2, un mensaje en español con el nombre parecido y
    // ningún archivo.
    r = copia.lanzar({"practicar", "ringchian"});
    EXPECT_EQ(r.estado, 2) << r;
    EXPECT_EQ(r.errores,
              "No existe el ejercicio \"ringchian\". ¿Querías decir ringchain? Los "
              "disponibles se ven con ./ejercicios\n");
    EXPECT_EQ(archivos(copia.raiz() / "practica"), std::vector<std::string>{"fixedproduct.cpp"});

    // Una lista: la node_list.h de la colección al lado, para que compile también a mano.
    r = copia.lanzar({"practicar", "nodesearch"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(copia.leer("practica/node_list.h"), copia.leer("ejlistas/node_list.h"));
    compilada =
        copia.orden("\"$1\" -std=c++17 -fsyntax-only practica/nodesearch.cpp", {EJ_COMPILADOR});
    EXPECT_TRUE(compilada.terminoBien()) << compilada;

    // El ejercicio de varios archivos: una carpeta con main.cpp, Cir.h y Cir.cpp.
    r = copia.lanzar({"practicar", "ellipsegirth"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(archivos(copia.raiz() / "practica"),
              (std::vector<std::string>{"ellipsegirth", "fixedproduct.cpp", "node_list.h",
                                        "nodesearch.cpp"}));
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

// practicar deja preparando lo que necesitará la comprobación (el comprobador y la respuesta
// modelo de ese ejercicio), sin esperar a que acabe; aquí se espera, con una cmake que falla:
// basta ver que lo intenta, y que practicar sigue bien aunque la preparación falle.
TEST(Comprobador, PracticarPreparaLaComprobacion) {
    Copia copia(kGeneradores.front().cmake);
    const nucleo::Resultado configurada = copia.orden("\"$1\" --preset default", {EJ_CMAKE});
    ASSERT_TRUE(configurada.terminoBien()) << configurada;
    copia.preparar("esperar");
    copia.cmakeFalla(true);
    const nucleo::Resultado r = copia.lanzar({"practicar", "ringchain"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_NE(r.salida.find("Mientras tanto se prepara el comprobador, en segundo plano"),
              std::string::npos)
        << r;
    EXPECT_EQ(objetivos(copia.llamadas()),
              (std::vector<std::string>{"comprobador", "ringchain", "sonda_ringchain"}))
        << describir(copia.llamadas());
    EXPECT_TRUE(copia.leer("practica/ringchain.cpp").find("int main()") != std::string::npos);
}

// Una copia sin tests/ (solo para usar los ejercicios) configura y compila sin las pruebas: el
// lanzador ejecuta los programas, y el comprobador y su respuesta modelo tienen su compilación
// (se mira sin compilarlo, con ninja -n: tarda un par de minutos).
TEST(Comprobador, SinLaCarpetaDePruebasTodoSeCompilaIgual) {
    if (!enElPath("ninja")) GTEST_SKIP() << "falta ninja (paquete de Debian ninja-build)";
    Copia copia(kGeneradores.back().cmake);
    fs::remove_all(copia.raiz() / "tests");
    nucleo::Resultado r = copia.lanzar({"fixedproduct"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_TRUE(terminaEn(r.salida, "3 * 4 = 12\n")) << r;
    r = copia.orden("ninja -n -C build/default comprobador_todo >/dev/null && echo preparado");
    EXPECT_EQ(r.salida, "preparado\n") << r;
    EXPECT_TRUE(r.terminoBien()) << r;
}

// --- La copia compartida de cada generador --------------------------------------------------

class Preparacion : public ConGenerador {};
INSTANTIATE_TEST_SUITE_P(, Preparacion, testing::ValuesIn(kGeneradores), nombreDe);
class Compartida : public ConGenerador {};
INSTANTIATE_TEST_SUITE_P(, Compartida, testing::ValuesIn(kGeneradores), nombreDe);

TEST_P(Preparacion, LaDemostracionCompilaSoloLosProgramasYLosEjecutaTodos) {
    Copia& copia = copiaCompartida(GetParam(), true);
    nucleo::Resultado r = copia.lanzar({"--demo"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.errores, avisoPrimeraVez("los ejercicios"));
    const std::vector<LlamadaACmake> llamadas = copia.llamadas();
    ASSERT_EQ(llamadas.size(), 2u) << describir(llamadas);
    EXPECT_TRUE(esConfiguracion(llamadas[0])) << describir(llamadas);
    EXPECT_EQ(objetivos(llamadas), std::vector<std::string>{"programas"}) << describir(llamadas);
    esperarGenerador(copia, GetParam());

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

TEST_P(Compartida, UnFuenteRotoSoloBloqueaSuPrograma) {
    const Copia& copia = copiaConProgramas(GetParam());
    const std::string fuente = "ellambda/fixedsquare.cpp";
    Cambio cambio(copia, fuente, copia.leer(fuente) + kRoto);

    // Su programa no se ejecuta (tampoco el binario viejo): solo los errores del compilador,
    // exactamente los que da él solo desde la raíz (con rutas relativas a ella), sin nada de
    // make, ninja ni cmake.
    nucleo::Resultado compilador =
        copia.orden("\"$1\" -std=c++17 -fsyntax-only \"$2\"", {EJ_COMPILADOR, fuente});
    ASSERT_NE(compilador.estado, 0) << compilador;
    ASSERT_NE(compilador.salida.find(fuente + ":"), std::string::npos) << compilador;
    nucleo::Resultado r = copia.lanzar({"fixedsquare"});
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(r.errores, "Compilando fixedsquare...\n" + compilador.salida +
                             "No se pudo compilar fixedsquare: arriba están los errores del "
                             "compilador.\n" +
                             kRegistro);
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

TEST_P(Compartida, LaDemostracionSigueSiUnProgramaNoCompila) {
    const Copia& copia = copiaConProgramas(GetParam());
    // Dos rotos, en carpetas distintas; uno por un archivo que no es el principal. Y uno
    // cambiado que compila, en la carpeta de uno roto.
    Cambio uno(copia, "ellambda/fixedsquare.cpp", copia.leer("ellambda/fixedsquare.cpp") + kRoto);
    const std::string cir = "ejsobrecarga_operadores/ellipsegirth/Cir.cpp";
    Cambio otro(copia, cir, copia.leer(cir) + kRoto);
    const std::string producto = copia.leer("ellambda/fixedproduct.cpp");
    const std::string editado = reemplazar(producto, "\"3 * 4 = \"", "\"3 * 4 (editado) = \"");
    ASSERT_NE(editado, producto);
    Cambio bueno(copia, "ellambda/fixedproduct.cpp", editado);

    nucleo::Resultado r = copia.lanzar({"--demo"});
    ASSERT_TRUE(r.terminoBien()) << r;
    // Primero "programas", sin parar en el primer error para compilar todos los que se pueda;
    // después, a lo sumo programas sueltos (nunca pruebas ni el comprobador).
    const std::vector<LlamadaACmake> llamadas = compilaciones(copia.llamadas());
    ASSERT_FALSE(llamadas.empty()) << describir(copia.llamadas());
    EXPECT_TRUE(terminaEn(llamadas[0].argumentos, "--target programas " + GetParam().seguir))
        << describir(llamadas);
    const std::vector<std::string> programas = catalogo(copia);
    const std::vector<std::string> pedidos = objetivos(llamadas);
    const std::set<std::string> sueltos(pedidos.begin() + 1, pedidos.end());
    EXPECT_EQ(sueltos.size(), pedidos.size() - 1) << describir(llamadas);
    for (const std::string& objetivo : sueltos) {
        EXPECT_TRUE(std::binary_search(programas.begin(), programas.end(), objetivo))
            << describir(llamadas);
    }
    EXPECT_EQ(pruebasCompiladas(copia), std::vector<std::string>{});

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
    // los otros 24 se ejecutan, el cambiado ya con su cambio.
    for (const std::string programa : {"fixedsquare", "ellipsegirth"}) {
        EXPECT_EQ(lineaTrasCabecera(r.salida, programa),
                  "(no compila: ./ejercicios " + programa + " muestra los errores del compilador)");
    }
    EXPECT_EQ(r.salida.find("El cuadrado de 6 es"), std::string::npos) << r.salida;
    EXPECT_EQ(r.salida.find("El perimetro es"), std::string::npos) << r.salida;
    EXPECT_EQ(contar("\n" + r.salida, "\n=== "), nucleo::ejercicios().size()) << r.salida;
    EXPECT_EQ(contar("\n" + r.salida, "\n$ "), nucleo::ejercicios().size() - 2) << r.salida;
    EXPECT_NE(r.salida.find("$ ./ejercicios fixedproduct\n3 * 4 (editado) = 12\n"),
              std::string::npos)
        << r.salida;
    EXPECT_EQ(r.salida.find("(terminó con estado"), std::string::npos) << r.salida;
}

TEST_P(Compartida, ConElCMakeListsRotoLaDemostracionLoDiceYEjecutaLosQueHay) {
    const Copia& copia = copiaConProgramas(GetParam());
    // Un fuente cambiado, para que haya programas que recompilar (y a los que culpar).
    renovar(copia, "ellambda/fixedsquare.cpp");
    {
        Cambio cambio(copia, "CMakeLists.txt",
                      copia.leer("CMakeLists.txt") +
                          "\nmessage(FATAL_ERROR \"configuración rota a propósito\")\n");

        // No es ningún programa el que falla: ni una lista vacía de rotos ni el ruido de la
        // compilación, sino el error de CMake; y los programas ya compilados se ejecutan.
        nucleo::Resultado r = copia.lanzar({"--demo"});
        ASSERT_TRUE(r.terminoBien()) << r;
        EXPECT_TRUE(empiezaPor(r.errores, "Compilando los ejercicios...\n")) << r;
        EXPECT_NE(r.errores.find("CMake Error at CMakeLists.txt:"), std::string::npos) << r;
        EXPECT_NE(r.errores.find("configuración rota a propósito"), std::string::npos) << r;
        EXPECT_TRUE(terminaEn(r.errores,
                              "No se pudo compilar: arriba están los errores. Se ejecutan los "
                              "programas\nque ya estaban compilados.\n"))
            << r;
        for (const std::string ruido : {"No se pudieron compilar", "FAILED", "ninja:", "make"}) {
            EXPECT_EQ(r.errores.find(ruido), std::string::npos) << ruido << "\n" << r;
        }
        EXPECT_EQ(r.errores.find(copia.raiz().string()), std::string::npos) << r;
        EXPECT_EQ(contar("\n" + r.salida, "\n$ "), nucleo::ejercicios().size()) << r.salida;
    }

    // Arreglado, la demostración siguiente vuelve a configurar y compila lo pendiente. Así la
    // copia queda al día para las demás pruebas, que si no verían en la salida de error lo que
    // escribe cmake al configurar dentro de su primera compilación.
    nucleo::Resultado r = copia.lanzar({"--demo"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.errores, "Compilando los ejercicios...\n") << r;
    EXPECT_EQ(copia.lanzar({"--demo"}).errores, "");
}

}  // namespace

// El lanzador ./ejercicios: lista exactamente los programas compilados y su demostración
// ejecuta todos sin fallar. Usa los programas de este árbol de compilación (EJ_BIN), así que
// no compila nada.
//
// RaizDePrueba.*: el lanzador en una raíz hecha a medida, en una carpeta con un blanco y
// acentos, con su propio catálogo y programas de mentira (guiones de sh) en EJ_BIN: lo que
// recibe cada programa en la demostración, cómo terminan, qué "cls" encuentran, las opciones.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

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

// --- El lanzador en una raíz de prueba ------------------------------------------------------

namespace fs = std::filesystem;

// Un programa del catálogo de la raíz de prueba: su guion de sh (vacío: no está compilado), su
// entrada de ejemplo y si tiene fuente.
struct Programa {
    std::string nombre;
    std::string guion;
    std::string entrada = "";
    bool conFuente = true;
};

void escribirArchivo(const fs::path& ruta, const std::string& contenido) {
    fs::create_directories(ruta.parent_path());
    std::ofstream(ruta, std::ios::binary) << contenido;
}

class RaizDePrueba : public testing::Test {
   protected:
    void SetUp() override {
        ASSERT_FALSE(carpeta_.ruta().empty());
        raiz_ = fs::path(carpeta_.ruta()) / "prueba lanzador ñú";
        fs::create_directories(raiz_);
        fs::copy(fs::path(EJ_RAIZ) / "ejercicios", raiz_ / "ejercicios");
        fs::copy(fs::path(EJ_RAIZ) / "lanzador", raiz_ / "lanzador", fs::copy_options::recursive);
        fs::create_directories(temporal());
    }

    // La raíz con estos programas, todos del tema "Pruebas", en este orden.
    void crear(const std::vector<Programa>& programas) const {
        std::string catalogo = "# tema|programa|fuente|forma|lee|nodos|descripción|entrada\n";
        for (const Programa& p : programas) {
            catalogo += "Pruebas|" + p.nombre + "|pruebas/" + p.nombre + ".cpp|archivo|si|0|" +
                        "El programa " + p.nombre + ".|" + p.entrada + "\n";
            if (p.conFuente) escribirArchivo(raiz_ / "pruebas" / (p.nombre + ".cpp"), "");
            if (p.guion.empty()) continue;
            const fs::path binario = bin() / p.nombre;
            escribirArchivo(binario, "#!/bin/sh\n" + p.guion + "\n");
            fs::permissions(binario, fs::perms::owner_all);
        }
        escribirArchivo(raiz_ / "catalogo.txt", catalogo);
    }

    // ./ejercicios de la raíz, desde ella, como un alumno. Lo que el lanzador deja en la carpeta
    // temporal (la suya y la de su orden) tiene que haberlo borrado al terminar.
    nucleo::Resultado lanzar(const std::vector<std::string>& argumentos,
                             const std::string& entrada = "") const {
        nucleo::Opciones opciones;
        opciones.limite = std::chrono::seconds(60);
        opciones.argumentos = argumentos;
        opciones.directorio = raiz_.string();
        opciones.entorno = {"EJ_BIN=" + bin().string(), "TMPDIR=" + temporal().string(), "TEMP="};
        nucleo::Resultado r = nucleo::ejecutar((raiz_ / "ejercicios").string(), entrada, opciones);
        EXPECT_TRUE(fs::is_empty(temporal())) << "quedan archivos temporales del lanzador";
        fs::remove_all(temporal());
        fs::create_directories(temporal());
        return r;
    }

    const fs::path& raiz() const { return raiz_; }
    fs::path bin() const { return raiz_ / "bin"; }
    fs::path temporal() const { return fs::path(carpeta_.ruta()) / "tmp"; }

   private:
    nucleo::CarpetaTemporal carpeta_{"lanzador"};
    fs::path raiz_;
};

// Lo que sigue en una demostración a la línea `orden`, hasta la línea en blanco que separa las
// transcripciones; "(sin ...)" si no está.
std::string trasLaOrden(const std::string& demo, const std::string& orden) {
    const size_t p = demo.find("\n" + orden + "\n");
    if (p == std::string::npos) return "(sin «" + orden + "»)";
    const size_t inicio = p + orden.size() + 2;
    const size_t fin = demo.find("\n\n", inicio);
    return demo.substr(inicio, fin == std::string::npos ? std::string::npos : fin + 1 - inicio);
}

// Los bytes de un texto en hexadecimal, como los escribe od -An -tx1 en una sola línea.
std::string hexadecimal(const std::string& bytes) {
    std::string texto;
    for (unsigned char c : bytes) {
        const char* cifras = "0123456789abcdef";
        texto += std::string(" ") + cifras[c / 16] + cifras[c % 16];
    }
    return texto;
}

// La entrada de ejemplo es un formato de printf: cada programa tiene que recibir exactamente lo
// que le daría la orden de su transcripción, `printf '...' | ./ejercicios NOMBRE`, en sh.
TEST_F(RaizDePrueba, LaDemostracionDaACadaProgramaLoQueEscribeSuPrintf) {
    const std::vector<std::string> formatos = {
        "3\\n10\\n20\\n30\\n",  // la forma de todas las del catálogo
        "",                     // sin entrada
        "2 3\\n",
        "a\\tb\\r\\n",
        "\\a\\b\\f\\v",
        "\\\\n",         // una barra y una ene
        "\\101\\60\\n",  // octal, de tres y de dos cifras
        "\\0101",        // tres cifras como mucho: \010 y un 1
        "\\1x\\777",     // una cifra sola; un byte, aunque pase de 255
        "100%%\\n",
        "ñú\\n",
        "\\q a\\",  // las barras que no son escapes quedan
    };
    std::vector<Programa> programas;
    for (size_t i = 0; i < formatos.size(); ++i) {
        programas.push_back(
            {"p" + std::to_string(i), "od -An -v -tx1 | tr -d '\\n'; echo", formatos[i]});
    }
    crear(programas);
    nucleo::Resultado r = lanzar({"--demo"});
    ASSERT_TRUE(r.terminoBien()) << r;
    for (size_t i = 0; i < formatos.size(); ++i) {
        SCOPED_TRACE("formato «" + formatos[i] + "»");
        nucleo::Opciones opciones;
        opciones.argumentos = {"-c", "printf \"$1\"", "sh", formatos[i]};
        const nucleo::Resultado printf = nucleo::ejecutar("/bin/sh", "", opciones);
        ASSERT_TRUE(printf.terminoBien()) << printf;
        const std::string nombre = "p" + std::to_string(i);
        const std::string orden = formatos[i].empty()
                                      ? "$ ./ejercicios " + nombre
                                      : "$ printf '" + formatos[i] + "' | ./ejercicios " + nombre;
        EXPECT_EQ(trasLaOrden(r.salida, orden), hexadecimal(printf.salida) + "\n") << r.salida;
    }
}

// Cada programa se ejecuta en la terminal tal cual: su estado de salida, o la señal que lo mató,
// son los de ./ejercicios, y lee la entrada del alumno. La demostración dice cómo terminó cada
// uno, con el estado que daría sh, y separa las salidas sin fin de línea.
TEST_F(RaizDePrueba, ElEstadoOLaSenalDelProgramaSonLosDelLanzador) {
    struct Caso {
        Programa programa;
        int estado;
        int senal;
        std::string salida;         // con la entrada "1 7\n"
        std::string transcripcion;  // en la demostración, sin entrada
    };
    const std::vector<Caso> casos = {
        {{"bien", "echo hola; cat"}, 0, 0, "hola\n1 7\n", "hola\n"},
        {{"sale3", "printf 'sin fin'; exit 3"}, 3, 0, "sin fin", "sin fin(terminó con estado 3)\n"},
        {{"sinfin", "printf 'ñú'"}, 0, 0, "ñú", "ñú\n"},
        {{"errores", "echo uno; echo dos >&2; echo tres"}, 0, 0, "uno\ntres\n", "uno\ndos\ntres\n"},
        {{"termina", "kill -s TERM $$"}, -1, SIGTERM, "", "(terminó con estado 143)\n"},
        {{"matado", "echo antes; kill -s KILL $$"},
         -1,
         SIGKILL,
         "antes\n",
         "antes\n(terminó con estado 137)\n"},
    };
    std::vector<Programa> programas;
    for (const Caso& c : casos) programas.push_back(c.programa);
    crear(programas);
    const nucleo::Resultado demo = lanzar({"--demo"});
    ASSERT_TRUE(demo.terminoBien()) << demo;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.programa.nombre);
        const nucleo::Resultado r = lanzar({c.programa.nombre}, "1 7\n");
        EXPECT_EQ(r.senal, c.senal) << r;
        if (c.senal == 0) {
            EXPECT_EQ(r.estado, c.estado) << r;
        }
        EXPECT_EQ(r.salida, c.salida) << r;
        EXPECT_EQ(trasLaOrden(demo.salida, "$ ./ejercicios " + c.programa.nombre), c.transcripcion)
            << demo.salida;
    }
}

// ellipsegirth llama a "cls": al ejecutarlo, la de lanzador/cls (que limpia la terminal); en la
// demostración, la de lanzador/mudo (que no hace nada). También en una raíz con blancos.
TEST_F(RaizDePrueba, LaClsEsLaDelLanzadorYEnLaDemostracionLaQueNoHaceNada) {
    crear({{"limpia", "command -v cls"}});
    nucleo::Resultado r = lanzar({"limpia"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, (raiz() / "lanzador" / "cls" / "cls").string() + "\n");
    r = lanzar({"--demo"});
    ASSERT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(trasLaOrden(r.salida, "$ ./ejercicios limpia"),
              (raiz() / "lanzador" / "mudo" / "cls").string() + "\n")
        << r.salida;
}

TEST_F(RaizDePrueba, LasOpcionesYLosNombresQueNoSonEjercicios) {
    crear({{"hay", "echo hay"}, {"falta", "", "", false}});
    const nucleo::Resultado ayuda = lanzar({"--ayuda"});
    ASSERT_TRUE(ayuda.terminoBien()) << ayuda;
    ASSERT_EQ(ayuda.salida.rfind("Uso: ./ejercicios ", 0), 0u) << ayuda;
    EXPECT_EQ(ayuda.errores, "");
    struct Caso {
        std::vector<std::string> argumentos;
        int estado;
        std::string salida;
        std::string errores;
    };
    const std::vector<Caso> casos = {
        {{"-h"}, 0, ayuda.salida, ""},
        {{"--help"}, 0, ayuda.salida, ""},
        {{"--nada"}, 2, "", ayuda.salida},
        {{"-"}, 2, "", ayuda.salida},
        {{"-h", "hay"}, 0, ayuda.salida, ""},
        {{"noexiste"},
         2,
         "",
         "No existe el ejercicio \"noexiste\". Los disponibles se ven con ./ejercicios\n"},
        {{"HAY"},
         2,
         "",
         "No existe el ejercicio \"HAY\". ¿Querías decir hay? Los disponibles se ven con "
         "./ejercicios\n"},
        {{"fatla"},
         2,
         "",
         "No existe el ejercicio \"fatla\". ¿Querías decir falta? Los disponibles se ven con "
         "./ejercicios\n"},
        {{"hal"},
         2,
         "",
         "No existe el ejercicio \"hal\". ¿Querías decir hay o falta? Los disponibles se ven con "
         "./ejercicios\n"},
        {{"falta"}, 2, "", "El ejercicio \"falta\" aún no está disponible.\n"},
        {{"hay", "--nada"}, 0, "hay\n", ""},
        {{},
         0,
         "Pruebas\n"
         "  hay             El programa hay. [lee la entrada]\n"
         "  falta           El programa falta. [lee la entrada] (aún no disponible)\n",
         ""},
    };
    for (const Caso& c : casos) {
        std::string descripcion = "./ejercicios";
        for (const std::string& a : c.argumentos) descripcion += " " + a;
        SCOPED_TRACE(descripcion);
        const nucleo::Resultado r = lanzar(c.argumentos);
        EXPECT_EQ(r.senal, 0) << r;
        EXPECT_EQ(r.estado, c.estado) << r;
        EXPECT_EQ(r.salida, c.salida);
        EXPECT_EQ(r.errores, c.errores);
    }
    const nucleo::Resultado demo = lanzar({"--demo"});
    ASSERT_TRUE(demo.terminoBien()) << demo;
    EXPECT_EQ(demo.salida,
              "=== hay (Pruebas): El programa hay.\n$ ./ejercicios hay\nhay\n\n"
              "=== falta (Pruebas): El programa falta.\n(aún no disponible)\n\n");
}

}  // namespace

namespace {

// El avance de una compilación larga: en una terminal (./ejercicios lo dice con EJ_TERMINAL),
// una línea que se reescribe con el paso y el fuente (de ninja y de make), o con --programas,
// cuántos programas lleva enlazados y cuál compila; borrada al terminar. Sin terminal, nada. En
// todos los casos la salida de la compilación entera va al registro y el estado es el suyo.
TEST(Lanzador, ElAvanceDeUnaCompilacionSoloEnUnaTerminal) {
    const std::string avance = std::string(EJ_RAIZ) + "/lanzador/avance";
    const std::string compilacion =
        "printf '[1/2] Building CXX object nucleo/CMakeFiles/nucleo.dir/casos.cpp.o\\n"
        "[ 50%%] Building CXX object CMakeFiles/fibcalc.dir/fibcalc.cpp.o\\n"
        "[ 75%%] Linking CXX executable bin/fibcalc\\n"
        "error: algo\\n'; exit 3";
    const std::string registro =
        "[1/2] Building CXX object nucleo/CMakeFiles/nucleo.dir/casos.cpp.o\n"
        "[ 50%] Building CXX object CMakeFiles/fibcalc.dir/fibcalc.cpp.o\n"
        "[ 75%] Linking CXX executable bin/fibcalc\nerror: algo\n";
    struct Fila {
        bool terminal;
        const char* opciones;
        std::vector<std::string> dice;  // en la salida de error
    } filas[] = {
        {false, "", {}},
        {true,
         "",
         {"\r\033[KCompilando: 1 de 2 (casos.cpp)", "\r\033[KCompilando: 50 % (fibcalc.cpp)",
          "\r\033[KCompilando: 75 % (fibcalc)", "\r\033[K"}},
        {true,
         "--programas 3 ",
         {"\r\033[KCompilando: 0 de 3 (nucleo)", "\r\033[KCompilando: 0 de 3 (fibcalc)",
          "\r\033[KCompilando: 1 de 3 (fibcalc)", "\r\033[K"}},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(std::string(f.terminal ? "con terminal " : "sin terminal ") + f.opciones);
        nucleo::Opciones o;
        const std::string orden = "sh '" + avance + "' " + f.opciones + "Compilando sh -c \"" +
                                  compilacion + "\" >\"$TMPDIR/registro\"; echo \"estado $?\" >&2";
        if (f.terminal) {
            // script da a la orden una terminal (su salida de error), y copia lo que escribe.
            o.argumentos = {"-qec", orden, "/dev/null"};
        } else {
            o.argumentos = {"-c", orden};
        }
        const std::string tmp = ::testing::TempDir();
        o.entorno = {"TMPDIR=" + tmp, std::string("EJ_TERMINAL=") + (f.terminal ? "1" : "")};
        const nucleo::Resultado r =
            nucleo::ejecutar(f.terminal ? "/usr/bin/script" : "/bin/sh", "", o);
        std::ifstream leido(tmp + "/registro");
        std::stringstream contenido;
        contenido << leido.rdbuf();
        EXPECT_EQ(contenido.str(), registro);
        const std::string mostrado = r.salida + r.errores;
        EXPECT_NE(mostrado.find("estado 3"), std::string::npos) << mostrado;
        for (const std::string& d : f.dice) {
            EXPECT_NE(mostrado.find(d), std::string::npos) << d << "\n" << mostrado;
        }
        if (!f.terminal) {
            EXPECT_EQ(mostrado.find("Compilando"), std::string::npos) << mostrado;
        }
    }
}

}  // namespace

// El comprobador de soluciones (practica comprobar) con soluciones escritas a propósito: las
// literales de soluciones/ (una por ejercicio, tal como las escribiría un alumno cuidadoso)
// pasan, y cada una de errores/ falla con la pista de su error. Un programa que no termina,
// que inunda la salida o que deja procesos detrás queda contenido.
//   Rapido.*    lo que cuesta poco (en la batería de siempre)
//   Completo.*  las 26 soluciones, cada error, varias entregas y un fuente que no compila
//               (cmake --workflow --preset completa)
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ejecutar.h"

namespace fs = std::filesystem;

namespace {

const std::string kFijos = EJ_FIJOS;

// Una carpeta temporal propia que se borra al terminar.
struct Temporal {
    fs::path ruta;
    Temporal() {
        std::string plantilla = (fs::temp_directory_path() / "prueba-comprobador-XXXXXX").string();
        ruta = mkdtemp(plantilla.data());
    }
    ~Temporal() {
        std::error_code ec;
        fs::remove_all(ruta, ec);
    }
};

// Ejecuta "practica ARGUMENTOS" desde la carpeta de los archivos de prueba, con su propia
// carpeta temporal (TMPDIR) para ver que no deja nada.
arnes::Resultado practica(const std::vector<std::string>& argumentos, const fs::path& tmp,
                          const fs::path& desde = kFijos) {
    arnes::Opciones o;
    o.argumentos = argumentos;
    o.limite = std::chrono::seconds(240);
    o.entorno = {"TMPDIR=" + tmp.string(), "NO_COLOR=1"};
    const fs::path antes = fs::current_path();
    fs::current_path(desde);
    arnes::Resultado r = arnes::ejecutar(EJ_PRACTICA, "", o);
    fs::current_path(antes);
    return r;
}

std::string ultimaLinea(const std::string& texto) {
    std::string t = texto;
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t.substr(t.rfind('\n') + 1);
}

bool vacia(const fs::path& carpeta) { return fs::is_empty(carpeta); }

// Procesos vivos cuyo ejecutable estaba dentro de la carpeta dada (los programas del alumno
// se compilan en la carpeta temporal del comprobador).
int procesosDesde(const fs::path& carpeta) {
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::error_code ec;
        fs::path exe = fs::read_symlink(e.path() / "exe", ec);
        if (!ec && exe.string().rfind(carpeta.string(), 0) == 0) ++n;
    }
    return n;
}

// ------------------------------------------------------------------------------ Rapido

TEST(Rapido, UnaOrdenMalEscritaTerminaConEstado2) {
    struct Fila {
        std::vector<std::string> argumentos;
        std::string mensaje;
    } filas[] = {
        {{"comprobar"}, "Uso: ./ejercicios comprobar NOMBRE"},
        {{"comprobar", "noexiste"}, "No existe el ejercicio \"noexiste\""},
        {{"comprobar", "fixedsquare", "no_hay_tal.cpp"}, "No existe no_hay_tal.cpp."},
        {{"comprobar", "fixedsquare", "soluciones/fixedsquare.cpp", "--junit"},
         "Falta el archivo tras --junit."},
        {{"comprobar", "fixedsquare", "--rapido"}, "Opción desconocida: --rapido"},
        {{"comprobar", "ellipsegirth", "errores"}, "no tiene main.cpp"},
        {{"practicar", "noexiste"}, "No existe el ejercicio \"noexiste\""},
        {{"otra"}, "Orden desconocida: otra"},
    };
    Temporal tmp;
    for (const Fila& f : filas) {
        SCOPED_TRACE(testing::PrintToString(f.argumentos));
        arnes::Resultado r = practica(f.argumentos, tmp.ruta);
        EXPECT_EQ(r.estado, 2) << r;
        EXPECT_NE(r.errores.find(f.mensaje), std::string::npos) << r;
    }
    EXPECT_TRUE(vacia(tmp.ruta));
}

TEST(Rapido, UnaSolucionCorrectaPasaYNoDejaNada) {
    Temporal tmp;
    arnes::Resultado r =
        practica({"comprobar", "fixedsquare", "soluciones/fixedsquare.cpp"}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << r;
    EXPECT_EQ(ultimaLinea(r.salida), "2 de 2 casos correctos") << r;
    EXPECT_TRUE(vacia(tmp.ruta)) << "la carpeta temporal se borra al terminar";
}

TEST(Completo, UnFuenteQueNoCompilaSeMuestraComoLoDiceElCompilador) {
    Temporal tmp;
    arnes::Resultado r =
        practica({"comprobar", "arraysum", "errores/arraysum_no_compila.cpp"}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_NE(r.salida.find("✗ No compila."), std::string::npos) << r;
    EXPECT_NE(r.salida.find("errores/arraysum_no_compila.cpp:15:5: error:"), std::string::npos)
        << r;
    EXPECT_EQ(ultimaLinea(r.salida), "0 de 2 casos correctos") << r;
}

TEST(Rapido, UnProgramaQueInundaLaSalidaSeDetiene) {
    Temporal tmp;
    const auto inicio = std::chrono::steady_clock::now();
    arnes::Resultado r =
        practica({"comprobar", "fixedsquare", "errores/fixedsquare_inunda.cpp"}, tmp.ruta);
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(60));
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_NE(r.salida.find("y se detuvo"), std::string::npos) << r;
    EXPECT_LT(r.salida.size(), 64u * 1024) << "el informe no copia la inundación";
    EXPECT_TRUE(vacia(tmp.ruta));
}

TEST(Rapido, LosProcesosQueDejaUnProgramaSeMatan) {
    Temporal tmp;
    arnes::Resultado r =
        practica({"comprobar", "fixedsquare", "errores/fixedsquare_bifurca.cpp"}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << "la salida es la pedida: " << r;
    EXPECT_FALSE(r.agotado) << "un hijo con la salida abierta no cuelga la comprobación";
    EXPECT_EQ(procesosDesde(tmp.ruta), 0)
        << "ni el hijo del grupo ni el de otra sesión siguen vivos";
    EXPECT_TRUE(vacia(tmp.ruta));
}

TEST(Completo, VariasEntregasDanUnaTablaYUnInformeJUnit) {
    Temporal tmp, entregas;
    fs::copy_file(kFijos + "/soluciones/fixedsquare.cpp", entregas.ruta / "ana.cpp");
    fs::copy_file(kFijos + "/errores/fixedsquare_inunda.cpp", entregas.ruta / "beto.cpp");
    fs::copy_file(kFijos + "/errores/arraysum_no_compila.cpp", entregas.ruta / "carla.cpp");
    const fs::path junit = tmp.ruta / "notas.xml";
    arnes::Resultado r = practica(
        {"comprobar", "--junit", junit.string(), "fixedsquare", entregas.ruta.string()}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << "una entrega falla: " << r;
    EXPECT_NE(r.salida.find("1 de 3 entregas correctas"), std::string::npos) << r;
    EXPECT_NE(r.salida.find("no compila"), std::string::npos) << r;
    std::ifstream f(junit);
    std::stringstream xml;
    xml << f.rdbuf();
    auto contar = [&](const std::string& trozo) {
        size_t n = 0;
        for (size_t p = xml.str().find(trozo); p != std::string::npos;
             p = xml.str().find(trozo, p + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(contar("<testsuite "), 3u) << xml.str();
    EXPECT_EQ(contar("<testcase "), 6u) << "dos casos por entrega: " << xml.str();
    EXPECT_EQ(contar("<failure "), 4u) << xml.str();
    EXPECT_EQ(xml.str().rfind("</testsuites>\n"), xml.str().size() - 14) << xml.str();
}

// Lo que el README enseña es lo que imprime el comprobador, byte a byte.
TEST(Rapido, LasTranscripcionesDelReadmeSonLasDelComprobador) {
    std::ifstream f(std::string(EJ_RAIZ) + "/README.md");
    std::stringstream readme;
    readme << f.rdbuf();
    struct Fila {
        const char* programa;
        const char* fijo;
        const char* nombre;
    } filas[] = {
        {"fixedproduct", "errores/fixedproduct_sin_fin_de_linea.cpp", "mi_producto.cpp"},
        {"closuresquare", "soluciones/closuresquare.cpp", "mi_cuadrado.cpp"},
    };
    for (const Fila& fila : filas) {
        Temporal tmp, carpeta;
        fs::copy_file(kFijos + "/" + fila.fijo, carpeta.ruta / fila.nombre);
        arnes::Resultado r =
            practica({"comprobar", fila.programa, fila.nombre}, tmp.ruta, carpeta.ruta);
        // En la terminal, el aviso de la salida de error sale antes que el informe.
        const std::string transcripcion = "$ ./ejercicios comprobar " + std::string(fila.programa) +
                                          " " + fila.nombre + "\n" + r.errores + r.salida + "```\n";
        EXPECT_NE(readme.str().find(transcripcion), std::string::npos)
            << "El README debe mostrar exactamente:\n"
            << transcripcion;
    }
}

// ---------------------------------------------------------------------------- Completo

const char* const kProgramas[] = {
    "nodesearch",  "nodeprune",    "ringchain",      "maxgeneric",     "mingeneric",
    "swapgeneric", "absgeneric",   "dividegeneric",  "equalspecial",   "zeronotice",
    "vectorsum",   "ellipsegirth", "factcalc",       "fibcalc",        "powercalc",
    "ackcalc",     "palincheck",   "arraysum",       "closureproduct", "closuresquare",
    "fixedsquare", "fixedproduct", "closurecounter", "pointerchain",   "pointerwrite",
    "textnumber",
};

// Los nombres de las pruebas no llevan el del programa: `ctest -R NOMBRE` elige solo las
// pruebas de ese programa.
class SolucionLiteral : public testing::TestWithParam<const char*> {};

TEST_P(SolucionLiteral, PasaTodosLosCasosDelEjercicio) {
    const std::string programa = GetParam();
    const std::string ruta = "soluciones/" + programa + (programa == "ellipsegirth" ? "" : ".cpp");
    Temporal tmp;
    arnes::Resultado r = practica({"comprobar", programa, ruta}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << programa << ": " << r;
    std::istringstream ultima(ultimaLinea(r.salida));
    int bien = -1, total = -2;
    std::string de;
    ultima >> bien >> de >> total;
    EXPECT_EQ(bien, total) << programa << ": " << r.salida;
    EXPECT_GT(total, 0) << programa;
    EXPECT_TRUE(vacia(tmp.ruta));
}

INSTANTIATE_TEST_SUITE_P(Completo, SolucionLiteral, testing::ValuesIn(kProgramas),
                         [](const testing::TestParamInfo<const char*>& i) {
                             return std::to_string(i.index + 1);
                         });

struct Error {
    const char* programa;
    const char* archivo;  // en errores/
    const char* pista;    // lo que el informe debe decir
};

class ErrorHabitual : public testing::TestWithParam<Error> {};

TEST_P(ErrorHabitual, FallaConSuPista) {
    const Error& e = GetParam();
    Temporal tmp;
    arnes::Resultado r =
        practica({"comprobar", e.programa, std::string("errores/") + e.archivo}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << e.archivo << ": " << r;
    EXPECT_NE(r.salida.find(e.pista), std::string::npos) << e.archivo << ": " << r.salida;
    EXPECT_TRUE(vacia(tmp.ruta));
}

const Error kErrores[] = {
    {"ringchain", "ringchain_sin_fin_de_linea.cpp", "Falta el salto de línea al final"},
    {"factcalc", "factcalc_sin_acentos.cpp", "Falta una tilde: el enunciado escribe «número»"},
    {"factcalc", "factcalc_latin1.cpp", "bytes que no son UTF-8 (\\xFA)"},
    {"mingeneric", "mingeneric_blanco_de_mas.cpp", "Sobra «:·»"},
    {"dividegeneric", "dividegeneric_orden.cpp", "llegan en otro orden"},
    {"closuresquare", "closuresquare_sin_vaciar.cpp", "sin haber mostrado el aviso"},
    {"fibcalc", "fibcalc_bucle.cpp", "¿un bucle o una recursión sin caso base?"},
    {"nodesearch", "nodesearch_sin_liberar.cpp", "bloques de memoria sin liberar"},
    {"nodesearch", "nodesearch_usa_liberado.cpp",
     "heap-use-after-free en nodesearch_usa_liberado.cpp:21"},
    {"nodeprune", "nodeprune_otro_nombre.cpp",
     "No se encuentra «eliminarValor»: falta o tiene otro nombre. El ejercicio pide: void "
     "eliminarValor(Nodo*& cabeza, int valor);"},
    {"nodeprune", "nodeprune_sin_liberar_el_quitado.cpp", "el ejercicio solo conserva 2 nodos"},
    {"maxgeneric", "maxgeneric_empate.cpp", "✗ ConCerosIgualesDevuelveElSegundo"},
    {"palincheck", "palincheck_otra_firma.cpp", "«isPalindrome» tiene otro número de parámetros"},
};

INSTANTIATE_TEST_SUITE_P(Completo, ErrorHabitual, testing::ValuesIn(kErrores),
                         [](const testing::TestParamInfo<Error>& i) {
                             std::string nombre = i.param.archivo;
                             nombre = nombre.substr(nombre.find('_') + 1);
                             return nombre.substr(0, nombre.find('.'));
                         });

}  // namespace

// El comprobador de soluciones con soluciones escritas a propósito: la de referencia de cada
// ejercicio (su carpeta solucion/, tal como la escribiría un alumno cuidadoso) pasa, y cada una
// de su carpeta errores/ falla con la pista de su error. Un programa que no termina,
// que inunda la salida o que deja procesos detrás queda contenido.
//   Rapido.*    lo que cuesta poco (en la batería de siempre)
//   Completo.*  la solución de cada ejercicio, cada error, varias entregas y un fuente que no
//   compila
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

#include "catalogo.h"
#include "proceso.h"

namespace fs = std::filesystem;

namespace {

const std::string kRaiz = EJ_RAIZ;

// La carpeta de un ejercicio, relativa a la raíz (ellambda/fixedsquare).
std::string carpeta(const std::string& programa) {
    return nucleo::buscarEjercicio(programa)->carpeta;
}

// La solución de referencia de un ejercicio, relativa a la raíz: su archivo o, si es una
// carpeta con main.cpp, la carpeta.
std::string solucion(const std::string& programa) {
    const nucleo::Ejercicio& e = *nucleo::buscarEjercicio(programa);
    return e.carpeta + "/solucion" +
           (e.forma == nucleo::Forma::Carpeta ? "" : "/" + programa + ".cpp");
}

// Una solución con un error habitual, relativa a la raíz.
std::string conError(const std::string& programa, const std::string& archivo) {
    return carpeta(programa) + "/errores/" + archivo;
}

// Una carpeta temporal propia que se borra al terminar.
struct Temporal {
    fs::path ruta;
    Temporal() {
        std::string plantilla = (fs::temp_directory_path() / "prueba-comprobador-XXXXXX").string();
        ruta = mkdtemp(plantilla.data());
        // El aislamiento corre como un usuario sin privilegios, que debe poder entrar.
        fs::permissions(ruta, fs::perms::others_exec, fs::perm_options::add);
    }
    ~Temporal() {
        std::error_code ec;
        fs::remove_all(ruta, ec);
    }
};

// Ejecuta "comprobador ARGUMENTOS" desde la raíz de la colección, con su propia
// carpeta temporal (TMPDIR) para ver que no deja nada.
nucleo::Resultado practica(const std::vector<std::string>& argumentos, const fs::path& tmp,
                           const fs::path& desde = kRaiz) {
    nucleo::Opciones o;
    o.argumentos = argumentos;
    o.limite = std::chrono::seconds(240);
    o.entorno = {"TMPDIR=" + tmp.string(), "NO_COLOR=1"};
    const fs::path antes = fs::current_path();
    fs::current_path(desde);
    nucleo::Resultado r = nucleo::ejecutar(EJ_COMPROBADOR, "", o);
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
// se compilan en la carpeta temporal del comprobador, que dentro del aislamiento se ve como
// /tmp/entrega: de esos, solo los que montan allí una carpeta de la dada, no los de otras
// pruebas que corren a la vez).
int procesosDesde(const fs::path& carpeta) {
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::error_code ec;
        const std::string exe = fs::read_symlink(e.path() / "exe", ec).string();
        if (ec) continue;
        if (exe.rfind(carpeta.string(), 0) == 0) {
            ++n;
        } else if (exe.rfind("/tmp/entrega/", 0) == 0) {
            std::ifstream montajes(e.path() / "mountinfo");
            const std::string texto((std::istreambuf_iterator<char>(montajes)), {});
            if (texto.find(carpeta.string()) != std::string::npos) ++n;
        }
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
        {{"comprobar", "fixedsquare", solucion("fixedsquare"), "--junit"},
         "Falta el archivo tras --junit."},
        {{"comprobar", "fixedsquare", "--rapido"}, "Opción desconocida: --rapido"},
        {{"comprobar", "ellipsegirth", "nucleo"}, "no tiene main.cpp"},
        {{"practicar", "noexiste"}, "No existe el ejercicio \"noexiste\""},
        {{"otra"}, "Orden desconocida: otra"},
    };
    Temporal tmp;
    for (const Fila& f : filas) {
        SCOPED_TRACE(testing::PrintToString(f.argumentos));
        nucleo::Resultado r = practica(f.argumentos, tmp.ruta);
        EXPECT_EQ(r.estado, 2) << r;
        EXPECT_NE(r.errores.find(f.mensaje), std::string::npos) << r;
    }
    EXPECT_TRUE(vacia(tmp.ruta));
}

TEST(Rapido, UnaSolucionCorrectaPasaYNoDejaNada) {
    Temporal tmp;
    nucleo::Resultado r = practica({"comprobar", "fixedsquare", solucion("fixedsquare")}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << r;
    EXPECT_EQ(ultimaLinea(r.salida), "2 de 2 casos correctos") << r;
    EXPECT_TRUE(vacia(tmp.ruta)) << "la carpeta temporal se borra al terminar";
}

TEST(Completo, UnFuenteQueNoCompilaSeMuestraComoLoDiceElCompilador) {
    Temporal tmp;
    nucleo::Resultado r =
        practica({"comprobar", "arraysum", conError("arraysum", "no_compila.cpp")}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_NE(r.salida.find("✗ No compila."), std::string::npos) << r;
    EXPECT_NE(r.salida.find("ejrecursividad/arraysum/errores/no_compila.cpp:15:5: error:"),
              std::string::npos)
        << r;
    // Sobre el mismo total que una solución correcta: sus 2 casos y sus 3 comprobaciones de
    // funciones, que cuentan como fallidas porque no se pudieron ejecutar.
    EXPECT_EQ(ultimaLinea(r.salida), "0 de 5 casos correctos") << r;
}

TEST(Rapido, UnProgramaQueInundaLaSalidaSeDetiene) {
    Temporal tmp;
    const auto inicio = std::chrono::steady_clock::now();
    nucleo::Resultado r =
        practica({"comprobar", "fixedsquare", conError("fixedsquare", "inunda.cpp")}, tmp.ruta);
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(60));
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_NE(r.salida.find("y se detuvo"), std::string::npos) << r;
    EXPECT_LT(r.salida.size(), 64u * 1024) << "el informe no copia la inundación";
    EXPECT_TRUE(vacia(tmp.ruta));
}

TEST(Rapido, LosProcesosQueDejaUnProgramaSeMatan) {
    Temporal tmp;
    nucleo::Resultado r =
        practica({"comprobar", "fixedsquare", conError("fixedsquare", "bifurca.cpp")}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << "la salida es la pedida: " << r;
    EXPECT_FALSE(r.agotado) << "un hijo con la salida abierta no cuelga la comprobación";
    EXPECT_EQ(procesosDesde(tmp.ruta), 0)
        << "ni el hijo del grupo ni el de otra sesión siguen vivos";
    EXPECT_TRUE(vacia(tmp.ruta));
}

// Un programa de una entrega no lee nada de la colección (sus cabeceras, sus comprobaciones, sus
// soluciones): si abriera alguno de esos archivos, lo diría en su salida y el caso fallaría.
TEST(Rapido, UnProgramaNoVeLaColeccion) {
    Temporal tmp, entrega;
    std::ofstream(entrega.ruta / "espia.cpp")
        << "#include <fstream>\n#include <iostream>\n"
           "int main() {\n"
           "    for (const char* r : {\""
        << kRaiz << "/nucleo/caso.h\", \"" << kRaiz << "/" << carpeta("fixedsquare")
        << "/fixedsquare_unidad.cpp\", \"" << kRaiz << "/" << solucion("fixedsquare") << "\", \""
        << kRaiz
        << "/README.md\"})\n"
           "        if (std::ifstream(r)) std::cout << \"veo \" << r << '\\n';\n"
           "    std::cout << \"El cuadrado de 6 es: 36\" << std::endl;\n"
           "}\n";
    nucleo::Resultado r =
        practica({"comprobar", "fixedsquare", (entrega.ruta / "espia.cpp").string()}, tmp.ruta);
    EXPECT_EQ(ultimaLinea(r.salida), "2 de 2 casos correctos") << r;
    EXPECT_EQ(r.salida.find("veo "), std::string::npos) << r;
}

// Las comprobaciones de funciones se prueban primero todas en un proceso: una que revienta no
// se lleva a las que vienen detrás, que se repiten solas y pasan.
TEST(Rapido, UnaComprobacionQueRevientaNoTumbaLasDemas) {
    Temporal tmp, entrega;
    std::ofstream(entrega.ruta / "maximo.cpp")
        << "#include <cstdlib>\n#include <iostream>\n"
           "template <typename T>\n"
           "T encontrarMaximo(T a, T b) {\n"
           "    if (a != a || b != b) std::abort();  // un NaN\n"
           "    return a > b ? a : b;\n"
           "}\n"
           "int main() {\n"
           "    std::cout << \"El máximo entre 10 y 5 es: \" << encontrarMaximo(10, 5) << "
           "std::endl;\n"
           "    std::cout << \"El máximo entre 'a' y 'c' es: \" << encontrarMaximo('a', 'c') << "
           "std::endl;\n"
           "    std::cout << \"El máximo entre 3.14 y 2.71 es: \" << encontrarMaximo(3.14, 2.71) "
           "<< std::endl;\n"
           "}\n";
    nucleo::Resultado r =
        practica({"comprobar", "maxgeneric", (entrega.ruta / "maximo.cpp").string()}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << r;
    for (const char* linea :
         {"✗ encontrarMaximo con un NaN en cualquier posición devuelve el segundo",
          "Terminó con la señal 6 (SIGABRT).", "✓ encontrarMaximo devuelve el mayor de dos enteros",
          "✓ un char de 128 o más pierde contra la letra a (char tiene signo)",
          "✓ encontrarMaximo no escribe nada",
          "✓ encontrarMaximo se declara como pide el ejercicio"}) {
        EXPECT_NE(r.salida.find(linea), std::string::npos) << linea << "\n" << r.salida;
    }
    std::istringstream ultima(ultimaLinea(r.salida));
    int bien = -1, total = -2;
    std::string de;
    ultima >> bien >> de >> total;
    EXPECT_EQ(bien, total - 1) << r.salida;
}

// Ctrl+C (y SIGTERM, SIGHUP) a media comprobación: los programas de la entrega, que calculaban
// sin parar, mueren con ella, y la carpeta temporal se borra.
TEST(Rapido, InterrumpirNoDejaNadaEnMarcha) {
    for (const char* senal : {"INT", "TERM", "HUP"}) {
        SCOPED_TRACE(senal);
        Temporal tmp;
        const std::string orden = std::string(EJ_COMPROBADOR) + " comprobar fibcalc " + kRaiz +
                                  "/" + conError("fibcalc", "bucle.cpp") +
                                  " >/dev/null 2>&1 & p=$!; sleep 2.5; kill -" + senal +
                                  " $p; wait $p";
        nucleo::Opciones o;
        o.argumentos = {"-c", orden};
        o.limite = std::chrono::seconds(60);
        o.entorno = {"TMPDIR=" + tmp.ruta.string()};
        const nucleo::Resultado r = nucleo::ejecutar("/bin/sh", "", o);
        EXPECT_NE(r.estado, 0) << r;
        const auto hasta = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (procesosDesde(tmp.ruta) > 0 && std::chrono::steady_clock::now() < hasta) {
            usleep(20000);
        }
        EXPECT_EQ(procesosDesde(tmp.ruta), 0);
        EXPECT_TRUE(vacia(tmp.ruta));
    }
}

TEST(Completo, VariasEntregasDanUnaTablaYUnInformeJUnit) {
    Temporal tmp, entregas;
    fs::copy_file(kRaiz + "/" + solucion("fixedsquare"), entregas.ruta / "ana.cpp");
    fs::copy_file(kRaiz + "/" + conError("fixedsquare", "inunda.cpp"), entregas.ruta / "beto.cpp");
    fs::copy_file(kRaiz + "/" + conError("arraysum", "no_compila.cpp"),
                  entregas.ruta / "carla.cpp");
    const fs::path junit = tmp.ruta / "notas.xml";
    nucleo::Resultado r = practica(
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
        std::string programa;
        std::string fijo;
        std::string nombre;
    } filas[] = {
        {"fixedproduct", conError("fixedproduct", "sin_fin_de_linea.cpp"), "mi_producto.cpp"},
        {"closuresquare", solucion("closuresquare"), "mi_cuadrado.cpp"},
    };
    for (const Fila& fila : filas) {
        Temporal tmp, carpeta;
        fs::copy_file(kRaiz + "/" + fila.fijo, carpeta.ruta / fila.nombre);
        nucleo::Resultado r =
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

std::vector<std::string> programas() {
    std::vector<std::string> nombres;
    for (const nucleo::Ejercicio& e : nucleo::ejercicios()) nombres.push_back(e.programa);
    return nombres;
}

// Los nombres de las pruebas no llevan el del programa: `ctest -R NOMBRE` elige solo las
// pruebas de ese programa.
class SolucionLiteral : public testing::TestWithParam<std::string> {};

TEST_P(SolucionLiteral, PasaTodosLosCasosDelEjercicio) {
    const std::string programa = GetParam();
    const std::string ruta = solucion(programa);
    Temporal tmp;
    nucleo::Resultado r = practica({"comprobar", programa, ruta}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << programa << ": " << r;
    std::istringstream ultima(ultimaLinea(r.salida));
    int bien = -1, total = -2;
    std::string de;
    ultima >> bien >> de >> total;
    EXPECT_EQ(bien, total) << programa << ": " << r.salida;
    EXPECT_GT(total, 0) << programa;
    EXPECT_TRUE(vacia(tmp.ruta));
}

INSTANTIATE_TEST_SUITE_P(Completo, SolucionLiteral, testing::ValuesIn(programas()),
                         [](const testing::TestParamInfo<std::string>& i) {
                             return std::to_string(i.index + 1);
                         });

struct Error {
    const char* programa;
    const char* archivo;  // en la carpeta errores/ del ejercicio
    const char* pista;    // lo que el informe debe decir
};

class ErrorHabitual : public testing::TestWithParam<Error> {};

TEST_P(ErrorHabitual, FallaConSuPista) {
    const Error& e = GetParam();
    Temporal tmp;
    nucleo::Resultado r =
        practica({"comprobar", e.programa, conError(e.programa, e.archivo)}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << e.archivo << ": " << r;
    EXPECT_NE(r.salida.find(e.pista), std::string::npos) << e.archivo << ": " << r.salida;
    EXPECT_TRUE(vacia(tmp.ruta));
}

const Error kErrores[] = {
    {"ringchain", "sin_fin_de_linea.cpp", "Falta el salto de línea al final"},
    {"factcalc", "sin_acentos.cpp", "Falta una tilde: el enunciado escribe «número»"},
    {"factcalc", "latin1.cpp", "bytes que no son UTF-8 (\\xFA)"},
    {"mingeneric", "blanco_de_mas.cpp", "Sobra «:·»"},
    {"dividegeneric", "orden.cpp", "llegan en otro orden"},
    {"closuresquare", "sin_vaciar.cpp", "sin haber mostrado el aviso"},
    {"fibcalc", "bucle.cpp", "¿un bucle o una recursión sin caso base?"},
    {"nodesearch", "sin_liberar.cpp", "bloques de memoria sin liberar"},
    {"nodesearch", "usa_liberado.cpp", "heap-use-after-free en usa_liberado.cpp:21"},
    {"nodeprune", "otro_nombre.cpp",
     "No se encuentra «eliminarValor»: falta o tiene otro nombre. El ejercicio pide: void "
     "eliminarValor(Nodo*& cabeza, int valor);"},
    {"nodeprune", "sin_liberar_el_quitado.cpp", "el ejercicio solo conserva 2 nodos"},
    {"maxgeneric", "empate.cpp",
     "✗ encontrarMaximo con dos ceros de distinto signo devuelve el segundo"},
    {"palincheck", "otra_firma.cpp", "«isPalindrome» tiene otro número de parámetros"},
    {"palincheck", "por_valor.cpp", "tiene otra firma"},
    {"ellipsegirth", "cls_dos_veces", "llamó 2 veces a system(\"cls\")"},
    {"zeronotice", "no_lee_el_segundo.cpp", "el programa no esperó la respuesta"},
    {"nodeprune", "cabecera_sin_endl", "✗ imprimirLista termina su línea con std::endl"},
    {"nodeprune", "sin_liberar_la_cabeza.cpp", "✗ eliminarValor"},
    // Aislado también se ve la señal (SIGSEGV), y por ella los sanitizadores dicen la línea.
    {"fixedsquare", "puntero_nulo.cpp",
     "Con AddressSanitizer y UBSan: UBSan: null en puntero_nulo.cpp:6"},
};

// Soluciones que el ejercicio permite aunque no sean la de referencia (escriben con printf o
// fputs, o vacían de más donde el ejercicio no dice nada): pasan.
class Variante : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(Variante, PasaComoLaDeReferencia) {
    const auto [programa, archivo] = GetParam();
    Temporal tmp;
    nucleo::Resultado r =
        practica({"comprobar", programa, carpeta(programa) + "/variantes/" + archivo}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << archivo << ": " << r;
}

// Los límites son de CPU: una solución que se para un momento en cada caso (más que el límite
// de las entradas hostiles y de los casos que decidió la colección) no se da por colgada.
TEST(Completo, UnaPausaNoEsUnBucle) {
    Temporal tmp;
    nucleo::Resultado r = practica(
        {"comprobar", "closuresquare", carpeta("closuresquare") + "/variantes/con_pausa.cpp"},
        tmp.ruta);
    EXPECT_EQ(r.estado, 0) << r;
    EXPECT_EQ(r.salida.find("no terminó"), std::string::npos) << r.salida;
    EXPECT_EQ(r.salida.find("parado"), std::string::npos) << r.salida;
}

// La solución de ringchain que no comprueba sus lecturas pasa los casos del ejercicio, pero con
// una cuenta que no cabe en int repite su aviso sin fin: la robustez lo dice con la causa, y la
// entrada hostil se para al llenar su tope de salida.
TEST(Completo, UnaLecturaSinComprobarSeDiceEnLaRobustez) {
    Temporal tmp;
    nucleo::Resultado r = practica(
        {"comprobar", "ringchain", carpeta("ringchain") + "/solucion/ringchain.cpp"}, tmp.ruta);
    EXPECT_EQ(r.estado, 0) << r;
    EXPECT_NE(r.salida.find("«justo fuera de int»"), std::string::npos) << r.salida;
    EXPECT_NE(r.salida.find("escribió más de 65536 bytes y se detuvo"), std::string::npos)
        << r.salida;
    EXPECT_NE(r.salida.find("deja std::cin en error"), std::string::npos) << r.salida;
    EXPECT_TRUE(vacia(tmp.ruta));
}

INSTANTIATE_TEST_SUITE_P(Completo, Variante,
                         testing::Values(std::pair{"zeronotice", "con_flush.cpp"},
                                         std::pair{"zeronotice", "con_fputs.cpp"},
                                         std::pair{"ringchain", "con_printf.cpp"},
                                         std::pair{"nodesearch", "printf"}),
                         [](const auto& i) {
                             const std::string archivo = i.param.second;
                             return i.param.first + std::string("_") +
                                    archivo.substr(0, archivo.find('.'));
                         });

INSTANTIATE_TEST_SUITE_P(Completo, ErrorHabitual, testing::ValuesIn(kErrores),
                         [](const testing::TestParamInfo<Error>& i) {
                             const std::string nombre = i.param.archivo;
                             return i.param.programa + std::string("_") +
                                    nombre.substr(0, nombre.find('.'));
                         });

}  // namespace

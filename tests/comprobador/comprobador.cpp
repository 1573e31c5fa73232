// El comprobador de soluciones con soluciones escritas a propósito, todas (solo con el preset
// completa: compila una solución de cada ejercicio y cada error): la de referencia de cada
// ejercicio (su carpeta solucion/, tal como la escribiría un alumno cuidadoso) pasa, y cada una
// de su carpeta errores/ falla con la pista de su error; varias entregas dan una tabla y JUnit.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apoyo.h"
#include "catalogo.h"
#include "proceso.h"

namespace fs = std::filesystem;

namespace {

using namespace apoyo;

TEST(Completo, UnFuenteQueNoCompilaSeMuestraComoLoDiceElCompilador) {
    Temporal tmp;
    nucleo::Resultado r =
        practica({"comprobar", "arraysum", conError("arraysum", "no_compila.cpp")}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_NE(r.salida.find("✗ No compila."), std::string::npos) << r;
    EXPECT_NE(r.salida.find("ejrecursividad/arraysum/errores/no_compila.cpp:15:5: error:"),
              std::string::npos)
        << r;
    // Sobre el mismo total que una solución correcta: sus 2 casos, sus 3 comprobaciones de
    // funciones y sus 4 reglas de técnica, que cuentan como fallidas porque no se pudieron
    // ejecutar.
    EXPECT_EQ(ultimaLinea(r.salida), "0 de 9 comprobaciones correctas") << r;

    // La técnica de un fuente que no compila no cuenta, aunque el analizador lo lea.
    Temporal carpeta;
    const fs::path roto = carpeta.ruta / "fibcalc.cpp";
    std::ofstream(roto) << leer(fs::path(kRaiz) / "ejrecursividad/fibcalc.cpp") << "int roto = ;\n";
    r = practica({"comprobar", "fibcalc", roto.string()}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_TRUE(ultimaLinea(r.salida).rfind("0 de ", 0) == 0) << r;
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
    EXPECT_EQ(contar("<testcase "), 21u)
        << "dos casos y cinco reglas de técnica por entrega: " << xml.str();
    // Los dos casos de beto (inunda la salida) y todo lo de carla (no compila).
    EXPECT_EQ(contar("<failure "), 9u) << xml.str();
    EXPECT_EQ(xml.str().rfind("</testsuites>\n"), xml.str().size() - 14) << xml.str();
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
    // Un error, dicho una vez: el informe cabe en una pantalla, y empieza por el veredicto.
    EXPECT_LE(std::count(r.salida.begin(), r.salida.end(), '\n'), 60) << r.salida;
    const std::size_t segunda = r.salida.find('\n') + 1;
    EXPECT_EQ(r.salida.compare(segunda, 4, "✗ "), 0) << r.salida;
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
    // Lo que solo ven las llamadas y entradas sorteadas: respuestas de memoria a lo publicado,
    // listas más largas que las del programa, otros tramos de la palabra.
    {"factcalc", "tabla.cpp", "factorial(n) es 1 con n de 1 o menos"},
    {"maxgeneric", "tabla.cpp", "✗ encontrarMaximo devuelve el mayor de dos enteros"},
    {"closuresquare", "tabla.cpp", "✗ entradas nuevas, sorteadas en esta comprobación"},
    {"palincheck", "espejo.cpp", "Solo cuentan los bytes de start a end"},
    {"nodesearch", "busca_solo_tres.cpp",
     "✗ buscarElemento encuentra el valor en cualquier posición y da false en la lista vacía"},
    {"nodeprune", "sin_bucle.cpp",
     "✗ eliminarValor quita solo el primer nodo que guarda el valor, esté donde esté"},
    // Lo que la comparación exacta y los sanitizadores ven en las funciones.
    {"dividegeneric", "inverso.cpp",
     "✗ dividir con otro divisor devuelve el cociente y no escribe nada"},
    {"equalspecial", "resta.cpp", "UBSan: signed-integer-overflow en resta.cpp:9"},
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

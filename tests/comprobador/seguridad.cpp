// Las pruebas del comprobador que van en la batería de siempre: que lo que hace una entrega hostil
// queda contenido (un bucle, una inundación, procesos que se escapan, Ctrl+C) y que ninguna
// entrega puede fabricar su propio veredicto. Cada programa de hostiles/ intenta una manera de
// aprobar sin hacer lo que pide el ejercicio (escribir el resultado de sus comprobaciones,
// redefinir con macros lo que las comprueba, copiar su compilación normal encima de la vigilada,
// contar una llamada a cls que no hizo, responder de memoria lo publicado) o de leer un archivo
// del anfitrión; cada uno recibe el veredicto de lo que hace de verdad.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apoyo.h"
#include "proceso.h"
#include "texto.h"

namespace fs = std::filesystem;

namespace {

using namespace apoyo;

// Un programa hostil de las pruebas, relativo a la raíz.
std::string hostil(const std::string& nombre) { return "tests/comprobador/hostiles/" + nombre; }

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
        {{"practicar", "fixedsquare"}, "Orden desconocida: practicar"},
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
    // Sus dos casos y las cinco reglas de la técnica.
    EXPECT_EQ(ultimaLinea(r.salida), "7 de 7 comprobaciones correctas") << r;
    EXPECT_TRUE(vacia(tmp.ruta)) << "la carpeta temporal se borra al terminar";
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
    // Sus casos pasan (la técnica no: no usa ninguna lambda), y no vio nada.
    const std::size_t casos = r.salida.find("Casos del ejercicio\n");
    ASSERT_NE(casos, std::string::npos) << r;
    const std::string seccion = r.salida.substr(casos, r.salida.find("\n\n", casos) - casos);
    EXPECT_EQ(seccion.find("✗"), std::string::npos) << r;
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

// Un TMPDIR que no sirve (no existe, o es relativo) no es un fallo de la entrega: la
// comprobación trabaja en /tmp, o en esa carpeta hecha absoluta, y da su veredicto de siempre.
TEST(Rapido, UnTmpdirQueNoSirveNoCambiaElVeredicto) {
    Temporal tmp;
    fs::create_directories(tmp.ruta / "relativa");
    for (const char* tmpdir : {"/no/existe", "relativa"}) {
        SCOPED_TRACE(tmpdir);
        nucleo::Opciones o;
        // Con comprobaciones de funciones: la respuesta modelo también escribe en TMPDIR.
        o.argumentos = {"comprobar", "ringchain",
                        std::string(kRaiz) + "/ejlistas/ringchain/solucion/ringchain.cpp"};
        o.limite = std::chrono::seconds(120);
        o.directorio = tmp.ruta.string();
        o.entorno = {std::string("TMPDIR=") + tmpdir};
        const nucleo::Resultado r = nucleo::ejecutar(EJ_COMPROBADOR, "", o);
        EXPECT_EQ(r.estado, 0) << r;
        EXPECT_NE(r.salida.find("✓ 23 de 23"), std::string::npos) << r;
    }
    EXPECT_TRUE(vacia(tmp.ruta / "relativa"));
}

// ----------------------------------------------------------------------- Falsificaciones

TEST(Falsificacion, NingunaEntregaFabricaSuVeredicto) {
    struct Fila {
        const char* programa;
        std::string ruta;
        std::vector<std::string> dice;  // lo que el informe debe decir de lo que hace de verdad
    } filas[] = {
        {"fibcalc",
         hostil("protocolo_falso.cpp"),
         {"✗ fibonacci da el término de cada posición, y 0 para las negativas",
          "Llamada: fibonacci(-2147483648)", "Terminó dentro de la llamada sin volver de ella"}},
        {"fibcalc",
         hostil("lee_peticiones.cpp"),
         {"✗ fibonacci da el término de cada posición, y 0 para las negativas",
          "✗ fibonacci se declara como pide el ejercicio"}},
        {"fibcalc",
         hostil("antes_que_la_sonda.cpp"),
         {"La solución pone código en .preinit_array, que correría antes que las "
          "comprobaciones: no se comprueba."}},
        {"fibcalc",
         hostil("macro_al_final.cpp"),
         {"✗ fibonacci da el término de cada posición, y 0 para las negativas", "Esperado: 0\n",
          "Obtenido: -2147483648\n"}},
        {"fibcalc",
         hostil("por_tabla.cpp"),
         {"✗ entradas nuevas, sorteadas", "Con una entrada sorteada (se repite con --semilla",
          "✗ fibonacci da el término de cada posición", "(sorteada: se repite con --semilla"}},
        {"fixedsquare",
         hostil("sobrescribe_vigilado.cpp"),
         {"✗ sin entrada", "Con AddressSanitizer y UBSan el programa falla sin entrada"}},
        {"ellipsegirth",
         hostil("cls_escrito"),
         {"El programa llamó 0 veces a system(\"cls\"), y el ejercicio lo llama 1 vez."}},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.ruta);
        Temporal tmp;
        const nucleo::Resultado r = practica({"comprobar", f.programa, f.ruta}, tmp.ruta);
        EXPECT_EQ(r.estado, 1) << r;
        const auto [bien, total] = cuenta(r.salida);
        EXPECT_LT(bien, total) << r.salida;
        for (const std::string& d : f.dice)
            EXPECT_NE(r.salida.find(d), std::string::npos) << d << "\n" << r.salida;
        EXPECT_TRUE(vacia(tmp.ruta));
    }
}

// La misma semilla repite las mismas entradas sorteadas, y el informe la dice.
TEST(Falsificacion, LaSemillaRepiteLoSorteado) {
    Temporal tmp;
    const nucleo::Resultado a =
        practica({"comprobar", "fibcalc", hostil("por_tabla.cpp"), "--semilla", "12345"}, tmp.ruta);
    const nucleo::Resultado b =
        practica({"comprobar", "fibcalc", hostil("por_tabla.cpp"), "--semilla=12345"}, tmp.ruta);
    EXPECT_NE(a.salida.find("(semilla 12345)"), std::string::npos) << a.salida;
    EXPECT_EQ(a.salida, b.salida);
}

// ------------------------------------------------------------------- El anfitrión, fuera

// Un enlace en una entrega (a un archivo del profesor) no se sigue: se rechaza diciéndolo, y nada
// de ese archivo llega al informe.
TEST(Anfitrion, UnEnlaceDeUnaEntregaNoSeSigue) {
    Temporal tmp, fuera, entregas;
    const fs::path secreto = fuera.ruta / "notas_del_profesor.txt";
    std::ofstream(secreto) << "clave-secreta-del-profesor\n";
    fs::create_symlink(secreto, entregas.ruta / "ana.cpp");
    fs::create_directories(entregas.ruta / "beto");
    for (const char* f : {"main.cpp", "Cir.cpp"})
        fs::copy_file(kRaiz + "/" + solucion("ellipsegirth") + "/" + f, entregas.ruta / "beto" / f);
    fs::create_symlink(secreto, entregas.ruta / "beto" / "Cir.h");
    struct Fila {
        const char* programa;
        fs::path ruta;
        const char* dice;
    } filas[] = {
        {"fixedsquare", entregas.ruta, "ana.cpp es un enlace simbólico: no se sigue"},
        {"ellipsegirth", entregas.ruta / "beto", "Cir.h es un enlace simbólico: no se sigue"},
    };
    for (const Fila& f : filas) {
        const nucleo::Resultado r = practica({"comprobar", f.programa, f.ruta.string()}, tmp.ruta);
        EXPECT_EQ(r.estado, 1) << r;
        EXPECT_NE(r.salida.find(f.dice), std::string::npos) << r.salida;
        EXPECT_EQ((r.salida + r.errores).find("clave-secreta"), std::string::npos) << r;
        EXPECT_TRUE(vacia(tmp.ruta));
    }
}

// Lo que dice el compilador llega recortado: 20000 líneas de errores no dan un informe de
// 20000 líneas.
TEST(Anfitrion, LaSalidaDelCompiladorLlegaRecortada) {
    Temporal tmp, entrega;
    std::ofstream f(entrega.ruta / "mal.cpp");
    for (int i = 0; i < 20000; ++i) f << "x" << i << " y" << i << ";\n";
    f.close();
    const nucleo::Resultado r =
        practica({"comprobar", "fixedsquare", (entrega.ruta / "mal.cpp").string()}, tmp.ruta);
    EXPECT_EQ(r.estado, 1) << r;
    EXPECT_NE(r.salida.find("✗ No compila."), std::string::npos) << r.salida;
    EXPECT_LT(nucleo::lineasDe(r.salida).size(), 60u) << r.salida;
    EXPECT_NE(r.salida.find(" líneas más\n"), std::string::npos) << r.salida;
}

// ------------------------------------------------------------------------ Sus propios fallos

// Las carpetas temporales que dejó una comprobación matada se barren al empezar otra; la de una
// comprobación que sigue en marcha, no.
TEST(Propios, LasTemporalesDeUnaComprobacionMatadaSeBarren) {
    Temporal tmp;
    const fs::path vieja = tmp.ruta / "comprobar-vieja01";
    const fs::path viva = tmp.ruta / "comprobar-viva001";
    for (const fs::path& c : {vieja, viva}) {
        fs::create_directories(c / "1");
        std::ofstream(c / "1" / "normal") << std::string(1 << 20, 'x');
        std::ofstream(c / ".en-uso");
    }
    const int cerrojo = open((viva / ".en-uso").c_str(), O_RDONLY);
    ASSERT_EQ(flock(cerrojo, LOCK_EX | LOCK_NB), 0);
    const nucleo::Resultado r =
        practica({"comprobar", "fixedsquare", solucion("fixedsquare")}, tmp.ruta);
    close(cerrojo);
    EXPECT_EQ(r.estado, 0) << r;
    EXPECT_FALSE(fs::exists(vieja));
    EXPECT_TRUE(fs::exists(viva / "1" / "normal"));
}

// Un disco lleno es un fallo del comprobador: una línea y el estado 3, nunca un veredicto.
TEST(Propios, UnDiscoLlenoNoEsUnVeredicto) {
    if (geteuid() != 0) GTEST_SKIP() << "montar un disco pequeño pide root";
    Temporal tmp;
    const fs::path disco = tmp.ruta / "disco";
    fs::create_directories(disco);
    if (mount("tmpfs", disco.c_str(), "tmpfs", 0, "size=96k") != 0)
        GTEST_SKIP() << "no se pudo montar un tmpfs";
    fs::permissions(disco, fs::perms::all);
    const nucleo::Resultado r = practica({"comprobar", "fibcalc", solucion("fibcalc")}, disco);
    umount(disco.c_str());
    EXPECT_EQ(r.estado, 3) << r;
    EXPECT_NE(r.errores.find("Error del comprobador"), std::string::npos) << r;
    EXPECT_EQ(r.salida.find("comprobaciones correctas"), std::string::npos) << r.salida;
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
        const std::string orden =
            "$ ./ejercicios comprobar " + std::string(fila.programa) + " " + fila.nombre + "\n";
        // Las entradas sorteadas, con la semilla que muestra el README.
        std::vector<std::string> argumentos = {"comprobar", fila.programa, fila.nombre};
        const std::size_t empieza = readme.str().find(orden);
        const std::size_t semilla = readme.str().find("(semilla ", empieza);
        if (empieza != std::string::npos && semilla != std::string::npos &&
            semilla < readme.str().find("```", empieza)) {
            const std::size_t desde = semilla + 9;
            argumentos.push_back("--semilla=" +
                                 readme.str().substr(desde, readme.str().find(')', desde) - desde));
        }
        nucleo::Resultado r = practica(argumentos, tmp.ruta, carpeta.ruta);
        // En la terminal, el aviso de la salida de error sale antes que el informe.
        const std::string transcripcion = orden + r.errores + r.salida + "```\n";
        EXPECT_NE(readme.str().find(transcripcion), std::string::npos)
            << "El README debe mostrar exactamente:\n"
            << transcripcion;
    }
}

}  // namespace

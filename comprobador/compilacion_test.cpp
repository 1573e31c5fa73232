// La compilación vigilada de una entrega deja fuera dos comprobaciones de UBSan (vptr y
// pointer-overflow) para compilar antes, y añade una que GCC no trae (float-cast-overflow).
// Estas pruebas compilan, con sus mismas banderas, un programa con cada comportamiento
// indefinido que las pistas explican, y miran que UBSan lo ve y que el resumen lo dice con su
// frase.
#include "compilacion.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "orquesta.h"
#include "paralelo.h"
#include "proceso.h"
#include "sanitizadores.h"

namespace {

namespace fs = std::filesystem;

struct Indefinido {
    const char* nombre;
    const char* cuerpo;  // el de main: `v` vale 0 sin que el compilador lo sepa
    const char* frase;   // la del resumen
};

const Indefinido kIndefinidos[] = {
    {"desbordamiento", "int a = 2147483647 + v; salida = a + 1;", "un int se desbordó"},
    {"negación", "int a = -2147483647 - 1 + v; salida = -a;", "se negó el int más negativo"},
    {"división por cero", "salida = 5 / v;", "una división entera por cero"},
    {"índice", "int a[3] = {1, 2, 3}; salida = a[3 + v];", "un índice fuera del arreglo"},
    {"conversión", "double d = 1e20 + v; salida = static_cast<int>(d);",
     "se convirtió un valor que no cabe"},
    {"desplazamiento", "salida = 1 << (40 + v);", "un desplazamiento de bits fuera de rango"},
    {"bool", "char c = 5 + v; bool b; std::memcpy(&b, &c, 1); salida = b ? 1 : 2;",
     "se leyó un valor no válido"},
    {"puntero nulo", "int* p = nullptr; p += v; salida = *p;", "se usó un puntero nulo"},
    {"alineación",
     "alignas(int) char b[8] = {}; int* p = reinterpret_cast<int*>(b + 1 + v); salida = *p;",
     "un acceso a memoria desalineado"},
    {"sin return", "salida = sinReturn(v);", "terminó sin return"},
};

TEST(Vigilada, CadaComportamientoIndefinidoDeLasPistasSigueVigilado) {
    const fs::path carpeta = fs::temp_directory_path() / ("vigilada-" + std::to_string(getpid()));
    fs::create_directories(carpeta);
    const std::size_t n = std::size(kIndefinidos);
    std::vector<nucleo::Resultado> compilado(n), ejecutado(n);
    comprobador::enParalelo(n, [&](std::size_t i) {
        const fs::path fuente = carpeta / (std::to_string(i) + ".cpp");
        std::ofstream(fuente) << "#include <cstring>\n"
                                 "volatile int cero = 0, salida;\n"
                                 "int sinReturn(int x) { if (x > 0) return 1; }\n"
                                 "int main() { int v = cero; "
                              << kIndefinidos[i].cuerpo << " return 0; }\n";
        const std::string programa = (carpeta / std::to_string(i)).string();
        nucleo::Opciones o;
        o.argumentos = comprobador::banderasVigiladas();
        o.argumentos.insert(o.argumentos.end(), {fuente.string(), "-o", programa});
        o.unirSalidas = true;
        o.limite = std::chrono::seconds(120);
        compilado[i] = nucleo::ejecutar(EJ_COMPILADOR, "", o);
        nucleo::Opciones e;
        e.limite = std::chrono::seconds(20);
        e.poner("ASAN_OPTIONS=detect_leaks=0:halt_on_error=1");
        e.poner("UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1");
        if (compilado[i].terminoBien()) ejecutado[i] = nucleo::ejecutar(programa, "", e);
    });
    for (std::size_t i = 0; i < n; ++i) {
        const Indefinido& u = kIndefinidos[i];
        ASSERT_TRUE(compilado[i].terminoBien()) << u.nombre << ": " << compilado[i].salida;
        const nucleo::Resultado& r = ejecutado[i];
        EXPECT_FALSE(r.terminoBien()) << u.nombre << ": UBSan no lo vio";
        const std::vector<std::string> resumen = nucleo::resumirSanitizadores(r.errores);
        ASSERT_FALSE(resumen.empty()) << u.nombre << ": " << r.errores;
        EXPECT_NE(resumen.front().find("UBSan"), std::string::npos)
            << u.nombre << ": " << resumen.front();
        EXPECT_NE(resumen.front().find(u.frase), std::string::npos)
            << u.nombre << ": " << resumen.front();
    }
    std::error_code ec;
    fs::remove_all(carpeta, ec);
}

// Lo que dice una compilación no basta para culpar al comprobador: la entrega puede escribir
// «No space left on device» con un #error, o llamar a su archivo «bwrap: …». Solo un disco lleno
// de verdad o un aislamiento que no arranca de verdad lo son. Y una compilación que se para lo
// dice.
TEST(Compilacion, SoloLoQueFallaDeVerdadEsCulpaDelComprobador) {
    nucleo::CarpetaTemporal t("prueba-compilacion");
    comprobador::Entorno entorno;
    entorno.temporal = t.ruta();
    entorno.compilador = EJ_COMPILADOR;
    struct Fila {
        const char* salida;
        bool agotado, excesiva;
        std::string causa;
    } filas[] = {
        {"a.cpp:1:2: error: #error No space left on device\n", false, false, ""},
        {"bwrap: Can't find source path /root: Permission denied\n", false, false, ""},
        {"", true, false, "la compilación no terminó en 180 s y se detuvo"},
        {"", false, true, "el compilador escribió más de 16 MiB y se detuvo"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.salida);
        nucleo::Resultado r;
        r.estado = 1;
        r.salida = f.salida;
        r.agotado = f.agotado;
        r.salidaExcesiva = f.excesiva;
        const comprobador::Comprobacion c =
            comprobador::comprobacionDeCompilacion("compilacion", "Compila", r, entorno);
        EXPECT_EQ(c.estado, comprobador::Estado::Fallo);
        EXPECT_EQ(c.causa, f.causa);
        EXPECT_EQ(c.evidencia.obtenido, f.salida);
    }
    nucleo::Resultado sinCompilador;
    sinCompilador.estado = 127;
    EXPECT_THROW(
        comprobador::comprobacionDeCompilacion("compilacion", "Compila", sinCompilador, entorno),
        comprobador::ErrorDelComprobador);
}

// La cabecera precompilada de <iostream> solo se pone delante de un fuente que ya empieza por
// ella: entonces no le cambia nada. Lo que va antes de su #include (una macro, otra cabecera)
// podría cambiar lo que declara, y ese fuente se compila como siempre.
TEST(Compilacion, LaCabeceraPrecompiladaSoloSiElFuenteEmpiezaPorElla) {
    struct Fila {
        const char* fuente;
        bool empieza;
    } filas[] = {
        {"#include <iostream>\nint main() {}\n", true},
        {"\xEF\xBB\xBF// Mi solución\n/* de\n   varias líneas */\n  #  include  <iostream> // "
         "E/S\n",
         true},
        {"#include <iostream>\r\nint main() {}\r\n", true},
        {"#include <iostream>", true},
        {"#define private public\n#include <iostream>\n", false},
        {"#include <string>\n#include <iostream>\n", false},
        {"#include \"iostream\"\n", false},
        {"#include <iostreams>\n", false},
        {"#include <iostream> int x;\n", false},
        {"/* sin cerrar #include <iostream>\n", false},
        {"", false},
        {"int main() {}\n", false},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(comprobador::empiezaPorIostream(f.fuente), f.empieza) << f.fuente;
    }
}

}  // namespace

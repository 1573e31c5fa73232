// El ejecutor de procesos en Windows, con proceso_hijo (que hace lo que dicen sus argumentos):
// lo que escribe cada flujo con sus "\r\n" deshechos, cómo termina (también cuando se rompe),
// los argumentos y el entorno en UTF-8, los límites de tiempo y de salida, la conversación que
// espera cada aviso, y que nada de lo que lance el programa sobreviva.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "proceso.h"

namespace {

nucleo::Resultado hijo(const std::vector<std::string>& acciones, const std::string& entrada = "",
                       nucleo::Opciones o = {}) {
    o.argumentos = acciones;
    if (o.limite == std::chrono::milliseconds(10000)) o.limite = std::chrono::seconds(5);
    return nucleo::ejecutar(EJ_HIJO, entrada, o);
}

// El proceso de ese número ya no está vivo (o termina enseguida).
bool muerto(unsigned long pid) {
    HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (p == nullptr) return true;
    const bool termino = WaitForSingleObject(p, 2000) == WAIT_OBJECT_0;
    CloseHandle(p);
    return termino;
}

// El número que escribió la acción "nieto" en la salida.
unsigned long pidDelNieto(const std::string& salida) {
    const size_t pos = salida.find("nieto ");
    return pos == std::string::npos ? 0 : std::stoul(salida.substr(pos + 6));
}

TEST(ProcesoWindows, FlujosYEstado) {
    const nucleo::Resultado r = hijo({"eco", "error:error\\n", "sale:5"}, "hola");
    EXPECT_EQ(r.salida, "hola");
    EXPECT_EQ(r.errores, "error\n");
    EXPECT_EQ(r.estado, 5);
    EXPECT_EQ(r.senal, 0);
    EXPECT_FALSE(r.terminoBien());
    nucleo::Opciones unidas;
    unidas.unirSalidas = true;
    const nucleo::Resultado juntas =
        hijo({"escribe:a\\n", "vacia", "error:b\\n", "escribe:c\\n"}, "", unidas);
    EXPECT_EQ(juntas.salida, "a\nb\nc\n");
    EXPECT_EQ(juntas.errores, "");
    EXPECT_TRUE(juntas.terminoBien()) << juntas;
}

TEST(ProcesoWindows, LosRetornosDelModoTextoSeDeshacen) {
    struct Fila {
        const char* descripcion;
        std::vector<std::string> acciones;
        const char* salida;
    } filas[] = {
        // Cada "\n" llega como "\r\n"; un "\r" del programa (también ante su "\n") se queda.
        {"modo texto", {"escribe:uno\\ndos\\r\\ntres\\r"}, "uno\ndos\r\ntres\r"},
        // Un "\r\n" partido entre dos lecturas sigue siendo un salto.
        {"partido", {"binario", "escribe:x\\r", "vacia", "duerme:200", "escribe:\\ny"}, "x\ny"},
        {"binario", {"binario", "escribe:a\\r\\r\\nb\\r"}, "a\r\nb\r"},
    };
    for (const Fila& f : filas) {
        const nucleo::Resultado r = hijo(f.acciones);
        EXPECT_EQ(r.salida, f.salida) << f.descripcion << ": " << r;
    }
}

// Se rompe con esa acción y termina con ese código, juzgado como esa señal.
void seRompe(const std::string& accion, int senal, const std::vector<std::uint32_t>& codigos) {
    const nucleo::Resultado r = hijo({accion});
    EXPECT_EQ(r.senal, senal) << accion << ": " << r;
    EXPECT_NE(std::find(codigos.begin(), codigos.end(), r.codigoWindows), codigos.end())
        << accion << ": " << r;
    EXPECT_EQ(r.estado, -1) << accion;
    EXPECT_FALSE(r.terminoBien()) << accion;
    EXPECT_FALSE(r.agotado) << accion << ": sin cuadros de error que esperen a alguien";
}

TEST(ProcesoWindows, UnProgramaQueSeRompeSeJuzgaComoSuSenal) {
    seRompe("viola", SIGSEGV, {0xC0000005});
    seRompe("divide", SIGFPE, {0xC0000094});
    seRompe("aborta", SIGABRT, {3, 0xC0000409});  // según la biblioteca de C: msvcrt o ucrt
    nucleo::Resultado r;
    r.senal = SIGSEGV;
    r.codigoWindows = 0xC0000005;
    EXPECT_EQ(nucleo::nombreDeSenal(r), "0xC0000005, STATUS_ACCESS_VIOLATION");
    r.senal = SIGABRT;
    r.codigoWindows = 3;
    EXPECT_EQ(nucleo::nombreDeSenal(r), "estado 3, el de abort()");
}

TEST(ProcesoWindows, UnaPilaDesbordadaEsUnaViolacionDeSegmento) {
    if (nucleo::enWine()) {
        GTEST_SKIP() << "wine no sabe terminar un programa que desborda su pila con su código "
                        "(0xC00000FD): el proceso acaba con el estado 0";
    }
    seRompe("pila", SIGSEGV, {0xC00000FD});
}

TEST(ProcesoWindows, ArgumentosEntornoYCarpetaEnUtf8) {
    const std::vector<std::string> raros = {
        "con espacio", "", "\"comillas\"", "barra\\", "barras\\\\\"y comillas", "ñandú €", "a\tb",
    };
    std::vector<std::string> acciones = {"argumentos"};
    acciones.insert(acciones.end(), raros.begin(), raros.end());
    std::string esperado;
    for (const std::string& a : raros) esperado += a + "\n";
    EXPECT_EQ(hijo(acciones).salida, esperado);

    // En Windows el nombre de una variable no distingue mayúsculas: se sustituye, no se repite.
    SetEnvironmentVariableW(L"EJ_PRUEBA_MAYUS", L"heredada");
    nucleo::Opciones o;
    o.poner("ej_prueba_mayus=sí, ñ");
    EXPECT_EQ(hijo({"variables:EJ_PRUEBA_MAYUS"}, "", o).salida, "ej_prueba_mayus=sí, ñ\n");
    SetEnvironmentVariableW(L"EJ_PRUEBA_MAYUS", nullptr);

    nucleo::CarpetaTemporal carpeta("prueba-proceso-ñ");
    ASSERT_FALSE(carpeta.ruta().empty());
    nucleo::Opciones dentro;
    dentro.directorio = carpeta.ruta();
    const nucleo::Resultado r = hijo({"carpeta"}, "", dentro);
    ASSERT_FALSE(r.salida.empty()) << r;
    EXPECT_TRUE(std::filesystem::equivalent(
        std::filesystem::u8path(r.salida.substr(0, r.salida.size() - 1)),
        std::filesystem::u8path(carpeta.ruta())))
        << r.salida;
    // Una ruta relativa lo es a esa carpeta, como en Linux tras el chdir, y sin ".exe" lo busca.
    std::filesystem::copy_file(EJ_HIJO, std::filesystem::u8path(carpeta.ruta()) / "hijo.exe");
    dentro.argumentos = {"escribe:desde dentro"};
    EXPECT_EQ(nucleo::ejecutar("./hijo", "", dentro).salida, "desde dentro");
}

TEST(ProcesoWindows, UnProgramaQueNoExisteTerminaCon127) {
    const nucleo::Resultado r = nucleo::ejecutar("C:/no/existe.exe", "");
    EXPECT_EQ(r.estado, 127);
    EXPECT_FALSE(r.agotado);
    nucleo::Opciones o;
    o.directorio = "C:/no/existe";
    EXPECT_EQ(hijo({"sale:0"}, "", o).estado, 127) << "sin su carpeta de trabajo no arranca";
}

TEST(ProcesoWindows, UnaEntradaGrandeNoLoBloquea) {
    const std::string mucho(4 << 20, 'x');
    EXPECT_EQ(hijo({"eco"}, mucho).salida.size(), mucho.size());
    // Un programa que no lee su entrada tampoco bloquea al que escribe.
    const nucleo::Resultado r = hijo({"escribe:listo"}, mucho);
    EXPECT_EQ(r.salida, "listo");
    EXPECT_TRUE(r.terminoBien()) << r;
}

TEST(ProcesoWindows, ElLimiteDeTiempoMataAlProgramaYALoQueLanzo) {
    nucleo::Opciones corto;
    corto.limite = std::chrono::milliseconds(1000);
    const auto antes = std::chrono::steady_clock::now();
    const nucleo::Resultado r = hijo({"nieto:30000", "duerme:30000"}, "", corto);
    EXPECT_TRUE(r.agotado) << r;
    EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(5));
    const unsigned long nieto = pidDelNieto(r.salida);
    ASSERT_NE(nieto, 0u) << r;
    EXPECT_TRUE(muerto(nieto)) << "el nieto " << nieto << " sigue vivo";
}

TEST(ProcesoWindows, LoQueLanzaElProgramaNoSobrevive) {
    // El nieto se queda con la salida abierta: la ejecución no espera a que termine.
    const auto antes = std::chrono::steady_clock::now();
    const nucleo::Resultado r = hijo({"nieto:30000", "escribe:listo\\n"});
    EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(5));
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida.substr(r.salida.find('\n') + 1), "listo\n");
    const unsigned long nieto = pidDelNieto(r.salida);
    ASSERT_NE(nieto, 0u) << r;
    EXPECT_TRUE(muerto(nieto)) << "el nieto " << nieto << " sigue vivo";
}

TEST(ProcesoWindows, ElLimiteDeSalida) {
    nucleo::Opciones poco;
    poco.limiteSalida = 1000;
    const nucleo::Resultado r = hijo({"inunda"}, "", poco);
    EXPECT_TRUE(r.salidaExcesiva);
    EXPECT_LT(r.salida.size(), 10u << 20);
}

TEST(ProcesoWindows, LaConversacionEsperaCadaAviso) {
    const std::vector<nucleo::Paso> pasos = {{"uno: ", "1\n"}, {"dos: ", "2\n"}};
    nucleo::Opciones o;
    o.argumentos = {"escribe:uno: ", "vacia", "lee", "escribe:dos: ", "vacia", "lee", "suma"};
    const nucleo::Resultado r = nucleo::conversar(EJ_HIJO, pasos, o);
    EXPECT_TRUE(r.conversoBien()) << r;
    EXPECT_EQ(r.salida, "uno: dos: 1+2\n");
    struct Fila {
        const char* descripcion;
        std::vector<std::string> acciones;
        int sinAviso;
        bool tardio;
        int sinEsperar;
    } filas[] = {
        // Lee antes de escribir el aviso: la respuesta se escribe igual y el aviso llega tarde.
        {"aviso sin vaciar", {"lee", "escribe:uno: ", "vacia", "lee"}, 0, true, -1},
        // El aviso es otro: se deja de esperar enseguida y no llega nunca.
        {"aviso distinto", {"escribe:uno:", "vacia", "lee", "escribe:dos: ", "lee"}, 0, false, -1},
        // Escribe el segundo aviso y termina sin leer su respuesta.
        {"no espera la segunda", {"escribe:uno: ", "vacia", "lee", "escribe:dos: "}, -1, false, 1},
    };
    for (const Fila& f : filas) {
        o.argumentos = f.acciones;
        const auto antes = std::chrono::steady_clock::now();
        const nucleo::Resultado c = nucleo::conversar(EJ_HIJO, pasos, o, std::chrono::seconds(4));
        EXPECT_FALSE(c.agotado) << f.descripcion << ": " << c;
        EXPECT_EQ(c.pasoSinAviso, f.sinAviso) << f.descripcion << ": " << c;
        EXPECT_EQ(c.avisoTardio, f.tardio) << f.descripcion << ": " << c;
        EXPECT_EQ(c.pasoSinEsperar, f.sinEsperar) << f.descripcion << ": " << c;
        EXPECT_FALSE(c.conversoBien()) << f.descripcion;
        EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::milliseconds(3500))
            << f.descripcion << ": no se espera el tiempo entero por un aviso que no llega";
    }
}

TEST(ProcesoWindows, LaCarpetaTemporalSeBorra) {
    std::string ruta;
    {
        nucleo::CarpetaTemporal t("prueba-proceso");
        ruta = t.ruta();
        ASSERT_FALSE(ruta.empty());
        std::ofstream(std::filesystem::u8path(ruta + "/archivo")) << "x";
        std::filesystem::create_directories(std::filesystem::u8path(ruta + "/dentro/mas"));
        nucleo::CarpetaTemporal otra("prueba-proceso");
        EXPECT_NE(otra.ruta(), ruta);
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(ruta)));
}

}  // namespace

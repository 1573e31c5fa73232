// Lo que la revisión cambia en los resúmenes según la entrega: un «arreglo local» solo si
// la entrega declara alguno.
#include "revision.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace comprobador;

TEST(Revision, UnArregloLocalSoloSiLaEntregaDeclaraAlguno) {
    const std::string informe =
        "AddressSanitizer: stack-buffer-overflow en p.cpp:7: se leyó o escribió fuera de un "
        "arreglo local (¿un índice fuera de rango o una cadena que no cabe?)";
    struct Fila {
        const char* fuente;
        bool conArreglo;
    } filas[] = {
        {"int main() { int x = 1; int* p = &x; return p[1]; }\n", false},
        {"int main() { int a[3] = {1, 2, 3}; return a[3]; }\n", true},
        {"#include <iostream>\nint main() { char palabra[8]; std::cin >> palabra; }\n", true},
        {"#include <array>\nint main() { std::array<int, 3> a{}; return a[0]; }\n", true},
        {"int main() { int* p = new int[4]; delete[] p; }\n", true},
        {"int suma(int* arr, int n) { return n == 0 ? 0 : arr[n - 1] + suma(arr, n - 1); }\n",
         false},
    };
    const fs::path carpeta = fs::temp_directory_path() / ("revision-" + std::to_string(getpid()));
    fs::create_directories(carpeta);
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.fuente);
        std::ofstream(carpeta / "p.cpp") << f.fuente;
        Revision r;
        Comprobacion c;
        c.causa = informe;
        c.evidencia.explicacion = "Con AddressSanitizer y UBSan: " + informe + "\n";
        c.evidencia.pistas = {informe};
        r.comprobaciones = {c};
        sinArreglosQueNoHay(r, (carpeta / "p.cpp").string());
        const Comprobacion& d = r.comprobaciones.front();
        EXPECT_EQ(d.causa.find("arreglo local") != std::string::npos, f.conArreglo) << d.causa;
        EXPECT_EQ(d.evidencia.explicacion.find("arreglo local") != std::string::npos, f.conArreglo);
        EXPECT_EQ(d.evidencia.pistas.front().find("arreglo local") != std::string::npos,
                  f.conArreglo);
        if (!f.conArreglo) {
            EXPECT_NE(d.causa.find("fuera de una variable local"), std::string::npos) << d.causa;
        }
    }
    fs::remove_all(carpeta);
}

// Sin la respuesta modelo compilada no hay veredicto: la revisión lo dice (un error del
// comprobador, no de la entrega) con la orden que la compila, y no ejecuta nada.
TEST(Revision, SinLaRespuestaModeloNoHayVeredictoYSeDiceComoCompilarla) {
    nucleo::Ejercicio e;
    e.programa = "no_compilado";
    e.sorteo = [](nucleo::Azar&) { return std::vector<std::string>{"1\n"}; };
    e.funciones.push_back({"Sorteada", nucleo::Origen::Enunciado, "f", {}, [](nucleo::Azar&) {
                               return std::vector<nucleo::Llamada>{};
                           }});
    Entrega entrega;
    entrega.nombre = "no_importa.cpp";
    Entorno entorno;
    const Revision r = revisar(e, entrega, entorno);
    EXPECT_NE(r.errorPropio.find("Falta compilar la respuesta modelo de no_compilado"),
              std::string::npos)
        << r.errorPropio;
    EXPECT_NE(r.errorPropio.find("--target no_compilado sonda_no_compilado."), std::string::npos)
        << r.errorPropio;
    EXPECT_TRUE(r.comprobaciones.empty());
}

}  // namespace

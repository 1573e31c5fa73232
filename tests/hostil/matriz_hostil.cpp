// Entradas hostiles contra cada programa que lee la entrada estándar: ninguna puede hacerlo
// fallar, colgarlo ni provocar un informe de los sanitizadores. Las salidas exactas de cada
// caso están en las tablas de cada programa; aquí se comprueba lo común a todos.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ejecutar.h"
#include "tabla.h"

namespace {

struct Lector {
    const char* programa;
    const char* primerAviso;
};

// El primer texto que cada programa escribe, pase lo que pase con la entrada.
const std::vector<Lector> kLectores = {
    {"ringchain", "Ingrese el número de elementos: "},
    {"mingeneric", "Ingrese el primer numero: "},
    {"dividegeneric", "Introduce el primer número: "},
    {"zeronotice", "ingrese el numerador"},
    {"ellipsegirth", "Insetar longitud eje mayor: \n"},
    {"factcalc", "Introduce un número para calcular su factorial: "},
    {"fibcalc", "Introduce un número para calcular su término en la secuencia de Fibonacci: "},
    {"powercalc", "Introduce la base: "},
    {"ackcalc", "Introduce dos números no negativos m y n: "},
    {"palincheck", "Introduce una cadena: "},
    {"closureproduct", "Por favor, ingrese dos números enteros separados por espacio: "},
    {"closuresquare", "Por favor, ingrese un número entero: "},
    {"textnumber", "escriba un numero: "},
};

struct Hostil {
    const char* descripcion;
    std::string bytes;
};

std::vector<Hostil> entradasHostiles() {
    return {
        {"vacía", ""},
        {"solo blancos y saltos", " \t\n\n  \n"},
        {"letras", "abc def\n"},
        {"signo solo", "-\n"},
        {"dos signos", "--5\n--5\n"},
        {"más solo", "+\n+\n"},
        {"justo fuera de int", "2147483648 2147483648 2147483648\n"},
        {"justo fuera de int por abajo", "-2147483649 -2147483649\n"},
        {"fuera de long long", "99999999999999999999999 -99999999999999999999999\n"},
        {"nan", "nan nan\n"},
        {"inf", "inf -inf\n"},
        {"exponente enorme", "1e99999 1e99999\n"},
        {"exponente enorme negativo", "-1e99999 1e-99999\n"},
        {"palabra de 1 MiB", std::string(1 << 20, '7') + "\n"},
        {"palabra de letras de 1 MiB", std::string(1 << 20, 'a')},
        {"bytes nulos", std::string("\0\0\0 5\0 3\n", 10)},
        {"UTF-8 no válido", "\xff\xfe\xc3 \x80\xc0\xaf\n"},
        {"fin de línea CRLF", "3\r\n4\r\n5\r\n6\r\n"},
        {"máximos de int", "2147483647 2147483647 2147483647\n"},
        {"mínimos de int", "-2147483648 -2147483648 -2147483648\n"},
        {"mayor y menor", "2147483647 -2147483648\n"},
        {"ceros", "0 0 0\n"},
        {"menos uno", "-1 -1 -1\n"},
        {"decimales con coma", "2,5 3,5\n"},
        {"hexadecimal", "0x1p3 0x10\n"},
        {"muchos números",
         [] {
             std::string s;
             for (int i = 0; i < 20000; ++i) s += "1 ";
             return s;
         }()},
    };
}

bool tieneInformeDeSanitizador(const std::string& errores) {
    return errores.find("Sanitizer") != std::string::npos ||
           errores.find("runtime error:") != std::string::npos;
}

// Un caso por programa, para que cada uno tenga su propio límite de tiempo.
class EntradaHostil : public ::testing::TestWithParam<Lector> {};

TEST_P(EntradaHostil, NiFallaNiSeCuelgaNiInformaElSanitizador) {
    const Lector& lector = GetParam();
    // ringchain conserva sus nodos a propósito: sin detección de fugas solo para él.
    arnes::Opciones opciones = std::string(lector.programa) == "ringchain"
                                   ? arnes::sinDeteccionDeFugas()
                                   : arnes::Opciones{};
    opciones.limite = std::chrono::seconds(20);
    // ellipsegirth llama a "cls": el del lanzador que no hace nada.
    opciones.entorno.push_back(std::string("PATH=") + EJ_RAIZ + "/lanzador/mudo:/usr/bin:/bin");

    for (const Hostil& h : entradasHostiles()) {
        SCOPED_TRACE(std::string(lector.programa) + " con entrada " + h.descripcion);
        arnes::Resultado r = arnes::ejecutar(lector.programa, h.bytes, opciones);
        EXPECT_TRUE(r.terminoBien()) << r;
        EXPECT_EQ(r.salida.rfind(lector.primerAviso, 0), 0u) << r;
        EXPECT_FALSE(tieneInformeDeSanitizador(r.errores)) << r;
    }
}

INSTANTIATE_TEST_SUITE_P(Lectores, EntradaHostil, ::testing::ValuesIn(kLectores),
                         [](const ::testing::TestParamInfo<Lector>& info) {
                             return std::string(info.param.programa);
                         });

}  // namespace

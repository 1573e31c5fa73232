// Las pistas de los errores habituales, cada una a partir de lo esperado y lo obtenido.
#include "pistas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// La pista que contiene `trozo`, o vacía.
bool hayPista(const std::vector<std::string>& pistas, const std::string& trozo) {
    for (const std::string& p : pistas) {
        if (p.find(trozo) != std::string::npos) return true;
    }
    return false;
}

TEST(Pistas, DeTexto) {
    nucleo::Caso conAviso;
    conAviso.modo = nucleo::Modo::Conversacion;
    conAviso.pasos = {{"Introduce la base: ", "2\n"}};
    nucleo::Caso unidas;
    unidas.modo = nucleo::Modo::Unidas;
    struct Fila {
        const char* descripcion;
        const nucleo::Caso& caso;
        std::string esperado, obtenido, pista;
    } filas[] = {
        {"falta el fin de línea", {}, "hola\n", "hola", "Falta el salto de línea al final"},
        {"sobra el fin de línea", {}, "hola", "hola\n", "Sobra el salto de línea del final"},
        {"sobra un std::endl", {}, "hola\n", "hola\n\n", "Sobra un salto de línea al final"},
        {"falta el blanco tras los dos puntos", {}, "es: 4\n", "es:4\n", "después de «:»"},
        {"falta el blanco final de un aviso", conAviso, "Introduce la base: 2",
         "Introduce la base:2", "Falta el espacio en blanco"},
        {"sobra un blanco junto a los dos puntos", {}, "a: 1\n", "a : 1\n", "junto a «:»"},
        {"falta un trozo", {}, "Ingrese el dato\n", "Ingrese dato\n", "Falta «el·»"},
        {"falta una tilde", {}, "número\n", "numero\n", "Falta una tilde"},
        {"sobra una tilde", {}, "numero\n", "número\n", "Sobra una tilde"},
        {"Latin-1", {}, "número\n", "n\xfamero\n", "no son UTF-8 (\\xFA)"},
        {"retornos de carro", {}, "a\nb\n", "a\r\nb\r\n", "retornos de carro"},
        {"líneas en otro orden", {}, "a\nb\n", "b\na\n", "en otro orden"},
        {"salidas unidas en otro orden", unidas, "es: Error\n0\n", "Error\nes: 0\n",
         "la salida estándar y la de error llegan en otro orden"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas =
            nucleo::pistasDeTexto(f.caso, f.esperado, f.obtenido);
        EXPECT_TRUE(hayPista(pistas, f.pista))
            << f.descripcion << ": " << testing::PrintToString(pistas);
    }
    EXPECT_TRUE(nucleo::pistasDeTexto({}, "igual\n", "igual\n").empty());
}

TEST(Pistas, DeComoTermino) {
    const std::vector<nucleo::Paso> pasos = {{"Introduce un número: ", "5\n"}};
    auto con = [](auto cambio) {
        nucleo::Resultado r;
        r.estado = 0;
        cambio(r);
        return r;
    };
    struct Fila {
        const char* descripcion;
        nucleo::Resultado resultado;
        std::string pista;
    } filas[] = {
        {"tiempo agotado", con([](auto& r) { r.agotado = true; }), "no terminó en 0,5 s"},
        {"aviso que no llega", con([](auto& r) {
             r.agotado = true;
             r.pasoSinAviso = 0;
         }),
         "esperó la entrada sin haber mostrado el aviso «Introduce un número:·»"},
        {"aviso distinto", con([](auto& r) { r.pasoSinAviso = 0; }),
         "terminó sin escribir el aviso"},
        {"violación de segmento", con([](auto& r) {
             r.estado = -1;
             r.senal = SIGSEGV;
         }),
         "violación de segmento (SIGSEGV)"},
        {"inundación", con([](auto& r) { r.salidaExcesiva = true; }), "más de 100 bytes"},
        {"estado distinto de 0", con([](auto& r) { r.estado = 3; }), "con el estado 3"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas = nucleo::pistasDeTerminacion(
            f.resultado, std::chrono::milliseconds(500), 100, pasos, {});
        EXPECT_TRUE(hayPista(pistas, f.pista))
            << f.descripcion << ": " << testing::PrintToString(pistas);
    }
}

TEST(Pistas, DeFlujo) {
    nucleo::Caso caso;
    caso.salida = "es: 0\n";
    caso.errores = "Error: No se puede dividir por cero.\n";
    nucleo::Resultado r;
    r.salida = "es: Error: No se puede dividir por cero.\n0\n";
    EXPECT_TRUE(hayPista(nucleo::pistasDeFlujo(caso, r, false), "escríbelo con std::cerr"));
    nucleo::Caso soloSalida;
    soloSalida.salida = "hola\n";
    nucleo::Resultado alReves;
    alReves.errores = "hola\n";
    EXPECT_TRUE(hayPista(nucleo::pistasDeFlujo(soloSalida, alReves, false), "std::cout"));
    EXPECT_EQ(nucleo::segundos(std::chrono::milliseconds(2000)), "2");
}

}  // namespace

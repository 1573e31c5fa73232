// Lo invisible a la vista y la primera diferencia: lo que ve un alumno cuando su salida no es
// la esperada.
#include "texto.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Texto, VisibleMuestraLoQueNoSeVe) {
    struct Fila {
        const char* descripcion;
        std::string texto;
        std::string vista;
    } filas[] = {
        {"nada", "", "(nada)"},
        {"fin de línea", "hola\n", "hola⏎"},
        {"sin fin de línea", "hola", "hola(sin fin de línea)"},
        {"blancos finales", "a  \n", "a··⏎"},
        {"blanco interior", "a b\n", "a b⏎"},
        {"retorno de carro y tabulador", "a\r\tb\n", "a\\r\\tb⏎"},
        {"byte de control", std::string("a\x01", 2), "a\\x01(sin fin de línea)"},
        {"Latin-1", "n\xfamero\n", "n\\xFAmero⏎"},
        {"UTF-8 válido", "número\n", "número⏎"},
        {"dos líneas", "a\nb\n", "a⏎\nb⏎"},
    };
    for (const Fila& f : filas) EXPECT_EQ(nucleo::visible(f.texto), f.vista) << f.descripcion;
}

TEST(Texto, LaDiferenciaEmpiezaAlPrincipioDeSuLetra) {
    // "ú" y "ó" comparten su primer byte: la diferencia es la letra entera.
    const std::string esperado = "número", obtenido = "nómero";
    EXPECT_EQ(nucleo::primeraDiferencia(esperado, obtenido), 2u);
    EXPECT_EQ(nucleo::inicioDeLaDiferencia(esperado, obtenido), 1u);
    EXPECT_EQ(nucleo::primeraDiferencia("abc", "abc"), std::string::npos);
    EXPECT_EQ(nucleo::primeraDiferencia("abc", "ab"), 2u);
    EXPECT_EQ(nucleo::lineaYColumna("uno\ndós\n", 6),
              std::make_pair(std::size_t{2}, std::size_t{3}))
        << "la columna cuenta letras, no bytes";
}

TEST(Texto, CompararMarcaLaColumnaDeLaDiferencia) {
    const std::string r = nucleo::compararTextos("3 * 4 = 12\n", "3 * 4 = 12");
    EXPECT_NE(r.find("Primera diferencia: línea 1, columna 11."), std::string::npos) << r;
    EXPECT_NE(r.find("│3 * 4 = 12(sin fin de línea)\n               ^\n"), std::string::npos) << r;
    EXPECT_NE(nucleo::compararTextos("a\n", "a\nb\n").find("línea 2"), std::string::npos);
    EXPECT_NE(nucleo::compararTextos("a\nb\n", "a\n").find("(el programa no escribió esa línea)"),
              std::string::npos);
}

TEST(Texto, UnTextoLargoSeRecortaSinPartirLetras) {
    const std::string largo = std::string(299, 'a') + "ñ" + std::string(100, 'b');
    const std::string r = nucleo::recortado(largo);
    EXPECT_NE(r.find("… (401 bytes en total)"), std::string::npos) << r;
    EXPECT_EQ(r.find("\\x"), std::string::npos) << "la ñ no se parte en dos bytes sueltos";
    EXPECT_EQ(nucleo::enLinea("a\nb"), "a⏎b");
    EXPECT_EQ(nucleo::sangrar("a\nb\n", "> "), "> a\n> b\n");
    EXPECT_EQ(nucleo::ancho("añá"), 3u);
}

TEST(Texto, Utf8ValidoSeñalaElPrimerByteMalo) {
    struct Fila {
        std::string texto;
        bool valido;
        std::size_t malo;
    } filas[] = {
        {"hola", true, 0},
        {"año", true, 0},
        {"a\xc3", false, 1},             // secuencia cortada
        {"\xc0\xaf", false, 0},          // forma demasiado larga
        {"ab\xed\xa0\x80", false, 2},    // sustituto
        {"\xf4\x90\x80\x80", false, 0},  // más allá de U+10FFFF
    };
    for (const Fila& f : filas) {
        std::size_t malo = 0;
        EXPECT_EQ(nucleo::utf8Valido(f.texto, &malo), f.valido) << nucleo::visible(f.texto);
        if (!f.valido) {
            EXPECT_EQ(malo, f.malo) << nucleo::visible(f.texto);
        }
    }
}

}  // namespace

// El catálogo compilado: buscar un ejercicio, los nombres parecidos a uno mal escrito y la
// declaración que pide el ejercicio para un nombre.
#include "catalogo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Catalogo, BuscarYNombresParecidos) {
    ASSERT_NE(nucleo::buscarEjercicio("ringchain"), nullptr);
    EXPECT_EQ(nucleo::buscarEjercicio("ringchain")->carpeta, "ejlistas/ringchain");
    EXPECT_EQ(nucleo::buscarEjercicio("noexiste"), nullptr);
    struct Fila {
        const char* escrito;
        const char* primero;
    } filas[] = {
        {"ringchian", "ringchain"},
        {"RingChain", "ringchain"},
        {"fibcal", "fibcalc"},
        {"palin", "palincheck"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> r = nucleo::nombresParecidos(f.escrito);
        ASSERT_FALSE(r.empty()) << f.escrito;
        EXPECT_EQ(r.front(), f.primero) << f.escrito;
        EXPECT_LE(r.size(), 3u);
    }
    EXPECT_TRUE(nucleo::nombresParecidos("zzzzzzzzzz").empty());
}

TEST(Catalogo, LaFirmaDeUnNombreEntero) {
    const nucleo::Ejercicio& e = *nucleo::buscarEjercicio("nodeprune");
    EXPECT_EQ(nucleo::firmaDe(e, "eliminarValor"), "void eliminarValor(Nodo*& cabeza, int valor);");
    EXPECT_EQ(nucleo::firmaDe(e, "Nodo"), "struct Nodo { int dato; Nodo* siguiente; };");
    EXPECT_EQ(nucleo::firmaDe(e, "dat"), "") << "una parte de un nombre no es el nombre";
    EXPECT_EQ(nucleo::firmaDe(e, ""), "");
}

}  // namespace

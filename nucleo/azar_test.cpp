// El azar de las entradas sorteadas: repetible con la semilla y, con `salvo`, nunca una de las
// que el alumno ya ha visto.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

#include "caso.h"

namespace {

TEST(Azar, LaMismaSemillaDaLoMismo) {
    nucleo::Azar a(42), b(42), c(43);
    bool distinto = false;
    for (int i = 0; i < 20; ++i) {
        const long long x = a.entero(-1000, 1000);
        EXPECT_EQ(x, b.entero(-1000, 1000));
        distinto = distinto || x != c.entero(-1000, 1000);
    }
    EXPECT_TRUE(distinto);
}

TEST(Azar, SalvoNoDaNuncaLoVistoYAlcanzaTodoLoDemas) {
    struct Fila {
        long long desde, hasta;
        std::vector<long long> salvo;
    } filas[] = {
        {0, 25, {0, 1, 2, 3, 4, 5, 10, 20, 25, 30, 46}},  // los extremos también se excluyen
        {-5, 5, {5, 5, -5, 0}},                           // repetidos
        {7, 7, {}},
        {-3, -1, {-1, -2}},
    };
    for (const Fila& f : filas) {
        nucleo::Azar azar(7);
        std::set<long long> salidos;
        for (int i = 0; i < 2000; ++i) {
            const long long v = azar.entero(f.desde, f.hasta, f.salvo);
            ASSERT_GE(v, f.desde);
            ASSERT_LE(v, f.hasta);
            ASSERT_EQ(std::count(f.salvo.begin(), f.salvo.end(), v), 0) << v;
            salidos.insert(v);
        }
        std::set<long long> quedan;
        for (long long v = f.desde; v <= f.hasta; ++v) {
            if (std::count(f.salvo.begin(), f.salvo.end(), v) == 0) quedan.insert(v);
        }
        EXPECT_EQ(salidos, quedan) << f.desde << ".." << f.hasta;
    }
}

TEST(Azar, SalvoSinNadaQueElegirYEnLosBordesDeLongLong) {
    nucleo::Azar azar(1);
    EXPECT_EQ(azar.entero(3, 4, {3, 4}), 3);
    const long long menor = std::numeric_limits<long long>::min();
    const long long mayor = std::numeric_limits<long long>::max();
    for (int i = 0; i < 100; ++i) {
        const long long v = azar.entero(menor, mayor, {menor, mayor});
        EXPECT_NE(v, menor);
        EXPECT_NE(v, mayor);
    }
    EXPECT_EQ(azar.entero(mayor - 1, mayor, {mayor - 1}), mayor);
}

}  // namespace

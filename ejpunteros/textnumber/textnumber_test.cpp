// Lo propio de la respuesta modelo de textnumber: aFloat en los bordes del rango de float, que
// seis caracteres de texto no alcanzan. El fuente se compila tal cual, con su main renombrado y
// sin llamarlo.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <sstream>

#define main textnumber_main
#include "../textnumber.cpp"
#undef main

namespace {

// 2^128 - 2^103: la mitad del camino entre el mayor float y 2^128.
const double kMitad = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
const float kInf = std::numeric_limits<float>::infinity();

TEST(Propio, AFloatRedondeaAlMasCercanoOInfinito) {
    struct Fila {
        const char* descripcion;
        double valor;
        float esperado;
    } filas[] = {
        {"cero", 0.0, 0.0f},
        {"dentro del rango", 2.5, 2.5f},
        {"123.34 redondeado", 123.34, 123.34f},
        {"el mayor float", FLT_MAX, FLT_MAX},
        {"3.4028235e38 redondea al mayor float", 3.4028235e38, FLT_MAX},
        {"justo antes de la mitad", std::nextafter(kMitad, 0.0), FLT_MAX},
        {"la mitad: el empate va a infinito", kMitad, kInf},
        {"justo antes de la mitad, negativo", -std::nextafter(kMitad, 0.0), -FLT_MAX},
        {"la mitad, negativa", -kMitad, -kInf},
        {"1e39", 1e39, kInf},
        {"-1e39", -1e39, -kInf},
        {"el mayor double", DBL_MAX, kInf},
        {"infinito", HUGE_VAL, kInf},
        {"menos infinito", -HUGE_VAL, -kInf},
        {"el menor subnormal de float", 1.4e-45, std::numeric_limits<float>::denorm_min()},
        {"demasiado pequeño", 1e-50, 0.0f},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        EXPECT_EQ(aFloat(f.valor), f.esperado);
    }
}

TEST(Propio, AFloatConservaSignoDelCeroYNaN) {
    EXPECT_TRUE(std::signbit(aFloat(-0.0)));
    EXPECT_TRUE(std::signbit(aFloat(-1e-50)));
    EXPECT_FALSE(std::signbit(aFloat(1e-50)));
    EXPECT_TRUE(std::isnan(aFloat(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Propio, ElMayorFloatSeEscribeConSeisCifras) {
    std::ostringstream os;
    os << aFloat(3.4028235e38) << ' ' << aFloat(-3.4028235e38) << ' ' << aFloat(1e39);
    EXPECT_EQ(os.str(), "3.40282e+38 -3.40282e+38 inf");
}

}  // namespace

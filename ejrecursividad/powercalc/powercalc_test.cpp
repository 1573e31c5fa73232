// Lo propio de la respuesta modelo de powercalc: el tope del exponente que admite main.
// El fuente se compila tal cual, con su main renombrado y sin llamarlo.
#include <gtest/gtest.h>

#define main powercalc_main
#include "../powercalc.cpp"
#undef main

namespace {

// Los exponentes más grandes que admite el programa: 10000 llamadas anidadas.
TEST(Propio, ElTopeEsElExponenteMaximo) {
    EXPECT_EQ(power(1.0, kExponenteMaximo), 1.0);
    EXPECT_EQ(power(-1.0, -kExponenteMaximo), 1.0);
}

}  // namespace

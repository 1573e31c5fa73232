// power de powercalc: casos sin salida por el programa y el orden exacto de las operaciones.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejrecursividad/powercalc.cpp"
#endif
#define main powercalc_main
#include EJ_FUENTE
#undef main

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

PIDE_EL_EJERCICIO(ExponenteCeroDaUnoParaCualquierBase,
                  "power con exponente 0 da 1 para cualquier base") {
    for (double base : {0.0, -0.0, 1.0, -2.5, 1e308, kInf, -kInf, kNaN}) {
        EXPECT_EQ(power(base, 0), 1.0) << "base " << base;
    }
}

PIDE_EL_EJERCICIO(ExponenteUnoDevuelveLaBase, "power con exponente 1 devuelve la base") {
    for (double base : {2.0, -7.5, 1e-300, kInf, -kInf}) {
        EXPECT_EQ(power(base, 1), base);
    }
    EXPECT_TRUE(std::signbit(power(-0.0, 1))) << "1.0 · (−0.0) conserva el signo";
    EXPECT_TRUE(std::isnan(power(kNaN, 1)));
}

PIDE_EL_EJERCICIO(MultiplicaDesdeUnoYDivideUnaSolaVez,
                  "power multiplica desde 1.0 y, con exponente negativo, divide una sola vez") {
    // El mismo orden que la regla: ((1.0 · b) · b) · … · b, y 1.0 / b^k para el negativo.
    // Otra forma de calcularlo (pow, k divisiones) cambia los últimos bits.
    for (double base : {1.1, 0.3, -1.7, 3.14159}) {
        for (int k : {2, 3, 7, 25}) {
            double producto = 1.0;
            for (int i = 0; i < k; ++i) producto = producto * base;
            EXPECT_EQ(power(base, k), producto) << base << "^" << k;
            EXPECT_EQ(power(base, -k), 1.0 / producto) << base << "^-" << k;
        }
    }
}

PIDE_EL_EJERCICIO(
    LimitesDelDouble,
    "power sigue la aritmética de double: infinito al desbordarse y 0 en su inverso") {
    struct Fila {
        const char* descripcion;
        double base;
        int exponente;
        double esperado;
    } filas[] = {
        {"se pasa del rango", 2.0, 1024, kInf},
        {"la mayor potencia de 2 finita", 2.0, 1023, std::ldexp(1.0, 1023)},
        {"recíproco de infinito", 2.0, -1100, 0.0},
        {"1 / 0", 0.0, -1, kInf},
        {"1 / (−0)", -0.0, -1, -kInf},
        {"base negativa, exponente par", -2.0, 4, 16.0},
        {"base negativa, exponente impar negativo", -2.0, -3, -0.125},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(power(f.base, f.exponente), f.esperado) << f.descripcion;
    }
}

// Los exponentes más grandes que admite el programa: 10000 llamadas anidadas.
DECIDE_LA_COLECCION(ElTopeDeProfundidadNoAgotaLaPila,
                    "power llega al exponente máximo admitido sin agotar la pila") {
    struct Fila {
        const char* descripcion;
        double base;
        int exponente;
        double esperado;
    } filas[] = {
        {"el tope de profundidad", 1.0, 10000, 1.0},
        {"el tope negativo", -1.0, -10000, 1.0},
        {"base negativa, exponente impar", -1.0, 9999, -1.0},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(power(f.base, f.exponente), f.esperado) << f.descripcion;
    }
}

PIDE_EL_EJERCICIO(FirmaDePower, "power se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(power, double(double, int));
}

#ifndef EJ_SOLUCION_ALUMNO

TEST(Propio, ElTopeEsElExponenteMaximo) {
    EXPECT_EQ(power(1.0, kExponenteMaximo), 1.0);
    EXPECT_EQ(power(-1.0, -kExponenteMaximo), 1.0);
}

#endif  // EJ_SOLUCION_ALUMNO

}  // namespace

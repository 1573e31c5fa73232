// Los dos operadores de Vector2D de vectorsum, con vectores que el programa no usa.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "captura.h"
#include "comprobacion.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejsobrecarga_operadores/vectorsum.cpp"
#endif
#define main vectorsum_main
#include EJ_FUENTE
#undef main

namespace {

std::string texto(const Vector2D& v) {
    std::ostringstream os;
    os << v;
    return os.str();
}

PIDE_EL_EJERCICIO(SumaComponenteAComponenteSinCambiarLosOperandos,
                  "el + de Vector2D suma componente a componente sin cambiar los operandos") {
    struct Fila {
        const char* descripcion;
        float ax, ay, bx, by;
        float sx, sy;
    } filas[] = {
        {"el ejemplo", 1, 2, 3, 4, 4, 6},
        {"con el vector cero", 5, -7, 0, 0, 5, -7},
        {"opuestos", 1.5f, -2.25f, -1.5f, 2.25f, 0, 0},
        {"fracciones exactas", 0.5f, 0.25f, 0.25f, 0.5f, 0.75f, 0.75f},
        // En float, 1e8 + 1 vuelve a ser 1e8: la suma es de precisión simple.
        {"precisión simple", 1e8f, 16777216, 1, 1, 1e8f, 16777216},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        const Vector2D a(f.ax, f.ay);
        const Vector2D b(f.bx, f.by);
        const Vector2D suma = a + b;  // operator+ es const: vale sobre objetos const
        EXPECT_EQ(suma.x, f.sx);
        EXPECT_EQ(suma.y, f.sy);
        EXPECT_EQ(a.x, f.ax);
        EXPECT_EQ(a.y, f.ay);
        EXPECT_EQ(b.x, f.bx);
        EXPECT_EQ(b.y, f.by);
    }
}

PIDE_EL_EJERCICIO(InsercionEscribeEntreParentesisSinFinDeLinea,
                  "el << de Vector2D escribe \"(x, y)\" sin fin de línea") {
    struct Fila {
        const char* descripcion;
        float x, y;
        const char* texto;
    } filas[] = {
        {"enteros sin punto decimal", 4, 6, "(4, 6)"},
        {"negativos y decimales", -0.5f, 2.25f, "(-0.5, 2.25)"},
        {"seis cifras significativas", 123.456789f, 1.0f / 3, "(123.457, 0.333333)"},
        {"forma exponencial", 1e7f, 1e-5f, "(1e+07, 1e-05)"},
        {"cero con signo", -0.0f, 0, "(-0, 0)"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        EXPECT_EQ(texto(Vector2D(f.x, f.y)), f.texto);
    }
}

PIDE_EL_EJERCICIO(InsercionDevuelveElMismoFlujoParaEncadenar,
                  "el << de Vector2D devuelve el mismo flujo, para encadenar") {
    std::ostringstream os;
    Vector2D a(1, 2), b(3, 4);
    EXPECT_EQ(&(os << a), &os);
    os << b << a + b;
    EXPECT_EQ(os.str(), "(1, 2)(3, 4)(4, 6)");
}

// El operador no termina la línea ni vacía el flujo: eso lo hace main con std::endl.
PIDE_EL_EJERCICIO(InsercionNoVaciaElFlujo, "el << de Vector2D no vacía el flujo") {
    nucleo::Captura captura;
    std::cout << Vector2D(1, 2);
    EXPECT_EQ(captura.texto(), "(1, 2)");
    EXPECT_EQ(captura.vaciados(), 0) << "operator<< no escribe std::endl";
}

}  // namespace

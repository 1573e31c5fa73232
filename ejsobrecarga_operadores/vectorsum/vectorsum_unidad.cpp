// Los dos operadores de Vector2D de vectorsum, con vectores que el programa no usa.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <type_traits>
#include <utility>

#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "ejsobrecarga_operadores/vectorsum.cpp"
#endif
#define main vectorsum_main
#include EJ_FUENTE
#undef main

// El operator<< de Vector2D es amigo y está definido dentro de la clase: solo lo encuentra la
// búsqueda por los argumentos, y no se puede tomar su dirección. Su segundo parámetro se
// deduce de qué argumentos acepta frente a un competidor que toma const volatile Vector2D&
// (declarado, nunca definido ni llamado): con un const Vector2D, un const Vector2D& gana al
// competidor y un Vector2D por valor empata con él.
namespace sonda {

struct Competidor {};
Competidor operator<<(std::ostream&, const volatile Vector2D&);

template <typename V, typename = void>
struct Insercion {
    static constexpr bool vale = false;  // no hay a quién llamar, o hay dos empatados
    using Tipo = void;
};
template <typename V>
struct Insercion<V, std::void_t<decltype(std::declval<std::ostream&>() << std::declval<V>())>> {
    static constexpr bool vale = true;
    using Tipo = decltype(std::declval<std::ostream&>() << std::declval<V>());
};

template <typename I>
constexpr bool kDelPrograma = I::vale && !std::is_same_v<typename I::Tipo, Competidor>;

using ConstI = Insercion<const Vector2D&>;  // un const Vector2D que se nombra
using NoConstI = Insercion<Vector2D&>;
using Temporal = Insercion<Vector2D>;
using ConstTemporal = Insercion<const Vector2D>;

// El tipo con que el programa declara su operator<<, como puntero a función.
using Declarada = std::conditional_t<
    kDelPrograma<ConstI>, ConstI::Tipo (*)(std::ostream&, const Vector2D&),
    std::conditional_t<
        !ConstI::vale, Temporal::Tipo (*)(std::ostream&, Vector2D),
        std::conditional_t<
            kDelPrograma<NoConstI>, NoConstI::Tipo (*)(std::ostream&, Vector2D&),
            std::conditional_t<ConstTemporal::vale,
                               ConstTemporal::Tipo (*)(std::ostream&, const Vector2D&&),
                               Temporal::Tipo (*)(std::ostream&, Vector2D&&)>>>>;

}  // namespace sonda

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
        // Sin const: que operator+ lo sea lo comprueba FirmaDeOperadorSuma, y así un + sin
        // const no impide compilar las demás comprobaciones.
        Vector2D a(f.ax, f.ay);
        Vector2D b(f.bx, f.by);
        const Vector2D suma = a + b;
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

PIDE_EL_EJERCICIO(FirmaDeOperadorSuma, "Vector2D::operator+ se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(Vector2D::operator+, Vector2D(Vector2D::*)(const Vector2D&) const);
}

PIDE_EL_EJERCICIO(FirmaDeOperadorInsercion,
                  "el operator<< de Vector2D se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA_DE_TIPO("operator<< de Vector2D", sonda::Declarada,
                            std::ostream & (std::ostream&, const Vector2D&));
}

}  // namespace

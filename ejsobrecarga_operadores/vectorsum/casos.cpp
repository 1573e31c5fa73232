// vectorsum: suma de dos vectores fijos con + y <<. No lee nada.
#include "sonda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

// Un vector como lo observa la sonda: "(1.5, -2)", con los float tal como son.
std::string componentes(float x, float y) {
    return "(" + ej_sonda::ver(x) + ", " + ej_sonda::ver(y) + ")";
}

// El texto de un float con que se llama: "1.5", "1e-05"; el mismo float que `v` al leerlo.
std::string argumento(float v) { return ej_sonda::ver(v); }

// Un float al azar: una cifra de hasta seis dígitos, con signo, por una potencia de diez entre
// 10^-8 y 10^8 ("-12345e-3"); a veces un entero pequeño.
std::string realAlAzar(Azar& azar) {
    if (azar.unoDe(3)) return std::to_string(azar.entero(-100, 100));
    return std::to_string(azar.entero(-999999, 999999)) + "e" + std::to_string(azar.entero(-8, 8));
}

// Cómo se muestra un vector con sus componentes tal como se pasan.
std::string muestra(const std::string& x, const std::string& y) {
    return "Vector2D(" + x + ", " + y + ")";
}

Llamada suma(float ax, float ay, float bx, float by, float sx, float sy) {
    const std::string a[] = {argumento(ax), argumento(ay), argumento(bx), argumento(by)};
    return {"+",
            {a[0], a[1], a[2], a[3]},
            "da " + componentes(sx, sy) + "; los operandos quedan " + componentes(ax, ay) + " y " +
                componentes(bx, by),
            muestra(a[0], a[1]) + " + " + muestra(a[2], a[3])};
}

Llamada insercion(float x, float y, const std::string& texto) {
    return {"<<",
            {argumento(x), argumento(y)},
            "escribe " + ej_sonda::ver(texto),
            "os << " + muestra(argumento(x), argumento(y))};
}

// os << Vector2D(x, y): a qué flujo se refiere lo que devuelve.
Llamada devuelve(const std::string& x, const std::string& y, const std::string& esperado) {
    return {"<< devuelve", {x, y}, esperado, "os << " + muestra(x, y)};
}

}  // namespace

void vectorsum(Ejercicio& e) {
    const std::string salida = "vec1: (1, 2)\nvec2: (3, 4)\nvec3 (vec1 + vec2): (4, 6)\n";
    e.firmas = {
        "class Vector2D { public: float x, y; Vector2D(float x, float y); Vector2D operator+(const "
        "Vector2D& other) const; friend std::ostream& operator<<(std::ostream& os, const Vector2D& "
        "vec); };",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "9 9\n", salida}});

    e.funciones = {
        {"SumaComponenteAComponenteSinCambiarLosOperandos",
         Origen::Enunciado,
         "el + de Vector2D suma componente a componente sin cambiar los operandos",
         {
             suma(1, 2, 3, 4, 4, 6),  // el ejemplo
             suma(5, -7, 0, 0, 5, -7),
             suma(1.5f, -2.25f, -1.5f, 2.25f, 0, 0),
             suma(0.5f, 0.25f, 0.25f, 0.5f, 0.75f, 0.75f),
             // En float, 1e8 + 1 vuelve a ser 1e8: la suma es de precisión simple.
             suma(1e8f, 16777216, 1, 1, 1e8f, 16777216),
         },
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 4; ++i) {
                 const std::string a[] = {realAlAzar(azar), realAlAzar(azar), realAlAzar(azar),
                                          realAlAzar(azar)};
                 r.push_back({"+",
                              {a[0], a[1], a[2], a[3]},
                              "",
                              muestra(a[0], a[1]) + " + " + muestra(a[2], a[3])});
             }
             return r;
         },
         "operator+ devuelve un Vector2D nuevo con x + other.x e y + other.y, sumados en float, "
         "sin tocar *this ni other; el constructor guarda el primer argumento en x."},
        {"InsercionEscribeEntreParentesisSinFinDeLinea",
         Origen::Enunciado,
         "el << de Vector2D escribe \"(x, y)\" sin fin de línea",
         {
             insercion(4, 6, "(4, 6)"),
             insercion(-0.5f, 2.25f, "(-0.5, 2.25)"),
             insercion(123.456789f, 1.0f / 3, "(123.457, 0.333333)"),  // seis cifras
             insercion(1e7f, 1e-5f, "(1e+07, 1e-05)"),
             insercion(-0.0f, 0, "(-0, 0)"),
         },
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 4; ++i) {
                 const std::string x = realAlAzar(azar), y = realAlAzar(azar);
                 r.push_back({"<<", {x, y}, "", "os << " + muestra(x, y)});
             }
             return r;
         },
         "operator<< escribe en os (no en std::cout) \"(\", x, \", \", y y \")\", con el formato "
         "por defecto y sin fin de línea."},
        {"InsercionDevuelveElMismoFlujoParaEncadenar",
         Origen::Enunciado,
         "el << de Vector2D devuelve el mismo flujo, para encadenar",
         {devuelve("1", "2", "devuelve os")},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 2; ++i)
                 r.push_back(devuelve(realAlAzar(azar), realAlAzar(azar), ""));
             return r;
         },
         "operator<< devuelve el mismo os que recibe (return os;), para que lo que se encadena "
         "detrás vaya al mismo flujo."},
        {"FirmaDeOperadorSuma",
         Origen::Enunciado,
         "Vector2D::operator+ se declara como pide el ejercicio",
         {{"firma Vector2D::operator+", {}, "Vector2D (Vector2D::*)(const Vector2D&) const"}}},
        {"FirmaDeOperadorInsercion",
         Origen::Enunciado,
         "el operator<< de Vector2D se declara como pide el ejercicio",
         {{"firma operator<< de Vector2D", {}, "std::ostream& (std::ostream&, const Vector2D&)"}}},
    };
}

}  // namespace nucleo::datos

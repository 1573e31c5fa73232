// vectorsum: suma de dos vectores fijos con + y <<. No lee nada.
#include <algorithm>

#include "reglas.h"
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

// Las reglas de la técnica: el + y el << de Vector2D hacen su trabajo y main los usa.

const char* const kMain =
    "`main` crea `Vector2D vec1(1, 2)`, `Vector2D vec2(3, 4)` y `vec3` inicializado con "
    "`vec1 + vec2` (la suma se hace antes de escribir nada), escribe las tres líneas y devuelve 0.";

Juicio incumple(const Lugar& l, const std::string& pista) {
    return {Juicio::Como::Incumple, l, pista};
}

bool contiene(const std::vector<std::string>& v, const std::string& x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

// Lo que escribe en la salida: los << de los flujos (también el de Vector2D) y printf y los suyos.
bool escribe(const std::string& nombre) {
    return nombre.find("operator<<") != std::string::npos ||
           contiene({"printf", "std::printf", "puts", "std::puts", "fputs", "std::fputs", "fprintf",
                     "std::fprintf", "putchar", "std::putchar", "fwrite", "std::fwrite"},
                    nombre);
}

// El operator<< de Vector2D definido en la solución; nullptr si no hay.
const Funcion* insercion(const Arbol& a) {
    for (const Funcion& f : a.funciones) {
        if (f.definicion && f.nombre == "operator<<" &&
            f.firma.find("Vector2D") != std::string::npos)
            return &f;
    }
    return nullptr;
}

// Las llamadas de main (o de una función suya a la que llama) que llegan al operator+ de
// Vector2D: la suma de main, directa o en un ayudante.
std::vector<Llamada_> sumasDeMain(const Arbol& a, const Funcion& m) {
    std::vector<Llamada_> r;
    for (const Llamada_& c : a.llamadas) {
        if (c.desde != m.usr) continue;
        const bool llega = c.nombre == "Vector2D::operator+" ||
                           (a.funcionDe(c.usr) != nullptr &&
                            !a.llamadasA(a.conAyudantes(c.usr), {"Vector2D::operator+"}).empty());
        if (llega) r.push_back(c);
    }
    return r;
}

// vec3 = vec1 + vec2 con el operator+ de Vector2D, no componente a componente en main.
Juicio sumaConElOperador(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    if (!sumasDeMain(a, *m).empty()) return {};
    Lugar l = m->lugar;
    for (const Variable& v : a.variables) {
        if (v.en == m->usr && v.nombre == "vec3") l = v.lugar;
    }
    return incumple(l, "vec3 se hace sin el + de Vector2D en " + reglas::donde(a, l) +
                           ": el enunciado pide vec3 inicializado con vec1 + vec2, con el "
                           "operator+ de vec1 y vec2 como other, no sumando x e y en main.");
}

// La suma, antes de la primera escritura de main.
Juicio sumaAntesDeEscribir(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return {};
    const std::vector<Llamada_> sumas = sumasDeMain(a, *m);
    if (sumas.empty()) return {};
    const Llamada_* escritura = nullptr;
    for (const Llamada_& c : a.llamadas) {
        if (c.desde != m->usr) continue;
        const bool esc = escribe(c.nombre) ||
                         (a.funcionDe(c.usr) != nullptr && c.nombre != "Vector2D::operator+" &&
                          std::any_of(a.llamadas.begin(), a.llamadas.end(), [&](const Llamada_& d) {
                              return contiene(a.conAyudantes(c.usr), d.desde) && escribe(d.nombre);
                          }));
        if (esc && (escritura == nullptr || c.lugar.linea < escritura->lugar.linea)) escritura = &c;
    }
    const Llamada_* suma = &sumas.front();
    for (const Llamada_& c : sumas) {
        if (c.lugar.linea < suma->lugar.linea) suma = &c;
    }
    if (escritura == nullptr || suma->lugar.linea < escritura->lugar.linea) return {};
    return incumple(suma->lugar, "vec1 + vec2 se calcula en " + reglas::donde(a, suma->lugar) +
                                     ", y main ya escribe en " +
                                     reglas::donde(a, escritura->lugar) +
                                     ": el enunciado pide hacer la suma antes de escribir nada.");
}

// Cada vector sale por el operator<< de Vector2D: main no escribe componentes sueltas.
Juicio vectoresConInsercion(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    const Funcion* op = insercion(a);
    if (m == nullptr || op == nullptr) return {};
    const std::string pide =
        ": el enunciado pide escribir cada vector a través de operator<< (std::cout << vec1).";
    // Lo de main y sus ayudantes, sin el operator<< ni lo que este llama.
    const std::vector<std::string> delOperador = a.conAyudantes(op->usr);
    std::vector<std::string> deMain;
    for (const std::string& u : a.conAyudantes(m->usr)) {
        if (!contiene(delOperador, u)) deMain.push_back(u);
    }
    int veces = 0;
    const Llamada_* printf_ = nullptr;
    for (const Llamada_& c : a.llamadas) {
        if (!contiene(deMain, c.desde)) continue;
        if (c.usr == op->usr) ++veces;
        // Un ayudante que escribe un vector con el <<, llamado desde main: cada llamada cuenta.
        const Funcion* h = c.desde == m->usr ? a.funcionDe(c.usr) : nullptr;
        if (h != nullptr && h != op && h->clase != "Vector2D") {
            for (const Llamada_& d : a.llamadasA(a.conAyudantes(h->usr), {"operator<<"}))
                if (d.usr == op->usr) {
                    ++veces;
                    break;
                }
        }
        const std::string f = c.usr.substr(c.usr.size() > 3 ? c.usr.size() - 3 : 0);
        if (c.nombre.find("basic_ostream") != std::string::npos &&
            c.nombre.find("operator<<") != std::string::npos && (f == "#f#" || f == "#d#"))
            return incumple(c.lugar, "main escribe un real suelto en " + reglas::donde(a, c.lugar) +
                                         " (una componente del vector, no el vector con su <<)" +
                                         pide);
        if (printf_ == nullptr && c.nombre.find("printf") != std::string::npos) printf_ = &c;
    }
    if (veces >= 3) return {};
    const bool ayudantes =
        deMain.size() > 1 + static_cast<std::size_t>(std::count_if(
                                a.funciones.begin(), a.funciones.end(), [&](const Funcion& f) {
                                    return f.definicion && f.clase == "Vector2D" &&
                                           contiene(deMain, f.usr);
                                }));
    const bool bucle = std::any_of(a.bucles.begin(), a.bucles.end(),
                                   [&](const Bucle& b) { return contiene(deMain, b.en); });
    const Lugar l = printf_ != nullptr ? printf_->lugar : m->lugar;
    if (veces > 0 && (ayudantes || bucle))
        return {Juicio::Como::Revisar, l,
                "main escribe con el << de Vector2D en menos de tres sitios, con un bucle o una "
                "función aparte: mira que los tres vectores salgan por operator<<" +
                    pide};
    return incumple(l,
                    std::string(veces == 0 ? "main no escribe " : "main escribe ") +
                        (veces == 0 ? std::string("ningún vector")
                                    : "solo " + std::to_string(veces) + " de los tres vectores") +
                        " con el << de Vector2D (" + reglas::donde(a, l) + ")" + pide);
}

// operator<< es amiga de Vector2D y está definida dentro de la clase.
Juicio insercionAmigaEnLaClase(const Arbol& a) {
    const Funcion* op = insercion(a);
    if (op == nullptr) return {};
    const std::string pide =
        ": el enunciado pide una función no miembro, declarada amiga y definida dentro de la "
        "clase (friend std::ostream& operator<<(…) { … }).";
    if (!op->clase.empty() && op->clase != "-")
        return incumple(op->lugar, "operator<< es una función miembro de " + op->clase + " (" +
                                       reglas::donde(a, op->lugar) + ")" + pide);
    const auto fuera = [](const Funcion* f) { return f->acceso.empty() || f->acceso == "-"; };
    if (!fuera(op)) return {};
    for (const Funcion* d : a.declaraciones("operator<<")) {
        if (!d->definicion && !fuera(d) && d->firma == op->firma)
            return incumple(op->lugar, "operator<< se declara amiga en " +
                                           reglas::donde(a, d->lugar) +
                                           ", pero se define fuera de la clase, en " +
                                           reglas::donde(a, op->lugar) + pide);
    }
    return incumple(op->lugar, "operator<< se define fuera de Vector2D (" +
                                   reglas::donde(a, op->lugar) + ") y no es su amiga" + pide);
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
    e.examina = {"Vector2D"};
    e.tecnica = {
        {"SumaConElOperador", "vec3 se hace con el + de Vector2D", kMain, sumaConElOperador,
         "errores/suma_en_main.cpp", 14},
        {"SumaAntesDeEscribir", "la suma se hace antes de escribir nada", kMain,
         sumaAntesDeEscribir, "errores/suma_al_final.cpp", 16},
        {"VectoresConInsercion", "cada vector se escribe con el << de Vector2D",
         "Cada vector se escribe a través de `operator<<`", vectoresConInsercion,
         "errores/componentes_en_main.cpp", 16},
        {"InsercionAmigaEnLaClase", "operator<< es amiga de Vector2D y está definida en la clase",
         "`operator<<` es una función no miembro, declarada amiga y definida dentro de la clase.",
         insercionAmigaEnLaClase, "errores/insercion_fuera.cpp", 11},
    };
}

}  // namespace nucleo::datos

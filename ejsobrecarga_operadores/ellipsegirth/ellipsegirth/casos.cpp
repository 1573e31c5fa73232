// ellipsegirth: perímetro de una elipse con el operador + de Cir. Llama una vez a la orden
// "cls"; los casos se ejecutan con una "cls" que no escribe nada.
#include <algorithm>
#include <tuple>
#include <utility>

#include "reglas.h"
#include "sonda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kMayor = "Insetar longitud eje mayor: \n";
const std::string kMenor = "cInsetar longitud eje menor: \n";
const std::string kPide = "Ingresar el numero: ";

// Todo lo que escribe cuando el perímetro se muestra como `valor`.
std::string pantalla(const std::string& valor) {
    return kMayor + kPide + kMenor + kPide + "El perimetro es: " + valor + "cm\n";
}

// La línea que escribe out() con esa longitud, como la observa la sonda.
std::string linea(const std::string& valor) {
    return ej_sonda::ver("El perimetro es: " + valor + "cm\n");
}

// Un real al azar dentro del rango de float: una cifra de hasta seis dígitos, con signo, por una
// potencia de diez ("-12345e-3", "7e14"); a veces un entero pequeño. Con los dos ejes desde unos
// 1.3e19 (o uno desde 1.85e19) la suma de los cuadrados ya no cabe en float y el perímetro es
// inf, como dice el ejercicio.
std::string realAlAzar(Azar& azar) {
    if (azar.unoDe(3)) return std::to_string(azar.entero(-100, 100));
    return std::to_string(azar.entero(-999999, 999999)) + "e" + std::to_string(azar.entero(-6, 14));
}

// c.in() lee `texto` y c.out() escribe la línea con `valor`. Con `valor` vacío (las sorteadas), lo
// esperado lo da la respuesta modelo; lo mismo en las que siguen.
Llamada lee(const std::string& texto, const std::string& valor) {
    return {"in",
            {texto},
            valor.empty() ? "" : "in escribe «" + kPide + "»; después out escribe " + linea(valor),
            "c.in() con la entrada " + ej_sonda::ver(texto) + "; c.out()"};
}

std::string muestraDeSuma(const std::string& a, const std::string& b) {
    return "a.in() lee " + ej_sonda::ver(a) + ", b.in() lee " + ej_sonda::ver(b) +
           "; (a + b).out()";
}

Llamada suma(const std::string& a, const std::string& b, const std::string& valor) {
    return {"+", {a, b}, valor.empty() ? "" : "out escribe " + linea(valor), muestraDeSuma(a, b)};
}

Llamada sumaSinCambiar(const std::string& a, const std::string& b, const std::string& valor) {
    return {"+ sin cambiar",
            {a, b},
            valor.empty() ? ""
                          : "(a + b).out() escribe " + linea(valor) + "; a.out() " + linea(a) +
                                "; b.out() " + linea(b),
            muestraDeSuma(a, b) + "; a.out(); b.out()"};
}

Llamada out(const std::string& texto, const std::string& valor) {
    return {"out",
            {texto},
            valor.empty() ? "" : "escribe " + linea(valor) + ", vaciado",
            "c.in() con la entrada " + ej_sonda::ver(texto) + "; c.out()"};
}

// Las reglas de la técnica: F1 + F2 con el operator+ miembro de Cir, la raíz con std::sqrt, y
// longitud privada, sin funciones de acceso.

Juicio incumple(const Lugar& l, const std::string& pista) {
    return {Juicio::Como::Incumple, l, pista};
}

bool contiene(const std::vector<std::string>& v, const std::string& x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

// Una función de la solución que no es miembro, declarada amiga dentro de una clase: su
// declaración en la clase lleva acceso; la de fuera, no.
bool esAmiga(const Funcion& f) {
    return (f.clase.empty() || f.clase == "-") && !f.acceso.empty() && f.acceso != "-";
}

// Un operator+ que no es miembro y recibe un Cir: el de una solución que lo escribe amigo.
bool esSumaNoMiembro(const Funcion& f) {
    return f.nombre == "operator+" && f.firma.find("Cir") != std::string::npos;
}

// La definición del operator+ de Cir: la miembro o, si no hay, una no miembro con un Cir.
const Funcion* definicionDeLaSuma(const Arbol& a) {
    if (const Funcion* f = a.definicion("Cir::operator+")) return f;
    for (const Funcion& f : a.funciones) {
        if (f.definicion && esSumaNoMiembro(f)) return &f;
    }
    return nullptr;
}

// result = F1 + F2 con el operator+ miembro de Cir, llamado desde main o desde una función
// suya a la que main llama.
Juicio sumaConElOperadorMiembro(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    const std::string pide =
        ": el enunciado pide asignar F1 + F2 a result con la función miembro Cir operator+(const "
        "Cir& obj), con F1 como este objeto y F2 como obj.";
    const std::vector<std::string> deMain = a.conAyudantes(m->usr);
    for (const Llamada_& c : a.llamadas) {
        if (contiene(deMain, c.desde) && c.nombre == "Cir::operator+") return {};
    }
    for (const Llamada_& c : a.llamadas) {
        const Funcion* f = a.funcionDe(c.usr);
        if (!contiene(deMain, c.desde) || f == nullptr || !esSumaNoMiembro(*f)) continue;
        std::string declarada;
        for (const Funcion* d : a.declaraciones("operator+")) {
            if (esAmiga(*d) && d->firma == f->firma)
                declarada = ", declarado amigo en " + reglas::donde(a, d->lugar);
        }
        return incumple(c.lugar, "F1 + F2 (" + reglas::donde(a, c.lugar) +
                                     ") usa un operator+ que no es miembro de Cir" + declarada +
                                     pide);
    }
    Lugar l = m->lugar;
    for (const Variable& v : a.variables) {
        if (v.en == m->usr && v.nombre == "result") l = v.lugar;
    }
    return incumple(
        l, "main no hace F1 + F2 con el operator+ de Cir (" + reglas::donde(a, l) + ")" + pide);
}

// La raíz cuadrada del perímetro, con std::sqrt (sqrtf en float) en operator+ o sus ayudantes.
Juicio raizConSqrt(const Arbol& a) {
    const Funcion* op = definicionDeLaSuma(a);
    if (op == nullptr) return {};
    const std::string pide =
        ": el enunciado pide la raíz cuadrada con std::sqrt, su sobrecarga float (sqrtf).";
    const std::vector<std::string> suyas = a.conAyudantes(op->usr);
    if (!a.llamadasA(suyas, {"std::sqrt", "sqrt", "sqrtf", "std::sqrtf"}).empty()) return {};
    const std::vector<Llamada_> otras =
        a.llamadasA(suyas, {"std::pow", "pow", "powf", "std::powf", "std::exp", "exp", "expf",
                            "std::expf", "std::hypot", "hypot", "hypotf", "std::hypotf",
                            "std::cbrt", "cbrt", "cbrtf", "std::cbrtf"});
    if (!otras.empty())
        return incumple(otras.front().lugar, "operator+ saca la raíz con " + otras.front().nombre +
                                                 " en " + reglas::donde(a, otras.front().lugar) +
                                                 pide);
    return incumple(op->lugar,
                    "operator+ (" + reglas::donde(a, op->lugar) + ") no llama a std::sqrt" + pide);
}

// longitud es privada, y solo el constructor, in, operator+ y out la leen o la escriben: Cir no
// tiene otras funciones públicas, ni amigas (salvo un operator+, que es cosa de la primera
// regla), ni destructor ni asignación propios. Una función privada de más que no escribe
// longitud queda para revisar: si la lee no se ve en el árbol.
Juicio longitudPrivadaSinAccesos(const Arbol& a) {
    const std::string pide =
        ": el enunciado pide longitud privada, sin funciones de acceso: solo el constructor, in, "
        "operator+ y out la leen o la escriben.";
    for (const Miembro& m : a.miembros) {
        if (m.clase == "Cir" && m.nombre == "longitud" && m.acceso != "private")
            return incumple(m.lugar,
                            "longitud es " + m.acceso + " en " + reglas::donde(a, m.lugar) + pide);
    }
    const auto escribeLongitud = [&](const Funcion& f) {
        return std::any_of(a.asignaciones.begin(), a.asignaciones.end(), [&](const Escritura& e) {
            return e.en == f.usr && e.destino == "miembro:longitud";
        });
    };
    const Funcion* revisar = nullptr;
    for (const Funcion& f : a.funciones) {
        if (f.clase == "Cir") {
            const bool pedida = (f.nombre == "Cir::Cir" && f.firma == "Cir()") ||
                                f.nombre == "Cir::in" || f.nombre == "Cir::operator+" ||
                                f.nombre == "Cir::out";
            if (pedida) continue;
            const std::string nombre = f.nombre.substr(5);
            if (nombre == "~Cir" || nombre == "operator=")
                return incumple(f.lugar, std::string("Cir tiene ") +
                                             (nombre == "~Cir" ? "destructor" : "asignación") +
                                             " propio en " + reglas::donde(a, f.lugar) +
                                             ": el enunciado pide una clase sin destructor ni "
                                             "asignación propios.");
            if (f.acceso == "public" || escribeLongitud(f))
                return incumple(f.lugar, "Cir tiene " + f.firma + " (" + reglas::donde(a, f.lugar) +
                                             "), una función miembro que el enunciado no tiene" +
                                             pide);
            if (revisar == nullptr) revisar = &f;
        } else if (esAmiga(f) && f.nombre != "operator+") {
            return incumple(f.lugar, f.nombre + " es amiga de Cir (" + reglas::donde(a, f.lugar) +
                                         ") y llega a longitud desde fuera" + pide);
        }
    }
    if (revisar != nullptr)
        return {Juicio::Como::Revisar, revisar->lugar,
                "Cir tiene la función privada " + revisar->firma + " (" +
                    reglas::donde(a, revisar->lugar) + "): mira que no lea longitud" + pide};
    return {};
}

}  // namespace

void ellipsegirth(Ejercicio& e) {
    e.primerAviso = kMayor;
    e.llamadasACls = 1;
    e.firmas = {
        "class Cir { float longitud; public: Cir(); void in(); Cir operator+(const Cir& obj); void "
        "out(); };",
    };
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo 5 y 3", "5\n3\n", pantalla("25.9062")},
                {"3 y 5: simétrico", "3\n5\n", pantalla("25.9062")},
                {"ejes iguales 1: circunferencia", "1\n1\n", pantalla("6.28319")},
                {"ejes iguales 10", "10\n10\n", pantalla("62.8319")},
                {"4 y 2", "4\n2\n", pantalla("19.8692")},
                {"2.5 y 1.5", "2.5\n1.5\n", pantalla("12.9531")},
                {"7 y 0", "7\n0\n", pantalla("31.1002")},
                {"100 y 50", "100\n50\n", pantalla("496.729")},
                {"0 y 0", "0\n0\n", pantalla("0")},
                {"negativo: como su valor absoluto", "-5\n3\n", pantalla("25.9062")},
                {"los dos en una línea", "5 3\n", pantalla("25.9062")},
                {"forma exponencial", "1.8e19\n0\n", pantalla("7.99719e+19")},
                {"suma de cuadrados fuera de float", "1.5e19\n1.5e19\n", pantalla("inf")},
                {"un eje de 1.85e19 basta", "0\n1.85e19\n", pantalla("inf")},
                // Una lectura fallida deja 0 en el eje, y las siguientes no leen.
                {"primer valor no numérico: la segunda lectura no lee", "abc\n3\n", pantalla("0")},
                {"5 y luego un valor no numérico", "5\nabc\n", pantalla("22.2144")},
                {"entrada vacía", "", pantalla("0")},
                {"la entrada acaba tras el primer valor", "5\n", pantalla("22.2144")},
            });
    agregar(e, Origen::Decidido,
            {
                {"fuera de float: guarda el mayor float y falla", "1e39\n3\n", pantalla("inf")},
                // libstdc++ lee 5 y el segundo falla en las letras; libc++ no lee el primero.
                segunLaBiblioteca({"letras pegadas al primero", "5abc\n", pantalla("22.2144")},
                                  {"letras pegadas al primero", "5abc\n", pantalla("0")}),
            });
    e.casos.push_back(
        unidas(Origen::Enunciado, "nada en la salida de error", "5\n3\n", pantalla("25.9062")));
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kMayor + kPide, "5\n"}, {kMenor + kPide, "3\n"}},
                                   pantalla("25.9062")));
    // Dos ejes nuevos, dentro del rango de float: el ejercicio fija la salida (también inf).
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        for (int i = 0; i < 4; ++i) {
            const std::string a = realAlAzar(azar);
            entradas.push_back(a + (azar.unoDe(2) ? "\n" : " ") + realAlAzar(azar) + "\n");
        }
        return entradas;
    };

    // Cada par, en los dos órdenes y con cualquier signo.
    std::vector<Llamada> sumas;
    for (const auto& [a, b, valor] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"5", "3", "25.9062"},
             {"1", "1", "6.28319"},
             {"4", "2", "19.8692"},
             {"2.5", "1.5", "12.9531"},
             {"7", "0", "31.1002"},
             {"100", "50", "496.729"},
             {"0", "0", "0"},
             {"5", "0", "22.2144"},
             {"3", "4", "22.2144"},
             {"1.8e19", "0", "7.99719e+19"},
             {"1.5e19", "1.5e19", "inf"},
         }) {
        const std::string menosA = "-" + a, menosB = "-" + b;
        for (const auto& [x, y] : std::vector<std::pair<std::string, std::string>>{
                 {a, b}, {b, a}, {menosA, b}, {a, menosB}, {menosA, menosB}, {menosB, menosA}})
            sumas.push_back(suma(x, y, valor));
    }
    e.funciones = {
        {"EmpiezaEnCeroYLeeConSuAviso",
         Origen::Enunciado,
         "Cir empieza con longitud 0, e in escribe su aviso y lee la longitud",
         {
             {"out de Cir()", {}, "out escribe " + linea("0"), "Cir c; c.out()"},
             lee("2.5\n", "2.5"),
             lee("abc", "0"),  // la lectura fallida guarda 0
             lee("", "0"),     // sin entrada queda el 0 del constructor
         },
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) r.push_back(lee(realAlAzar(azar) + "\n", ""));
             return r;
         },
         "El constructor deja longitud en 0; in() escribe «Ingresar el numero: », sin fin de "
         "línea, y lee la longitud con std::cin >>."},
        {"SumaSimetricaEIndependienteDelSigno", Origen::Enunciado,
         "el + de Cir da el mismo perímetro en cualquier orden y con cualquier signo", sumas,
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 2; ++i) {
                 const std::string a = realAlAzar(azar), b = realAlAzar(azar);
                 r.push_back(suma(a, b, ""));
                 r.push_back(suma(b, a, ""));
             }
             return r;
         },
         "El perímetro es 2π·√((a² + b²) / 2): cuadrados, suma, división entre 2.0f y raíz en "
         "float, la raíz duplicada por 3.141592653589793 en double y el resultado de vuelta a "
         "float."},
        {"SumaNoCambiaLosOperandos",
         Origen::Enunciado,
         "el + de Cir no cambia ninguno de sus dos operandos",
         {sumaSinCambiar("5", "3", "25.9062")},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 2; ++i)
                 r.push_back(sumaSinCambiar(realAlAzar(azar), realAlAzar(azar), ""));
             return r;
         },
         "operator+ pone el perímetro en un Cir local (temporal) y lo devuelve; la longitud de "
         "este objeto y la de obj no cambian."},
        // out() acaba su línea con std::endl, que vacía la salida: al volver, la línea ya ha
        // llegado.
        {"OutAcabaConStdEndl",
         Origen::Enunciado,
         "out termina su línea con std::endl",
         {out("0", "0"), out("2.5", "2.5")},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 2; ++i) r.push_back(out(realAlAzar(azar), ""));
             return r;
         }},
        {"FirmaDeIn",
         Origen::Enunciado,
         "Cir::in se declara como pide el ejercicio",
         {{"firma Cir::in", {}, "void (Cir::*)()"}}},
        // No es const, aunque no cambia ningún operando: así lo declara el ejercicio.
        {"FirmaDeOperadorSuma",
         Origen::Enunciado,
         "Cir::operator+ se declara como pide el ejercicio",
         {{"firma Cir::operator+", {}, "Cir (Cir::*)(const Cir&)"}}},
        {"FirmaDeOut",
         Origen::Enunciado,
         "Cir::out se declara como pide el ejercicio",
         {{"firma Cir::out", {}, "void (Cir::*)()"}}},
    };
    const char* const kSuma =
        "`main`, en este orden: […] asigna `F1 + F2` a `result`; llama a `result.out()`; "
        "devuelve 0.";
    e.examina = {"Cir"};
    e.tecnica = {
        {"SumaConElOperadorMiembro", "result se hace con el operator+ miembro de Cir", kSuma,
         sumaConElOperadorMiembro, "errores/suma_amiga/main.cpp", 15},
        {"RaizConSqrt", "operator+ saca la raíz con std::sqrt",
         "la raíz cuadrada en `float` (la sobrecarga `float` de `std::sqrt`, que es `sqrtf`);",
         raizConSqrt, "errores/raiz_con_pow/main.cpp", 15},
        {"LongitudPrivadaSinAccesos",
         "longitud es privada y Cir solo tiene las funciones del enunciado",
         "`longitud` es `float` y privado; no hay funciones de acceso: solo el constructor, `in`, "
         "`operator+` y `out` leen o escriben `longitud`. La clase no tiene […] ni destructor ni "
         "asignación propios.",
         longitudPrivadaSinAccesos, "errores/getter_en_main/main.cpp", 19},
    };
}

}  // namespace nucleo::datos

// ringchain: una cantidad y esos enteros, en una lista circular doblemente enlazada que no
// libera sus nodos.
#include "../reglas_listas.h"
#include "sonda.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kCuenta = "Ingrese el número de elementos: ";

// Los avisos de los datos 1 a n, seguidos.
std::string avisos(int n) {
    std::string texto;
    for (int i = 1; i <= n; ++i) texto += "Ingrese el dato " + std::to_string(i) + ": ";
    return texto;
}

// Los valores como argumento de la sonda: "10 20 30".
std::string argumento(const std::vector<int>& valores) {
    std::string r;
    for (int v : valores) r += (r.empty() ? "" : " ") + std::to_string(v);
    return r;
}

// "10, 20, 30"
std::string conComas(const std::vector<int>& valores) {
    std::string r;
    for (int v : valores) r += (r.empty() ? "" : ", ") + std::to_string(v);
    return r;
}

// Lo que escribe mostrar: cada dato seguido de " <-> ", y "cabeza\n".
std::string mostrado(const std::vector<int>& valores) {
    std::string r;
    for (int v : valores) r += std::to_string(v) + " <-> ";
    return r + "cabeza\n";
}

// Una llamada sobre la lista a la que se agregan esos valores, en orden.
Llamada conValores(const std::string& operacion, const std::string& que,
                   const std::vector<int>& valores, const std::string& esperado) {
    return {operacion,
            {argumento(valores)},
            esperado,
            que + " tras agregar " + conComas(valores) + " a una lista nueva"};
}

Llamada unNodo(int valor) {
    return conValores("un nodo", "la cabeza", {valor},
                      "la cabeza guarda " + std::to_string(valor) +
                          ", su siguiente es él mismo y su anterior es él mismo; mostrar escribe " +
                          ej_sonda::ver(mostrado({valor})));
}

// Hacia delante, en el orden en que se agregaron; hacia atrás, la cabeza y después del último
// agregado al segundo.
Llamada enlaces(const std::vector<int>& valores) {
    std::vector<int> atras = {valores.front()};
    atras.insert(atras.end(), valores.rbegin(), valores.rend() - 1);
    return conValores("enlaces", "los enlaces", valores,
                      "siguiente: " + conComas(valores) +
                          " y vuelve a la cabeza; anterior: " + conComas(atras) +
                          " y vuelve a la cabeza; cada siguiente y anterior se corresponden");
}

Llamada cabeza(const std::vector<int>& valores) {
    return conValores("cabeza", "la cabeza", valores,
                      "la cabeza sigue en el primer nodo agregado; mostrar escribe " +
                          ej_sonda::ver(mostrado(valores)));
}

// "cabeza\n" acaba en un salto de línea que no vacía la salida.
Llamada mostrar(const std::vector<int>& valores) {
    const std::string linea = mostrado(valores);
    return conValores("mostrar", "mostrar()", valores,
                      ej_sonda::ver(ej_sonda::Escrito{linea, "", ""}));
}

// Una llamada sorteada: lo esperado lo da la respuesta modelo.
Llamada sorteo(Llamada llamada) {
    llamada.esperado.clear();
    return llamada;
}

// De desde a hasta valores, pequeños.
std::vector<int> sorteados(Azar& azar, int desde, int hasta) {
    std::vector<int> r(static_cast<std::size_t>(azar.entero(desde, hasta)));
    for (int& v : r) v = static_cast<int>(azar.entero(-1000, 1000));
    return r;
}

// Una entrada entera: la cantidad y los valores, uno por línea o todos en una.
std::string entrada(int n, const std::vector<int>& valores, const std::string& separador) {
    std::string r = std::to_string(n);
    for (int v : valores) r += separador + std::to_string(v);
    return r + "\n";
}

const std::string kClase = "ListaCircularDobleEnlazada";

// Cómo se nombra una función de la clase en una pista: el constructor, o su nombre.
std::string nombreEnLaClase(const Funcion& f) {
    return f.tipo == "constructor" ? "el constructor" : listas::corto(f.nombre);
}

// Las funciones de la clase se definen dentro de ella: ninguna se declara en la clase y se define
// fuera (dos declaraciones de la misma función, una de ellas la definición).
Juicio definidasEnLaClase(const Arbol& a) {
    for (const Funcion& f : a.funciones) {
        if (!f.definicion || f.clase != kClase) continue;
        for (const Funcion& otra : a.funciones) {
            if (otra.definicion || otra.usr != f.usr) continue;
            return {Juicio::Como::Incumple, f.lugar,
                    nombreEnLaClase(f) + " se define fuera de la clase, en " +
                        reglas::donde(a, f.lugar) +
                        ": el enunciado pide definir las funciones de " + kClase +
                        " dentro de la clase."};
        }
    }
    return {};
}

// Ni destructor ni operaciones de copia (o de movimiento) propias: la lista no libera sus nodos.
Juicio sinDestructorNiCopias(const Arbol& a) {
    for (const Funcion& f : a.funciones) {
        if (f.clase != kClase) continue;
        const std::string nombre = listas::corto(f.nombre);
        const bool destructor = nombre == "~" + kClase;
        const bool copia =
            (f.tipo == "constructor" && f.firma.find(kClase + " &") != std::string::npos) ||
            nombre == "operator=";
        if (!destructor && !copia) continue;
        const std::string que = destructor              ? "un destructor"
                                : nombre == "operator=" ? "una asignación (operator=)"
                                                        : "un constructor de copia";
        return {Juicio::Como::Incumple, f.lugar,
                kClase + " declara " + que + " en " + reglas::donde(a, f.lugar) +
                    ": el enunciado pide una clase sin destructor ni operaciones de copia propias "
                    "(los nodos no se liberan)."};
    }
    return {};
}

}  // namespace

void ringchain(Ejercicio& e) {
    e.primerAviso = kCuenta;
    e.firmas = {
        "struct Nodo { int dato; Nodo* siguiente; Nodo* anterior; };",
        "class ListaCircularDobleEnlazada { public: Nodo* cabeza; ListaCircularDobleEnlazada(); "
        "void agregar(int dato); void mostrar(); };",
    };
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo, un número por línea", "3\n10\n20\n30\n",
                 kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"},
                {"ejemplo, todo en una línea", "3 10 20 30\n",
                 kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"},
                {"cuenta 0: solo el aviso, sin fin de línea", "0\n", kCuenta},
                {"cuenta negativa: como 0", "-4\n", kCuenta},
                {"cuenta 1: un nodo", "1\n7\n", kCuenta + avisos(1) + "7 <-> cabeza\n"},
                {"valores negativos repetidos", "2\n-1\n-1\n",
                 kCuenta + avisos(2) + "-1 <-> -1 <-> cabeza\n"},
                {"extremos de int", "2\n2147483647 -2147483648\n",
                 kCuenta + avisos(2) + "2147483647 <-> -2147483648 <-> cabeza\n"},
                {"lo que sobra tras los valores no se lee", "1 5 6 xyz\n",
                 kCuenta + avisos(1) + "5 <-> cabeza\n"},
                {"números de avisos hasta 12", "12 1 2 3 4 5 6 7 8 9 10 11 12",
                 kCuenta + avisos(12) +
                     "1 <-> 2 <-> 3 <-> 4 <-> 5 <-> 6 <-> 7 <-> 8 <-> 9 <-> 10 <-> 11 <-> 12 <-> "
                     "cabeza\n"},
            });
    agregar(
        e, Origen::Decidido,
        {
            {"entrada vacía", "", kCuenta + kEntradaNoValida},
            {"solo blancos", "  \n\n\t", kCuenta + kEntradaNoValida},
            {"cuenta que no es número", "abc\n", kCuenta + kEntradaNoValida},
            {"cuenta fuera de int", "2147483648\n", kCuenta + kEntradaNoValida},
            {"cuenta muy negativa fuera de int", "-99999999999\n", kCuenta + kEntradaNoValida},
            {"valor que no es número", "2\n5\nx\n", kCuenta + avisos(2) + kEntradaNoValida},
            {"valor fuera de int", "1\n-2147483649\n", kCuenta + avisos(1) + kEntradaNoValida},
            {"la entrada acaba antes de tiempo", "3\n10\n", kCuenta + avisos(2) + kEntradaNoValida},
            {"cuenta enorme sin datos", "2147483647\n", kCuenta + avisos(1) + kEntradaNoValida},
            {"cuenta con decimales: lee 2, el punto falla", "2.5\n",
             kCuenta + avisos(1) + kEntradaNoValida},
        });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{kCuenta, "3\n"},
                                    {"Ingrese el dato 1: ", "10\n"},
                                    {"Ingrese el dato 2: ", "20\n"},
                                    {"Ingrese el dato 3: ", "30\n"}},
                                   kCuenta + avisos(3) + "10 <-> 20 <-> 30 <-> cabeza\n"));

    // Entradas nuevas donde el ejercicio define la salida: cada lectura sale bien (números en
    // int, tantos valores como dice la cantidad); una cantidad de 0 o negativa no lee más.
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> r;
        const std::vector<int> porLineas = sorteados(azar, 1, 8);
        r.push_back(entrada(static_cast<int>(porLineas.size()), porLineas, "\n"));
        std::vector<int> enUnaLinea = sorteados(azar, 1, 6);
        for (int& v : enUnaLinea) {
            if (azar.unoDe(3)) v = static_cast<int>(azar.entero(-2147483647 - 1, 2147483647));
        }
        r.push_back(entrada(static_cast<int>(enUnaLinea.size()), enUnaLinea, " "));
        // Lo que sobra detrás de los valores no se lee.
        std::vector<int> conSobra = sorteados(azar, 1, 4);
        const int n = static_cast<int>(conSobra.size());
        conSobra.push_back(static_cast<int>(azar.entero(-1000, 1000)));
        r.push_back(entrada(n, conSobra, "\n"));
        r.push_back(entrada(static_cast<int>(azar.entero(-1000, 0)), {}, ""));
        return r;
    };

    // Lo que pide el enunciado de la técnica: cada nodo con new, el último buscado andando desde
    // la cabeza, el anillo recorrido con un bucle, y la clase tal cual: sus funciones dentro, sin
    // destructor ni copias.
    e.examina = {"ListaCircularDobleEnlazada"};
    e.tecnica = {
        {"AgregarCreaElNodoConNew", "agregar crea cada nodo con new",
         "Crea el nodo con new (variable local nuevoNodo), con dato igual al argumento y siguiente "
         "y anterior nulos.",
         [](const Arbol& a) {
             return listas::creaConNew(a, kClase + "::agregar",
                                       "crear cada nodo con new, de uno en uno");
         },
         "errores/agregar_con_malloc.cpp", 21},
        {"AgregarBuscaElUltimoConUnBucle", "agregar busca el último nodo con un bucle desde cabeza",
         "Si no, busca el último nodo con un bucle, avanzando una variable local temp desde cabeza "
         "mientras el siguiente de temp no sea cabeza (se busca andando, sin usar "
         "cabeza->anterior)",
         [](const Arbol& a) {
             return listas::recorreConBucle(a, kClase + "::agregar",
                                            "buscar el último nodo con un bucle que avanza temp "
                                            "desde cabeza, sin usar cabeza->anterior");
         },
         "errores/ultimo_por_anterior.cpp", 19},
        {"MostrarRecorreElAnilloConUnBucle", "mostrar recorre el anillo con un bucle",
         "Si no, recorre el anillo con un bucle y una variable local temp que empieza en cabeza",
         [](const Arbol& a) {
             return listas::recorreConBucle(a, kClase + "::mostrar",
                                            "recorrer el anillo con un bucle que avanza temp "
                                            "desde cabeza hasta volver a ella");
         },
         "errores/mostrar_recursivo.cpp", 41},
        {"FuncionesDefinidasDentroDeLaClase",
         "las funciones de ListaCircularDobleEnlazada se definen dentro de la clase",
         "Todos sus miembros son públicos (también cabeza) y sus funciones se definen dentro de la "
         "clase.",
         definidasEnLaClase, "errores/fuera_de_la_clase.cpp", 19},
        {"SinDestructorNiCopias",
         "ListaCircularDobleEnlazada no tiene destructor ni operaciones de copia",
         "La clase no tiene base, ni funciones virtuales, ni destructor, ni operaciones de copia "
         "propias.",
         sinDestructorNiCopias, "errores/con_destructor.cpp", 19},
    };

    e.funciones = {
        {"ListaNuevaVaciaNoMuestraNada",
         Origen::Enunciado,
         "una lista recién construida tiene la cabeza nula y mostrar no escribe nada",
         {{"lista nueva",
           {},
           "la cabeza es nula; mostrar escribe " + ej_sonda::ver(""),
           "ListaCircularDobleEnlazada() y mostrar() de la lista nueva"}},
         nullptr,
         "El constructor deja cabeza en nullptr, y mostrar no escribe nada (ni un fin de línea) "
         "si la lista está vacía."},
        {"UnNodoApuntaASiMismoEnLosDosSentidos",
         Origen::Enunciado,
         "con un solo nodo, su siguiente y su anterior apuntan a él mismo",
         {unNodo(7), unNodo(-1), unNodo(0)},
         [](Azar& azar) {
             return std::vector<Llamada>{
                 sorteo(unNodo(static_cast<int>(azar.entero(-2147483647 - 1, 2147483647))))};
         },
         "Si la lista está vacía, el nodo nuevo pasa a ser la cabeza, y su siguiente y su "
         "anterior apuntan a él mismo."},
        {"EnlacesCoherentesEnAmbosSentidos",
         Origen::Enunciado,
         "agregar mantiene el anillo enlazado en los dos sentidos",
         {enlaces({1, 2}), enlaces({10, 20, 30}), enlaces({-1, -1, 5, 0, 5})},
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) r.push_back(sorteo(enlaces(sorteados(azar, 1, 8))));
             return r;
         },
         "agregar enlaza el nodo nuevo detrás del último (el nodo cuyo siguiente es la cabeza), "
         "en este orden: el siguiente del último, el nuevo; el anterior del nuevo, el último; el "
         "siguiente del nuevo, la cabeza; el anterior de la cabeza, el nuevo."},
        {"LaCabezaNoCambiaAlAgregar",
         Origen::Enunciado,
         "agregar no cambia la cabeza, que es el primer nodo agregado",
         {cabeza({1, 2, 3})},
         [](Azar& azar) { return std::vector<Llamada>{sorteo(cabeza(sorteados(azar, 2, 8)))}; },
         "agregar añade al final: la cabeza es el primer nodo agregado y no cambia después."},
        {"MostrarAcabaConSaltoDeLineaSinVaciar",
         Origen::Enunciado,
         "mostrar termina con \"cabeza\\n\", un salto de línea que no vacía la salida",
         {mostrar({10, 20}), mostrar({7})},
         [](Azar& azar) { return std::vector<Llamada>{sorteo(mostrar(sorteados(azar, 1, 8)))}; }},
        {"FirmaDeAgregar",
         Origen::Enunciado,
         "ListaCircularDobleEnlazada::agregar se declara como pide el ejercicio",
         {{"firma ListaCircularDobleEnlazada::agregar",
           {},
           "void (ListaCircularDobleEnlazada::*)(int)"}}},
        {"FirmaDeMostrar",
         Origen::Enunciado,
         "ListaCircularDobleEnlazada::mostrar se declara como pide el ejercicio",
         {{"firma ListaCircularDobleEnlazada::mostrar",
           {},
           "void (ListaCircularDobleEnlazada::*)()"}}},
    };
}

}  // namespace nucleo::datos

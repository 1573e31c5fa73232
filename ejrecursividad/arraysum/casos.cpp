// arraysum: suma recursiva de un arreglo fijo. No lee nada.
#include "../reglas_recursividad.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

// sumArray con un arreglo de esos elementos: sumArray({1, 2, 3, 4, 5}, 3).
Llamada suma(const std::vector<long long>& datos, long long n, const std::string& esperado = "") {
    std::string lista, muestra;
    for (long long d : datos) {
        lista += (lista.empty() ? "" : " ") + std::to_string(d);
        muestra += (muestra.empty() ? "" : ", ") + std::to_string(d);
    }
    return {"sumArray",
            {lista, std::to_string(n)},
            esperado,
            "sumArray({" + muestra + "}, " + std::to_string(n) + ")"};
}

Llamada sinArreglo(long long n, const std::string& esperado = "") {
    return {"sumArray sin arreglo",
            {std::to_string(n)},
            esperado,
            "sumArray(nullptr, " + std::to_string(n) + ")"};
}

// sumArray (o un ayudante suyo) no escribe en el arreglo: ni arr[i] = ni *arr =.
Juicio noCambiaElArreglo(const Arbol& a) {
    const Funcion* f = a.definicion("sumArray");
    if (f == nullptr) return reglas::definida(a, "sumArray");
    for (const std::string& usr : a.conAyudantes(f->usr)) {
        for (const Escritura& e : a.asignaciones) {
            if (e.en != usr) continue;
            const bool enElArreglo = (e.destino.rfind("arreglo:", 0) == 0 &&
                                      !recursividad::esLocal(a, usr, e.destino.substr(8))) ||
                                     e.destino.rfind("deref", 0) == 0;
            if (!enElArreglo) continue;
            return {Juicio::Como::Incumple, e.lugar,
                    recursividad::quien(a, "sumArray", usr) + " escribe en el arreglo en " +
                        reglas::donde(a, e.lugar) +
                        ": el enunciado pide que no cambie el arreglo, solo que lo lea."};
        }
    }
    return {};
}

// La suma desde delante (*arr más la suma desde arr + 1) da lo mismo con otro orden de lectura:
// si vale lo decide una persona. Se ve en que lee *arr o mueve el puntero.
Juicio desdeElFinal(const Arbol& a) {
    const Funcion* f = a.definicion("sumArray");
    if (f == nullptr) return reglas::definida(a, "sumArray");
    const std::string pista =
        ": el enunciado pide leer primero el último elemento, arr[n - 1], y llamar a "
        "sumArray(arr, n - 1); mira si la suma desde el primero vale.";
    for (const Escritura& d : a.desreferencias) {
        if (d.en == f->usr && d.destino == "deref*:arr")
            return {
                Juicio::Como::Revisar, d.lugar,
                "sumArray lee *arr, el primer elemento, en " + reglas::donde(a, d.lugar) + pista};
    }
    for (const Escritura& e : a.asignaciones) {
        if (e.en == f->usr && e.destino == "var:arr")
            return {Juicio::Como::Revisar, e.lugar,
                    "sumArray mueve el puntero arr en " + reglas::donde(a, e.lugar) + pista};
    }
    return {};
}

}  // namespace

void arraysum(Ejercicio& e) {
    const std::string linea = "La suma de los elementos del arreglo es 15\n";
    e.firmas = {
        "int sumArray(int* arr, int n);",
    };
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", linea}, {"ignora la entrada", "7\n", linea}});

    // Lo que pide el enunciado de la técnica: arr[n - 1] más sumArray(arr, n - 1), «sin
    // bucles», sin cambiar el arreglo; la suma desde delante la mira una persona.
    const std::string recursion =
        "que la repetición la haga la recursión, el último elemento más sumArray(arr, n - 1), "
        "sin bucles";
    e.tecnica = {
        {"SumArraySeLlamaASiMisma", "sumArray se llama a sí misma",
         "luego llama a `sumArray(arr, n - 1)`, y devuelve ese elemento más el resultado de la "
         "llamada",
         [recursion](const Arbol& a) { return reglas::seLlamaASiMisma(a, "sumArray", recursion); },
         "errores/formula.cpp", 4},
        {"SumArraySinBucles", "sumArray no tiene bucles",
         "Sin bucles, tampoco los de un algoritmo de la biblioteca como `std::accumulate`: la "
         "repetición la hace la recursión.",
         [recursion](const Arbol& a) { return recursividad::sinBucles(a, "sumArray", recursion); },
         "errores/mitades_en_bucle.cpp", 9},
        {"SumArrayNoCambiaElArreglo", "sumArray no cambia el arreglo",
         "No cambia el arreglo ni escribe nada.",
         [](const Arbol& a) { return noCambiaElArreglo(a); }, "errores/acumula_en_el_arreglo.cpp",
         8},
        {"SumArrayDesdeElFinal", "sumArray suma desde el último elemento",
         "si no, lee primero el último elemento del tramo, `arr[n - 1]`, luego llama a "
         "`sumArray(arr, n - 1)`",
         [](const Arbol& a) { return desdeElFinal(a); }},
    };
    e.funciones = {
        // Con un puntero nulo, cualquier lectura hace fallar la llamada.
        {"SinElementosNoLeeElArreglo",
         Origen::Enunciado,
         "sumArray con n igual a 0 o negativo devuelve 0 sin leer el arreglo",
         {sinArreglo(0, "0"), sinArreglo(-1, "0"), sinArreglo(-2147483647 - 1, "0")},
         [](Azar& azar) { return std::vector<Llamada>{sinArreglo(azar.entero(-100000, -2))}; },
         "Con n de 0 o menos, sumArray devuelve 0 antes de mirar el arreglo: ni arr[0] ni "
         "arr[n - 1] existen."},
        // Cada arreglo tiene justo los elementos dados: leer uno más es un acceso fuera de la
        // memoria reservada, que ve AddressSanitizer.
        {"SumaLosPrimerosNElementos",
         Origen::Enunciado,
         "sumArray suma los n primeros elementos del arreglo",
         {
             suma({1, 2, 3, 4, 5}, 1, "1"),
             suma({1, 2, 3, 4, 5}, 3, "6"),
             suma({1, 2, 3, 4, 5}, 5, "15"),
             suma({-4, 9, -5}, 3, "0"),
             suma({7}, 1, "7"),
             suma({2147483647, -1}, 2, "2147483646"),
         },
         [](Azar& azar) {
             std::vector<Llamada> r;
             for (int i = 0; i < 3; ++i) {
                 std::vector<long long> datos(static_cast<std::size_t>(azar.entero(1, 8)));
                 for (long long& d : datos) d = azar.entero(-1000, 1000);
                 const auto largo = static_cast<long long>(datos.size());
                 // Una vez el arreglo entero; las otras, sus primeros elementos.
                 r.push_back(suma(datos, i == 0 ? largo : azar.entero(1, largo)));
             }
             return r;
         },
         "sumArray(arr, n) es arr[n - 1] + sumArray(arr, n - 1), y 0 con n de 0 o menos: solo "
         "se leen arr[0] a arr[n - 1]."},
        {"FirmaDeSumArray",
         Origen::Enunciado,
         "sumArray se declara como pide el ejercicio",
         {{"firma sumArray", {}, "int (int*, int)"}}},
    };
}

}  // namespace nucleo::datos

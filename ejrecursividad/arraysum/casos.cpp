// arraysum: suma recursiva de un arreglo fijo. No lee nada.
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

}  // namespace

void arraysum(Ejercicio& e) {
    const std::string linea = "La suma de los elementos del arreglo es 15\n";
    e.firmas = {
        "int sumArray(int* arr, int n);",
    };
    agregar(e, Origen::Enunciado,
            {{"sin entrada", "", linea}, {"ignora la entrada", "7\n", linea}});

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

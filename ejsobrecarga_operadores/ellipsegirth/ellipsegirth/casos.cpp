// ellipsegirth: perímetro de una elipse con el operador + de Cir. Llama una vez a la orden
// "cls"; los casos se ejecutan con una "cls" que no escribe nada.
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
}

}  // namespace nucleo::datos

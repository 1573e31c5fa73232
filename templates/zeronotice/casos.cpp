// zeronotice: dos avisos sin fin de línea, sea cual sea la entrada.
#include "tablas.h"

namespace nucleo::datos {

void zeronotice(Ejercicio& e) {
    const std::string numerador = "ingrese el numerador";
    const std::string denominador = "ingresar el denominador";
    const std::string todo = numerador + denominador +
                             "no se puede dividir para 0"
                             "no se puede dividir para 0";
    e.primerAviso = numerador;
    e.firmas = {
        "template <typename TD> void sum(TD numero);",
    };
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo 10 y 2", "10\n2\n", todo},
                {"0 y 0: igual que 10 y 2", "0\n0\n", todo},
                {"primero no numérico", "abc\n", todo},
                {"entrada vacía", "", todo},
                {"fuera de int", "-99999999999 5\n", todo},
                {"lo que sobra no se lee", "1 2 3 4\n", todo},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "cada aviso llega antes de leer",
                                   {{numerador, "10\n"}, {denominador, "2\n"}}, todo));
}

}  // namespace nucleo::datos

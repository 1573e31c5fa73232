// textnumber: una palabra de hasta 6 caracteres convertida con atof y guardada en un float.
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "escriba un numero: ";

}  // namespace

void textnumber(Ejercicio& e) {
    e.primerAviso = kPide;
    agregar(e, Origen::Enunciado,
            {
                {"ejemplo", "2.5\n", kPide + "2.5\n"},
                {"el float más cercano, con 6 cifras", "123.34\n", kPide + "123.34\n"},
                {"sin número al principio", "abc\n", kPide + "0\n"},
                {"solo el principio numérico", "12abc\n", kPide + "12\n"},
                {"blancos delante", "   -0.5\n", kPide + "-0.5\n"},
                {"línea vacía y tabulador delante", "\n\t-0.5\n", kPide + "-0.5\n"},
                {"solo la primera palabra", "4 5\n", kPide + "4\n"},
                {"forma exponencial desde 1e6", "1e7\n", kPide + "1e+07\n"},
                {"0.0001 aún sin exponente", "0.0001\n", kPide + "0.0001\n"},
                {"exponente por debajo de -4", "1e-5\n", kPide + "1e-05\n"},
                {"seis cifras enteras", "123456\n", kPide + "123456\n"},
                {"demasiado pequeño para float", "1e-50\n", kPide + "0\n"},
                {"demasiado pequeño y negativo", "-1e-50\n", kPide + "-0\n"},
                {"signo más y punto inicial", "+.5\n", kPide + "0.5\n"},
                {"hexadecimal", "0x1p-2\n", kPide + "0.25\n"},
                {"no es un número escrito", "nan\n", kPide + "nan\n"},
                {"3.4e38 aún cabe en float", "34e37\n", kPide + "3.4e+38\n"},
                // Sin ninguna palabra se convierte el texto inicial.
                {"entrada vacía", "", kPide + "123.34\n"},
                {"solo blancos", "  \n\t\n", kPide + "123.34\n"},
            });
    agregar(e, Origen::Decidido,
            {
                {"infinito escrito", "inf\n", kPide + "inf\n"},
                // La lectura se limita a 6 caracteres: el resto queda sin leer.
                {"40 cifras: solo entran 6", "1234567890123456789012345678901234567890\n",
                 kPide + "123456\n"},
                {"siete cifras", "1234567\n", kPide + "123456\n"},
                {"decimales de más", "3.14159265\n", kPide + "3.1415\n"},
                {"el exponente queda fuera", "3.4028235e38\n", kPide + "3.4028\n"},
                {"letras largas", "abcdefghijklmnopqrstuvwxyz\n", kPide + "0\n"},
                // Fuera del rango de float: infinito con su signo.
                {"1e39", "1e39\n", kPide + "inf\n"},
                {"-1e39", "-1e39\n", kPide + "-inf\n"},
                {"3.5e38", "35e37\n", kPide + "inf\n"},
                {"cabe en double", "1e308\n", kPide + "inf\n"},
                {"ni en double", "-1e999\n", kPide + "-inf\n"},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "2.5\n"}}, kPide + "2.5\n"));
    // Números nuevos de como mucho 6 caracteres, donde el ejercicio define la salida: un
    // entero, uno con dos decimales y uno con exponente que no pasa del mayor float (los más
    // pequeños quedan por debajo del menor float y se vuelven 0, como 1e-50).
    e.sorteo = [](Azar& azar) {
        std::vector<std::string> entradas;
        entradas.push_back(std::to_string(azar.entero(-99999, 999999)));
        const std::string signo = azar.unoDe(2) ? "-" : "";
        const std::string entera = std::to_string(azar.entero(0, 99));
        const long long decimales = azar.entero(0, 99);
        entradas.push_back(signo + entera + (decimales < 10 ? ".0" : ".") +
                           std::to_string(decimales));
        const std::string mantisa = std::to_string(azar.entero(1, 99));
        entradas.push_back(mantisa + "e" + std::to_string(azar.entero(-47, 30)));
        // Los blancos de delante se saltan y lo que sigue a la palabra queda sin leer.
        const std::string delante = azar.elegir(std::vector<std::string>{"", " ", "\n\t"});
        entradas.push_back(delante + std::to_string(azar.entero(-9999, 9999)) + " 7");
        for (std::string& entrada : entradas) entrada += "\n";
        return entradas;
    };
}

}  // namespace nucleo::datos

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
}

}  // namespace nucleo::datos

// Las pistas de los errores habituales, cada una a partir de lo esperado y lo obtenido.
#include "pistas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// La pista que contiene `trozo`, o vacía.
bool hayPista(const std::vector<std::string>& pistas, const std::string& trozo) {
    for (const std::string& p : pistas) {
        if (p.find(trozo) != std::string::npos) return true;
    }
    return false;
}

TEST(Pistas, DeTexto) {
    nucleo::Caso conAviso;
    conAviso.modo = nucleo::Modo::Conversacion;
    conAviso.pasos = {{"Introduce la base: ", "2\n"}};
    nucleo::Caso unidas;
    unidas.modo = nucleo::Modo::Unidas;
    struct Fila {
        const char* descripcion;
        const nucleo::Caso& caso;
        std::string esperado, obtenido, pista;
    } filas[] = {
        {"falta el fin de línea", {}, "hola\n", "hola", "Falta el salto de línea al final"},
        {"sobra el fin de línea", {}, "hola", "hola\n", "Sobra el salto de línea del final"},
        {"sobra un std::endl", {}, "hola\n", "hola\n\n", "Sobra un salto de línea al final"},
        {"falta el blanco tras los dos puntos", {}, "es: 4\n", "es:4\n", "después de «:»"},
        {"falta el blanco final de un aviso", conAviso, "Introduce la base: 2",
         "Introduce la base:2", "Falta el espacio en blanco"},
        {"sobra un blanco junto a los dos puntos", {}, "a: 1\n", "a : 1\n", "junto a «:»"},
        {"falta un trozo", {}, "Ingrese el dato\n", "Ingrese dato\n", "Falta «el·»"},
        {"falta una tilde", {}, "número\n", "numero\n", "Falta una tilde"},
        {"sobra una tilde", {}, "numero\n", "número\n", "Sobra una tilde"},
        {"Latin-1", {}, "número\n", "n\xfamero\n", "no son UTF-8 (\\xFA)"},
        {"retornos de carro", {}, "a\nb\n", "a\r\nb\r\n", "retornos de carro"},
        {"líneas en otro orden", {}, "a\nb\n", "b\na\n", "en otro orden"},
        {"salidas unidas en otro orden", unidas, "es: Error\n0\n", "Error\nes: 0\n",
         "la salida estándar y la de error llegan en otro orden"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas =
            nucleo::pistasDeTexto(f.caso, f.esperado, f.obtenido);
        EXPECT_TRUE(hayPista(pistas, f.pista))
            << f.descripcion << ": " << testing::PrintToString(pistas);
    }
    EXPECT_TRUE(nucleo::pistasDeTexto({}, "igual\n", "igual\n").empty());
}

// Dónde la diferencia está dentro de un número: cuál se esperaba, cuál salió y, si se ve, por
// qué; nunca que el texto debe ser el del enunciado.
TEST(Pistas, UnNumeroDistinto) {
    const std::string kEntera =
        ": ¿una división entera (int / int) o el resultado guardado en un int? El decimal se "
        "perdió.";
    struct Fila {
        const char* descripcion;
        std::string esperado, obtenido, pista;
    } filas[] = {
        {"división entera", "El resultado de dividir 5 entre 2 es: 2.5\n",
         "El resultado de dividir 5 entre 2 es: 2\n",
         "Se esperaba el número 2.5 y salió 2" + kEntera},
        {"un cociente menor que 1", "es: 0.666667\n", "es: 0\n",
         "Se esperaba el número 0.666667 y salió 0" + kEntera},
        {"3.5 guardado en un int", "es: 3.5\n", "es: 3\n",
         "Se esperaba el número 3.5 y salió 3" + kEntera},
        {"negativo truncado hacia cero", "es: -2.5\n", "es: -2\n",
         "Se esperaba el número -2.5 y salió -2" + kEntera},
        {"truncado con exponente", "es 2.78134e-308\n", "es 0\n",
         "Se esperaba el número 2.78134e-308 y salió 0" + kEntera},
        {"otro entero", "2 elevado a 10 es 1024\n", "2 elevado a 10 es 1000\n",
         "Se esperaba el número 1024 y salió 1000."},
        {"una cifra de más", "Ingrese el dato 1: 7 <-> cabeza\n",
         "Ingrese el dato 1: 70 <-> cabeza\n", "Se esperaba el número 7 y salió 70."},
        {"el signo", "es: -0\n", "es: 0\n", "Se esperaba el número -0 y salió 0."},
        {"el mismo valor con std::fixed", "es: 2.5\n", "es: 2.50\n",
         "Se esperaba el número 2.5 y salió 2.50: es el mismo valor escrito de otra forma; ¿un "
         "std::fixed o un std::setprecision"},
        {"más cifras de las 6", "es: 3.33333\n", "es: 3.333333333\n",
         "es el mismo valor escrito de otra forma"},
        {"un entero donde se espera un double con exponente", "es 1e+06\n", "es 1000000\n",
         "Se esperaba el número 1e+06 y salió 1000000: es el mismo valor escrito de otra forma; "
         "¿se guardó en un entero"},
        {"redondeado a dos decimales", "es: 0.666667\n", "es: 0.67\n",
         "Se esperaba el número 0.666667 y salió 0.67, que es el mismo redondeado a menos "
         "cifras"},
        {"redondeado al entero", "es: 2.6\n", "es: 3\n", "que es el mismo redondeado"},
        {"la precisión de un float", "pi = 3.14159265\n", "pi = 3.14159274\n",
         "la precisión de un float"},
        {"infinito", "es inf\n", "es 0\n", "Se esperaba el número inf y salió 0."},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas = nucleo::pistasDeTexto({}, f.esperado, f.obtenido);
        EXPECT_TRUE(hayPista(pistas, f.pista))
            << f.descripcion << ": " << testing::PrintToString(pistas);
        EXPECT_FALSE(hayPista(pistas, "exactamente el del enunciado"))
            << f.descripcion << ": " << testing::PrintToString(pistas);
        EXPECT_EQ(pistas.size(), 1u) << f.descripcion << ": " << testing::PrintToString(pistas);
    }
}

// Lo que no es un número distinto no lleva la pista del número.
TEST(Pistas, SinNumeroDistintoNoHayPistaDeNumero) {
    struct Fila {
        const char* descripcion;
        std::string esperado, obtenido;
    } filas[] = {
        {"coma decimal", "es: 2.5\n", "es: 2,5\n"},
        {"un blanco junto al número", "dato 1: 7\n", "dato 1 : 7\n"},
        {"texto en lugar del número", "es: 2.5\n", "es: Error\n"},
        {"un elemento más tras el número", "15 -> 10 -> 5\n", "15 -> 10 -> 5 -> 3\n"},
        {"una letra pegada", "es 5\n", "es 5x\n"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas = nucleo::pistasDeTexto({}, f.esperado, f.obtenido);
        EXPECT_FALSE(hayPista(pistas, "Se esperaba el número"))
            << f.descripcion << ": " << testing::PrintToString(pistas);
    }
}

// Una negación de más o de menos es la respuesta contraria, no un texto que sobra.
TEST(Pistas, LaRespuestaContraria) {
    struct Fila {
        const char* descripcion;
        std::string esperado, obtenido, pista;  // pista vacía: no es la respuesta contraria
    } filas[] = {
        {"dice que no es palíndromo", "Introduce una cadena: La cadena es un palíndromo.\n",
         "Introduce una cadena: La cadena no es un palíndromo.\n",
         "El programa responde lo contrario de lo esperado («no es un palíndromo» en vez de «es "
         "un palíndromo»): revisa la condición o los índices de la comparación."},
        {"dice que sí lo es", "La cadena no es un palíndromo.\n", "La cadena es un palíndromo.\n",
         "(«es un palíndromo» en vez de «no es un palíndromo»)"},
        {"NO en mayúsculas", "15 -> NULL\nEl valor 10 se encuentra en la lista.\n",
         "15 -> NULL\nEl valor 10 NO se encuentra en la lista.\n",
         "(«NO se encuentra en la lista» en vez de «se encuentra en la lista»)"},
        {"la negación comparte letras con lo que sigue", "A no nada\n", "A nada\n",
         "(«nada» en vez de «no nada»)"},
        {"además cambia otra cosa", "El valor es 5\n", "El valor no es 5 ni 6\n", ""},
        {"«no» dentro de una palabra", "casa\n", "cano sa\n", ""},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas = nucleo::pistasDeTexto({}, f.esperado, f.obtenido);
        if (f.pista.empty()) {
            EXPECT_FALSE(hayPista(pistas, "lo contrario"))
                << f.descripcion << ": " << testing::PrintToString(pistas);
            continue;
        }
        EXPECT_TRUE(hayPista(pistas, f.pista))
            << f.descripcion << ": " << testing::PrintToString(pistas);
        EXPECT_FALSE(hayPista(pistas, "Sobra «") || hayPista(pistas, "Falta «"))
            << f.descripcion << ": " << testing::PrintToString(pistas);
    }
}

// Un aviso que no llegó a tiempo: vaciar la salida solo si el aviso exacto llegó tarde (o no
// llegó nada); si el programa escribió otro texto, qué tiene de distinto.
TEST(Pistas, UnAvisoQueNoLlego) {
    const std::string kVaciar = "std::flush";
    struct Fila {
        const char* descripcion;
        std::string aviso, escrito;
        bool llegoDespues;
        std::string pista;
        bool vaciar;  // si debe hablar de vaciar la salida
    } filas[] = {
        {"powercalc sin el blanco final", "Introduce la base: ", "Introduce la base:", false,
         "En lugar del aviso «Introduce la base:·» el programa escribió «Introduce la base:»: "
         "falta el espacio en blanco del final, tras el que va la respuesta.",
         false},
        {"powercalc sin el blanco final, con lo que escribió tras la respuesta",
         "Introduce la base: ",
         "Introduce la base:Introduce el exponente: 2 elevado a 10 es 1024\n", false,
         "el programa escribió «Introduce la base:»: falta el espacio en blanco del final", false},
        {"ringchain sin tilde",
         "Ingrese el número de elementos: ", "Ingrese el numero de elementos: ", false,
         "falta la tilde de «número» (el programa escribe «numero»)", false},
        {"ringchain sin tilde, con lo que escribió tras la respuesta",
         "Ingrese el número de elementos: ", "Ingrese el numero de elementos: Ingrese el dato 1: ",
         false,
         "el programa escribió «Ingrese el numero de elementos:·»: falta la tilde de «número»",
         false},
        {"una tilde de más", "Ingrese el primer numero: ", "Ingrese el primer número: ", false,
         "sobra la tilde de «número»: el enunciado escribe «numero», sin tilde", false},
        {"un carácter de más", "Introduce la base: ", "Introduce la base:: 2 elevado", false,
         "el programa escribió «Introduce la base::·»: sobra «:»", false},
        {"un carácter de menos", "Ingrese el dato 1: ", "Ingrese el dato 1 7 <-> cabeza\n", false,
         "el programa escribió «Ingrese el dato 1·»: falta «:»", false},
        {"solo el principio", "Introduce la base: ", "Introduce la ", false,
         "falta «base:·» al final", false},
        {"otro texto", "Ingrese el número de elementos: ", "Ingrese la cantidad: ", false,
         "el enunciado sigue con «el número de elementos:·» y el programa con «la cantidad:·»",
         false},
        {"exacto pero tarde", "Introduce la base: ", "Introduce la base: ", true,
         "El programa esperó la entrada sin haber mostrado el aviso «Introduce la base:·», que "
         "salió después: la salida no se vació antes de leer",
         true},
        {"exacto pero tarde, tras otras cosas", "Introduce la base: ",
         "2 elevado a 10 es 1024\nIntroduce la base: ", false, "que salió después", true},
        {"no llegó nada", "Introduce la base: ", "", false,
         "El programa esperó la entrada sin haber mostrado el aviso «Introduce la base:·»", true},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas =
            nucleo::pistasDeAviso(f.aviso, f.escrito, f.llegoDespues);
        EXPECT_TRUE(hayPista(pistas, f.pista))
            << f.descripcion << ": " << testing::PrintToString(pistas);
        EXPECT_EQ(hayPista(pistas, kVaciar), f.vaciar)
            << f.descripcion << ": " << testing::PrintToString(pistas);
        EXPECT_FALSE(hayPista(pistas, "printf junto con std::cin")) << f.descripcion;
    }
    const std::vector<std::string> vaciar = nucleo::pistasDeAviso("a: ", "a: ", true);
    for (const char* causa :
         {"std::cin.tie(nullptr)", "std::ios::sync_with_stdio(false)", "scanf"}) {
        EXPECT_TRUE(hayPista(vaciar, causa)) << causa;
    }
}

// Al terminar, el aviso que faltó se compara con lo que siguió al aviso anterior.
TEST(Pistas, ElAvisoQueNoLlegoTrasElAnterior) {
    const std::vector<nucleo::Paso> pasos = {{"Introduce la base: ", "2\n"},
                                             {"Introduce el exponente: ", "10\n"}};
    EXPECT_EQ(nucleo::trasLosAvisos("Introduce la base: Introduce el exponente:", pasos, 1),
              "Introduce el exponente:");
    EXPECT_EQ(nucleo::trasLosAvisos("Introduce la base: x", pasos, 0), "Introduce la base: x");
    nucleo::Resultado r;
    r.agotado = true;
    r.pasoSinAviso = 1;
    r.salida = "Introduce la base: Introduce el exponente:";
    std::vector<std::string> pistas =
        nucleo::pistasDeTerminacion(r, std::chrono::milliseconds(500), 100, pasos, {});
    EXPECT_TRUE(hayPista(pistas, "el programa escribió «Introduce el exponente:»"))
        << testing::PrintToString(pistas);
    EXPECT_FALSE(hayPista(pistas, "std::flush")) << testing::PrintToString(pistas);
    r.salida = "Introduce la base: ";
    pistas = nucleo::pistasDeTerminacion(r, std::chrono::milliseconds(500), 100, pasos, {});
    EXPECT_TRUE(hayPista(pistas, "sin haber mostrado el aviso «Introduce el exponente:·»"))
        << testing::PrintToString(pistas);
    // La respuesta se escribió igual y el programa siguió: el aviso salió tarde o distinto.
    r.agotado = false;
    r.estado = 0;
    r.salida = "Introduce la base: 2 elevado a 10 es 1024\nIntroduce el exponente: ";
    pistas = nucleo::pistasDeTerminacion(r, std::chrono::milliseconds(500), 100, pasos, {});
    EXPECT_TRUE(hayPista(pistas, "«Introduce el exponente:·», que salió después"))
        << testing::PrintToString(pistas);
    r.salida = "Introduce la base: Introduce el exponente:2 elevado a 10 es 1024\n";
    pistas = nucleo::pistasDeTerminacion(r, std::chrono::milliseconds(500), 100, pasos, {});
    EXPECT_TRUE(
        hayPista(pistas, "el programa escribió «Introduce el exponente:»: falta el espacio"))
        << testing::PrintToString(pistas);
    EXPECT_FALSE(hayPista(pistas, "std::flush")) << testing::PrintToString(pistas);
}

TEST(Pistas, DeComoTermino) {
    const std::vector<nucleo::Paso> pasos = {{"Introduce un número: ", "5\n"}};
    auto con = [](auto cambio) {
        nucleo::Resultado r;
        r.estado = 0;
        cambio(r);
        return r;
    };
    struct Fila {
        const char* descripcion;
        nucleo::Resultado resultado;
        std::string pista;
    } filas[] = {
        {"tiempo agotado", con([](auto& r) { r.agotado = true; }), "no terminó en 0,5 s"},
        // Al tope de tiempo real sin gastar su CPU: no calculaba, esperaba.
        {"parado", con([](auto& r) {
             r.agotado = r.agotadoParado = true;
             r.cpu = std::chrono::milliseconds(12);
         }),
         "se quedó parado sin terminar, casi sin gastar CPU"},
        {"aviso que no llega", con([](auto& r) {
             r.agotado = true;
             r.pasoSinAviso = 0;
         }),
         "esperó la entrada sin haber mostrado el aviso «Introduce un número:·»"},
        {"aviso distinto", con([](auto& r) { r.pasoSinAviso = 0; }),
         "terminó sin escribir el aviso"},
        {"violación de segmento", con([](auto& r) {
             r.estado = -1;
             r.senal = SIGSEGV;
         }),
         "violación de segmento (SIGSEGV)"},
        // En Windows se nombra la excepción con que terminó, juzgada como su señal.
        {"pila desbordada en Windows", con([](auto& r) {
             r.estado = -1;
             r.senal = SIGSEGV;
             r.codigoWindows = 0xC00000FD;
         }),
         "violación de segmento (0xC00000FD, STATUS_STACK_OVERFLOW)"},
        {"abort en Windows", con([](auto& r) {
             r.estado = -1;
             r.senal = SIGABRT;
             r.codigoWindows = 3;
         }),
         "abortó (estado 3, el de abort())"},
        {"inundación", con([](auto& r) { r.salidaExcesiva = true; }), "más de 100 bytes"},
        {"estado distinto de 0", con([](auto& r) { r.estado = 3; }), "con el estado 3"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> pistas = nucleo::pistasDeTerminacion(
            f.resultado, std::chrono::milliseconds(500), 100, pasos, {});
        EXPECT_TRUE(hayPista(pistas, f.pista))
            << f.descripcion << ": " << testing::PrintToString(pistas);
    }
}

TEST(Pistas, DeFlujo) {
    nucleo::Caso caso;
    caso.salida = "es: 0\n";
    caso.errores = "Error: No se puede dividir por cero.\n";
    nucleo::Resultado r;
    r.salida = "es: Error: No se puede dividir por cero.\n0\n";
    EXPECT_TRUE(hayPista(nucleo::pistasDeFlujo(caso, r, false), "escríbelo con std::cerr"));
    nucleo::Caso soloSalida;
    soloSalida.salida = "hola\n";
    nucleo::Resultado alReves;
    alReves.errores = "hola\n";
    EXPECT_TRUE(hayPista(nucleo::pistasDeFlujo(soloSalida, alReves, false), "std::cout"));
    EXPECT_EQ(nucleo::segundos(std::chrono::milliseconds(2000)), "2");
}

}  // namespace

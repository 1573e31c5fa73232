// palincheck: ¿es la primera palabra un palíndromo? Comparación recursiva byte a byte.
#include "../reglas_recursividad.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kPide = "Introduce una cadena: ";
const std::string kSi = kPide + "La cadena es un palíndromo.\n";
const std::string kNo = kPide + "La cadena no es un palíndromo.\n";

// Unas letras al azar de las dadas.
std::string letras(Azar& azar, long long largo, const std::string& de) {
    std::string r;
    for (long long i = 0; i < largo; ++i)
        r += de[static_cast<std::size_t>(azar.entero(0, static_cast<long long>(de.size()) - 1))];
    return r;
}

// Un palíndromo de ese largo: una mitad, y la misma al revés (con una letra en medio si es
// impar).
std::string palindromo(Azar& azar, long long largo, const std::string& de) {
    const std::string mitad = letras(azar, largo / 2, de);
    return mitad + letras(azar, largo % 2, de) + std::string(mitad.rbegin(), mitad.rend());
}

// Un palíndromo con una letra cambiada fuera del centro: ya no lo es.
std::string noPalindromo(Azar& azar, long long largo, const std::string& de) {
    std::string r = palindromo(azar, largo, de);
    const auto i = static_cast<std::size_t>(azar.entero(0, largo / 2 - 1));
    r[i] = r[i] == de[0] ? de[1] : de[0];
    return r;
}

// Cómo se escribe la llamada en C++: isPalindrome("xabay", 1, 3).
Llamada tramo(const std::string& str, int start, int end, const std::string& esperado = "") {
    std::string literal;
    for (unsigned char c : str) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            literal += static_cast<char>(c);
        } else {
            const char cifras[] = "0123456789abcdef";
            literal += std::string("\\x") + cifras[c >> 4] + cifras[c & 0xF];
        }
    }
    return {"isPalindrome",
            {str, std::to_string(start), std::to_string(end)},
            esperado,
            "isPalindrome(\"" + literal + "\", " + std::to_string(start) + ", " +
                std::to_string(end) + ")"};
}

Llamada entera(const std::string& str) { return tramo(str, 0, static_cast<int>(str.size()) - 1); }

}  // namespace

void palincheck(Ejercicio& e) {
    e.primerAviso = kPide;
    e.firmas = {
        "bool isPalindrome(const std::string& str, int start, int end);",
    };
    agregar(e, Origen::Enunciado,
            {
                {"radar", "radar\n", kSi},
                {"ejemplo", "reconocer\n", kSi},
                {"longitud par", "anna\n", kSi},
                {"una letra", "a\n", kSi},
                {"dos distintas", "ab\n", kNo},
                {"mayúscula distinta", "Ana\n", kNo},
                {"solo la primera palabra", "anita lava la tina\n", kNo},
                {"primera palabra palíndromo", "abba xyz\n", kSi},
                {"fallo en el centro", "abcxba\n", kNo},
                {"ñ son dos bytes", "aña\n", kNo},
                {"ñ sola", "ñ\n", kNo},
                {"entrada vacía", "", kSi},
                {"solo blancos", "  \n\t\n", kSi},
            });
    // 15000 bytes es la palabra más larga que se comprueba: anida 7501 llamadas.
    const std::string larga = kPide +
                              "La cadena es demasiado larga para comprobarla: como mucho 15000 "
                              "bytes.\n";
    const std::string tope(15000, 'a');
    std::string topeCentroDistinto = tope;
    topeCentroDistinto[7499] = 'b';
    const std::string mitad(512 * 1024, 'x');
    std::string centroDistinto = mitad;
    centroDistinto[centroDistinto.size() - 1] = 'y';
    agregar(e, Origen::Decidido,
            {
                {"15000 bytes palíndromo: recorre hasta el centro", tope + "\n", kSi},
                {"15000 bytes con solo el centro distinto", topeCentroDistinto + "\n", kNo},
                {"15001 bytes: demasiado larga", tope + "a\n", larga},
                {"15001 bytes que no es palíndromo: tampoco se mira", "b" + tope + "\n", larga},
                {"15000 bytes y otra palabra detrás", tope + " ab\n", kSi},
                {"1 MiB palíndromo: demasiado larga", mitad + mitad + "\n", larga},
                {"1 MiB con solo el centro distinto: demasiado larga",
                 centroDistinto + mitad + "\n", larga},
            });
    e.casos.push_back(conversacion(Origen::Enunciado, "el aviso llega antes de leer",
                                   {{kPide, "reconocer\n"}}, kSi));
    // Palabras nuevas de pocas letras donde el ejercicio define la salida: palíndromos y
    // palabras que no lo son, a veces con otra palabra detrás.
    e.sorteo = [](Azar& azar) {
        const std::string de = "abcde";
        std::vector<std::string> entradas = {
            palindromo(azar, azar.entero(1, 8), de),
            palindromo(azar, azar.entero(2, 8), de),
            noPalindromo(azar, azar.entero(2, 8), de),
            letras(azar, azar.entero(2, 8), de),
        };
        for (std::string& entrada : entradas)
            entrada += (azar.unoDe(3) ? " " + letras(azar, azar.entero(1, 4), de) : "") + "\n";
        return entradas;
    };

    // Lo que pide el enunciado de la técnica: comparar los extremos y repetir con el trozo de
    // dentro, «sin bucles», con la cadena por referencia constante «sin copiarla».
    const std::string recursion =
        "que la repetición la haga la recursión, comparando los extremos, sin bucles";
    e.tecnica = {
        {"IsPalindromeSeLlamaASiMisma", "isPalindrome se llama a sí misma",
         "si no, devuelve `isPalindrome(str, start + 1, end - 1)`",
         [recursion](const Arbol& a) {
             return reglas::seLlamaASiMisma(a, "isPalindrome", recursion);
         },
         "errores/lambda_recursiva.cpp", 6},
        {"IsPalindromeSinBucles", "isPalindrome no tiene bucles",
         "Sin bucles, tampoco los de un algoritmo de la biblioteca como `std::equal` o "
         "`std::reverse`: la repetición la hace la recursión.",
         [recursion](const Arbol& a) {
             return recursividad::sinBucles(a, "isPalindrome", recursion);
         },
         "errores/pares_en_bucle.cpp", 9},
        {"IsPalindromeSinCopias", "isPalindrome no copia la cadena",
         "La cadena se pasa por referencia constante (sin copiarla) y lo que avanza en cada "
         "llamada son dos posiciones.",
         [](const Arbol& a) {
             return recursividad::sinCopiarLaCadena(
                 a, "isPalindrome",
                 "la cadena por referencia constante, sin copiarla, y que avancen las dos "
                 "posiciones");
         },
         "errores/trozo_copiado.cpp", 12},
    };
    e.funciones = {
        {"ComparaSoloElTramoPedido",
         Origen::Enunciado,
         "isPalindrome compara solo los bytes entre start y end",
         {
             tramo("", 0, -1, "true"),                 // cadena vacía
             tramo("abc", 1, 1, "true"),               // un byte
             tramo("abc", 2, 0, "true"),               // start pasado de end
             tramo("xabay", 1, 3, "true"),             // tramo interior palíndromo
             tramo("xabcy", 1, 3, "false"),            // tramo interior que no lo es
             tramo("zaay", 1, 2, "true"),              // los extremos de fuera no cuentan
             tramo("a?a", 0, 2, "true"),               // el byte central no se compara
             tramo("abca", 0, 3, "false"),             // distinto junto al centro
             tramo("\xc3\xb1\xb1\xc3", 0, 3, "true"),  // bytes de UTF-8 invertidos
             tramo("Aa", 0, 1, "false"),               // mayúsculas y minúsculas
         },
         [](Azar& azar) {
             const std::string de = "abc";
             // Un palíndromo entre letras que no están en él, con más a la derecha que a la
             // izquierda: el tramo está fuera del centro de la cadena.
             const long long izquierda = azar.entero(0, 1);
             const std::string antes = letras(azar, izquierda, "xyz");
             const std::string dentro = palindromo(azar, azar.entero(2, 5), de);
             const std::string despues = letras(azar, azar.entero(izquierda + 1, 2), "xyz");
             const int start = static_cast<int>(izquierda);
             return std::vector<Llamada>{
                 entera(letras(azar, azar.entero(1, 7), de)),
                 entera(letras(azar, azar.entero(1, 7), de)),
                 entera(palindromo(azar, azar.entero(2, 7), de)),
                 entera(noPalindromo(azar, azar.entero(2, 7), de)),
                 tramo(antes + dentro + despues, start,
                       start + static_cast<int>(dentro.size()) - 1),
             };
         },
         "Solo cuentan los bytes de start a end: se compara str[start] con str[end] y se sigue "
         "con start + 1 y end - 1, byte a byte, sin pasar a minúsculas."},
        {"FirmaDeIsPalindrome",
         Origen::Enunciado,
         "isPalindrome se declara como pide el ejercicio",
         {{"firma isPalindrome", {}, "bool (const std::string&, int, int)"}}},
    };
}

}  // namespace nucleo::datos

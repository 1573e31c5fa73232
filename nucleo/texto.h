// Textos a la vista: lo que escribió un programa, con lo invisible (blancos finales, fines de
// línea, bytes de control o que no son UTF-8) mostrado, y la comparación de dos textos con su
// primera diferencia marcada.
#ifndef NUCLEO_TEXTO_H
#define NUCLEO_TEXTO_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace nucleo {

// Un texto con lo invisible a la vista: "·" por cada blanco final de línea, "\r", "\t",
// bytes no imprimibles como "\xNN", "⏎" al final de cada línea y "(sin fin de línea)" si
// el texto no termina en '\n'.
std::string visible(const std::string& texto);

// Como visible, pero cortado a unos `maximo` bytes, con cuántos había en total.
std::string recortado(const std::string& texto, std::size_t maximo = 300);

// Un texto corto visible en una sola línea (los fines de línea quedan como "⏎").
std::string enLinea(const std::string& texto);

// Cada línea con el margen delante (por omisión, la sangría "    │" de las explicaciones).
std::string sangrar(const std::string& texto, const std::string& margen = "    │");

// Posición (en bytes) de la primera diferencia entre dos textos; npos si son iguales.
std::size_t primeraDiferencia(const std::string& a, const std::string& b);

// La primera diferencia llevada al principio de su carácter (si los dos textos comparten el
// primer byte de una letra de varios bytes).
std::size_t inicioDeLaDiferencia(const std::string& a, const std::string& b);

// Línea (desde 1) y columna (en caracteres, desde 1) de una posición del texto.
std::pair<std::size_t, std::size_t> lineaYColumna(const std::string& texto, std::size_t pos);

// Esperado y obtenido, uno debajo del otro, con la primera diferencia marcada (línea y
// columna, y una marca "^" bajo el primer carácter distinto).
std::string compararTextos(const std::string& esperado, const std::string& obtenido);

// Las líneas de un texto, sin sus '\n'.
std::vector<std::string> lineasDe(const std::string& texto);

// ¿Es UTF-8 válido? Si no, `malo` recibe la posición del primer byte que no lo es.
bool utf8Valido(const std::string& texto, std::size_t* malo = nullptr);

// Longitud de la secuencia UTF-8 válida que empieza en i, o 0 si no es válida.
std::size_t secuenciaUtf8(const std::string& texto, std::size_t i);

// ¿Es un byte de continuación de una letra de varios bytes?
bool esContinuacion(unsigned char c);

// Caracteres que ocupa un texto UTF-8 en pantalla (uno por carácter).
std::size_t ancho(const std::string& texto);

// Un byte como "\xNN".
std::string hex(unsigned char c);

}  // namespace nucleo

#endif

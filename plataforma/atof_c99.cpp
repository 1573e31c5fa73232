// atof tal como la define C99 en las compilaciones con MinGW. El atof de la biblioteca de C
// antigua de Windows (msvcrt), la que enlaza MinGW por defecto, no conoce los números
// hexadecimales ("0x1A", "0x1p-2") ni "inf" y "nan", y devuelve 0; strtod de MinGW sí los conoce.
// Con esta definición junto al programa, textnumber da en Windows lo mismo que en Linux.
#include <cstdlib>

extern "C" double atof(const char* texto) { return std::strtod(texto, nullptr); }

// La consola de Windows en UTF-8 mientras dura el programa. Los textos de los ejercicios son
// UTF-8, y la consola (cmd, PowerShell, Windows Terminal) usa por defecto otra página de
// códigos (la 437 o la 850): "ú" se vería como "├║". Al empezar se ponen las páginas de salida
// y de entrada a UTF-8 (65001); al terminar se vacía lo pendiente y se dejan como estaban.
// Solo se enlaza en Windows; con la salida en una tubería o un archivo no cambia nada.
#include <windows.h>

#include <cstdio>
#include <iostream>

namespace {

class ConsolaUtf8 {
   public:
    ConsolaUtf8() : salida_(GetConsoleOutputCP()), entrada_(GetConsoleCP()) {
        SetConsoleOutputCP(CP_UTF8);
        SetConsoleCP(CP_UTF8);
    }
    ~ConsolaUtf8() {
        std::cout.flush();
        std::fflush(stdout);
        // 0: el programa no tenía consola (la salida iba a una tubería); nada que restaurar.
        if (salida_ != 0) SetConsoleOutputCP(salida_);
        if (entrada_ != 0) SetConsoleCP(entrada_);
    }
    ConsolaUtf8(const ConsolaUtf8&) = delete;
    ConsolaUtf8& operator=(const ConsolaUtf8&) = delete;

   private:
    UINT salida_;
    UINT entrada_;
};

// Después de <iostream>: std::cout sigue vivo cuando este objeto se destruye.
const ConsolaUtf8 consola;

}  // namespace

// Objetivo de libFuzzer para un programa que lee la entrada estándar. Compila el fuente del
// programa tal cual, con su main renombrado, y en cada ejecución:
//   - std::cin lee los bytes generados desde un búfer de texto, con su estado limpio;
//   - std::cout y std::cerr escriben en un búfer que lo descarta todo;
//   - system() no lanza ningún intérprete (se sustituye al enlazar con --wrap=system).
// El fuente se elige al compilar: -DEJ_FUENTE="ejlistas/ringchain.cpp".
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#define main programa_main
#include EJ_FUENTE
#undef main

namespace {

class Sumidero : public std::streambuf {
   protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

extern "C" int __wrap_system(const char*) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    static Sumidero sumidero;
    std::istringstream entrada(std::string(reinterpret_cast<const char*>(datos), tamano));
    std::streambuf* cin0 = std::cin.rdbuf(entrada.rdbuf());
    std::streambuf* cout0 = std::cout.rdbuf(&sumidero);
    std::streambuf* cerr0 = std::cerr.rdbuf(&sumidero);
    std::cin.clear();
    std::cout.clear();
    std::cerr.clear();
    // Los manipuladores que un programa deje puestos (anchura, precisión) no pasan a la siguiente.
    std::cin.width(0);

    programa_main();

    std::cin.rdbuf(cin0);
    std::cout.rdbuf(cout0);
    std::cerr.rdbuf(cerr0);
    return 0;
}

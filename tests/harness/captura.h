// Captura de lo que una función escribe en std::cout o std::cerr, para las pruebas unitarias
// que llaman directamente a las funciones de un programa.
#ifndef PRUEBAS_HARNESS_CAPTURA_H
#define PRUEBAS_HARNESS_CAPTURA_H

#include <iostream>
#include <sstream>
#include <string>

namespace arnes {

// Mientras existe, el flujo dado escribe en un búfer propio; al destruirse lo restituye.
class Captura {
   public:
    explicit Captura(std::ostream& flujo = std::cout) : flujo_(flujo), anterior_(flujo.rdbuf()) {
        flujo_.rdbuf(bufer_.rdbuf());
    }
    ~Captura() { flujo_.rdbuf(anterior_); }
    Captura(const Captura&) = delete;
    Captura& operator=(const Captura&) = delete;

    // Lo escrito hasta ahora, que además se descarta.
    std::string texto() {
        std::string t = bufer_.str();
        bufer_.str("");
        return t;
    }

   private:
    std::ostream& flujo_;
    std::streambuf* anterior_;
    std::ostringstream bufer_;
};

}  // namespace arnes

#endif

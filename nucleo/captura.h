// Captura de lo que una función escribe en std::cout o std::cerr, para las pruebas unitarias
// que llaman directamente a las funciones de un programa.
#ifndef NUCLEO_CAPTURA_H
#define NUCLEO_CAPTURA_H

#include <iostream>
#include <sstream>
#include <string>

namespace nucleo {

// Mientras existe, el flujo dado escribe en un búfer propio; al destruirse lo restituye.
// También cuenta los vaciados (flush): así se distingue un '\n', que no vacía, de un
// std::endl, que sí.
class Captura {
   public:
    explicit Captura(std::ostream& flujo = std::cout) : flujo_(flujo), anterior_(flujo.rdbuf()) {
        flujo_.rdbuf(&bufer_);
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

    // Vaciados pedidos desde que empezó la captura.
    int vaciados() const { return bufer_.vaciados; }

   private:
    struct Bufer : std::stringbuf {
        int vaciados = 0;
        int sync() override {
            ++vaciados;
            return std::stringbuf::sync();
        }
    };
    std::ostream& flujo_;
    std::streambuf* anterior_;
    Bufer bufer_;
};

}  // namespace nucleo

#endif

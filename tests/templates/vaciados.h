// Captura de std::cout que además cuenta los vaciados (flush): distingue un '\n', que no
// vacía, de un std::endl, que sí, en lo que escribe una función de un programa.
#ifndef PRUEBAS_TEMPLATES_VACIADOS_H
#define PRUEBAS_TEMPLATES_VACIADOS_H

#include <iostream>
#include <sstream>
#include <string>

class CapturaConVaciados {
   public:
    CapturaConVaciados() : anterior_(std::cout.rdbuf(&bufer_)) {}
    ~CapturaConVaciados() { std::cout.rdbuf(anterior_); }
    CapturaConVaciados(const CapturaConVaciados&) = delete;
    CapturaConVaciados& operator=(const CapturaConVaciados&) = delete;

    std::string texto() const { return bufer_.str(); }
    int vaciados() const { return bufer_.vaciados; }

   private:
    struct Bufer : std::stringbuf {
        int vaciados = 0;
        int sync() override {
            ++vaciados;
            return std::stringbuf::sync();
        }
    };
    Bufer bufer_;  // antes que anterior_: se construye primero
    std::streambuf* anterior_;
};

#endif

#include "resultado.h"

namespace comprobador {

int Revision::correctos() const {
    int n = 0;
    for (const Comprobacion& c : comprobaciones) n += c.cuenta() && c.paso();
    return n;
}

int Revision::total() const {
    int n = 0;
    for (const Comprobacion& c : comprobaciones) n += c.cuenta();
    return n;
}

const Comprobacion* Revision::buscar(const std::string& id) const {
    for (const Comprobacion& c : comprobaciones) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

bool Revision::compila() const {
    const Comprobacion* c = buscar("compilacion");
    return c != nullptr && c->paso();
}

const char* nombre(Grupo g) {
    switch (g) {
        case Grupo::Ejercicio:
            return "ejercicio";
        case Grupo::Decision:
            return "decision";
        case Grupo::Robustez:
            return "robustez";
        case Grupo::Preparacion:
            return "preparacion";
    }
    return "";
}

const char* nombre(Tipo t) {
    switch (t) {
        case Tipo::Compilacion:
            return "compilacion";
        case Tipo::Caso:
            return "caso";
        case Tipo::Sorteo:
            return "sorteo";
        case Tipo::Funcion:
            return "funcion";
        case Tipo::Robustez:
            return "robustez";
        case Tipo::Tecnica:
            return "tecnica";
    }
    return "";
}

const char* nombre(Estado e) {
    switch (e) {
        case Estado::Paso:
            return "paso";
        case Estado::Fallo:
            return "fallo";
        case Estado::NoEjecutada:
            return "no_ejecutada";
        case Estado::ParaRevisar:
            return "para_revisar";
        case Estado::ErrorPropio:
            return "error_del_comprobador";
    }
    return "";
}

}  // namespace comprobador

// El catálogo de los 26 ejercicios, en el orden en que los lista el lanzador.
#include <utility>

#include "comun.h"

namespace arnes {

namespace datos {

void agregar(Ejercicio& ejercicio, Origen origen, std::vector<Caso> casos) {
    for (Caso& caso : casos) {
        caso.origen = origen;
        ejercicio.casos.push_back(std::move(caso));
    }
}

Caso unidas(Origen origen, std::string descripcion, std::string entrada, std::string salida) {
    Caso caso{std::move(descripcion), std::move(entrada), std::move(salida)};
    caso.origen = origen;
    caso.modo = Modo::Unidas;
    return caso;
}

Caso conversacion(Origen origen, std::string descripcion, std::vector<Paso> pasos,
                  std::string salida, std::string errores) {
    Caso caso{std::move(descripcion), "", std::move(salida), std::move(errores)};
    caso.origen = origen;
    caso.modo = Modo::Conversacion;
    caso.pasos = std::move(pasos);
    return caso;
}

}  // namespace datos

const std::vector<Ejercicio>& ejercicios() {
    static const std::vector<Ejercicio> todos = {
        datos::nodesearch(),     datos::nodeprune(),      datos::ringchain(),
        datos::maxgeneric(),     datos::mingeneric(),     datos::swapgeneric(),
        datos::absgeneric(),     datos::dividegeneric(),  datos::equalspecial(),
        datos::zeronotice(),     datos::vectorsum(),      datos::ellipsegirth(),
        datos::factcalc(),       datos::fibcalc(),        datos::powercalc(),
        datos::ackcalc(),        datos::palincheck(),     datos::arraysum(),
        datos::closureproduct(), datos::closuresquare(),  datos::fixedsquare(),
        datos::fixedproduct(),   datos::closurecounter(), datos::pointerchain(),
        datos::pointerwrite(),   datos::textnumber(),
    };
    return todos;
}

const Ejercicio* buscarEjercicio(const std::string& programa) {
    for (const Ejercicio& ejercicio : ejercicios()) {
        if (ejercicio.programa == programa) return &ejercicio;
    }
    return nullptr;
}

}  // namespace arnes

#include "tablas.h"

#include <utility>

namespace nucleo::datos {

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

Caso segunLaBiblioteca(Caso conLibstdcxx, Caso conLibcxx) {
#ifdef _LIBCPP_VERSION
    Caso caso = std::move(conLibcxx);
    caso.descripcion = conLibstdcxx.descripcion + " (con libc++; con libstdc++ sale otra cosa)";
#else
    static_cast<void>(conLibcxx);
    Caso caso = std::move(conLibstdcxx);
    caso.descripcion += " (con libstdc++; con libc++ sale otra cosa)";
#endif
    return caso;
}

}  // namespace nucleo::datos

// Los ejercicios de la colección: la lista de catalogo.txt (la única que nombra a todos),
// cada uno con los casos y las declaraciones de su carpeta.
#ifndef NUCLEO_CATALOGO_H
#define NUCLEO_CATALOGO_H

#include <string>
#include <vector>

#include "caso.h"

namespace nucleo {

// Todos, en el orden del catálogo.
const std::vector<Ejercicio>& ejercicios();

// El ejercicio de ese programa; nullptr si no existe.
const Ejercicio* buscarEjercicio(const std::string& programa);

// Los nombres de programa más parecidos a uno que no existe (un error al escribirlo), del
// más parecido al menos; vacío si ninguno se le parece.
std::vector<std::string> nombresParecidos(const std::string& programa);

// La declaración pedida que menciona ese nombre (función, clase o miembro); vacío si ninguna.
std::string firmaDe(const Ejercicio& ejercicio, const std::string& nombre);

const std::vector<Hostil>& entradasHostiles();

// La sonda de las funciones de ese programa con la respuesta modelo (en sondas/ del árbol de
// compilación, junto a bin/).
std::string rutaSonda(const std::string& programa);

}  // namespace nucleo

#endif

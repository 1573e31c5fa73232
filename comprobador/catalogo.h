// Lo que el comprobador necesita saber de cada ejercicio además de sus casos: dónde está el
// fuente de la colección, cómo entrega el alumno su solución, qué pruebas de funciones tiene
// y qué declaraciones pide el ejercicio.
#ifndef COMPROBADOR_CATALOGO_H
#define COMPROBADOR_CATALOGO_H

#include <string>
#include <vector>

namespace comprobador {

// Un archivo (Unico), una carpeta con main.cpp, Cir.h y Cir.cpp (Carpeta), o un archivo que
// incluye node_list.h, el del alumno si está al lado o si no el de la colección (ConLista).
enum class Forma { Unico, Carpeta, ConLista };

struct Ficha {
    std::string programa;
    std::string fuente;  // el de la colección, relativo a la raíz (ejlistas/ringchain.cpp)
    Forma forma = Forma::Unico;
    std::string unidad;  // pruebas de funciones, relativo a la raíz; vacío si no tiene
    // Nodos que el programa conserva a propósito hasta el final: -1 los que sean (ringchain),
    // 2 en nodeprune, 0 en el resto (una fuga es un error).
    int nodosConservados = 0;
    // Las declaraciones que pide el ejercicio, para explicar una función que falta.
    std::vector<std::string> firmas;
};

const std::vector<Ficha>& fichas();
const Ficha* buscarFicha(const std::string& programa);

// La declaración pedida que menciona ese nombre (función, clase o miembro); vacío si ninguna.
std::string firmaDe(const Ficha& ficha, const std::string& nombre);

}  // namespace comprobador

#endif

// vectorsum: suma de dos vectores fijos con + y <<. No lee nada.
#include "tablas.h"

namespace nucleo::datos {

void vectorsum(Ejercicio& e) {
    const std::string salida = "vec1: (1, 2)\nvec2: (3, 4)\nvec3 (vec1 + vec2): (4, 6)\n";
    e.firmas = {
        "class Vector2D { public: float x, y; Vector2D(float x, float y); Vector2D operator+(const "
        "Vector2D& other) const; friend std::ostream& operator<<(std::ostream& os, const Vector2D& "
        "vec); };",
    };
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "9 9\n", salida}});
}

}  // namespace nucleo::datos

// Sobrecarga de operadores en una clase de valor: suma de vectores con + y escritura con <<.
// El operador << es una función amiga definida dentro de la clase; devuelve el flujo para
// poder encadenar más inserciones detrás. Salida:
//     vec1: (1, 2)
//     vec2: (3, 4)
//     vec3 (vec1 + vec2): (4, 6)
#include <iostream>

class Vector2D {
   public:
    float x, y;

    Vector2D(float x, float y) {
        this->x = x;
        this->y = y;
    }

    // El objeto sobre el que se llama es el operando izquierdo; ninguno de los dos cambia.
    Vector2D operator+(const Vector2D& other) const { return Vector2D(x + other.x, y + other.y); }

    // No escribe fin de línea: lo pone quien inserta el vector.
    friend std::ostream& operator<<(std::ostream& os, const Vector2D& vec) {
        os << "(" << vec.x << ", " << vec.y << ")";
        return os;
    }
};

int main() {
    Vector2D vec1(1, 2);
    Vector2D vec2(3, 4);
    Vector2D vec3 = vec1 + vec2;

    std::cout << "vec1: " << vec1 << std::endl;
    std::cout << "vec2: " << vec2 << std::endl;
    std::cout << "vec3 (vec1 + vec2): " << vec3 << std::endl;
    return 0;
}

// Una función aparte escribe cada línea (etiqueta, vector con su << y '\n' con std::flush),
// vec3 con auto y el constructor con lista de inicialización.
#include <iostream>

class Vector2D {
   public:
    float x, y;

    Vector2D(float x, float y) : x(x), y(y) {}

    Vector2D operator+(const Vector2D& other) const {
        Vector2D suma(x + other.x, y + other.y);
        return suma;
    }

    friend std::ostream& operator<<(std::ostream& os, const Vector2D& vec) {
        return os << '(' << vec.x << ", " << vec.y << ')';
    }
};

void mostrar(const char* etiqueta, const Vector2D& v) {
    std::cout << etiqueta << v << '\n' << std::flush;
}

int main() {
    const Vector2D vec1(1, 2);
    const Vector2D vec2(3, 4);
    const auto vec3 = vec1 + vec2;

    mostrar("vec1: ", vec1);
    mostrar("vec2: ", vec2);
    mostrar("vec3 (vec1 + vec2): ", vec3);
    return 0;
}

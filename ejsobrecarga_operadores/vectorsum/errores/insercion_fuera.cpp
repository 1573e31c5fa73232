// operator<< es una función libre definida después de la clase, sin declararla amiga.
#include <iostream>
class Vector2D {
   public:
    float x, y;
    Vector2D(float x, float y) : x(x), y(y) {}
    Vector2D operator+(const Vector2D& other) const { return Vector2D(x + other.x, y + other.y); }
};

// x e y son públicos: no hace falta que sea amiga.
std::ostream& operator<<(std::ostream& os, const Vector2D& vec) {
    return os << "(" << vec.x << ", " << vec.y << ")";
}

int main() {
    Vector2D vec1(1, 2), vec2(3, 4);
    Vector2D vec3 = vec1 + vec2;
    std::cout << "vec1: " << vec1 << std::endl;
    std::cout << "vec2: " << vec2 << std::endl;
    std::cout << "vec3 (vec1 + vec2): " << vec3 << std::endl;
    return 0;
}

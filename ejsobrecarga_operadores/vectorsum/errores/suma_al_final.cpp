// vec3 se calcula después de escribir vec1 y vec2: la salida es la misma.
#include <iostream>
class Vector2D {
   public:
    float x, y;
    Vector2D(float x, float y) : x(x), y(y) {}
    Vector2D operator+(const Vector2D& other) const { return Vector2D(x + other.x, y + other.y); }
    friend std::ostream& operator<<(std::ostream& os, const Vector2D& vec) {
        return os << "(" << vec.x << ", " << vec.y << ")";
    }
};
int main() {
    Vector2D vec1(1, 2), vec2(3, 4);
    std::cout << "vec1: " << vec1 << std::endl;
    std::cout << "vec2: " << vec2 << std::endl;
    Vector2D vec3 = vec1 + vec2;
    std::cout << "vec3 (vec1 + vec2): " << vec3 << std::endl;
    return 0;
}

// vec3 se hace sumando las componentes en main: la salida es la misma, pero no usa el +.
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
    Vector2D vec3(vec1.x + vec2.x, vec1.y + vec2.y);
    std::cout << "vec1: " << vec1 << std::endl;
    std::cout << "vec2: " << vec2 << std::endl;
    std::cout << "vec3 (vec1 + vec2): " << vec3 << std::endl;
    return 0;
}

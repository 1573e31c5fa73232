// Las tres líneas en una sola sentencia encadenada, como permite el << que devuelve el flujo.
#include <iostream>

class Vector2D {
   public:
    float x, y;
    Vector2D(float x, float y) {
        this->x = x;
        this->y = y;
    }
    Vector2D operator+(const Vector2D& other) const {
        return Vector2D(this->x + other.x, this->y + other.y);
    }
    friend std::ostream& operator<<(std::ostream& os, const Vector2D& vec) {
        return os << "(" << vec.x << ", " << vec.y << ")";
    }
};

int main() {
    Vector2D vec1(1, 2), vec2(3, 4);
    Vector2D vec3 = vec1 + vec2;
    std::cout << "vec1: " << vec1 << std::endl
              << "vec2: " << vec2 << std::endl
              << "vec3 (vec1 + vec2): " << vec3 << std::endl;
    return 0;
}

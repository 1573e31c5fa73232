// Objetos con llaves, la suma llamada como operator+ y los tres vectores en un bucle.
#include <iostream>

class Vector2D {
   public:
    float x, y;

    Vector2D(float x, float y) {
        this->x = x;
        this->y = y;
    }

    Vector2D operator+(const Vector2D& other) const { return {x + other.x, y + other.y}; }

    friend std::ostream& operator<<(std::ostream& os, const Vector2D& vec) {
        os << "(" << vec.x << ", " << vec.y << ")";
        return os;
    }
};

int main() {
    Vector2D vec1{1, 2};
    Vector2D vec2{3, 4};
    Vector2D vec3{vec1.operator+(vec2)};

    const char* etiquetas[] = {"vec1: ", "vec2: ", "vec3 (vec1 + vec2): "};
    const Vector2D* vectores[] = {&vec1, &vec2, &vec3};
    for (int i = 0; i < 3; ++i) std::cout << etiquetas[i] << *vectores[i] << std::endl;
    return 0;
}

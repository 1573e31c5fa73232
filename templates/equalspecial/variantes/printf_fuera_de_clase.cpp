#include <cstdio>
#include <cstring>

template <typename T>
class Comparador {
   public:
    static bool esIgual(T a, T b);
};

template <typename T>
bool Comparador<T>::esIgual(T a, T b) {
    return a == b;
}

template <>
class Comparador<char*> {
   public:
    static bool esIgual(const char* a, const char* b);
};

// strcmp devuelve 0 cuando los dos textos son iguales byte a byte
bool Comparador<char*>::esIgual(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

int main() {
    int a = 5;
    int b = 5;
    const char* str1 = "Hola";
    const char* str2 = "Hola";

    std::printf("5 y 5 son iguales: %d\n", Comparador<int>::esIgual(a, b));
    std::fflush(stdout);
    std::printf("\"Hola\" y \"Hola\" son iguales: %d\n", Comparador<char*>::esIgual(str1, str2));
    std::fflush(stdout);
    return 0;
}

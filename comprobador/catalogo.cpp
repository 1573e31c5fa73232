#include "catalogo.h"

#include <cctype>

namespace comprobador {

namespace {

const std::vector<std::string> kLista = {
    "struct Nodo { int dato; Nodo* siguiente; };",
    "void insertarCabeza(Nodo*& cabeza, int valor);",
    "void imprimirLista(Nodo* cabeza);",
};

std::vector<std::string> conLista(std::vector<std::string> propias) {
    propias.insert(propias.begin(), kLista.begin(), kLista.end());
    return propias;
}

}  // namespace

const std::vector<Ficha>& fichas() {
    static const std::vector<Ficha> todas = {
        {"nodesearch", "ejlistas/nodesearch.cpp", Forma::ConLista,
         "tests/ejlistas/nodesearch_unidad.cpp", 0,
         conLista({"bool buscarElemento(Nodo* cabeza, int valor);",
                   "void liberarLista(Nodo*& cabeza);"})},
        {"nodeprune", "ejlistas/nodeprune.cpp", Forma::ConLista,
         "tests/ejlistas/nodeprune_unidad.cpp", 2,
         conLista({"void eliminarValor(Nodo*& cabeza, int valor);"})},
        {"ringchain",
         "ejlistas/ringchain.cpp",
         Forma::Unico,
         "tests/ejlistas/ringchain_unidad.cpp",
         -1,
         {"struct Nodo { int dato; Nodo* siguiente; Nodo* anterior; };",
          "class ListaCircularDobleEnlazada { public: Nodo* cabeza; "
          "ListaCircularDobleEnlazada(); void agregar(int dato); void mostrar(); };"}},
        {"maxgeneric",
         "templates/maxgeneric.cpp",
         Forma::Unico,
         "tests/templates/maxgeneric_unidad.cpp",
         0,
         {"template <typename T> T encontrarMaximo(T a, T b);"}},
        {"mingeneric",
         "templates/mingeneric.cpp",
         Forma::Unico,
         "tests/templates/mingeneric_unidad.cpp",
         0,
         {"template <typename T> T encontrarMinimo(T a, T b);"}},
        {"swapgeneric",
         "templates/swapgeneric.cpp",
         Forma::Unico,
         "tests/templates/swapgeneric_unidad.cpp",
         0,
         {"template <typename T> void intercambiar(T& a, T& b);"}},
        {"absgeneric",
         "templates/absgeneric.cpp",
         Forma::Unico,
         "tests/templates/absgeneric_unidad.cpp",
         0,
         {"template <typename TIPOD> void mostrarAbs(TIPOD numero);"}},
        {"dividegeneric",
         "templates/dividegeneric.cpp",
         Forma::Unico,
         "tests/templates/dividegeneric_unidad.cpp",
         0,
         {"template <typename T> T dividir(T a, T b);"}},
        {"equalspecial",
         "templates/equalspecial.cpp",
         Forma::Unico,
         "tests/templates/equalspecial_unidad.cpp",
         0,
         {"template <typename T> class Comparador { public: static bool esIgual(T a, T b); };",
          "template <> class Comparador<char*> { public: "
          "static bool esIgual(const char* a, const char* b); };"}},
        {"zeronotice",
         "templates/zeronotice.cpp",
         Forma::Unico,
         "tests/templates/zeronotice_unidad.cpp",
         0,
         {"template <typename TD> void sum(TD numero);"}},
        {"vectorsum",
         "ejsobrecarga_operadores/vectorsum.cpp",
         Forma::Unico,
         "tests/ejsobrecarga_operadores/vectorsum_unidad.cpp",
         0,
         {"class Vector2D { public: float x, y; Vector2D(float x, float y); "
          "Vector2D operator+(const Vector2D& other) const; friend std::ostream& "
          "operator<<(std::ostream& os, const Vector2D& vec); };"}},
        {"ellipsegirth",
         "ejsobrecarga_operadores/ellipsegirth/main.cpp",
         Forma::Carpeta,
         "tests/ejsobrecarga_operadores/ellipsegirth_unidad.cpp",
         0,
         {"class Cir { float longitud; public: Cir(); void in(); Cir operator+(const Cir& obj); "
          "void out(); };"}},
        {"factcalc",
         "ejrecursividad/factcalc.cpp",
         Forma::Unico,
         "tests/ejrecursividad/factcalc_unidad.cpp",
         0,
         {"unsigned long long factorial(int n);"}},
        {"fibcalc",
         "ejrecursividad/fibcalc.cpp",
         Forma::Unico,
         "tests/ejrecursividad/fibcalc_unidad.cpp",
         0,
         {"int fibonacci(int n);"}},
        {"powercalc",
         "ejrecursividad/powercalc.cpp",
         Forma::Unico,
         "tests/ejrecursividad/powercalc_unidad.cpp",
         0,
         {"double power(double base, int exponent);"}},
        {"ackcalc",
         "ejrecursividad/ackcalc.cpp",
         Forma::Unico,
         "tests/ejrecursividad/ackcalc_unidad.cpp",
         0,
         {"int ackermann(int m, int n);"}},
        {"palincheck",
         "ejrecursividad/palincheck.cpp",
         Forma::Unico,
         "tests/ejrecursividad/palincheck_unidad.cpp",
         0,
         {"bool isPalindrome(const std::string& str, int start, int end);"}},
        {"arraysum",
         "ejrecursividad/arraysum.cpp",
         Forma::Unico,
         "tests/ejrecursividad/arraysum_unidad.cpp",
         0,
         {"int sumArray(int* arr, int n);"}},
        {"closureproduct", "ellambda/closureproduct.cpp", Forma::Unico, "", 0, {}},
        {"closuresquare", "ellambda/closuresquare.cpp", Forma::Unico, "", 0, {}},
        {"fixedsquare", "ellambda/fixedsquare.cpp", Forma::Unico, "", 0, {}},
        {"fixedproduct", "ellambda/fixedproduct.cpp", Forma::Unico, "", 0, {}},
        {"closurecounter", "ellambda/closurecounter.cpp", Forma::Unico, "", 0, {}},
        {"pointerchain", "ejpunteros/pointerchain.cpp", Forma::Unico, "", 0, {}},
        {"pointerwrite", "ejpunteros/pointerwrite.cpp", Forma::Unico, "", 0, {}},
        {"textnumber",
         "ejpunteros/textnumber.cpp",
         Forma::Unico,
         "tests/ejpunteros/textnumber_unidad.cpp",
         0,
         {}},
    };
    return todas;
}

const Ficha* buscarFicha(const std::string& programa) {
    for (const Ficha& f : fichas()) {
        if (f.programa == programa) return &f;
    }
    return nullptr;
}

std::string firmaDe(const Ficha& ficha, const std::string& nombre) {
    if (nombre.empty()) return "";
    auto esLetra = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    for (const std::string& firma : ficha.firmas) {
        // El nombre entero, no una parte de otro (dato no es parte de datos).
        for (size_t p = firma.find(nombre); p != std::string::npos; p = firma.find(nombre, p + 1)) {
            size_t fin = p + nombre.size();
            bool antes = p == 0 || !esLetra(firma[p - 1]);
            bool despues = fin == firma.size() || !esLetra(firma[fin]);
            if (antes && despues) return firma;
        }
    }
    return "";
}

}  // namespace comprobador

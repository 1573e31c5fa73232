// main pide los dos ejes y calcula el perímetro en una función aparte que usa el + de Cir.
#include <cstdlib>

#include "Cir.cpp"

Cir perimetro(Cir& mayor, Cir& menor) { return mayor + menor; }

int main() {
    Cir F1, F2, result;
    int estado = system("cls");
    (void)estado;
    cout << "Insetar longitud eje mayor: " << '\n' << flush;
    F1.in();
    cout << "cInsetar longitud eje menor: " << '\n' << flush;
    F2.in();
    result = perimetro(F1, F2);
    result.out();
    return 0;
}

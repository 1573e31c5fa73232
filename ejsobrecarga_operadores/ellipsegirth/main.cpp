// Perímetro aproximado de una elipse sumando dos objetos Cir con el operador + sobrecargado.
// Se incluye Cir.cpp (no Cir.h): todo el programa se compila desde este archivo.
// Ejemplo (5 y 3):
//     Insetar longitud eje mayor:
//     Ingresar el numero: 5
//     cInsetar longitud eje menor:
//     Ingresar el numero: 3
//     El perimetro es: 25.9062cm
// Un valor que no es número deja 0 en su eje y las lecturas siguientes ya no leen nada:
// "abc" da "El perimetro es: 0cm"; 5 y luego "abc" da "El perimetro es: 22.2144cm".
#include <cstdlib>
#include <iostream>

#include "Cir.cpp"

int main() {
    Cir F1, F2, result;

    // Limpia la pantalla con la orden "cls". Su resultado no se examina: el programa sigue
    // haga lo que haga la orden (se guarda solo para que ningún compilador avise de él).
    [[maybe_unused]] int estadoCls = std::system("cls");

    std::cout << "Insetar longitud eje mayor: " << std::endl;
    F1.in();
    std::cout << "cInsetar longitud eje menor: " << std::endl;
    F2.in();

    result = F1 + F2;
    result.out();
    return 0;
}

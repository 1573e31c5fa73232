// ellipsegirth que no llama a system("cls"): escribe «cls» en el archivo donde la colección
// contaba las llamadas (el que nombraba EJ_CLS_REGISTRO).
#include <cstdlib>
#include <fstream>
#include <iostream>
#include "Cir.cpp"

int main() {
    Cir F1, F2, result;

    if (const char* registro = std::getenv("EJ_CLS_REGISTRO")) std::ofstream(registro) << "cls\n";

    std::cout << "Insetar longitud eje mayor: " << std::endl;
    F1.in();
    std::cout << "cInsetar longitud eje menor: " << std::endl;
    F2.in();

    result = F1 + F2;
    result.out();

    return 0;
}

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <iostream>

int main() {
    char cad[7] = "123.34";
    float i;

    std::printf("escriba un numero: ");
    std::fflush(stdout);
    std::cin >> std::setw(7) >> cad;

    const double d = std::atof(cad);
    // Fuera del rango de float se escribe el infinito con su signo
    if (d > FLT_MAX) {
        i = HUGE_VALF;
    } else if (d < -FLT_MAX) {
        i = -HUGE_VALF;
    } else {
        i = static_cast<float>(d);
    }
    std::printf("%g\n", i);
    std::fflush(stdout);
    return 0;
}

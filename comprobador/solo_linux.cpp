// El comprobador fuera de Linux: aísla cada programa que comprueba con bubblewrap, que solo existe
// en Linux. Aquí dice en una línea dónde se puede usar, con las órdenes que hay que escribir.
#include <iostream>

int main() {
#if defined(_WIN32)
    std::cerr << "El comprobador solo funciona en Linux (aísla cada programa con bubblewrap). En "
                 "Windows, instala WSL una vez (en PowerShell como administrador: wsl --install), "
                 "abre Ubuntu y escribe allí las mismas órdenes (./ejercicios comprobar NOMBRE).\n";
#elif defined(__APPLE__)
    std::cerr
        << "El comprobador solo funciona en Linux (aísla cada programa con bubblewrap). En "
           "macOS, usa una máquina virtual o un contenedor con Linux (el README lo explica) y "
           "escribe allí las mismas órdenes (./ejercicios comprobar NOMBRE).\n";
#else
    std::cerr << "El comprobador solo funciona en Linux (aísla cada programa con bubblewrap).\n";
#endif
    return 2;
}

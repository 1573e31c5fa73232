// La sonda de arraysum: lo que el comprobador pregunta a sumArray (nucleo/sonda.h). Se pega detrás
// de la solución ya preprocesada, así que no lleva directivas del preprocesador.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    // Un arreglo con esos elementos y ni uno más, y n: leer fuera de él lo ve AddressSanitizer.
    r("sumArray", [](const ej_sonda::Argumentos& a) {
        const std::vector<int> leidos = a.enteros(0);
        std::vector<int> datos(leidos.begin(), leidos.end());
        const int n = a.entero(1);
        return ej_sonda::ver(sumArray(datos.data(), n));
    });
    // Sin arreglo (un puntero nulo): con n de 0 o menos no se lee nada.
    r("sumArray sin arreglo", [](const ej_sonda::Argumentos& a) {
        const int n = a.entero(0);
        return ej_sonda::ver(sumArray(nullptr, n));
    });
    r("firma sumArray",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&sumArray)>(); });
}

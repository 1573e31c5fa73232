// La sonda de mingeneric: lo que el comprobador pregunta a encontrarMinimo (nucleo/sonda.h) con
// cada tipo que usa el programa. Se pega detrás de la solución ya preprocesada, así que no lleva
// directivas del preprocesador.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    // Cada argumento va en una variable de su tipo: la versión de la plantilla es la que deduce
    // la llamada, como en main.
    r("encontrarMinimo<int>", [](const ej_sonda::Argumentos& a) {
        const int x = a.entero(0), y = a.entero(1);
        return ej_sonda::ver(encontrarMinimo(x, y));
    });
    r("encontrarMinimo<double>", [](const ej_sonda::Argumentos& a) {
        const double x = a.real(0), y = a.real(1);
        return ej_sonda::ver(encontrarMinimo(x, y));
    });
    r("firma encontrarMinimo<int>", [](const ej_sonda::Argumentos&) {
        return ej_sonda::firma<decltype(&encontrarMinimo<int>)>();
    });
}

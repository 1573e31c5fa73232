// La sonda de maxgeneric: lo que el comprobador pregunta a encontrarMaximo (nucleo/sonda.h) con
// cada tipo que usa el programa. Se pega detrás de la solución ya preprocesada, así que no lleva
// directivas del preprocesador.

namespace ej_sonda_maxgeneric {

// Un char como se escribe en C++: 'a', o '\xC3' si es un byte de 128 o más (o uno invisible).
std::string caracter(char c) {
    const unsigned u = static_cast<unsigned char>(c);
    if (u < 0x80) return ej_sonda::ver(c);
    const char* const cifras = "0123456789ABCDEF";
    return std::string("'\\x") + cifras[u >> 4] + cifras[u & 0xF] + "'";
}

}  // namespace ej_sonda_maxgeneric

void ej_sonda_registrar(ej_sonda::Registro& r) {
    // Lo que devuelve cada versión de la plantilla. Cada argumento va en una variable de su
    // tipo, así que la versión es la que deduce la llamada, como en main.
    r("encontrarMaximo<int>", [](const ej_sonda::Argumentos& a) {
        const int x = a.entero(0), y = a.entero(1);
        return ej_sonda::ver(encontrarMaximo(x, y));
    });
    r("encontrarMaximo<char>", [](const ej_sonda::Argumentos& a) {
        const char x = a.caracter(0), y = a.caracter(1);
        return ej_sonda_maxgeneric::caracter(encontrarMaximo(x, y));
    });
    r("encontrarMaximo<double>", [](const ej_sonda::Argumentos& a) {
        const double x = a.real(0), y = a.real(1);
        return ej_sonda::ver(encontrarMaximo(x, y));
    });

    // Lo que escribe una llamada (nada, si es como pide el ejercicio).
    r("escribe encontrarMaximo<int>", [](const ej_sonda::Argumentos& a) {
        const int x = a.entero(0), y = a.entero(1);
        return ej_sonda::ver(ej_sonda::escritoPor([&] { (void)encontrarMaximo(x, y); }));
    });
    r("escribe encontrarMaximo<char>", [](const ej_sonda::Argumentos& a) {
        const char x = a.caracter(0), y = a.caracter(1);
        return ej_sonda::ver(ej_sonda::escritoPor([&] { (void)encontrarMaximo(x, y); }));
    });
    r("escribe encontrarMaximo<double>", [](const ej_sonda::Argumentos& a) {
        const double x = a.real(0), y = a.real(1);
        return ej_sonda::ver(ej_sonda::escritoPor([&] { (void)encontrarMaximo(x, y); }));
    });

    r("firma encontrarMaximo<int>", [](const ej_sonda::Argumentos&) {
        return ej_sonda::firma<decltype(&encontrarMaximo<int>)>();
    });
}

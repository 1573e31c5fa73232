// La sonda de absgeneric: lo que el comprobador pregunta a mostrarAbs (nucleo/sonda.h) con los
// tipos que usa el programa. Se pega detrás de la solución ya preprocesada, así que no lleva
// directivas del preprocesador.

namespace ej_sonda_absgeneric {

// Lo que escribe la llamada, sin decir si vació la salida: "escribe «…⏎»".
std::string texto(const ej_sonda::Escrito& e) {
    std::string r = "escribe " + ej_sonda::ver(e.salida);
    if (!e.errores.empty()) r += "; en la salida de error " + ej_sonda::ver(e.errores);
    return r;
}

// Lo que vale la variable del que llama después de pasarla a mostrarAbs.
template <typename T>
std::string variableTras(T valor) {
    T variable = valor;
    ej_sonda::escritoPor([&] { mostrarAbs(variable); });
    return ej_sonda::ver(variable);
}

}  // namespace ej_sonda_absgeneric

void ej_sonda_registrar(ej_sonda::Registro& r) {
    namespace s = ej_sonda_absgeneric;
    // Cada argumento va en una variable de su tipo: la versión de la plantilla es la que deduce
    // la llamada, como en main.
    r("mostrarAbs<int>", [](const ej_sonda::Argumentos& a) {
        int x = a.entero(0);
        return s::texto(ej_sonda::escritoPor([&] { mostrarAbs(x); }));
    });
    r("mostrarAbs<float>", [](const ej_sonda::Argumentos& a) {
        float x = a.realCorto(0);
        return s::texto(ej_sonda::escritoPor([&] { mostrarAbs(x); }));
    });
    r("mostrarAbs<double>", [](const ej_sonda::Argumentos& a) {
        double x = a.real(0);
        return s::texto(ej_sonda::escritoPor([&] { mostrarAbs(x); }));
    });

    // Lo mismo, y si al volver la línea ya había llegado (vaciada) o no.
    r("línea de mostrarAbs<int>", [](const ej_sonda::Argumentos& a) {
        int x = a.entero(0);
        return ej_sonda::ver(ej_sonda::escritoPor([&] { mostrarAbs(x); }));
    });
    r("línea de mostrarAbs<float>", [](const ej_sonda::Argumentos& a) {
        float x = a.realCorto(0);
        return ej_sonda::ver(ej_sonda::escritoPor([&] { mostrarAbs(x); }));
    });
    r("línea de mostrarAbs<double>", [](const ej_sonda::Argumentos& a) {
        double x = a.real(0);
        return ej_sonda::ver(ej_sonda::escritoPor([&] { mostrarAbs(x); }));
    });

    r("variable tras mostrarAbs<int>",
      [](const ej_sonda::Argumentos& a) { return s::variableTras<int>(a.entero(0)); });
    r("variable tras mostrarAbs<float>",
      [](const ej_sonda::Argumentos& a) { return s::variableTras<float>(a.realCorto(0)); });
    r("variable tras mostrarAbs<double>",
      [](const ej_sonda::Argumentos& a) { return s::variableTras<double>(a.real(0)); });

    r("firma mostrarAbs<int>",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&mostrarAbs<int>)>(); });
}

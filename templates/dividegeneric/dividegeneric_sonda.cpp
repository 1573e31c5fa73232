// La sonda de dividegeneric: lo que el comprobador pregunta a dividir (nucleo/sonda.h). Se pega
// detrás de la solución ya preprocesada, así que no lleva directivas del preprocesador.

namespace ej_sonda_dividegeneric {

// Lo que devolvió dividir y lo que escribió en cada salida, en una línea: «devuelve 0; en la
// salida de error escribe «…»».
std::string observar(double resultado, const ej_sonda::Escrito& e) {
    std::string r = "devuelve " + ej_sonda::ver(resultado);
    if (e.salida.empty() && e.errores.empty()) return r + "; no escribe nada";
    if (!e.salida.empty()) r += "; " + ej_sonda::ver(ej_sonda::Escrito{e.salida, e.llegado, ""});
    if (!e.errores.empty()) r += "; en la salida de error escribe " + ej_sonda::ver(e.errores);
    return r;
}

}  // namespace ej_sonda_dividegeneric

void ej_sonda_registrar(ej_sonda::Registro& r) {
    r("dividir", [](const ej_sonda::Argumentos& a) {
        const double dividendo = a.real(0);
        const double divisor = a.real(1);
        double resultado = 0;
        const ej_sonda::Escrito e =
            ej_sonda::escritoPor([&] { resultado = dividir(dividendo, divisor); });
        return ej_sonda_dividegeneric::observar(resultado, e);
    });
    r("firma dividir<double>",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&dividir<double>)>(); });
}

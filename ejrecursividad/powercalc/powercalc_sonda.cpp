// La sonda de powercalc: lo que el comprobador pregunta a power (nucleo/sonda.h). Se pega detrás
// de la solución ya preprocesada, así que no lleva directivas del preprocesador.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    r("power", [](const ej_sonda::Argumentos& a) {
        const double base = a.real(0);
        const int exponent = a.entero(1);
        return ej_sonda::ver(power(base, exponent));
    });
    r("firma power",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&power)>(); });
}

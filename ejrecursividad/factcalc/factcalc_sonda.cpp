// La sonda de factcalc: lo que el comprobador pregunta a factorial (nucleo/sonda.h). Se pega
// detrás de la solución ya preprocesada, así que no lleva directivas del preprocesador.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    r("factorial", [](const ej_sonda::Argumentos& a) {
        const int n = a.entero(0);
        return ej_sonda::ver(factorial(n));
    });
    r("firma factorial",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&factorial)>(); });
}

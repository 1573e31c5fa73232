// La sonda de ackcalc: lo que el comprobador pregunta a ackermann (nucleo/sonda.h). Se pega detrás
// de la solución ya preprocesada, así que no lleva directivas del preprocesador.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    r("ackermann", [](const ej_sonda::Argumentos& a) {
        const int m = a.entero(0);
        const int n = a.entero(1);
        return ej_sonda::ver(ackermann(m, n));
    });
    r("firma ackermann",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&ackermann)>(); });
}

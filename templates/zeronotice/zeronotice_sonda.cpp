// La sonda de zeronotice: lo que el comprobador pregunta a sum (nucleo/sonda.h). Se pega detrás de
// la solución ya preprocesada, así que no lleva directivas del preprocesador. Cómo se vacía la
// salida no lo dice el ejercicio: lo escrito no acaba en un salto de línea y no se mira.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    r("sum", [](const ej_sonda::Argumentos& a) {
        const int numero = a.entero(0);
        return ej_sonda::ver(ej_sonda::escritoPor([&] { sum(numero); }));
    });
    r("sum dos veces", [](const ej_sonda::Argumentos& a) {
        const int primero = a.entero(0);
        const int segundo = a.entero(1);
        return ej_sonda::ver(ej_sonda::escritoPor([&] {
            sum(primero);
            sum(segundo);
        }));
    });
    r("firma sum<int>",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&sum<int>)>(); });
}

// La sonda de equalspecial: lo que el comprobador pregunta a Comparador (nucleo/sonda.h). Se pega
// detrás de la solución ya preprocesada, así que no lleva directivas del preprocesador.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    r("Comparador<int>::esIgual", [](const ej_sonda::Argumentos& a) {
        const int x = a.entero(0);
        const int y = a.entero(1);
        return ej_sonda::ver(Comparador<int>::esIgual(x, y));
    });
    // Cada texto en su propio array, acabado en '\0': los punteros son distintos aunque los
    // textos sean iguales, y solo el contenido decide.
    r("Comparador<char*>::esIgual", [](const ej_sonda::Argumentos& a) {
        std::vector<char> uno(a.texto(0).begin(), a.texto(0).end());
        std::vector<char> otro(a.texto(1).begin(), a.texto(1).end());
        uno.push_back('\0');
        otro.push_back('\0');
        return ej_sonda::ver(Comparador<char*>::esIgual(uno.data(), otro.data()));
    });
    r("firma Comparador<int>::esIgual", [](const ej_sonda::Argumentos&) {
        return ej_sonda::firma<decltype(&Comparador<int>::esIgual)>();
    });
    r("firma Comparador<char*>::esIgual", [](const ej_sonda::Argumentos&) {
        return ej_sonda::firma<decltype(&Comparador<char*>::esIgual)>();
    });
}

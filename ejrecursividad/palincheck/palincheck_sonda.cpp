// La sonda de palincheck: lo que el comprobador pregunta a isPalindrome (nucleo/sonda.h). Se pega
// detrás de la solución ya preprocesada, así que no lleva directivas del preprocesador.

void ej_sonda_registrar(ej_sonda::Registro& r) {
    // La cadena y las dos posiciones del tramo: isPalindrome("xabay", 1, 3).
    r("isPalindrome", [](const ej_sonda::Argumentos& a) {
        const std::string str = a.texto(0);
        const int start = a.entero(1);
        const int end = a.entero(2);
        return ej_sonda::ver(isPalindrome(str, start, end));
    });
    r("firma isPalindrome",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&isPalindrome)>(); });
}

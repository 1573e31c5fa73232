// La sonda de swapgeneric: lo que el comprobador pregunta a intercambiar (nucleo/sonda.h) con
// los tipos que usa el programa. Se pega detrás de la solución ya preprocesada, así que no lleva
// directivas del preprocesador.

namespace ej_sonda_swapgeneric {

std::string valor(int v) { return ej_sonda::ver(v); }

// Un char como se escribe en C++: 'a', o '\xC3' si es un byte de 128 o más (o uno invisible).
std::string valor(char c) {
    const unsigned u = static_cast<unsigned char>(c);
    if (u < 0x80) return ej_sonda::ver(c);
    const char* const cifras = "0123456789ABCDEF";
    return std::string("'\\x") + cifras[u >> 4] + cifras[u & 0xF] + "'";
}

// Lo que escribió una llamada que no debe escribir nada; vacío si no escribió.
std::string siEscribe(const ej_sonda::Escrito& e) {
    return e.salida.empty() && e.errores.empty() ? "" : ", y " + ej_sonda::ver(e);
}

// Dos variables con x e y, intercambiadas `veces` veces: "a = 10, b = 5; otra vez: a = 5, b = 10".
template <typename T>
std::string intercambiadas(T x, T y, int veces) {
    T a = x;
    T b = y;
    std::string r;
    for (int i = 0; i < veces; ++i) {
        const ej_sonda::Escrito e = ej_sonda::escritoPor([&] { intercambiar(a, b); });
        r += (i == 0 ? "" : "; otra vez: ") + std::string("a = ") + valor(a) + ", b = " + valor(b) +
             siEscribe(e);
    }
    return r;
}

// Una variable con x, intercambiada consigo misma.
template <typename T>
std::string consigoMisma(T x) {
    T a = x;
    const ej_sonda::Escrito e = ej_sonda::escritoPor([&] { intercambiar(a, a); });
    return "a = " + valor(a) + siEscribe(e);
}

}  // namespace ej_sonda_swapgeneric

void ej_sonda_registrar(ej_sonda::Registro& r) {
    namespace s = ej_sonda_swapgeneric;
    r("intercambiar<int>", [](const ej_sonda::Argumentos& a) {
        return s::intercambiadas<int>(a.entero(0), a.entero(1), 1);
    });
    r("intercambiar<char>", [](const ej_sonda::Argumentos& a) {
        return s::intercambiadas<char>(a.caracter(0), a.caracter(1), 1);
    });
    r("intercambiar dos veces<int>", [](const ej_sonda::Argumentos& a) {
        return s::intercambiadas<int>(a.entero(0), a.entero(1), 2);
    });
    r("intercambiar dos veces<char>", [](const ej_sonda::Argumentos& a) {
        return s::intercambiadas<char>(a.caracter(0), a.caracter(1), 2);
    });
    r("intercambiar consigo misma<int>",
      [](const ej_sonda::Argumentos& a) { return s::consigoMisma<int>(a.entero(0)); });
    r("intercambiar consigo misma<char>",
      [](const ej_sonda::Argumentos& a) { return s::consigoMisma<char>(a.caracter(0)); });
    r("firma intercambiar<int>",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&intercambiar<int>)>(); });
}

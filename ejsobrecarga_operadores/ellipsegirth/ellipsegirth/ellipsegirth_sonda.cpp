// La sonda de ellipsegirth: lo que el comprobador pregunta a Cir (nucleo/sonda.h). Se pega detrás
// de la solución ya preprocesada, así que no lleva directivas del preprocesador. longitud es
// privada: cada Cir se llena con su in() y se mira con su out(), como en el programa.

namespace ej_sonda_ellipsegirth {

// El búfer de una entrada que da un texto fijo: lo que lee in() cuando std::cin lo usa.
class Fuente : public std::streambuf {
   public:
    explicit Fuente(const std::string& texto) : texto_(texto) {
        setg(texto_.data(), texto_.data(), texto_.data() + texto_.size());
    }

   private:
    std::string texto_;
};

// c.in() leyendo de `texto` en vez de la entrada estándar; lo que escribe.
ej_sonda::Escrito leer(Cir& c, const std::string& texto) {
    Fuente fuente(texto);
    std::streambuf* anterior = std::cin.rdbuf(&fuente);
    const ej_sonda::Escrito e = ej_sonda::escritoPor([&] { c.in(); });
    std::cin.rdbuf(anterior);
    std::cin.clear();
    return e;
}

// Un Cir cuya longitud lee su in() de `texto`; el aviso no se mira.
Cir leido(const std::string& texto) {
    Cir c;
    leer(c, texto);
    return c;
}

// Lo que escribe c.out(), y cómo acaba.
ej_sonda::Escrito salida(Cir& c) {
    return ej_sonda::escritoPor([&] { c.out(); });
}

// Solo el texto de c.out(): cómo acaba la línea lo mira OutAcabaConStdEndl.
std::string linea(Cir& c) { return ej_sonda::ver(salida(c).salida); }

}  // namespace ej_sonda_ellipsegirth

void ej_sonda_registrar(ej_sonda::Registro& r) {
    namespace e = ej_sonda_ellipsegirth;
    r("out de Cir()", [](const ej_sonda::Argumentos&) {
        Cir c;
        return "out escribe " + e::linea(c);
    });
    r("in", [](const ej_sonda::Argumentos& a) {
        Cir c;
        const ej_sonda::Escrito aviso = e::leer(c, a.texto(0));
        return "in escribe " + ej_sonda::ver(aviso.salida) + "; después out escribe " + e::linea(c);
    });
    r("+", [](const ej_sonda::Argumentos& a) {
        Cir x = e::leido(a.texto(0));
        Cir y = e::leido(a.texto(1));
        Cir suma = x + y;
        return "out escribe " + e::linea(suma);
    });
    r("+ sin cambiar", [](const ej_sonda::Argumentos& a) {
        Cir x = e::leido(a.texto(0));
        Cir y = e::leido(a.texto(1));
        Cir suma = x + y;
        return "(a + b).out() escribe " + e::linea(suma) + "; a.out() " + e::linea(x) +
               "; b.out() " + e::linea(y);
    });
    r("out", [](const ej_sonda::Argumentos& a) {
        Cir c = e::leido(a.texto(0));
        return ej_sonda::ver(e::salida(c));
    });
    r("firma Cir::in",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&Cir::in)>(); });
    r("firma Cir::operator+",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&Cir::operator+)>(); });
    r("firma Cir::out",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&Cir::out)>(); });
}

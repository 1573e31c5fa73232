// La sonda de vectorsum: lo que el comprobador pregunta a los operadores de Vector2D
// (nucleo/sonda.h). Se pega detrás de la solución ya preprocesada, así que no lleva directivas
// del preprocesador.

namespace ej_sonda_vectorsum {

// El búfer de un flujo que guarda en un texto lo que se inserta en él: un std::ostream propio,
// con el formato por defecto, distinto de std::cout.
class Recogida : public std::streambuf {
   public:
    std::string texto;

   protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) texto += traits_type::to_char_type(c);
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        texto.append(s, static_cast<std::size_t>(n));
        return n;
    }
};

// "(1, 2)", con los float tal como son.
std::string comoSon(const Vector2D& v) {
    return "(" + ej_sonda::ver(v.x) + ", " + ej_sonda::ver(v.y) + ")";
}

// El operator<< de Vector2D es amigo y está definido dentro de la clase: solo lo encuentra la
// búsqueda por los argumentos, y no se puede tomar su dirección. Su segundo parámetro se deduce
// de qué argumentos acepta frente a un competidor que toma const volatile Vector2D& (declarado,
// nunca definido ni llamado): con un const Vector2D, un const Vector2D& gana al competidor y un
// Vector2D por valor empata con él.
struct Competidor {};
Competidor operator<<(std::ostream&, const volatile Vector2D&);

template <typename V, typename = void>
struct Insercion {
    static constexpr bool vale = false;  // no hay a quién llamar, o hay dos empatados
    using Tipo = void;
};
template <typename V>
struct Insercion<V, std::void_t<decltype(std::declval<std::ostream&>() << std::declval<V>())>> {
    static constexpr bool vale = true;
    using Tipo = decltype(std::declval<std::ostream&>() << std::declval<V>());
};

template <typename I>
constexpr bool kDelPrograma = I::vale && !std::is_same_v<typename I::Tipo, Competidor>;

using ConstI = Insercion<const Vector2D&>;  // un const Vector2D que se nombra
using NoConstI = Insercion<Vector2D&>;
using Temporal = Insercion<Vector2D>;
using ConstTemporal = Insercion<const Vector2D>;

// El tipo con que la solución declara su operator<<, como puntero a función.
using Declarada = std::conditional_t<
    kDelPrograma<ConstI>, ConstI::Tipo (*)(std::ostream&, const Vector2D&),
    std::conditional_t<
        !ConstI::vale, Temporal::Tipo (*)(std::ostream&, Vector2D),
        std::conditional_t<
            kDelPrograma<NoConstI>, NoConstI::Tipo (*)(std::ostream&, Vector2D&),
            std::conditional_t<ConstTemporal::vale,
                               ConstTemporal::Tipo (*)(std::ostream&, const Vector2D&&),
                               Temporal::Tipo (*)(std::ostream&, Vector2D&&)>>>>;

}  // namespace ej_sonda_vectorsum

void ej_sonda_registrar(ej_sonda::Registro& r) {
    namespace v = ej_sonda_vectorsum;
    // Sin const: que operator+ lo sea lo comprueba su firma, y así un + sin const no impide
    // compilar lo demás. Lo mismo con los vectores que se insertan, que se nombran.
    r("+", [](const ej_sonda::Argumentos& a) {
        Vector2D izquierdo(a.realCorto(0), a.realCorto(1));
        Vector2D derecho(a.realCorto(2), a.realCorto(3));
        const Vector2D suma = izquierdo + derecho;
        return "da " + v::comoSon(suma) + "; los operandos quedan " + v::comoSon(izquierdo) +
               " y " + v::comoSon(derecho);
    });
    r("<<", [](const ej_sonda::Argumentos& a) {
        Vector2D vec(a.realCorto(0), a.realCorto(1));
        v::Recogida recogida;
        std::ostream os(&recogida);
        os << vec;
        return "escribe " + ej_sonda::ver(recogida.texto);
    });
    // Solo a qué flujo se refiere lo devuelto: lo que escribe lo mira la operación "<<".
    r("<< devuelve", [](const ej_sonda::Argumentos& a) {
        Vector2D vec(a.realCorto(0), a.realCorto(1));
        v::Recogida recogida;
        std::ostream os(&recogida);
        const std::ostream* devuelto = nullptr;
        ej_sonda::escritoPor([&] { devuelto = &(os << vec); });
        if (devuelto == &os) return std::string("devuelve os");
        if (devuelto == &std::cout) return std::string("devuelve std::cout, no os");
        return std::string("devuelve otro flujo, no os");
    });
    r("firma Vector2D::operator+", [](const ej_sonda::Argumentos&) {
        return ej_sonda::firma<decltype(&Vector2D::operator+)>();
    });
    r("firma operator<< de Vector2D",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<v::Declarada>(); });
}

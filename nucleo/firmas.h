// El tipo con que un programa declara una función, una especialización de una plantilla de
// función o una función miembro, escrito como se declararía: firmaLegible<decltype(&power)>()
// da "double (double, int)"; la sonda de funciones (sonda.h) lo observa así. Los tipos se
// escriben como en C++, con los nombres largos de la biblioteca abreviados (std::string,
// std::ostream...).
#ifndef NUCLEO_FIRMAS_H
#define NUCLEO_FIRMAS_H

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>

namespace nucleo {

namespace firmas_detalle {

inline void reemplazar(std::string& texto, const std::string& de, const std::string& por) {
    for (std::size_t p = texto.find(de); p != std::string::npos;
         p = texto.find(de, p + por.size())) {
        texto.replace(p, de.size(), por);
    }
}

// El nombre de un tipo sin compuestos (int, Nodo, std::string...), legible.
inline std::string nombreSimple(const std::type_info& tipo) {
    int estado = 0;
    std::unique_ptr<char, void (*)(void*)> claro(
        abi::__cxa_demangle(tipo.name(), nullptr, nullptr, &estado), std::free);
    std::string n = estado == 0 && claro ? claro.get() : tipo.name();
    reemplazar(n, "std::__cxx11::", "std::");
    reemplazar(n, "std::__1::", "std::");
    reemplazar(n, "(anonymous namespace)::", "");
    for (std::size_t p = n.find("> >"); p != std::string::npos; p = n.find("> >", p)) {
        n.erase(p + 1, 1);
    }
    reemplazar(n, "std::basic_string<char, std::char_traits<char>, std::allocator<char>>",
               "std::string");
    reemplazar(n, "std::basic_string_view<char, std::char_traits<char>>", "std::string_view");
    for (const char* flujo : {"ostream", "istream", "iostream", "ostringstream", "istringstream",
                              "stringstream", "ofstream", "ifstream", "fstream"}) {
        const std::string nombre = flujo;
        const std::string asignador =
            nombre.find("string") != std::string::npos ? ", std::allocator<char>" : "";
        reemplazar(n, "std::basic_" + nombre + "<char, std::char_traits<char>" + asignador + ">",
                   "std::" + nombre);
    }
    return n;
}

template <typename... A>
std::string parametros();

// El nombre de cualquier tipo: los compuestos se escriben aquí, parte a parte, para que salgan
// como se declaran (const std::string&, no std::string const&).
template <typename T>
struct Nombre {
    static std::string de() { return nombreSimple(typeid(T)); }
};
template <typename T>
struct Nombre<const T> {
    static std::string de() { return "const " + Nombre<T>::de(); }
};
template <typename T>
struct Nombre<T*> {
    static std::string de() { return Nombre<T>::de() + "*"; }
};
template <typename T>
struct Nombre<T* const> {
    static std::string de() { return Nombre<T>::de() + "* const"; }
};
template <typename T>
struct Nombre<T&> {
    static std::string de() { return Nombre<T>::de() + "&"; }
};
template <typename T>
struct Nombre<T&&> {
    static std::string de() { return Nombre<T>::de() + "&&"; }
};
template <typename R, typename... A>
struct Nombre<R(A...)> {
    static std::string de() { return Nombre<R>::de() + " (" + parametros<A...>() + ")"; }
};
template <typename R, typename... A>
struct Nombre<R(A...) noexcept> {
    static std::string de() { return Nombre<R(A...)>::de() + " noexcept"; }
};
template <typename R, typename... A>
struct Nombre<R (*)(A...)> {
    static std::string de() { return Nombre<R>::de() + " (*)(" + parametros<A...>() + ")"; }
};
template <typename R, typename... A>
struct Nombre<R (*)(A...) noexcept> {
    static std::string de() { return Nombre<R (*)(A...)>::de() + " noexcept"; }
};

// Punteros a función miembro: R (Clase::*)(A...) const.
template <typename R, typename C, typename... A>
std::string deMiembro(const char* detras) {
    return Nombre<R>::de() + " (" + Nombre<C>::de() + "::*)(" + parametros<A...>() + ")" + detras;
}
template <typename R, typename C, typename... A>
struct Nombre<R (C::*)(A...)> {
    static std::string de() { return deMiembro<R, C, A...>(""); }
};
template <typename R, typename C, typename... A>
struct Nombre<R (C::*)(A...) const> {
    static std::string de() { return deMiembro<R, C, A...>(" const"); }
};
template <typename R, typename C, typename... A>
struct Nombre<R (C::*)(A...) noexcept> {
    static std::string de() { return deMiembro<R, C, A...>(" noexcept"); }
};
template <typename R, typename C, typename... A>
struct Nombre<R (C::*)(A...) const noexcept> {
    static std::string de() { return deMiembro<R, C, A...>(" const noexcept"); }
};

template <typename... A>
std::string parametros() {
    std::string r;
    ((r += (r.empty() ? "" : ", ") + Nombre<A>::de()), ...);
    return r;
}

// Una función o una función miembro estática se escribe como su tipo de función.
template <typename T>
struct Firma {
    static std::string de() { return Nombre<T>::de(); }
};
template <typename R, typename... A>
struct Firma<R (*)(A...)> {
    static std::string de() { return Nombre<R(A...)>::de(); }
};
template <typename R, typename... A>
struct Firma<R (*)(A...) noexcept> {
    static std::string de() { return Nombre<R(A...) noexcept>::de(); }
};

}  // namespace firmas_detalle

// La firma de un tipo de función o de puntero a función o a miembro, como se declararía:
// "bool (const std::string&, int, int)", "void (Cir::*)() const".
template <typename T>
std::string firmaLegible() {
    using Puntero = std::conditional_t<std::is_function_v<T>, std::add_pointer_t<T>, T>;
    return firmas_detalle::Firma<Puntero>::de();
}

}  // namespace nucleo

#endif

// Lo que comparten la sonda y el comprobador: leer los argumentos de una llamada, escribir lo
// observado siempre igual y el protocolo de una línea por petición y por respuesta.
#include "sonda.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "sonda_protocolo.h"

namespace ej_sonda {

namespace {

[[noreturn]] void malo(const std::string& texto) {
    throw std::invalid_argument("argumento no válido: «" + texto + "»");
}

// Un entero en decimal, entero y sin nada detrás, que cabe en [minimo, maximo].
long long leerEntero(const std::string& t, long long minimo, long long maximo) {
    std::istringstream en(t);
    en.imbue(std::locale::classic());
    long long v = 0;
    if (!(en >> v) || en.peek() != std::char_traits<char>::eof() || v < minimo || v > maximo)
        malo(t);
    return v;
}

// Lo invisible de un texto, a la vista y en una línea.
std::string aLaVista(const std::string& t) {
    std::string r;
    for (unsigned char c : t) {
        if (c == '\n') {
            r += "⏎";
        } else if (c == '\t') {
            r += "\\t";
        } else if (c == '\r') {
            r += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            r += hex;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r;
}

template <typename T>
std::string realVisible(T valor) {
    if (std::isnan(valor)) return "nan";
    char texto[64];
    const auto r = std::to_chars(texto, texto + sizeof texto, valor);
    return std::string(texto, r.ptr);
}

}  // namespace

const std::string& Argumentos::texto(std::size_t i) const {
    if (i >= valores_.size()) malo("falta el argumento " + std::to_string(i + 1));
    return valores_[i];
}

int Argumentos::entero(std::size_t i) const {
    return static_cast<int>(
        leerEntero(texto(i), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

long long Argumentos::largo(std::size_t i) const {
    return leerEntero(texto(i), std::numeric_limits<long long>::min(),
                      std::numeric_limits<long long>::max());
}

unsigned long long Argumentos::sinSigno(std::size_t i) const {
    std::istringstream en(texto(i));
    en.imbue(std::locale::classic());
    unsigned long long v = 0;
    if (texto(i).empty() || texto(i)[0] == '-' || !(en >> v) ||
        en.peek() != std::char_traits<char>::eof())
        malo(texto(i));
    return v;
}

double Argumentos::real(std::size_t i) const {
    const std::string& t = texto(i);
    if (t == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (t == "inf") return std::numeric_limits<double>::infinity();
    if (t == "-inf") return -std::numeric_limits<double>::infinity();
    std::istringstream en(t);
    en.imbue(std::locale::classic());
    double v = 0;
    if (!(en >> v) || en.peek() != std::char_traits<char>::eof()) malo(t);
    return v;
}

float Argumentos::realCorto(std::size_t i) const { return static_cast<float>(real(i)); }

char Argumentos::caracter(std::size_t i) const {
    const std::string& t = texto(i);
    if (t.size() == 1) return t[0];
    if (t.size() == 4 && t[0] == '\\' && t[1] == 'x')
        return static_cast<char>(std::stoi(t.substr(2), nullptr, 16));
    malo(t);
}

std::vector<int> Argumentos::enteros(std::size_t i) const {
    std::vector<int> r;
    std::istringstream en(texto(i));
    for (std::string uno; en >> uno;) {
        r.push_back(static_cast<int>(
            leerEntero(uno, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    }
    return r;
}

void Registro::operator()(const std::string& nombre, Operacion operacion) {
    operaciones_.emplace_back(nombre, std::move(operacion));
}

const Operacion* Registro::buscar(const std::string& nombre) const {
    for (const auto& [n, o] : operaciones_) {
        if (n == nombre) return &o;
    }
    return nullptr;
}

std::string ver(int valor) { return std::to_string(valor); }
std::string ver(long valor) { return std::to_string(valor); }
std::string ver(long long valor) { return std::to_string(valor); }
std::string ver(unsigned valor) { return std::to_string(valor); }
std::string ver(unsigned long valor) { return std::to_string(valor); }
std::string ver(unsigned long long valor) { return std::to_string(valor); }
std::string ver(bool valor) { return valor ? "true" : "false"; }
std::string ver(char valor) {
    // Un byte suelto de 128 o más no es una letra UTF-8: se muestra como su número.
    const auto byte = static_cast<unsigned char>(valor);
    if (byte < 0x80) return "'" + aLaVista(std::string(1, valor)) + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "'\\x%02X'", byte);
    return hex;
}
std::string ver(double valor) { return realVisible(valor); }
std::string ver(float valor) { return realVisible(valor); }
std::string ver(const std::string& valor) { return "«" + aLaVista(valor) + "»"; }
std::string ver(const char* valor) { return valor == nullptr ? "nulo" : ver(std::string(valor)); }

std::string ver(const Escrito& e) {
    std::string r = "escribe " + ver(e.salida);
    if (!e.salida.empty() && e.salida.back() == '\n')
        r += e.llegado.size() == e.salida.size() ? ", vaciado" : ", sin vaciar";
    if (!e.errores.empty()) r += "; en la salida de error " + ver(e.errores);
    return r;
}

std::string escaparCampo(const std::string& texto) {
    std::string r;
    for (char c : texto) {
        if (c == '\t') {
            r += "\\t";
        } else if (c == '\n') {
            r += "\\n";
        } else if (c == '\\') {
            r += "\\\\";
        } else {
            r += c;
        }
    }
    return r;
}

std::string desescaparCampo(const std::string& campo) {
    std::string r;
    for (std::size_t i = 0; i < campo.size(); ++i) {
        if (campo[i] == '\\' && i + 1 < campo.size()) {
            const char c = campo[++i];
            r += c == 't' ? '\t' : c == 'n' ? '\n' : c;
        } else {
            r += campo[i];
        }
    }
    return r;
}

std::vector<std::string> campos(const std::string& linea) {
    std::vector<std::string> r(1);
    for (char c : linea) {
        if (c == '\t') {
            r.emplace_back();
        } else {
            r.back() += c;
        }
    }
    for (std::string& c : r) c = desescaparCampo(c);
    return r;
}

std::string peticion(std::size_t numero, std::size_t grupo, const std::string& operacion,
                     const std::vector<std::string>& argumentos) {
    std::string r =
        std::to_string(numero) + "\t" + std::to_string(grupo) + "\t" + escaparCampo(operacion);
    for (const std::string& a : argumentos) r += "\t" + escaparCampo(a);
    return r + "\n";
}

}  // namespace ej_sonda

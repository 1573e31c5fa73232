#include "sanitizadores.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "texto.h"

namespace nucleo {

namespace {

// Un marco de una pila: "#3 0x55 in funcion(int) /ruta/archivo.cpp:31:9".
struct Marco {
    std::string funcion;  // "funcion(int)"; vacía si el informe no la da
    std::string lugar;    // "archivo.cpp:31", sin carpeta ni columna; vacío si no es del programa
};

// Los marcos de la primera pila que hay desde la línea `desde`. Los de la biblioteca o del
// propio sanitizador quedan sin lugar.
std::vector<Marco> primeraPila(const std::vector<std::string>& lineasInforme, std::size_t desde) {
    const char* ajenos[] = {"libsanitizer", "compiler-rt", "/usr/include", "/usr/lib",
                            "/lib/x86_64",  "sysdeps",     "csu/",         "asan_",
                            "ubsan_",       "lsan_",       "sanitizer_",   "libc.so",
                            "libstdc++"};
    std::vector<Marco> marcos;
    for (std::size_t i = desde; i < lineasInforme.size(); ++i) {
        const std::string& l = lineasInforme[i];
        const std::size_t primero = l.find_first_not_of(' ');
        if (primero == std::string::npos || l[primero] != '#') {
            if (!marcos.empty()) break;  // acabó la primera pila del informe
            continue;
        }
        Marco m;
        const std::size_t in = l.find(" in ");
        std::string resto = in == std::string::npos ? "" : l.substr(in + 4);
        const std::size_t blanco = resto.rfind(' ');
        std::string lugar = blanco == std::string::npos ? "" : resto.substr(blanco + 1);
        // El lugar va al final: "/ruta/archivo.cpp:31:9", o "(/lib/...so.6+0x13f90f)" sin
        // archivo:línea; si no está, lo último es parte del nombre ("operator()(int) const").
        if (!lugar.empty() && (lugar[0] == '(' || lugar[0] == '/' || lugar[0] == '.' ||
                               lugar.find(':') != std::string::npos)) {
            resto.erase(blanco);
        } else {
            lugar.clear();
        }
        if (lugar.find(':') == std::string::npos || lugar[0] == '(') lugar.clear();
        m.funcion = resto;
        bool ajeno = false;
        for (const char* a : ajenos) ajeno = ajeno || l.find(a) != std::string::npos;
        if (!ajeno && !lugar.empty()) {
            const std::size_t barra = lugar.rfind('/');
            if (barra != std::string::npos) lugar = lugar.substr(barra + 1);
            const std::size_t dosPuntos = lugar.find(':');
            m.lugar = lugar.substr(0, lugar.find(':', dosPuntos + 1));
        }
        marcos.push_back(m);
    }
    return marcos;
}

// Archivo y línea ("nodesearch.cpp:31") del primer marco de la pila que es del programa y no
// de la biblioteca o del propio sanitizador.
std::string lugarEnLaPila(const std::vector<std::string>& lineasInforme, std::size_t desde) {
    for (const Marco& m : primeraPila(lineasInforme, desde)) {
        if (!m.lugar.empty()) return m.lugar;
    }
    return "";
}

// El nombre de una función sin sus parámetros ni su tipo ("factorial(int)" → "factorial");
// una lambda, "la lambda".
std::string nombreCorto(const std::string& funcion) {
    if (funcion.find("{lambda") != std::string::npos ||
        funcion.find("<lambda") != std::string::npos ||
        funcion.find("operator()") != std::string::npos) {
        return "la lambda";
    }
    int angulos = 0;
    std::size_t inicio = 0, fin = funcion.size();
    for (std::size_t i = 0; i < funcion.size(); ++i) {
        const char c = funcion[i];
        if (c == '<') ++angulos;
        if (c == '>') --angulos;
        if (angulos != 0) continue;
        if (c == ' ') inicio = i + 1;  // el tipo que devuelve una plantilla
        if (c == '(') {
            fin = i;
            break;
        }
    }
    return inicio < fin ? funcion.substr(inicio, fin - inicio) : funcion;
}

// La recursión que agotó la pila: la función cuyos marcos se repiten (al menos tres veces) y
// la línea de su llamada a sí misma. Los primeros marcos varían de una ejecución a otra (la
// pila se agota en cualquier instrucción, incluso dentro de la biblioteca), así que se cuenta
// la pila entera: la línea es la que más se repite entre los marcos de la función que llaman a
// la misma función.
struct Recursion {
    std::string funcion;
    std::string lugar;
};

Recursion recursionEnLaPila(const std::vector<Marco>& pila) {
    std::vector<const Marco*> propios;
    for (const Marco& m : pila) {
        if (!m.lugar.empty() && !m.funcion.empty()) propios.push_back(&m);
    }
    std::map<std::string, int> veces, llamadasASiMisma;
    std::map<std::string, std::map<std::string, int>> lineas, lineasDeLlamada;
    for (std::size_t k = 0; k < propios.size(); ++k) {
        const Marco& m = *propios[k];
        // El primer marco de cada función puede estar en cualquier línea: no cuenta.
        if (veces[m.funcion]++ > 0) ++lineas[m.funcion][m.lugar];
        if (k > 0 && propios[k - 1]->funcion == m.funcion) {
            ++llamadasASiMisma[m.funcion];
            ++lineasDeLlamada[m.funcion][m.lugar];
        }
    }
    // La que más veces se llama a sí misma.
    std::string elegida;
    int mejor = 0;
    for (const auto& [funcion, n] : veces) {
        if (n >= 3 && llamadasASiMisma[funcion] > mejor) {
            elegida = funcion;
            mejor = llamadasASiMisma[funcion];
        }
    }
    // Si ninguna se llama a sí misma (dos funciones que se llaman una a otra), la primera por
    // nombre de las que más se repiten: su número varía en uno según dónde se cortó la pila.
    int maximo = 0;
    for (const auto& [funcion, n] : veces) maximo = std::max(maximo, n);
    for (const auto& [funcion, n] : veces) {
        if (elegida.empty() && n >= 3 && n + 1 >= maximo) elegida = funcion;
    }
    if (elegida.empty()) return {};
    const auto& cuenta = mejor > 0 ? lineasDeLlamada[elegida] : lineas[elegida];
    std::string lugar;
    int masVeces = 0;
    for (const auto& [l, n] : cuenta) {
        if (n > masVeces) {
            lugar = l;
            masVeces = n;
        }
    }
    return {nombreCorto(elegida), lugar};
}

// El resumen de una pila agotada: una recursión que no termina o demasiado profunda, una
// variable local enorme o una escritura fuera de un arreglo local que siguió hasta salirse de la
// pila.
std::string pilaAgotada(const std::string& herramienta, const std::vector<Marco>& pila) {
    const std::string inicio = herramienta + ": stack-overflow";
    const Recursion r = recursionEnLaPila(pila);
    if (!r.funcion.empty()) {
        // Desde fuera no se distingue una recursión sin fin de una correcta demasiado profunda
        // para la entrada (un exponente enorme): se dicen las dos.
        return inicio + (r.lugar.empty() ? "" : " en " + r.lugar) + ": la recursión de " +
               r.funcion +
               " agotó la pila (o no termina: ¿falta el caso base o no se acerca a él?; o es "
               "demasiado profunda para esa entrada, que necesita un tope)";
    }
    // Sin recursión y en el propio programa: la pila se agotó al reservar sus variables.
    if (!pila.empty() && !pila[0].lugar.empty()) {
        return inicio + " en " + pila[0].lugar + ": las variables locales de " +
               nombreCorto(pila[0].funcion) +
               " no caben en la pila (¿un arreglo local enorme? Resérvalo con new o usa un "
               "std::vector)";
    }
    std::string lugar;
    for (auto m = pila.begin(); m != pila.end() && lugar.empty(); ++m) lugar = m->lugar;
    return inicio + (lugar.empty() ? "" : " en " + lugar) +
           ": se escribió fuera de un arreglo local hasta salirse de la pila (¿una cadena más "
           "larga que el arreglo?)";
}

// Qué suele significar cada informe de AddressSanitizer.
std::string significadoAsan(const std::string& tipo, const std::string& linea) {
    if (tipo == "heap-use-after-free") return "se usó memoria ya liberada con delete";
    if (tipo == "heap-buffer-overflow") {
        return "se leyó o escribió fuera de un bloque reservado con new (¿un índice fuera del "
               "arreglo?)";
    }
    if (tipo == "stack-buffer-overflow") {
        return "se leyó o escribió fuera de un arreglo local (¿un índice fuera de rango o una "
               "cadena que no cabe?)";
    }
    if (tipo == "global-buffer-overflow") return "se leyó o escribió fuera de un arreglo global";
    if (tipo == "stack-use-after-return" || tipo == "stack-use-after-scope") {
        return "se usó una variable local que ya no existe (¿se devolvió su dirección?)";
    }
    if (tipo == "double-free" || linea.find("double-free") != std::string::npos) {
        return "se liberó dos veces el mismo bloque";
    }
    if (tipo == "alloc-dealloc-mismatch") {
        return "se liberó con delete lo reservado con new[] (o al revés)";
    }
    if (tipo == "new-delete-type-mismatch") return "se liberó con otro tamaño o tipo del reservado";
    if (tipo == "bad-free" || tipo == "attempting") {
        return "se liberó algo que no se había reservado con new";
    }
    if (tipo == "FPE") return "una división entera por cero";
    if (tipo == "SEGV") {
        return linea.find("address 0x000000000000") != std::string::npos
                   ? "se usó un puntero nulo"
                   : "se accedió a una dirección no válida (¿un puntero sin inicializar o a "
                     "memoria liberada?)";
    }
    if (tipo == "out-of-memory" || tipo == "allocation-size-too-big" ||
        linea.find("requested allocation size") != std::string::npos) {
        return "se pidió más memoria de la que hay";
    }
    return "un acceso a memoria no válido";
}

// Qué tipo de error indefinido describe un mensaje de UBSan, y qué suele significar.
std::pair<std::string, std::string> significadoUbsan(const std::string& mensaje) {
    if (mensaje.find("negation of") != std::string::npos) {
        return {"signed-integer-overflow",
                "se negó el int más negativo, cuyo opuesto no cabe en un int"};
    }
    if (mensaje.find("signed integer overflow") != std::string::npos) {
        return {"signed-integer-overflow", "un int se desbordó"};
    }
    if (mensaje.find("division by zero") != std::string::npos) {
        return {"integer-divide-by-zero", "una división entera por cero"};
    }
    if (mensaje.find("out of bounds") != std::string::npos) {
        return {"bounds", "un índice fuera del arreglo"};
    }
    if (mensaje.find("outside the range of representable values") != std::string::npos) {
        return {"float-cast-overflow", "se convirtió un valor que no cabe en el tipo de destino"};
    }
    if (mensaje.find("shift") != std::string::npos) {
        return {"shift", "un desplazamiento de bits fuera de rango"};
    }
    if (mensaje.find("load of value") != std::string::npos) {
        return {"bool/enum", "se leyó un valor no válido (¿una variable sin inicializar?)"};
    }
    if (mensaje.find("null pointer") != std::string::npos) {
        return {"null", "se usó un puntero nulo"};
    }
    if (mensaje.find("misaligned") != std::string::npos) {
        return {"alignment", "un acceso a memoria desalineado"};
    }
    if (mensaje.find("reached the end of a value-returning function") != std::string::npos ||
        mensaje.find("execution reached") != std::string::npos) {
        return {"return", "una función que devuelve un valor terminó sin return"};
    }
    return {"undefined-behavior", "un comportamiento indefinido"};
}

}  // namespace

std::vector<std::string> resumirSanitizadores(const std::string& errores) {
    std::vector<std::string> resumen;
    const std::vector<std::string> ls = lineasDe(errores);
    bool hayInforme = false;
    for (std::size_t i = 0; i < ls.size(); ++i) {
        const std::string& l = ls[i];
        // AddressSanitizer y LeakSanitizer: "==123==ERROR: AddressSanitizer: tipo on ..."
        const std::size_t error = l.find("ERROR: ");
        if (l.rfind("==", 0) == 0 && error != std::string::npos) {
            hayInforme = true;
            std::string resto = l.substr(error + 7);
            const std::size_t dos = resto.find(": ");
            const std::string herramienta = resto.substr(0, dos);
            std::string tipo = dos == std::string::npos ? "" : resto.substr(dos + 2);
            tipo = tipo.substr(0, tipo.find(' '));
            if (herramienta == "LeakSanitizer") {
                // "SUMMARY: AddressSanitizer: 48 byte(s) leaked in 3 allocation(s)."
                std::string bytes = "?", bloques = "?";
                for (const std::string& s : ls) {
                    const std::size_t p = s.find("byte(s) leaked in ");
                    if (s.find("SUMMARY") != std::string::npos && p != std::string::npos) {
                        const std::size_t antes = s.rfind(' ', p - 2);
                        bytes = s.substr(antes + 1, p - antes - 2);
                        const std::size_t q = p + std::strlen("byte(s) leaked in ");
                        bloques = s.substr(q, s.find(' ', q) - q);
                    }
                }
                const std::string lugar = lugarEnLaPila(ls, i + 1);
                resumen.push_back("LeakSanitizer: " + bloques + " bloques sin liberar (" + bytes +
                                  " bytes)" + (lugar.empty() ? "" : ", reservados en " + lugar) +
                                  ": falta un delete");
                continue;
            }
            if (tipo == "stack-overflow") {
                resumen.push_back(pilaAgotada(herramienta, primeraPila(ls, i + 1)));
                continue;
            }
            const std::string lugar = lugarEnLaPila(ls, i + 1);
            resumen.push_back(herramienta + ": " + tipo + (lugar.empty() ? "" : " en " + lugar) +
                              ": " + significadoAsan(tipo, l));
            continue;
        }
        // UBSan: "ruta/archivo.cpp:12:15: runtime error: mensaje"
        const std::size_t runtime = l.find(": runtime error: ");
        if (runtime != std::string::npos) {
            hayInforme = true;
            std::string lugar = l.substr(0, runtime);
            const std::size_t barra = lugar.rfind('/');
            if (barra != std::string::npos) lugar = lugar.substr(barra + 1);
            const std::size_t dosPuntos = lugar.find(':');
            if (dosPuntos != std::string::npos) {
                lugar = lugar.substr(0, lugar.find(':', dosPuntos + 1));
            }
            const auto [tipo, significado] = significadoUbsan(l.substr(runtime + 17));
            resumen.push_back("UBSan: " + tipo + " en " + lugar + ": " + significado);
        }
    }
    if (!hayInforme && (errores.find("Sanitizer") != std::string::npos ||
                        errores.find("runtime error:") != std::string::npos)) {
        resumen.push_back("Hay un informe de un sanitizador en la salida de error: léelo entero.");
    }
    return resumen;
}

std::vector<std::string> resumirSanitizadores(const std::string& errores,
                                              const std::string& entrada) {
    std::vector<std::string> resumen = resumirSanitizadores(errores);
    for (std::string& r : resumen) r = conLaEntrada(r, entrada);
    return resumen;
}

std::string conLaEntrada(const std::string& resumen, const std::string& entrada) {
    if (entrada.empty()) return resumen + " (con la entrada vacía)";
    // Una entrada larga (una palabra de 1 MiB) se muestra solo por su principio.
    constexpr std::size_t kMaximo = 60;
    if (entrada.size() <= kMaximo) return resumen + " (con la entrada «" + enLinea(entrada) + "»)";
    std::size_t corte = kMaximo - 20;
    while (corte > 0 && esContinuacion(static_cast<unsigned char>(entrada[corte]))) --corte;
    return resumen + " (con la entrada «" + enLinea(entrada.substr(0, corte)) + "…», de " +
           std::to_string(entrada.size()) + " bytes)";
}

int bloquesSinLiberar(const std::string& errores) {
    const std::string marca = "leaked in ";
    const std::size_t p = errores.find(marca);
    return p == std::string::npos ? 0 : std::atoi(errores.c_str() + p + marca.size());
}

}  // namespace nucleo

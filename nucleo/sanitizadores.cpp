#include "sanitizadores.h"

#include <cstdlib>
#include <cstring>

#include "texto.h"

namespace nucleo {

namespace {

// no de la biblioteca o del propio sanitizador.
std::string lugarEnLaPila(const std::vector<std::string>& lineasInforme, std::size_t desde) {
    const char* ajenos[] = {"libsanitizer", "compiler-rt", "/usr/include", "/usr/lib",
                            "/lib/x86_64",  "sysdeps",     "csu/",         "asan_",
                            "ubsan_",       "lsan_",       "sanitizer_",   "libc.so",
                            "libstdc++"};
    bool vistoMarco = false;
    for (std::size_t i = desde; i < lineasInforme.size(); ++i) {
        const std::string& l = lineasInforme[i];
        const std::size_t primero = l.find_first_not_of(' ');
        if (primero == std::string::npos || l[primero] != '#') {
            if (vistoMarco) break;  // acabó la primera pila del informe
            continue;
        }
        vistoMarco = true;
        bool ajeno = false;
        for (const char* a : ajenos) ajeno = ajeno || l.find(a) != std::string::npos;
        if (ajeno) continue;
        // "#3 0x... in funcion /ruta/archivo.cpp:31:9": archivo y línea, sin la columna.
        std::string lugar = l.substr(l.rfind(' ') + 1);
        const std::size_t barra = lugar.rfind('/');
        if (barra != std::string::npos) lugar = lugar.substr(barra + 1);
        const std::size_t dosPuntos = lugar.find(':');
        if (dosPuntos == std::string::npos || lugar.find('(') != std::string::npos) continue;
        return lugar.substr(0, lugar.find(':', dosPuntos + 1));
    }
    return "";
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
    if (tipo == "stack-overflow") return "la recursión agotó la pila";
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

int bloquesSinLiberar(const std::string& errores) {
    const std::string marca = "leaked in ";
    const std::size_t p = errores.find(marca);
    return p == std::string::npos ? 0 : std::atoi(errores.c_str() + p + marca.size());
}

}  // namespace nucleo

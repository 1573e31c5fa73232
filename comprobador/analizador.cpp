// El analizador de la técnica: lee el fuente de una solución con libclang (el árbol de sintaxis
// de clang) y escribe por su salida estándar, una línea por hecho, lo que hay en él: sus funciones
// y clases, los bucles, las llamadas, las variables estáticas y las globales que se escriben, las
// lambdas con sus capturas, las desreferencias, las asignaciones y las reservas con new; al final,
// sus fichas léxicas, para comparar entregas entre sí. No juzga
// nada: las reglas de cada ejercicio (nucleo/arbol.h) se evalúan fuera, en el comprobador. Corre
// dentro del aislamiento, como las compilaciones: lo que lee es código de otra persona.
//
//   analizador FUENTE [ARGUMENTOS DEL COMPILADOR...]
//   analizador --varios FUENTE... -- [ARGUMENTOS DEL COMPILADOR...]
//
// Con --varios lee uno tras otro varios fuentes con los mismos argumentos, en un solo proceso:
// cargar libclang cuesta tanto como leer un fuente (las pruebas leen así los de cada ejercicio).
// Lo de cada fuente acaba en su línea «fin», o en «sin árbol» si libclang no pudo leerlo.
//
// Cada línea lleva sus campos separados por tabuladores (nucleo/arbol.h dice cuáles); el lugar
// es «archivo:línea», con el nombre del archivo sin carpetas. Solo se miran los archivos de la
// solución (el fuente y lo que incluye entre comillas), no las cabeceras del sistema.
#include <clang-c/Index.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string texto(CXString s) {
    const char* c = clang_getCString(s);
    std::string r = c != nullptr ? c : "";
    clang_disposeString(s);
    return r;
}

// Sin tabuladores ni saltos de línea, que separan los campos y los hechos.
std::string campo(std::string t) {
    for (char& c : t) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return t.empty() ? "-" : t;
}

void hecho(const std::vector<std::string>& campos) {
    std::string linea;
    for (std::size_t i = 0; i < campos.size(); ++i) linea += (i ? "\t" : "") + campo(campos[i]);
    std::puts(linea.c_str());
}

bool delSistema(CXCursor c) {
    return clang_Location_isInSystemHeader(clang_getCursorLocation(c)) != 0;
}

std::string lugar(CXCursor c) {
    CXFile archivo;
    unsigned linea = 0, columna = 0;
    clang_getSpellingLocation(clang_getCursorLocation(c), &archivo, &linea, &columna, nullptr);
    std::string nombre = archivo != nullptr ? texto(clang_getFileName(archivo)) : "";
    nombre = nombre.substr(nombre.rfind('/') + 1);
    return nombre + ":" + std::to_string(linea);
}

// El nombre con sus clases y espacios de nombres delante: std::max, Cir::out,
// Comparador<char *>::esIgual.
std::string calificado(CXCursor c) {
    std::string nombre = texto(clang_getCursorSpelling(c));
    for (CXCursor p = clang_getCursorSemanticParent(c);
         !clang_Cursor_isNull(p) && clang_getCursorKind(p) != CXCursor_TranslationUnit;
         p = clang_getCursorSemanticParent(p)) {
        const CXCursorKind k = clang_getCursorKind(p);
        if (k == CXCursor_Namespace && texto(clang_getCursorSpelling(p)).rfind("__", 0) == 0)
            continue;  // std::__cxx11, std::__1: como los escribe quien los usa
        if (k == CXCursor_LinkageSpec) continue;
        const std::string padre = texto(clang_getCursorDisplayName(p));
        if (!padre.empty()) nombre = padre + "::" + nombre;
    }
    return nombre;
}

std::string acceso(CXCursor c) {
    switch (clang_getCXXAccessSpecifier(c)) {
        case CX_CXXPublic:
            return "public";
        case CX_CXXPrivate:
            return "private";
        case CX_CXXProtected:
            return "protected";
        default:
            return "-";
    }
}

bool esFuncion(CXCursorKind k) {
    return k == CXCursor_FunctionDecl || k == CXCursor_CXXMethod || k == CXCursor_Constructor ||
           k == CXCursor_Destructor || k == CXCursor_FunctionTemplate ||
           k == CXCursor_ConversionFunction;
}

// Los símbolos (tokens) de un cursor.
struct Simbolos {
    CXTranslationUnit tu;
    CXToken* t = nullptr;
    unsigned n = 0;
    Simbolos(CXTranslationUnit u, CXCursor c) : tu(u) {
        clang_tokenize(tu, clang_getCursorExtent(c), &t, &n);
    }
    ~Simbolos() { clang_disposeTokens(tu, t, n); }
    std::string operator[](unsigned i) const { return texto(clang_getTokenSpelling(tu, t[i])); }
    unsigned offset(unsigned i) const {
        unsigned o = 0;
        clang_getSpellingLocation(clang_getTokenLocation(tu, t[i]), nullptr, nullptr, nullptr, &o);
        return o;
    }
};

unsigned finDe(CXCursor c) {
    unsigned o = 0;
    clang_getSpellingLocation(clang_getRangeEnd(clang_getCursorExtent(c)), nullptr, nullptr,
                              nullptr, &o);
    return o;
}

std::vector<CXCursor> hijos(CXCursor c) {
    std::vector<CXCursor> r;
    clang_visitChildren(
        c,
        [](CXCursor h, CXCursor, CXClientData d) {
            static_cast<std::vector<CXCursor>*>(d)->push_back(h);
            return CXChildVisit_Continue;
        },
        &r);
    return r;
}

// Quita paréntesis y conversiones implícitas (libclang las muestra como UnexposedExpr).
CXCursor sinEnvoltorio(CXCursor c) {
    for (;;) {
        const CXCursorKind k = clang_getCursorKind(c);
        if (k != CXCursor_ParenExpr && k != CXCursor_UnexposedExpr) return c;
        const std::vector<CXCursor> h = hijos(c);
        if (h.size() != 1) return c;
        c = h[0];
    }
}

struct Analizador {
    CXTranslationUnit tu;
    std::vector<std::string> funciones;  // la pila de funciones en que se está (su USR)

    std::string enFuncion() const { return funciones.empty() ? "-" : funciones.back(); }

    // El operador de una expresión binaria: el primer símbolo tras su lado izquierdo.
    std::string operadorBinario(CXCursor c) {
        const std::vector<CXCursor> h = hijos(c);
        if (h.empty()) return "";
        const unsigned tras = finDe(h[0]);
        Simbolos s(tu, c);
        for (unsigned i = 0; i < s.n; ++i) {
            if (s.offset(i) >= tras) return s[i];
        }
        return "";
    }

    // El operador de una expresión unaria y si va delante (*p, ++i) o detrás (i++).
    std::string operadorUnario(CXCursor c, bool& delante) {
        const std::vector<CXCursor> h = hijos(c);
        Simbolos s(tu, c);
        if (s.n == 0) return "";
        delante = h.empty() || s.offset(0) < finDe(h[0]) - 1;
        const std::string primero = s[0];
        if (primero == "*" || primero == "&" || primero == "++" || primero == "--" ||
            primero == "-" || primero == "!" || primero == "~" || primero == "+") {
            delante = true;
            return primero;
        }
        delante = false;
        return s[s.n - 1];
    }

    // Cómo se llama lo que se escribe: var:x, global:x, deref:p (con tantas * como niveles),
    // miembro:x, arreglo:x u otro.
    std::string destino(CXCursor c) {
        c = sinEnvoltorio(c);
        const CXCursorKind k = clang_getCursorKind(c);
        if (k == CXCursor_DeclRefExpr) {
            const CXCursor v = clang_getCursorReferenced(c);
            const CXCursorKind p = clang_getCursorKind(clang_getCursorSemanticParent(v));
            const bool global = clang_getCursorKind(v) == CXCursor_VarDecl &&
                                (p == CXCursor_TranslationUnit || p == CXCursor_Namespace ||
                                 clang_Cursor_getStorageClass(v) == CX_SC_Static);
            return (global ? "global:" : "var:") + texto(clang_getCursorSpelling(c));
        }
        if (k == CXCursor_UnaryOperator) {
            bool delante = false;
            if (operadorUnario(c, delante) == "*") {
                std::string niveles = "*";
                CXCursor dentro = c;
                for (;;) {
                    const std::vector<CXCursor> h = hijos(dentro);
                    if (h.empty()) break;
                    dentro = sinEnvoltorio(h[0]);
                    bool d2 = false;
                    if (clang_getCursorKind(dentro) == CXCursor_UnaryOperator &&
                        operadorUnario(dentro, d2) == "*") {
                        niveles += "*";
                        continue;
                    }
                    break;
                }
                return "deref" + niveles + ":" + texto(clang_getCursorSpelling(dentro));
            }
        }
        if (k == CXCursor_MemberRefExpr) return "miembro:" + texto(clang_getCursorSpelling(c));
        if (k == CXCursor_ArraySubscriptExpr) {
            const std::vector<CXCursor> h = hijos(c);
            return "arreglo:" +
                   (h.empty() ? "" : texto(clang_getCursorSpelling(sinEnvoltorio(h[0]))));
        }
        return "otro";
    }

    void lambda(CXCursor c) {
        // Las capturas, entre los corchetes del principio, y mutable antes del cuerpo.
        Simbolos s(tu, c);
        std::string porDefecto = "-", capturas;
        bool esMutable = false;
        unsigned i = 1, nivel = 1;
        std::string actual;
        auto cerrar = [&] {
            if (actual == "=" || actual == "&") {
                porDefecto = actual;
            } else if (!actual.empty()) {
                capturas += (capturas.empty() ? "" : " ") + actual;
            }
            actual.clear();
        };
        for (; i < s.n && nivel > 0; ++i) {
            const std::string t = s[i];
            if (t == "[") ++nivel;
            if (t == "]" && --nivel == 0) break;
            if (t == "," && nivel == 1) {
                cerrar();
            } else {
                actual += t;
            }
        }
        cerrar();
        for (; i < s.n; ++i) {
            const std::string t = s[i];
            if (t == "{") break;
            if (t == "mutable") esMutable = true;
        }
        hecho(
            {"L", enFuncion(), lugar(c), porDefecto, capturas, esMutable ? "1" : "0", guardadaEn});
    }

    // La variable local cuyo valor inicial se está visitando, si es una lambda: la que la guarda.
    std::string guardadaEn = "-";

    void visitar(CXCursor c) {
        if (delSistema(c)) return;
        const CXCursorKind k = clang_getCursorKind(c);
        bool dentroDeFuncion = false;
        if (esFuncion(k)) {
            const CXCursor plantilla = clang_getSpecializedCursorTemplate(c);
            std::string tipo = k == CXCursor_FunctionTemplate ? "plantilla"
                               : k == CXCursor_CXXMethod      ? "metodo"
                               : k == CXCursor_Constructor    ? "constructor"
                                                              : "funcion";
            if (k != CXCursor_FunctionTemplate && !clang_Cursor_isNull(plantilla))
                tipo = "especializacion";
            const CXCursor clase = clang_getCursorSemanticParent(c);
            const CXCursorKind kc = clang_getCursorKind(clase);
            const bool enClase = kc == CXCursor_ClassDecl || kc == CXCursor_StructDecl ||
                                 kc == CXCursor_ClassTemplate ||
                                 kc == CXCursor_ClassTemplatePartialSpecialization;
            hecho({"F", texto(clang_getCursorUSR(c)), calificado(c), lugar(c), tipo,
                   clang_isCursorDefinition(c) ? "1" : "0",
                   enClase ? texto(clang_getCursorDisplayName(clase)) : "-", acceso(c),
                   texto(clang_getCursorDisplayName(c))});
            if (clang_isCursorDefinition(c)) {
                funciones.push_back(texto(clang_getCursorUSR(c)));
                dentroDeFuncion = true;
            }
        } else if (k == CXCursor_ClassDecl || k == CXCursor_StructDecl ||
                   k == CXCursor_ClassTemplate ||
                   k == CXCursor_ClassTemplatePartialSpecialization) {
            const CXCursor plantilla = clang_getSpecializedCursorTemplate(c);
            const std::string tipo = k == CXCursor_ClassTemplate ? "plantilla"
                                     : k == CXCursor_ClassTemplatePartialSpecialization
                                         ? "especializacion-parcial"
                                     : !clang_Cursor_isNull(plantilla) ? "especializacion"
                                                                       : "clase";
            hecho({"K", calificado(c), lugar(c), tipo,
                   clang_Cursor_isNull(plantilla) ? "-" : calificado(plantilla),
                   texto(clang_getCursorDisplayName(c)), clang_isCursorDefinition(c) ? "1" : "0"});
        } else if (k == CXCursor_FieldDecl) {
            hecho({"M", texto(clang_getCursorDisplayName(clang_getCursorSemanticParent(c))),
                   texto(clang_getCursorSpelling(c)), acceso(c), lugar(c), "campo"});
        } else if (k == CXCursor_ForStmt || k == CXCursor_WhileStmt || k == CXCursor_DoStmt ||
                   k == CXCursor_CXXForRangeStmt || k == CXCursor_GotoStmt ||
                   k == CXCursor_IndirectGotoStmt) {
            const char* tipo = k == CXCursor_ForStmt           ? "for"
                               : k == CXCursor_WhileStmt       ? "while"
                               : k == CXCursor_DoStmt          ? "do"
                               : k == CXCursor_CXXForRangeStmt ? "for-rango"
                                                               : "goto";
            hecho({"B", enFuncion(), tipo, lugar(c)});
        } else if (k == CXCursor_CallExpr) {
            const CXCursor llamado = clang_getCursorReferenced(c);
            if (!clang_Cursor_isNull(llamado) && esFuncion(clang_getCursorKind(llamado))) {
                const CXCursor plantilla = clang_getSpecializedCursorTemplate(llamado);
                const CXCursor base = clang_Cursor_isNull(plantilla) ? llamado : plantilla;
                hecho({"C", enFuncion(), texto(clang_getCursorUSR(base)), calificado(base),
                       lugar(c)});
            }
        } else if (k == CXCursor_VarDecl) {
            const CXCursorKind padre = clang_getCursorKind(clang_getCursorSemanticParent(c));
            const bool local = esFuncion(padre) || padre == CXCursor_LambdaExpr;
            if (local) {
                // Qué tiene como valor inicial: una lambda, una llamada a una función.
                std::string inicial = "-";
                for (CXCursor h : hijos(c)) {
                    h = sinEnvoltorio(h);
                    const CXCursorKind kh = clang_getCursorKind(h);
                    if (kh == CXCursor_LambdaExpr) inicial = "lambda";
                    if (kh == CXCursor_CallExpr)
                        inicial = "llamada:" + calificado(clang_getCursorReferenced(h));
                }
                hecho({"V", enFuncion(), texto(clang_getCursorSpelling(c)),
                       texto(clang_getTypeSpelling(clang_getCursorType(c))), lugar(c), inicial,
                       clang_Cursor_getStorageClass(c) == CX_SC_Static ? "1" : "0"});
                if (inicial == "lambda") guardadaEn = texto(clang_getCursorSpelling(c));
            }
        } else if (k == CXCursor_LambdaExpr) {
            lambda(c);
            guardadaEn = "-";
        } else if (k == CXCursor_BinaryOperator || k == CXCursor_CompoundAssignOperator) {
            const std::string op = operadorBinario(c);
            if (op == "=" || (k == CXCursor_CompoundAssignOperator)) {
                const std::vector<CXCursor> h = hijos(c);
                if (!h.empty()) hecho({"A", enFuncion(), destino(h[0]), lugar(c), op});
            }
        } else if (k == CXCursor_UnaryOperator) {
            bool delante = false;
            const std::string op = operadorUnario(c, delante);
            const std::vector<CXCursor> h = hijos(c);
            if ((op == "++" || op == "--") && !h.empty())
                hecho({"A", enFuncion(), destino(h[0]), lugar(c), op});
            if (op == "*") hecho({"D", enFuncion(), destino(c), lugar(c)});
        } else if (k == CXCursor_CXXNewExpr) {
            Simbolos s(tu, c);
            bool arreglo = false;
            for (unsigned i = 0; i < s.n; ++i) arreglo = arreglo || s[i] == "[";
            hecho({"N", enFuncion(),
                   texto(clang_getTypeSpelling(clang_getPointeeType(clang_getCursorType(c)))),
                   lugar(c), arreglo ? "1" : "0"});
        }
        for (CXCursor h : hijos(c)) visitar(h);
        if (dentroDeFuncion) funciones.pop_back();
    }
};

// Las fichas léxicas (tokens) de los archivos de la solución, sin los comentarios, una por
// línea: «T, archivo:línea, clase (p signo, k palabra clave, i nombre, l literal), texto». Con
// ellas se comparan entregas entre sí. Son de la solución los archivos de la carpeta donde se
// analiza: el fuente y los que incluye de ahí (no las cabeceras del sistema ni las de la
// colección).
void escribirFichas(CXTranslationUnit tu, const char* fuente) {
    char actual[PATH_MAX];
    if (getcwd(actual, sizeof actual) == nullptr) return;
    const std::string carpeta = std::string(actual) + "/";
    std::vector<CXFile> archivos = {clang_getFile(tu, fuente)};
    clang_getInclusions(
        tu,
        [](CXFile incluido, CXSourceLocation*, unsigned profundidad, CXClientData datos) {
            if (profundidad > 0) static_cast<std::vector<CXFile>*>(datos)->push_back(incluido);
        },
        &archivos);
    std::vector<std::string> vistos;
    for (CXFile archivo : archivos) {
        if (archivo == nullptr) continue;
        char real[PATH_MAX];
        const std::string nombre = texto(clang_getFileName(archivo));
        if (realpath(nombre.c_str(), real) == nullptr) continue;
        const std::string ruta = real;
        if (ruta.rfind(carpeta, 0) != 0) continue;
        bool visto = false;
        for (const std::string& v : vistos) visto = visto || v == ruta;
        if (visto) continue;
        vistos.push_back(ruta);
        std::size_t tam = 0;
        clang_getFileContents(tu, archivo, &tam);
        const CXSourceRange todo =
            clang_getRange(clang_getLocationForOffset(tu, archivo, 0),
                           clang_getLocationForOffset(tu, archivo, static_cast<unsigned>(tam)));
        CXToken* fichas = nullptr;
        unsigned n = 0;
        clang_tokenize(tu, todo, &fichas, &n);
        const std::string corto = ruta.substr(ruta.rfind('/') + 1);
        for (unsigned i = 0; i < n; ++i) {
            const CXTokenKind k = clang_getTokenKind(fichas[i]);
            if (k == CXToken_Comment) continue;
            unsigned linea = 0;
            clang_getSpellingLocation(clang_getTokenLocation(tu, fichas[i]), nullptr, &linea,
                                      nullptr, nullptr);
            const char* clase = k == CXToken_Punctuation  ? "p"
                                : k == CXToken_Keyword    ? "k"
                                : k == CXToken_Identifier ? "i"
                                                          : "l";
            hecho({"T", corto + ":" + std::to_string(linea), clase,
                   texto(clang_getTokenSpelling(tu, fichas[i]))});
        }
        clang_disposeTokens(tu, fichas, n);
    }
}

// Lee un fuente y escribe sus hechos y sus fichas, y «fin». false si libclang no pudo leerlo.
bool analizar(CXIndex indice, const char* fuente, const std::vector<const char*>& argumentos) {
    CXTranslationUnit tu = nullptr;
    const CXErrorCode error = clang_parseTranslationUnit2(
        indice, fuente, argumentos.data(), static_cast<int>(argumentos.size()), nullptr, 0,
        CXTranslationUnit_KeepGoing, &tu);
    if (error != CXError_Success || tu == nullptr) {
        std::fprintf(stderr, "libclang no pudo leer %s (error %d)\n", fuente,
                     static_cast<int>(error));
        return false;
    }
    // Los errores de compilación no importan aquí: los dice la compilación.
    Analizador a{tu, {}};
    for (CXCursor c : hijos(clang_getTranslationUnitCursor(tu))) a.visitar(c);
    escribirFichas(tu, fuente);
    std::puts("fin");
    clang_disposeTranslationUnit(tu);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(
            "Uso: analizador FUENTE [ARGUMENTOS DEL COMPILADOR...]\n"
            "     analizador --varios FUENTE... -- [ARGUMENTOS DEL COMPILADOR...]\n",
            stderr);
        return 2;
    }
    const bool varios = std::string(argv[1]) == "--varios";
    std::vector<const char*> fuentes;
    int i = 1;
    if (varios) {
        for (i = 2; i < argc && std::string(argv[i]) != "--"; ++i) fuentes.push_back(argv[i]);
        if (i < argc) ++i;
    } else {
        fuentes.push_back(argv[i++]);
    }
    std::vector<const char*> argumentos = {"-x", "c++", "-std=c++17"};
    for (; i < argc; ++i) argumentos.push_back(argv[i]);
    CXIndex indice = clang_createIndex(0, 0);
    bool todos = true;
    for (const char* fuente : fuentes) {
        const bool leido = analizar(indice, fuente, argumentos);
        if (!leido && varios) std::puts("sin árbol");
        todos = todos && leido;
        std::fflush(stdout);
    }
    clang_disposeIndex(indice);
    return todos ? 0 : 1;
}

// Pruebas de los informes con revisiones escritas a mano: lo que escribe una entrega hostil no
// llega crudo ni a la terminal ni al XML, el JUnit se lee con un analizador de XML de verdad, la
// tabla CSV sigue RFC 4180, los fallos iguales se explican una vez y el informe de siempre
// conserva su forma byte a byte.
#include "informe.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "texto.h"

namespace fs = std::filesystem;

namespace comprobador {
namespace {

using std::chrono::milliseconds;

Comprobacion caso(const std::string& nombre, Estado estado, milliseconds tiempo) {
    Comprobacion c;
    c.id = "caso/" + nombre;
    c.frase = nombre;
    c.tipo = Tipo::Caso;
    c.estado = estado;
    c.tiempo = tiempo;
    return c;
}

Comprobacion bien(const std::string& nombre, milliseconds tiempo = milliseconds(0)) {
    return caso(nombre, Estado::Paso, tiempo);
}

Comprobacion fallo(const std::string& nombre, const std::string& explicacion,
                   const std::vector<std::string>& pistas = {},
                   milliseconds tiempo = milliseconds(0)) {
    Comprobacion c = caso(nombre, Estado::Fallo, tiempo);
    c.evidencia.explicacion = explicacion;
    c.evidencia.pistas = pistas;
    return c;
}

Comprobacion conSalidas(Comprobacion c, const std::string& esperado, const std::string& obtenido) {
    c.evidencia.esperado = esperado;
    c.evidencia.obtenido = obtenido;
    return c;
}

Comprobacion decidido(const std::string& nombre, const std::string& explicacion) {
    Comprobacion c = fallo(nombre, explicacion);
    c.grupo = Grupo::Decision;
    return c;
}

Comprobacion preparacion(const std::string& id, bool paso, const std::string& salida = "") {
    Comprobacion c;
    c.id = id;
    c.frase = id;
    c.grupo = Grupo::Preparacion;
    c.tipo = Tipo::Compilacion;
    c.estado = paso ? Estado::Paso : Estado::Fallo;
    c.evidencia.obtenido = salida;
    return c;
}

// Un hallazgo de la robustez con una entrada.
Comprobacion hostil(const std::string& entrada, const std::string& hallazgo) {
    Comprobacion c;
    c.id = "robustez/" + entrada;
    c.frase = entrada;
    c.grupo = Grupo::Robustez;
    c.tipo = Tipo::Robustez;
    c.estado = hallazgo.empty() ? Estado::Paso : Estado::Fallo;
    c.causa = hallazgo;
    return c;
}

Revision revision(const std::string& nombre, const std::vector<Comprobacion>& casos) {
    Revision r;
    r.entrega.nombre = nombre;
    r.aislada = true;
    r.comprobaciones = {preparacion("lectura", true), preparacion("compilacion", true)};
    r.comprobaciones.insert(r.comprobaciones.end(), casos.begin(), casos.end());
    return r;
}

// Lo que queda cuando no compila: todo lo demás sin ejecutar, esperando a la compilación.
Revision sinCompilar(const std::string& nombre, const std::string& errores, int casos) {
    Revision r = revision(nombre, {});
    r.comprobaciones[1] = preparacion("compilacion", false, errores);
    for (int i = 0; i < casos; ++i) {
        Comprobacion c =
            caso("caso " + std::to_string(i + 1), Estado::NoEjecutada, milliseconds(0));
        c.esperaA = "compilacion";
        c.causa = "no compila";
        r.comprobaciones.push_back(c);
    }
    return r;
}

// Cambia la compilación de una revisión: sus avisos, o que no compila.
void conAvisos(Revision& r, const std::string& avisos) {
    r.comprobaciones[1].evidencia.obtenido = avisos;
}

void sinCompilarYa(Revision& r) {
    r.comprobaciones[1].estado = Estado::Fallo;
    for (Comprobacion& c : r.comprobaciones) {
        if (c.grupo != Grupo::Ejercicio) continue;
        c.estado = Estado::NoEjecutada;
        c.esperaA = "compilacion";
        c.causa = "no compila";
    }
}

// Las comprobaciones de funciones no compilan con esta nota (las funciones quedan sin hacer).
void conNotaDeFunciones(Revision& r, const std::vector<std::string>& nota) {
    Comprobacion c = preparacion("compilacion-funciones", false);
    c.causa = "las comprobaciones no compilan con tu solución (mira la nota de arriba)";
    c.evidencia.pistas = nota;
    r.comprobaciones.push_back(c);
}

void conHallazgos(Revision& r, const std::vector<std::string>& hallazgos) {
    for (std::size_t i = 0; i < hallazgos.size(); ++i)
        r.comprobaciones.push_back(hostil("entrada " + std::to_string(i + 1), hallazgos[i]));
}

std::string informe(const std::string& programa, const Revision& r, bool color = false) {
    std::ostringstream os;
    Estilo estilo;
    estilo.color = color;
    escribirInforme(os, programa, r, estilo);
    return os.str();
}

std::string resumen(const std::vector<Revision>& revisiones, bool color = false) {
    std::ostringstream os;
    Estilo estilo;
    estilo.color = color;
    escribirResumen(os, revisiones, estilo);
    return os.str();
}

std::string ultimaLinea(std::string texto) {
    while (!texto.empty() && texto.back() == '\n') texto.pop_back();
    return texto.substr(texto.rfind('\n') + 1);
}

std::size_t contar(const std::string& texto, const std::string& trozo) {
    std::size_t n = 0;
    for (std::size_t p = texto.find(trozo); p != std::string::npos; p = texto.find(trozo, p + 1)) {
        ++n;
    }
    return n;
}

// Un archivo temporal propio que se borra al terminar.
struct Temporal {
    fs::path ruta;
    explicit Temporal(const std::string& extension) {
        std::string plantilla =
            (fs::temp_directory_path() / ("prueba-informe-XXXXXX" + extension)).string();
        const int fd = mkstemps(plantilla.data(), static_cast<int>(extension.size()));
        if (fd >= 0) close(fd);
        ruta = plantilla;
    }
    ~Temporal() {
        std::error_code ec;
        fs::remove(ruta, ec);
    }
};

std::string leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

// Lo que un analizador de XML de verdad (xml.dom.minidom de Python) lee del JUnit, una línea
// por elemento: "suite|nombre|tests|failures|time", "property|nombre|valor",
// "case|classname|name|time|mensaje del fallo o -|primera línea de su texto",
// "err|líneas|última línea". Si no es XML bien formado, empieza por "ERROR".
constexpr const char* kLector = R"(import sys, xml.dom.minidom as m
try:
    d = m.parse(sys.argv[1])
except Exception as e:
    sys.stdout.buffer.write(('ERROR ' + str(e) + '\n').encode('utf-8'))
    sys.exit(0)
def texto(e):
    return ''.join(n.data for n in e.childNodes if n.nodeType == n.TEXT_NODE)
filas = []
for s in d.getElementsByTagName('testsuite'):
    filas.append('|'.join(['suite'] + [s.getAttribute(a) for a in ('name', 'tests', 'failures', 'time')]))
    for p in s.getElementsByTagName('property'):
        filas.append('|'.join(['property', p.getAttribute('name'), p.getAttribute('value')]))
    for c in s.getElementsByTagName('testcase'):
        f = c.getElementsByTagName('failure')
        campos = ['case'] + [c.getAttribute(a) for a in ('classname', 'name', 'time')]
        campos += [f[0].getAttribute('message'), texto(f[0]).split('\n')[0]] if f else ['-']
        filas.append('|'.join(campos))
    for e in s.getElementsByTagName('system-err'):
        ls = texto(e).split('\n')
        if ls[-1] == '':
            ls.pop()
        filas.append('|'.join(['err', str(len(ls)), ls[-1] if ls else '']))
sys.stdout.buffer.write(''.join(f + '\n' for f in filas).encode('utf-8'))
)";

bool hayPython() { return std::system("command -v python3 >/dev/null 2>&1") == 0; }

std::vector<std::string> leerJUnit(const fs::path& archivo) {
    Temporal lector(".py"), salida(".txt");
    std::ofstream(lector.ruta) << kLector;
    const std::string orden = "python3 " + lector.ruta.string() + " " + archivo.string() + " > " +
                              salida.ruta.string() + " 2>&1";
    EXPECT_EQ(std::system(orden.c_str()), 0) << orden;
    return nucleo::lineasDe(leer(salida.ruta));
}

// Los bytes que no deben llegar ni a una terminal ni a un XML: controles (salvo el salto de
// línea y el tabulador), DEL y lo que no es UTF-8.
void sinBytesPeligrosos(const std::string& texto) {
    std::size_t malo = 0;
    EXPECT_TRUE(nucleo::utf8Valido(texto, &malo)) << "byte " << malo << ": " << texto;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        EXPECT_FALSE((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F)
            << "byte " << nucleo::hex(c) << " en la posición " << i << ": " << texto;
    }
}

// Un texto sin los colores del propio comprobador.
std::string sinColores(std::string texto) {
    for (const char* codigo :
         {"\033[32m", "\033[31m", "\033[33m", "\033[1m", "\033[2m", "\033[0m"}) {
        for (std::size_t p; (p = texto.find(codigo)) != std::string::npos;) {
            texto.erase(p, std::string(codigo).size());
        }
    }
    return texto;
}

// La explicación de un fallo tal como la escribe el juez: la entrada, la salida y las pistas.
std::string explicacion(const std::string& entrada, const std::string& obtenido,
                        const std::string& pista) {
    return entrada +
           "Salida estándar:\n"
           "  Primera diferencia: línea 1, columna 11.\n"
           "  Esperado:\n"
           "    │3 * 4 = 12⏎\n"
           "  Obtenido:\n"
           "    │" +
           obtenido +
           "\n"
           "               ^\n"
           "Pistas:\n"
           "  - " +
           pista + "\n";
}

std::string escrita(const std::string& entrada) {
    return "Entrada escrita de una vez:\n    │" + entrada + "\n";
}

const std::string kSinFin =
    "Falta el salto de línea al final de la última línea: termínala con std::endl (o '\\n', "
    "según pida el enunciado).";

// ------------------------------------------------------------------------- textoSeguro

TEST(TextoSeguro, MuestraLoQueObedeceLaTerminalYDejaLasLetras) {
    struct Fila {
        std::string entrada, texto, linea;
    } filas[] = {
        {"año ✓ │ 3 * 4 = 12⏎", "año ✓ │ 3 * 4 = 12⏎", "año ✓ │ 3 * 4 = 12⏎"},
        {"a\tb\nc\n", "a\tb\nc\n", "a\\tb\\nc\\n"},
        {"\033[2J\033[H", "\\x1B[2J\\x1B[H", "\\x1B[2J\\x1B[H"},
        {std::string("\a\b\0\f\v", 5), "\\x07\\x08\\x00\\x0C\\x0B", "\\x07\\x08\\x00\\x0C\\x0B"},
        {"borra\x7F", "borra\\x7F", "borra\\x7F"},
        {"fin\r\n", "fin\\r\n", "fin\\r\\n"},
        {"\xFAnico (latin1)", "\\xFAnico (latin1)", "\\xFAnico (latin1)"},
        {"cortada \xC3", "cortada \\xC3", "cortada \\xC3"},
        {"\xC2\x9B"
         "2J (CSI de ocho bits)",
         "\\xC2\\x9B2J (CSI de ocho bits)", "\\xC2\\x9B2J (CSI de ocho bits)"},
        {"\xC2\xA0no separa", "\xC2\xA0no separa", "\xC2\xA0no separa"},
        {"\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xBF\xBD", "\\xEF\\xBF\\xBE\\xEF\\xBF\\xBF\xEF\xBF\xBD",
         "\\xEF\\xBF\\xBE\\xEF\\xBF\\xBF\xEF\xBF\xBD"},
        {"\xED\xA0\x80 sustituto", "\\xED\\xA0\\x80 sustituto", "\\xED\\xA0\\x80 sustituto"},
        {"\xC0\xAF larga", "\\xC0\\xAF larga", "\\xC0\\xAF larga"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.texto);
        EXPECT_EQ(textoSeguro(f.entrada), f.texto);
        EXPECT_EQ(lineaSegura(f.entrada), f.linea);
        EXPECT_EQ(textoSeguro(f.texto), f.texto) << "lo ya seguro no cambia";
        sinBytesPeligrosos(f.linea);
    }
}

// -------------------------------------------------------------------- Informe de texto

// Una entrega que intenta borrar la pantalla y escribir su propio resultado.
const std::string kHostil =
    "\033[2J\033[H\r✓ 1\n✓ 23 de 23 comprobaciones correctas\033[8m\x7F\xFF\xC2\x9B"
    "0m";

TEST(Informe, LoQueEscribeLaEntregaNoLlegaCrudoALaTerminal) {
    struct Fila {
        const char* donde;
        std::function<std::string()> escribir;
        std::string ultima;  // la última línea, la del propio comprobador
        bool unaLinea;       // el salto de línea ajeno también se muestra
    } filas[] = {
        {"salida del compilador",
         [] { return informe("ringchain", sinCompilar("ana.cpp", kHostil, 2), true); },
         "0 de 2 comprobaciones correctas", false},
        {"avisos del compilador",
         [] {
             Revision r = revision("ana.cpp", {bien("ejemplo")});
             conAvisos(r, kHostil);
             return informe("ringchain", r, true);
         },
         "1 de 1 comprobaciones correctas", false},
        {"explicación de un caso",
         [] {
             return informe("ringchain",
                            revision("ana.cpp", {fallo("ejemplo", kHostil, {kHostil})}), true);
         },
         "0 de 1 comprobaciones correctas", false},
        {"decisión de la colección",
         [] {
             return informe("ringchain",
                            revision("ana.cpp", {bien("ejemplo"), decidido("vacía", kHostil)}),
                            true);
         },
         "1 de 1 comprobaciones correctas", false},
        {"nota de las funciones",
         [] {
             Revision r = revision("ana.cpp", {bien("ejemplo")});
             conNotaDeFunciones(r, {kHostil});
             return informe("ringchain", r, true);
         },
         "1 de 1 comprobaciones correctas", false},
        {"nombre de la entrega",
         [] { return informe("ringchain", revision(kHostil + ".cpp", {bien("ejemplo")}), true); },
         "1 de 1 comprobaciones correctas", true},
        {"hallazgo de robustez",
         [] {
             Revision r = revision("ana.cpp", {bien("ejemplo")});
             r.comprobaciones.push_back(hostil("ana", kHostil));
             return informe("ringchain", r, true);
         },
         "1 de 1 comprobaciones correctas", true},
        {"nombre en el resumen",
         [] {
             return resumen({revision(kHostil, {bien("ejemplo")}), revision("beto.cpp", {})}, true);
         },
         "2 de 2 entregas correctas", true},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.donde);
        const std::string crudo = f.escribir();
        EXPECT_NE(crudo.find("\033[0m"), std::string::npos) << "los colores propios quedan";
        const std::string salida = sinColores(crudo);
        sinBytesPeligrosos(salida);
        EXPECT_NE(salida.find("\\x1B[2J\\x1B[H\\r✓ 1"), std::string::npos) << salida;
        EXPECT_NE(salida.find("\\x1B[8m\\x7F\\xFF\\xC2\\x9B0m"), std::string::npos) << salida;
        EXPECT_EQ(ultimaLinea(salida), f.ultima) << salida;
        if (f.unaLinea) {
            EXPECT_EQ(salida.find("\n✓ 23"), std::string::npos) << salida;
        }
    }
}

TEST(Informe, ConservaSuFormaCuandoNadaSeRepite) {
    Revision pasa = revision("mi_cuadrado.cpp", {bien("ejemplo"), bien("negativo")});
    pasa.comprobaciones.push_back(
        decidido("entrada vacía", "sin entrada la colección escribe «Entrada no válida.»"));
    pasa.comprobaciones.push_back(hostil("vacía", ""));
    pasa.comprobaciones.push_back(
        hostil("mayor y menor",
               "UBSan: signed-integer-overflow en mi_cuadrado.cpp:11: un int se desbordó"));

    Revision falla = revision(
        "mi_producto.cpp",
        {fallo("sin entrada",
               explicacion(escrita("(vacía)"), "3 * 4 = 12(sin fin de línea)", kSinFin), {kSinFin}),
         fallo("ignora la entrada", explicacion(escrita("5 5⏎"), "3 * 4 = 13⏎", "Otra cuenta."),
               {"Otra cuenta."})});

    Revision conFunciones = revision("a.cpp", {bien("ejemplo")});
    conAvisos(conFunciones, "a.cpp:3:7: warning: unused variable ‘x’\n");
    Comprobacion sumar = bien("sumar");
    sumar.tipo = Tipo::Funcion;
    conFunciones.comprobaciones.push_back(preparacion("compilacion-funciones", true));
    conFunciones.comprobaciones.push_back(sumar);

    Revision sinFunciones = revision("a.cpp", {bien("ejemplo")});
    conNotaDeFunciones(sinFunciones, {"No se encuentra «sumar»: falta o tiene otro nombre."});
    Comprobacion sinHacer = caso("sumar", Estado::NoEjecutada, milliseconds(0));
    sinHacer.tipo = Tipo::Funcion;
    sinHacer.esperaA = "compilacion-funciones";
    sinHacer.causa = "las comprobaciones no compilan con tu solución (mira la nota de arriba)";
    sinFunciones.comprobaciones.push_back(sinHacer);

    struct Fila {
        const char* que;
        std::string programa;
        Revision revision;
        std::string esperado;
    } filas[] = {
        {"pasa", "closuresquare", pasa,
         "Comprobación de closuresquare: mi_cuadrado.cpp\n"
         "✓ 2 de 2 comprobaciones correctas.\n"
         "\n"
         "Casos del ejercicio\n"
         "  ✓ ejemplo\n"
         "  ✓ negativo\n"
         "\n"
         "Decisiones de la colección (el ejercicio no pide nada en estos casos: no cuentan)\n"
         "  – entrada vacía: sin entrada la colección escribe «Entrada no válida.»\n"
         "\n"
         "Robustez (entradas hostiles con AddressSanitizer y UBSan; no cuenta)\n"
         "  ⚠ Con la entrada «mayor y menor»: UBSan: signed-integer-overflow en "
         "mi_cuadrado.cpp:11: un int se desbordó\n"
         "\n"
         "2 de 2 comprobaciones correctas\n"},
        {"dos fallos distintos", "fixedproduct", falla,
         "Comprobación de fixedproduct: mi_producto.cpp\n"
         "✗ 0 de 2 comprobaciones correctas. Lo primero que falla: «sin entrada»: " +
             kSinFin +
             "\n"
             "\n"
             "Casos del ejercicio\n"
             "  ✗ sin entrada\n"
             "      Entrada escrita de una vez:\n"
             "          │(vacía)\n"
             "      Salida estándar:\n"
             "        Primera diferencia: línea 1, columna 11.\n"
             "        Esperado:\n"
             "          │3 * 4 = 12⏎\n"
             "        Obtenido:\n"
             "          │3 * 4 = 12(sin fin de línea)\n"
             "                     ^\n"
             "      Pistas:\n"
             "        - " +
             kSinFin +
             "\n"
             "  ✗ ignora la entrada\n"
             "      Entrada escrita de una vez:\n"
             "          │5 5⏎\n"
             "      Salida estándar:\n"
             "        Primera diferencia: línea 1, columna 11.\n"
             "        Esperado:\n"
             "          │3 * 4 = 12⏎\n"
             "        Obtenido:\n"
             "          │3 * 4 = 13⏎\n"
             "                     ^\n"
             "      Pistas:\n"
             "        - Otra cuenta.\n"
             "\n"
             "0 de 2 comprobaciones correctas\n"},
        {"avisos y funciones", "sumas", conFunciones,
         "Comprobación de sumas: a.cpp\n"
         "✓ 2 de 2 comprobaciones correctas.\n"
         "Avisos del compilador (no impiden la comprobación, pero conviene corregirlos):\n"
         "a.cpp:3:7: warning: unused variable ‘x’\n"
         "\n"
         "Casos del ejercicio\n"
         "  ✓ ejemplo\n"
         "\n"
         "Funciones del ejercicio\n"
         "  ✓ sumar\n"
         "\n"
         "2 de 2 comprobaciones correctas\n"},
        {"las funciones no compilan", "sumas", sinFunciones,
         "Comprobación de sumas: a.cpp\n"
         "✗ 1 de 2 comprobaciones correctas. Lo primero que falla: «sumar»: las comprobaciones no "
         "compilan con tu solución (mira la nota de arriba)\n"
         "\n"
         "Casos del ejercicio\n"
         "  ✓ ejemplo\n"
         "\n"
         "Funciones del ejercicio\n"
         "  Las comprobaciones de funciones no compilan con tu solución:\n"
         "    No se encuentra «sumar»: falta o tiene otro nombre.\n"
         "  ✗ sumar\n"
         "      No se pudo ejecutar: las comprobaciones no compilan con tu solución (mira la "
         "nota de arriba).\n"
         "\n"
         "1 de 2 comprobaciones correctas\n"},
        {"no compila", "arraysum",
         sinCompilar("no_compila.cpp",
                     "no_compila.cpp:15:5: error: ‘x’ was not declared in this scope\n", 2),
         "Comprobación de arraysum: no_compila.cpp\n"
         "✗ No compila. Lo que dice el compilador:\n"
         "no_compila.cpp:15:5: error: ‘x’ was not declared in this scope\n"
         "\n"
         "0 de 2 comprobaciones correctas\n"},
        {"no compila y el compilador no acaba la línea", "arraysum",
         sinCompilar("no_compila.cpp", "no_compila.cpp:15:5: error: falta ‘;’", 1),
         "Comprobación de arraysum: no_compila.cpp\n"
         "✗ No compila. Lo que dice el compilador:\n"
         "no_compila.cpp:15:5: error: falta ‘;’\n"
         "\n"
         "0 de 1 comprobaciones correctas\n"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.que);
        EXPECT_EQ(informe(f.programa, f.revision), f.esperado);
    }
}

TEST(Informe, LaUltimaLineaCuentaLoQuePideElEjercicio) {
    struct Fila {
        std::vector<Comprobacion> casos;
        bool compila;
        std::string ultima;
    } filas[] = {
        {{bien("a")}, true, "1 de 1 comprobaciones correctas"},
        {{fallo("a", "x\n")}, true, "0 de 1 comprobaciones correctas"},
        {{bien("a"), decidido("b", "otra cosa")}, true, "1 de 1 comprobaciones correctas"},
        {{bien("a"), bien("b"), fallo("c", "x\n")}, true, "2 de 3 comprobaciones correctas"},
        {{bien("a"), bien("b"), bien("c")}, false, "0 de 3 comprobaciones correctas"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.ultima);
        Revision r = revision("ana.cpp", f.casos);
        if (!f.compila) sinCompilarYa(r);
        EXPECT_EQ(ultimaLinea(informe("ringchain", r)), f.ultima);
    }
}

TEST(Informe, LosFallosIgualesSeExplicanUnaVez) {
    const std::string conversacion =
        "Conversación (cada respuesta se escribe cuando ya llegó su aviso):\n"
        "    │aviso «Número: » → respuesta «3⏎»\n";
    const std::string sinFin =
        explicacion(escrita("(vacía)"), "3 * 4 = 12(sin fin de línea)", kSinFin);
    auto igual = [&](const std::string& nombre, const std::string& entrada) {
        return fallo(nombre, explicacion(entrada, "3 * 4 = 12(sin fin de línea)", kSinFin),
                     {kSinFin});
    };
    auto completo = [&](const std::string& nombre, const std::string& explicacion) {
        return "  ✗ " + nombre + "\n" + nucleo::sangrar(explicacion, "      ");
    };
    struct Fila {
        const char* que;
        std::vector<Comprobacion> casos;
        std::string esperado;  // la sección «Casos del ejercicio», sin su título
        std::string ultima;
    } filas[] = {
        {"otra entrada escrita",
         {igual("sin entrada", escrita("(vacía)")), igual("ignora la entrada", escrita("5 5⏎"))},
         completo("sin entrada", sinFin) +
             "  ✗ ignora la entrada: el mismo fallo que «sin entrada»\n",
         "0 de 2 comprobaciones correctas"},
        {"tres, uno que pasa en medio y una conversación",
         {igual("uno", escrita("(vacía)")), bien("dos"), igual("otro caso", escrita("1⏎\n    │2⏎")),
          igual("otro más", conversacion)},
         completo("uno", sinFin) + "  ✗ otro caso, y otro más: el mismo fallo que «uno»\n" +
             "  ✓ dos\n",
         "1 de 4 comprobaciones correctas"},
        {"otras pistas",
         {igual("a", escrita("(vacía)")), fallo("b", sinFin, {kSinFin, "Y además otra."})},
         completo("a", sinFin) + completo("b", sinFin),
         "0 de 2 comprobaciones correctas"},
        {"otra salida",
         {conSalidas(igual("a", escrita("(vacía)")), "3 * 4 = 12\n", "3 * 4 = 12"),
          conSalidas(
              fallo("b", explicacion(escrita("5 5⏎"), "3 * 4 = 13(sin fin de línea)", kSinFin),
                    {kSinFin}),
              "3 * 4 = 12\n", "3 * 4 = 13")},
         completo("a", sinFin) +
             completo("b", explicacion(escrita("5 5⏎"), "3 * 4 = 13(sin fin de línea)", kSinFin)),
         "0 de 2 comprobaciones correctas"},
        {"la misma pista y el mismo cambio con otros datos",
         {conSalidas(igual("a", escrita("(vacía)")), "2 a 10 es 1024\n", "2 a 10 es 1024"),
          conSalidas(
              fallo("b", explicacion(escrita("2 -2⏎"), "2 a -2 es 0.25(sin fin de línea)", kSinFin),
                    {kSinFin}),
              "2 a -2 es 0.25\n", "2 a -2 es 0.25")},
         completo("a", sinFin) + "  ✗ b: el mismo fallo que «a»\n",
         "0 de 2 comprobaciones correctas"},
        {"sin bloque de entrada",
         {fallo("a", "No se ejecutó: el programa ya agotó el tiempo en dos casos.\n"),
          fallo("b", "No se ejecutó: el programa ya agotó el tiempo en dos casos.\n")},
         completo("a", "No se ejecutó: el programa ya agotó el tiempo en dos casos.\n") +
             "  ✗ b: el mismo fallo que «a»\n",
         "0 de 2 comprobaciones correctas"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.que);
        const std::string salida = informe("fixedproduct", revision("p.cpp", f.casos));
        const std::string titulo = "Casos del ejercicio\n";
        const std::size_t inicio = salida.find(titulo) + titulo.size();
        EXPECT_EQ(salida.substr(inicio, salida.find("\n\n", inicio) + 1 - inicio), f.esperado);
        EXPECT_EQ(ultimaLinea(salida), f.ultima);
    }

    // Las decisiones de la colección se dicen en una línea cada una, aunque coincidan.
    const std::string salida = informe(
        "p", revision("p.cpp", {bien("a"), decidido("b", "igual"), decidido("c", "igual")}));
    EXPECT_NE(salida.find("  – b: igual\n  – c: igual\n"), std::string::npos) << salida;
}

TEST(Informe, SinAislamientoLoDiceUnaVezAntesDeLosCasos) {
    const std::string aviso =
        "⚠ Sin aislamiento: esta entrega se compiló y se ejecutó sin bubblewrap.\n";
    struct Fila {
        bool compila, aislada;
        const char* siguiente;  // lo que viene detrás del aviso
    } filas[] = {
        {true, false,
         "✗ 0 de 2 comprobaciones correctas. Lo primero que falla: «a»\n\nCasos del ejercicio\n"},
        {false, false, "✗ No compila."},
        {true, true, nullptr},
        {false, true, nullptr},
    };
    for (const Fila& f : filas) {
        Revision r = revision("ana.cpp", {fallo("a", "x\n"), fallo("b", "y\n")});
        if (!f.compila) sinCompilarYa(r);
        r.aislada = f.aislada;
        const std::string salida = informe("ringchain", r);
        if (f.siguiente == nullptr) {
            EXPECT_EQ(salida.find("aislamiento"), std::string::npos) << salida;
        } else {
            EXPECT_EQ(contar(salida, "Sin aislamiento"), 1u) << salida;
            EXPECT_NE(salida.find("Comprobación de ringchain: ana.cpp\n" + aviso + f.siguiente),
                      std::string::npos)
                << salida;
        }
    }
}

// ------------------------------------------------------------------------------ Resumen

TEST(Resumen, CuentaEnSingularYPluralYSoloMuestraAisladaSiHaceFalta) {
    auto revisiones = [](bool carlaAislada) {
        Revision ana = revision("ana.cpp", {bien("a"), bien("b")});
        Revision beto = revision("beto.cpp", {bien("a"), fallo("b", "x\n")});
        conHallazgos(beto, {"uno"});
        Revision carla = sinCompilar("carla.cpp", "error\n", 2);
        carla.aislada = carlaAislada;
        Revision dani = revision("dani.cpp", {bien("a"), bien("b")});
        conHallazgos(dani, {"uno", "dos"});
        return std::vector<Revision>{ana, beto, carla, dani};
    };
    struct Fila {
        bool carlaAislada;
        std::string esperado;
    } filas[] = {
        {true,
         "Entrega    Casos      Robustez\n"
         "ana.cpp    2/2        sin hallazgos\n"
         "beto.cpp   1/2        1 hallazgo\n"
         "carla.cpp  no compila -\n"
         "dani.cpp   2/2        2 hallazgos\n"
         "2 de 4 entregas correctas\n"},
        {false,
         "Entrega    Casos      Robustez       Aislada\n"
         "ana.cpp    2/2        sin hallazgos  sí\n"
         "beto.cpp   1/2        1 hallazgo     sí\n"
         "carla.cpp  no compila -              no\n"
         "dani.cpp   2/2        2 hallazgos    sí\n"
         "2 de 4 entregas correctas\n"},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(resumen(revisiones(f.carlaAislada)), f.esperado);
    }
}

// -------------------------------------------------------------------------------- JUnit

// 3 KB de bytes de todo tipo, con "]]>", "<", "&", NUL, ESC y bytes sueltos que no son UTF-8.
std::string basura() {
    std::string b = "<error> & ]]> \"'\n";
    for (int i = 0; b.size() < 3 * 1024; ++i) b += static_cast<char>((i * 37 + i / 256) % 256);
    return b;
}

TEST(JUnit, EsXmlBienFormadoConLoQueSeaQueEscribaLaEntrega) {
    if (!hayPython()) GTEST_SKIP() << "sin python3 no se puede leer el XML";
    Revision rota = sinCompilar("entregas/\xFFmal\x01 <&>.cpp", basura(), 20);
    rota.aislada = false;
    Revision ana = revision("/home/prof/entregas/ana.cpp",
                            {fallo("sin <entrada> & \"más\"", "Obtenido:\n    │\033[2J\x7F\xFE⏎\n",
                                   {"Sobra \033[31m«x»\r"}, milliseconds(1234)),
                             bien("ejemplo", milliseconds(5))});
    ana.comprobaciones.push_back(hostil("<0>", "\033[2J]]>"));
    Temporal archivo(".xml");
    ASSERT_TRUE(escribirJUnit(archivo.ruta.string(), "ringchain", {rota, ana}));
    const std::string xml = leer(archivo.ruta);
    sinBytesPeligrosos(xml);
    EXPECT_LT(xml.size(), 64u * 1024) << "la salida del compilador va una vez, no por caso";

    std::vector<std::string> leido = leerJUnit(archivo.ruta);
    ASSERT_FALSE(leido.empty());
    ASSERT_NE(leido.front().rfind("ERROR", 0), 0u) << leido.front() << "\n" << xml;
    std::vector<std::string> esperado = {
        "suite|entregas/\\xFFmal\\x01 <&>.cpp|20|20|0.000",
        "property|aislada|no",
    };
    for (int i = 1; i <= 20; ++i) {
        esperado.push_back("case|ringchain.\\xFFmal\\x01 <&>|caso " + std::to_string(i) +
                           "|0.000|No compila|No compila: mira la salida del compilador de esta "
                           "entrega");
    }
    // La basura cabe entera en las líneas que se muestran: llega toda, una vez.
    const std::size_t lineas = nucleo::lineasDe(basura()).size();
    ASSERT_LE(lineas, kLineasDelCompilador);
    esperado.push_back("err|" + std::to_string(lineas));
    esperado.insert(
        esperado.end(),
        {"suite|/home/prof/entregas/ana.cpp|2|1|1.239",
         "case|ringchain.ana|sin <entrada> & \"más\"|1.234|Sobra \\x1B[31m«x»\\r|Obtenido:",
         "case|ringchain.ana|ejemplo|0.005|-"});
    ASSERT_EQ(leido.size(), esperado.size()) << xml;
    leido[22] = leido[22].substr(0, leido[22].find('|', 4));
    EXPECT_EQ(leido, esperado) << xml;
}

TEST(JUnit, CadaCasoLlevaLaClaseDeSuEntregaYSuPrimeraPista) {
    if (!hayPython()) GTEST_SKIP() << "sin python3 no se puede leer el XML";
    struct Fila {
        std::string entrega, clase;
        Comprobacion caso;
        std::string fallo;  // su mensaje y la primera línea de su texto, o "-" si pasa
    } filas[] = {
        {"/home/prof/entregas/ana.cpp", "ringchain.ana",
         fallo("a", "Salida estándar:\nnada\n", {"La primera.", "La segunda."}),
         "La primera.|Salida estándar:"},
        {"fabián/main.cpp", "ringchain.fabián", fallo("a", "Primera línea.\nSegunda.\n"),
         "Primera línea.|Primera línea."},
        {"entregas/\xFFmal.cpp", "ringchain.\\xFFmal", fallo("a", ""), "Falla|"},
        {"entregas/beto", "ringchain.beto", bien("a"), "-"},
        {"entregas/dani/", "ringchain.dani", bien("a"), "-"},
        {"./entregas/ana.v2.cpp", "ringchain.ana_v2", bien("a"), "-"},
        {"../carla.cpp", "ringchain.carla", bien("a"), "-"},
        {"main.cpp", "ringchain.main", bien("a"), "-"},
        {"v1.0/eva.perez", "ringchain.eva_perez", bien("a"), "-"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.entrega);
        Temporal archivo(".xml");
        ASSERT_TRUE(
            escribirJUnit(archivo.ruta.string(), "ringchain", {revision(f.entrega, {f.caso})}));
        const std::vector<std::string> leido = leerJUnit(archivo.ruta);
        ASSERT_EQ(leido.size(), 2u) << leer(archivo.ruta);
        EXPECT_EQ(leido[1], "case|" + f.clase + "|a|0.000|" + f.fallo);
        EXPECT_EQ(leer(archivo.ruta).find("<properties>"), std::string::npos)
            << "una entrega aislada no lleva la propiedad";
    }
}

TEST(JUnit, LaSalidaDelCompiladorVaUnaVezYRecortada) {
    if (!hayPython()) GTEST_SKIP() << "sin python3 no se puede leer el XML";
    auto lineas = [](int n) {
        std::string t;
        for (int i = 1; i <= n; ++i) t += "a.cpp:" + std::to_string(i) + ": error: algo\n";
        return t;
    };
    struct Fila {
        std::string entrega, errores;
        std::size_t errorAlgo;  // líneas del compilador que se muestran
        std::size_t lineas;     // con la que dice cuántas faltan
        std::string ultima;
    } filas[] = {
        {"entregas/ana.cpp", lineas(3), 3, 3, "a.cpp:3: error: algo"},
        {"entregas/ana.cpp", lineas(40), 40, 40, "a.cpp:40: error: algo"},
        {"entregas/ana.cpp", lineas(41), 40, 41, "… 1 línea más"},
        {"mis entregas/ana.cpp", lineas(20000), 40, 41, "… 19960 líneas más"},
        {"entregas/ana.cpp", std::string(100000, 'x'), 0, 1, std::string(400, 'x') + "…"},
    };
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.ultima);
        Temporal archivo(".xml");
        ASSERT_TRUE(escribirJUnit(archivo.ruta.string(), "ringchain",
                                  {sinCompilar(f.entrega, f.errores, 3)}));
        const std::string xml = leer(archivo.ruta);
        EXPECT_EQ(contar(xml, "<system-err>"), 1u) << xml;
        EXPECT_EQ(contar(xml, "error: algo"), f.errorAlgo) << xml;
        const std::vector<std::string> leido = leerJUnit(archivo.ruta);
        ASSERT_FALSE(leido.empty());
        EXPECT_EQ(leido.back(), "err|" + std::to_string(f.lineas) + "|" + f.ultima);
    }
}

TEST(JUnit, LosFallosIgualesCuentanCadaUno) {
    const std::string e = explicacion(escrita("1⏎"), "3 * 4 = 12(sin fin de línea)", kSinFin);
    Temporal archivo(".xml");
    ASSERT_TRUE(
        escribirJUnit(archivo.ruta.string(), "fixedproduct",
                      {revision("p.cpp", {fallo("a", e, {kSinFin}), fallo("b", e, {kSinFin}),
                                          fallo("c", e, {kSinFin})})}));
    const std::string xml = leer(archivo.ruta);
    EXPECT_EQ(contar(xml, "<failure "), 3u) << xml;
    EXPECT_NE(xml.find("tests=\"3\" failures=\"3\""), std::string::npos) << xml;
}

// ---------------------------------------------------------------------------------- JSON

// Lo que un analizador de JSON de verdad (el de Python) lee del informe, una línea por entrega y
// por comprobación; "ERROR ..." si no es JSON válido.
constexpr const char* kLectorJson = R"(import sys, json
try:
    d = json.load(open(sys.argv[1], encoding='utf-8'))
except Exception as e:
    print('ERROR', e)
    sys.exit(0)
filas = ['version|%d|%s' % (d['version'], d['ejercicio'])]
for e in d['entregas']:
    filas.append('|'.join(['entrega', e['entrega'], e['estado'], str(e['correctos']), str(e['total'])]))
    for c in e['comprobaciones']:
        filas.append('|'.join([c['id'], c['grupo'], c['tipo'], c['estado'], str(c['cuenta']), c['espera_a'], c['evidencia']['explicacion'].split('\n')[0], '/'.join(c['evidencia']['pistas'])]))
sys.stdout.buffer.write(''.join(f.replace('\n', '\\n') + '\n' for f in filas).encode('utf-8'))
)";

TEST(Json, LoLeeUnAnalizadorDeVerdadConLoQueSeaQueEscribaLaEntrega) {
    if (!hayPython()) GTEST_SKIP() << "sin python3 no se puede leer el JSON";
    Revision ana = revision(
        "entregas/\xFF"
        "ana \"\\\n.cpp",
        {fallo("sin \"entrada\"", "Obtenido:\n    │\033[2J\x7F\xFE⏎\n",
               {"Sobra \033[31m«x»\r", "otra"}),
         bien("ejemplo"), decidido("vacía", "escribe «Entrada no válida.»")});
    Revision rota = sinCompilar("rota.cpp", "error\n", 1);
    Temporal archivo(".json"), lector(".py"), salida(".txt");
    ASSERT_TRUE(escribirJson(archivo.ruta.string(), "ringchain", {ana, rota}));
    sinBytesPeligrosos(leer(archivo.ruta));
    std::ofstream(lector.ruta) << kLectorJson;
    const std::string orden = "python3 " + lector.ruta.string() + " " + archivo.ruta.string() +
                              " > " + salida.ruta.string() + " 2>&1";
    ASSERT_EQ(std::system(orden.c_str()), 0);
    EXPECT_EQ(nucleo::lineasDe(leer(salida.ruta)),
              (std::vector<std::string>{
                  "version|1|ringchain",
                  "entrega|entregas/\\xFFana \"\\\\n.cpp|no_aprobada|1|2",
                  "lectura|preparacion|compilacion|paso|False|||",
                  "compilacion|preparacion|compilacion|paso|False|||",
                  "caso/sin \"entrada\"|ejercicio|caso|fallo|True||Obtenido:|Sobra "
                  "\\x1B[31m«x»\\r/otra",
                  "caso/ejemplo|ejercicio|caso|paso|True|||",
                  "caso/vacía|decision|caso|fallo|False||escribe «Entrada no válida.»|",
                  "entrega|rota.cpp|no_aprobada|0|1",
                  "lectura|preparacion|compilacion|paso|False|||",
                  "compilacion|preparacion|compilacion|fallo|False|||",
                  "caso/caso 1|ejercicio|caso|no_ejecutada|True|compilacion||",
              }))
        << leer(archivo.ruta);
}

// ---------------------------------------------------------------------------------- CSV

TEST(Csv, UnaFilaPorEntregaConLasComillasDeRfc4180) {
    struct Fila {
        std::string nombre, campo;
    } filas[] = {
        {"entregas/ana.cpp", "entregas/ana.cpp"},
        {"entregas/pérez, ana.cpp", "\"entregas/pérez, ana.cpp\""},
        {"el \"bueno\".cpp", "\"el \"\"bueno\"\".cpp\""},
        {"dos\nlíneas.cpp", "\"dos\nlíneas.cpp\""},
        {"\xFFmal\033[2J.cpp", "\\xFFmal\\x1B[2J.cpp"},
        {"fin\r.cpp", "fin\\r.cpp"},
    };
    std::vector<Revision> revisiones;
    std::string esperado = "entrega,ejercicio,correctos,total,compila,hallazgos\n";
    for (const Fila& f : filas) {
        revisiones.push_back(revision(f.nombre, {bien("a"), fallo("b", "x\n")}));
        esperado += f.campo + ",ringchain,1,2,si,0\n";
    }
    Revision rota = sinCompilar("rota.cpp", "error\n", 2);
    Revision dani = revision("dani.cpp", {bien("a"), bien("b")});
    conHallazgos(dani, {"uno", "dos"});
    revisiones.push_back(rota);
    revisiones.push_back(dani);
    esperado += "rota.cpp,ringchain,0,2,no,0\ndani.cpp,ringchain,2,2,si,2\n";

    Temporal archivo(".csv");
    ASSERT_TRUE(escribirCsv(archivo.ruta.string(), "ringchain", revisiones));
    EXPECT_EQ(leer(archivo.ruta), esperado);
    EXPECT_FALSE(escribirCsv("/no/existe/notas.csv", "ringchain", revisiones));
}

}  // namespace
}  // namespace comprobador

namespace comprobador {
namespace {

// Un main vacío (o el punto de partida sin tocar) se dice en una línea, no un fallo por caso.
TEST(Informe, UnMainVacioSeDiceEnUnaLinea) {
    const std::string nada =
        "Entrada escrita de una vez:\n    │2⏎\nSalida estándar:\n"
        "  Primera diferencia: línea 1, columna 1 (el programa no escribió "
        "esa línea).\n";
    const Revision r = revision("p.cpp", {fallo("a", nada), fallo("b", nada, {"Otra pista."})});
    EXPECT_EQ(informe("powercalc", r),
              "Comprobación de powercalc: p.cpp\n"
              "✗ Tu programa no escribe nada en ningún caso: ¿está main todavía vacío? Empieza "
              "por lo que pide el enunciado.\n"
              "\n"
              "0 de 2 comprobaciones correctas\n");
    // Si en uno escribe algo, el informe es el de siempre.
    Revision otra = revision("p.cpp", {fallo("a", nada), bien("b")});
    EXPECT_NE(informe("powercalc", otra).find("Casos del ejercicio"), std::string::npos);
}

// Mientras falla algo que cuenta, las decisiones de la colección solo se cuentan; cuando todo lo
// que cuenta pasa, se dice cada una en la que el programa hace otra cosa.
TEST(Informe, ConFallosLasDecisionesSoloSeCuentan) {
    Comprobacion igual = decidido("d", "igual");
    igual.estado = Estado::Paso;
    const std::vector<Comprobacion> decisiones = {decidido("b", "otra"), decidido("c", "otra"),
                                                  igual};
    std::vector<Comprobacion> conFallo = {fallo("a", "x\n", {"Una pista."})};
    conFallo.insert(conFallo.end(), decisiones.begin(), decisiones.end());
    EXPECT_NE(informe("p", revision("p.cpp", conFallo))
                  .find("  ✓ en 1 de 3 tu programa hace lo mismo que la colección\n"
                        "  – en 2 hace otra cosa: se verán aquí cuando pase lo que cuenta\n"),
              std::string::npos);
    std::vector<Comprobacion> sinFallo = {bien("a")};
    sinFallo.insert(sinFallo.end(), decisiones.begin(), decisiones.end());
    EXPECT_NE(informe("p", revision("p.cpp", sinFallo))
                  .find("  ✓ en 1 de 3 tu programa hace lo mismo que la colección\n"
                        "  – b: otra\n  – c: otra\n"),
              std::string::npos);
}

}  // namespace
}  // namespace comprobador

namespace {

// En una terminal estrecha, cada línea larga se parte en sus blancos y lo que sigue conserva el
// margen del texto de su línea; los colores no ocupan columnas y una letra no se parte.
TEST(Envolver, LasLineasLargasConservanSuMargen) {
    struct Fila {
        const char* descripcion;
        std::string texto;
        std::size_t columnas;
        std::string esperado;
    } filas[] = {
        {"cabe", "  ✓ corto\n", 20, "  ✓ corto\n"},
        {"sin ancho, tal cual", "  ✗ una línea muy larga que no cabe", 0,
         "  ✗ una línea muy larga que no cabe"},
        {"tras la marca", "  ✗ una línea muy larga que no cabe\n", 20,
         "  ✗ una línea muy\n    larga que no\n    cabe\n"},
        {"con sangría sin marca", "      Esperado: uno dos tres cuatro\n", 22,
         "      Esperado: uno\n      dos tres cuatro\n"},
        {"una palabra que no cabe", "ñandúñandúñandú\n", 6, "ñandúñ\nandúña\nndú\n"},
        {"los colores no cuentan", "\033[31m✗\033[0m ab cd ef\n", 8,
         "\033[31m✗\033[0m ab cd\n  ef\n"},
        {"sin fin de línea y líneas vacías", "\nab cd", 3, "\nab\ncd"},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(comprobador::envolver(f.texto, f.columnas), f.esperado) << f.descripcion;
    }
    // Ninguna línea pasa del ancho, sea cual sea.
    const std::string largo =
        "  – entrada vacía: sin entrada la colección escribe «Ingrese el número de elementos: "
        "Entrada no válida.»\n";
    for (std::size_t columnas = 20; columnas <= 100; ++columnas) {
        const std::string r = comprobador::envolver(largo, columnas);
        std::size_t ancho = 0;
        for (unsigned char c : r) {
            if (c == '\n') {
                ancho = 0;
            } else if ((c & 0xC0) != 0x80) {
                ++ancho;
            }
            ASSERT_LE(ancho, columnas) << r;
        }
    }
}

}  // namespace

// Lo que se escribe de una clase corregida, con entregas ya revisadas hechas aquí: las notas (lo
// que cuenta y lo que no), la hoja de la plataforma rellena sin tocar nada más, la tabla de notas,
// las entregas parecidas y la página, abierta en un navegador de verdad.
#include "clase.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "proceso.h"

namespace comprobador {
namespace {

namespace fs = std::filesystem;

Comprobacion comprobacion(const std::string& id, Grupo grupo, Estado estado) {
    Comprobacion c;
    c.id = id;
    c.frase = "la comprobación " + id;
    c.grupo = grupo;
    c.estado = estado;
    return c;
}

// Una entrega revisada: `pasan` de `cuentan` comprobaciones del ejercicio bien, y además una de
// la colección y una de robustez que fallan (no cuentan).
Corregida revisada(const std::string& programa, const std::string& nombre, const std::string& id,
                   int pasan, int cuentan, bool compila = true) {
    Corregida c;
    c.programa = programa;
    c.entrega.alumno = {nombre, id};
    c.entrega.carpeta = nombre + "_" + id + "_assignsubmission_file_";
    c.entrega.archivo = programa + ".cpp";
    c.revisada = true;
    c.revision.programa = programa;
    c.revision.comprobaciones.push_back(comprobacion("lectura", Grupo::Preparacion, Estado::Paso));
    c.revision.comprobaciones.push_back(
        comprobacion("compilacion", Grupo::Preparacion, compila ? Estado::Paso : Estado::Fallo));
    for (int i = 0; i < cuentan; ++i)
        c.revision.comprobaciones.push_back(comprobacion("caso/" + std::to_string(i),
                                                         Grupo::Ejercicio,
                                                         i < pasan ? Estado::Paso : Estado::Fallo));
    c.revision.comprobaciones.push_back(comprobacion("decision", Grupo::Decision, Estado::Fallo));
    c.revision.comprobaciones.push_back(comprobacion("robustez", Grupo::Robustez, Estado::Fallo));
    return c;
}

Corregida sinNada(const std::string& programa, const std::string& nombre, const std::string& id,
                  const std::string& motivo) {
    Corregida c;
    c.programa = programa;
    c.entrega.alumno = {nombre, id};
    c.entrega.carpeta = nombre + "_" + id + "_assignsubmission_file_";
    c.entrega.motivo = motivo;
    return c;
}

Clase unaClase() {
    Clase clase;
    clase.programas = {"ringchain", "powercalc"};
    clase.corregidas = {
        revisada("ringchain", "Ana Pérez", "1001", 6, 8),
        revisada("ringchain", "Bea O'Neill, \"la rápida\"", "1002", 8, 8),
        sinNada("ringchain", "Dani <b>Ruiz</b>", "1004",
                "no entregó ningún archivo de C++ (entregó memoria.pdf)"),
        revisada("powercalc", "Ana Pérez", "1001", 3, 4),
        revisada("powercalc", "Carlos Núñez", "1003", 0, 4, false),
    };
    clase.agrupar();
    return clase;
}

TEST(Clase, LaNotaEsLaParteDeLoQueCuentaYLoQueNoCuentaNoLaBaja) {
    const Clase clase = unaClase();
    struct Fila {
        std::size_t indice;
        bool calificada;
        double nota;
        std::string observacion;
    } filas[] = {
        {0, true, 7.5, ""},
        {1, true, 10, ""},
        {2, false, 0, "no entregó ningún archivo de C++ (entregó memoria.pdf)"},
        {3, true, 7.5, ""},
        {4, true, 0, "no compila"},
    };
    for (const Fila& f : filas) {
        const Corregida& c = clase.corregidas[f.indice];
        EXPECT_EQ(c.calificada(), f.calificada) << f.indice;
        EXPECT_DOUBLE_EQ(c.nota(10), f.nota) << f.indice;
        EXPECT_EQ(c.observacion(), f.observacion) << f.indice;
    }
    // Un archivo vacío no tiene nota: la lectura lo rechazó.
    Corregida vacia = revisada("ringchain", "Eva", "1005", 0, 8);
    vacia.entrega.archivo = "ringchain.cpp";
    vacia.revision.comprobaciones[0].estado = Estado::Fallo;
    vacia.revision.comprobaciones[0].causa = "El archivo ringchain.cpp está vacío: escribe en él.";
    EXPECT_FALSE(vacia.calificada());
    EXPECT_EQ(vacia.observacion(), "el archivo ringchain.cpp está vacío");
}

TEST(Clase, UnaFilaPorAlumnoEnTodasLasDescargasPorOrdenDeNombre) {
    const Clase clase = unaClase();
    ASSERT_EQ(clase.filas.size(), 4u);
    std::vector<std::string> nombres;
    for (const Fila& f : clase.filas) nombres.push_back(f.alumno.nombre);
    EXPECT_EQ(nombres, (std::vector<std::string>{"Ana Pérez", "Bea O'Neill, \"la rápida\"",
                                                 "Carlos Núñez", "Dani <b>Ruiz</b>"}));
    EXPECT_EQ(clase.filas[0].entregas, (std::vector<int>{0, 3}));
    EXPECT_EQ(clase.filas[2].entregas, (std::vector<int>{-1, 4}));
    EXPECT_DOUBLE_EQ(clase.media(clase.filas[0]), 7.5);
    EXPECT_DOUBLE_EQ(clase.media(clase.filas[1]), 5);  // sin powercalc: cuenta 0
}

TEST(Clase, LosNumerosSeEscribenConSusDecimalesYElSeparadorDelIdioma) {
    struct Fila {
        double valor;
        char separador;
        int decimales;
        std::string texto;
    } filas[] = {
        {7.5, '.', 2, "7.5"}, {10, ',', 2, "10"},      {20.0 / 3, ',', 2, "6,67"},
        {0, '.', 2, "0"},     {0.005, '.', 2, "0.01"}, {9.999, ',', 2, "10"},
        {75, ',', 1, "75"},   {7.25, ',', 1, "7,3"},
    };
    for (const Fila& f : filas)
        EXPECT_EQ(numero(f.valor, f.separador, f.decimales), f.texto) << f.valor;

    struct Idioma {
        const char *lcAll, *lcNumeric, *lang;
        char separador, decimal;
    } idiomas[] = {
        {nullptr, nullptr, "es_ES.UTF-8", ';', ','},
        {"", nullptr, "fr_FR", ';', ','},
        {nullptr, "en_US.UTF-8", "es_ES.UTF-8", ',', '.'},
        {"C.UTF-8", nullptr, "es_ES.UTF-8", ',', '.'},
        {nullptr, nullptr, nullptr, ',', '.'},
        {nullptr, nullptr, "estonian", ',', '.'},
    };
    for (const Idioma& i : idiomas) {
        const FormatoCsv f = formatoDelIdioma(i.lcAll, i.lcNumeric, i.lang);
        EXPECT_EQ(f.separador, i.separador) << (i.lang ? i.lang : "-");
        EXPECT_EQ(f.decimal, i.decimal) << (i.lang ? i.lang : "-");
    }
}

std::string leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST(Clase, LaTablaDeNotasSeAbreEnUnaHojaDeCalculoConTodoEnSuSitio) {
    const Clase clase = unaClase();
    nucleo::CarpetaTemporal tmp("clase");
    const fs::path archivo = fs::path(tmp.ruta()) / "notas.csv";
    ASSERT_TRUE(escribirNotas(clase, archivo.string(), {';', ','}));
    EXPECT_EQ(leer(archivo),
              "\xEF\xBB\xBFID;Nombre;ringchain;powercalc;Media;Observaciones\r\n"
              "1001;Ana Pérez;7,5;7,5;7,5;\r\n"
              "1002;\"Bea O'Neill, \"\"la rápida\"\"\";10;;5;powercalc: no está en su descarga\r\n"
              "1003;Carlos Núñez;;0;0;\"ringchain: no está en su descarga; powercalc: no "
              "compila\"\r\n"
              "1004;Dani <b>Ruiz</b>;;;0;\"ringchain: no entregó ningún archivo de C++ (entregó "
              "memoria.pdf); powercalc: no está en su descarga\"\r\n");
}

const std::string kHojaInglesa =
    "\xEF\xBB\xBFIdentifier,\"Full name\",\"Email address\",Status,Grade,\"Maximum Grade\","
    "\"Grade can be changed\",\"Last modified (submission)\",\"Feedback comments\"\r\n"
    "\"Participant 1001\",\"Ana Pérez\",ana@example.org,\"Submitted for grading\",,100,Yes,"
    "\"Monday, 7 December 2026, 10:00 AM\",\r\n"
    "\"Participant 1009\",\"Zoe Sin Entrega\",zoe@example.org,\"No submission\",,100,Yes,-,\r\n"
    "\"Participant 1004\",\"Dani Ruiz\",dani@example.org,\"Submitted for grading\",,100,Yes,-,"
    "\"viejo\"\r\n"
    "\"Participant 1002\",\"Bea O'Neill\",bea@example.org,Submitted,,100.00,Yes,-,\r\n";

TEST(Clase, LaHojaDeLaPlataformaSeRellenaSinTocarNadaMas) {
    const Clase clase = unaClase();
    std::string salida, resumen;
    ASSERT_EQ(rellenarHojaTexto(clase, "ringchain", kHojaInglesa, salida, resumen), "");
    const std::string esperada =
        "\xEF\xBB\xBFIdentifier,\"Full name\",\"Email address\",Status,Grade,\"Maximum Grade\","
        "\"Grade can be changed\",\"Last modified (submission)\",\"Feedback comments\"\r\n"
        "\"Participant 1001\",\"Ana Pérez\",ana@example.org,\"Submitted for grading\",75,100,Yes,"
        "\"Monday, 7 December 2026, 10:00 AM\",Nota 75 de 100: 6 de 8 comprobaciones correctas. "
        "Falla: «la comprobación caso/6»; «la comprobación caso/7». El informe completo está en "
        "informe-ringchain.txt.\r\n"
        "\"Participant 1009\",\"Zoe Sin Entrega\",zoe@example.org,\"No submission\",,100,Yes,-,\r\n"
        "\"Participant 1004\",\"Dani Ruiz\",dani@example.org,\"Submitted for grading\",,100,Yes,-,"
        "\"Sin nota: no entregó ningún archivo de C++ (entregó memoria.pdf).\"\r\n"
        "\"Participant 1002\",\"Bea O'Neill\",bea@example.org,Submitted,100,100.00,Yes,-,Nota 100 "
        "de 100: 8 de 8 comprobaciones correctas. El informe completo está en "
        "informe-ringchain.txt.\r\n";
    EXPECT_EQ(salida, esperada);
    EXPECT_EQ(resumen,
              "2 notas puestas, 1 entrega sin nota (solo el comentario), 1 fila sin entrega, sin "
              "tocar");
}

TEST(Clase, LaHojaEnEspanolLlevaLaComaDecimalDeSuMaximo) {
    Clase clase = unaClase();
    const std::string hoja =
        "Identificador;Nombre completo;Calificación;Calificación máxima;Comentarios de "
        "retroalimentación\n"
        "Participante 1001;Ana Pérez;;10,00;\n"
        "Participante 1003;Carlos Núñez;;10,00;\n";
    std::string salida, resumen;
    ASSERT_EQ(rellenarHojaTexto(clase, "powercalc", hoja, salida, resumen), "");
    EXPECT_EQ(salida,
              "Identificador;Nombre completo;Calificación;Calificación máxima;Comentarios de "
              "retroalimentación\n"
              "Participante 1001;Ana Pérez;7,5;10,00;Nota 7,5 de 10: 3 de 4 comprobaciones "
              "correctas. Falla: «la comprobación caso/3». El informe completo está en "
              "informe-powercalc.txt.\n"
              "Participante 1003;Carlos Núñez;0;10,00;Nota 0 de 10: 0 de 4 comprobaciones "
              "correctas. No compila. El informe completo está en informe-powercalc.txt.\n");
    std::string error =
        rellenarHojaTexto(clase, "powercalc", "Nombre,Nota\nAna,\n", salida, resumen);
    EXPECT_NE(error.find("no es una hoja de calificaciones de la plataforma"), std::string::npos)
        << error;
    EXPECT_NE(error.find("«Identifier» (o «Identificador»)"), std::string::npos) << error;
    // La misma hoja guardada en Windows-1252 por una hoja de cálculo: se dice eso, no que le
    // faltan columnas.
    error = rellenarHojaTexto(clase, "powercalc",
                              "Identificador;Nombre completo;Calificaci\xF3n;Calificaci\xF3n "
                              "m\xE1xima\nParticipante 1001;Ana P\xE9rez;;10,00\n",
                              salida, resumen);
    EXPECT_NE(error.find("no está en UTF-8"), std::string::npos) << error;
}

TEST(Clase, LaHojaDelProfesorNoSeSobrescribe) {
    const Clase clase = unaClase();
    nucleo::CarpetaTemporal tmp("clase");
    const fs::path hoja = fs::path(tmp.ruta()) / "Calificaciones.csv";
    std::ofstream(hoja, std::ios::binary) << kHojaInglesa;
    std::string resumen;
    const std::string error =
        rellenarHoja(clase, "ringchain", hoja.string(), hoja.string(), resumen);
    EXPECT_NE(error.find("no se escribe encima"), std::string::npos) << error;
    EXPECT_EQ(leer(hoja), kHojaInglesa);
}

// Un fuente como lo daría el analizador: una ficha por línea de texto («T, lugar, clase, texto»).
std::string fichas(const std::string& fuente) {
    std::string r;
    int linea = 1;
    std::string palabra;
    const auto soltar = [&] {
        if (palabra.empty()) return;
        const bool numero = std::isdigit(static_cast<unsigned char>(palabra[0])) != 0;
        const bool clave = palabra == "int" || palabra == "for" || palabra == "return" ||
                           palabra == "if" || palabra == "while" || palabra == "void";
        r += "T\ta.cpp:" + std::to_string(linea) + "\t" +
             (numero  ? "l"
              : clave ? "k"
                      : "i") +
             "\t" + palabra + "\n";
        palabra.clear();
    };
    for (char c : fuente) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            palabra += c;
            continue;
        }
        soltar();
        if (c == '\n') ++linea;
        if (!std::isspace(static_cast<unsigned char>(c)))
            r += "T\ta.cpp:" + std::to_string(linea) + "\tp\t" + std::string(1, c) + "\n";
    }
    soltar();
    return r;
}

const std::string kOriginal = R"(#include <iostream>
int suma(int n) {
    int total = 0;
    for (int i = 1; i <= n; i++) {
        total = total + i * i;
    }
    return total;
}
int cuenta(int a, int b) {
    int veces = 0;
    while (a < b) {
        a = a * 2 + 1;
        veces = veces + 1;
    }
    return veces;
}
int main() {
    int n = 0;
    std::cin >> n;
    if (n < 0) {
        std::cout << "negativo" << std::endl;
        return 1;
    }
    std::cout << suma(n) << " " << cuenta(n, 1000) << std::endl;
    return 0;
}
)";

// La misma, con otros nombres, otros literales y otros comentarios y blancos.
const std::string kRenombrada = R"(#include <iostream>
#include <string>
int f(int x) { int acc = 0;
  for (int k = 1; k <= x; k++) { acc = acc + k * k; }
  return acc; }
int g(int p, int q) { int c = 0; while (p < q) { p = p * 3 + 2; c = c + 1; } return c; }
int main() { int x = 0; std::cin >> x;
  if (x < 0) { std::cout << "neg" << std::endl; return 1; }
  std::cout << f(x) << "-" << g(x, 999) << std::endl; return 0; }
)";

// Otra solución, escrita de otra manera.
const std::string kDistinta = R"(#include <iostream>
void leer(int* destino) { std::cin >> *destino; }
int main() {
    int n;
    leer(&n);
    int t = n * (n + 1) * (2 * n + 1) / 6;
    int veces;
    for (veces = 0; n < 1000; veces++) n = 2 * n + 1;
    while (false) {}
    if (t >= 0) std::cout << t << ' ' << veces << '\n';
    else { std::cout << "negativo\n"; }
}
)";

TEST(Similitud, UnaCopiaConOtrosNombresSeMarcaYOtraSolucionNo) {
    const Fichas original = normalizar(fichas(kOriginal));
    const Fichas renombrada = normalizar(fichas(kRenombrada));
    const Fichas distinta = normalizar(fichas(kDistinta));
    // Sin las líneas del preprocesador.
    EXPECT_EQ(original.fichas.front(), "int");
    EXPECT_EQ(original.lineas.front(), 2);
    const Huellas ho = huellas(original), hr = huellas(renombrada), hd = huellas(distinta);
    const Parecido copia = comparar(original, ho, renombrada, hr, {});
    EXPECT_GE(copia.parecido, kUmbralDeParecido);
    EXPECT_EQ(copia.lineasA.substr(0, 2), "2-");
    const Parecido otra = comparar(original, ho, distinta, hd, {});
    EXPECT_LT(otra.parecido, kUmbralDeParecido / 2);
    // Lo que ya daba el enunciado no cuenta: si todo era común, no hay nada que comparar.
    const Parecido comun = comparar(original, ho, renombrada, hr, tramos(original));
    EXPECT_EQ(comun.parecido, 0);
}

TEST(Pagina, LosNombresAjenosSeEscapanYLaPaginaNoPideNadaDeLaRed) {
    Clase clase = unaClase();
    clase.parecidos.push_back({0, 1, {0.93, "2-9", "3-10"}});
    const std::string h = pagina(clase);
    EXPECT_NE(h.find("Dani &lt;b&gt;Ruiz&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(h.find("<b>Ruiz"), std::string::npos);
    EXPECT_NE(h.find("Bea O&#39;Neill, &quot;la rápida&quot;"), std::string::npos);
    EXPECT_EQ(h.find("http"), std::string::npos);
    EXPECT_EQ(h.find("src="), std::string::npos);
}

// El navegador de la máquina, si lo hay.
std::string navegador() {
    for (const char* n : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (fs::exists(n)) return n;
    }
    return "";
}

TEST(Pagina, UnNavegadorMuestraLaTablaLoQueFallaLasParecidasYAbreElInformeDelEnlace) {
    const std::string chromium = navegador();
    if (chromium.empty()) GTEST_SKIP() << "sin chromium (paquete de Debian chromium)";
    Clase clase = unaClase();
    clase.parecidos.push_back({0, 1, {0.93, "2-9", "3-10"}});
    nucleo::CarpetaTemporal tmp("pagina");
    const fs::path archivo = fs::path(tmp.ruta()) / "clase.html";
    ASSERT_TRUE(escribirPagina(clase, archivo.string()));
    nucleo::Opciones o;
    o.limite = std::chrono::seconds(60);
    // Lo que muestra, después de ejecutar su programación, abierta en el informe #e3.
    o.argumentos = {"--headless",
                    "--no-sandbox",
                    "--disable-gpu",
                    "--no-first-run",
                    "--user-data-dir=" + tmp.ruta() + "/perfil",
                    "--dump-dom",
                    "file://" + archivo.string() + "#e3"};
    const nucleo::Resultado r = nucleo::ejecutar(chromium, "", o);
    ASSERT_TRUE(r.terminoBien()) << r.errores;
    const std::string& dom = r.salida;
    // La tabla: una fila por alumno con sus notas (y el motivo donde no la hay).
    EXPECT_NE(dom.find("<tr><td>Ana Pérez</td><td>1001</td><td class=\"nota bien\"><a "
                       "href=\"#e0\">7,5</a></td>"),
              std::string::npos)
        << dom;
    EXPECT_NE(dom.find("no entregó ningún archivo de C++ (entregó memoria.pdf)"),
              std::string::npos);
    // Lo que más falla, con cuántas entregas: las dos caen en la última.
    EXPECT_NE(dom.find("<span class=\"cuenta\">1 de 2</span> la comprobación caso/6"),
              std::string::npos);
    EXPECT_NE(dom.find("<span class=\"cuenta\">1 de 2</span> no compilan"), std::string::npos);
    // Las parecidas, con su porcentaje.
    EXPECT_NE(dom.find("93 %"), std::string::npos);
    // El informe al que lleva el enlace está abierto; los demás, no.
    EXPECT_NE(dom.find("<details id=\"e3\" open=\"\">"), std::string::npos) << dom;
    EXPECT_NE(dom.find("<details id=\"e0\">"), std::string::npos);
}

}  // namespace
}  // namespace comprobador

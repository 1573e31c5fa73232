// ./ejercicios corregir como lo usaría quien corrige: una clase de dos ejercicios descargada de la
// plataforma (una descarga con carpetas y otra sin ellas, con tildes, un archivo vacío, un PDF,
// dos fuentes, un zip dentro, un enlace, una ruta con «..», una copia con otros nombres), una
// bomba de descompresión al lado, y la hoja de calificaciones en español.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

#include "apoyo.h"
#include "descargas.h"

namespace {

using namespace apoyo;

const std::string P = "_assignsubmission_file_";

std::string fuente(const std::string& relativa) { return leer(fs::path(kRaiz) / relativa); }

// Los archivos de un zip: su ruta y su contenido.
std::map<std::string, std::string> contenidoDelZip(const fs::path& zip) {
    const comprobador::EnUtf8 utf8;
    std::map<std::string, std::string> r;
    archive* a = archive_read_new();
    archive_read_support_format_zip(a);
    if (archive_read_open_filename(a, zip.c_str(), 1 << 16) != ARCHIVE_OK) return r;
    archive_entry* e = nullptr;
    while (archive_read_next_header(a, &e) == ARCHIVE_OK) {
        std::string contenido;
        char trozo[4096];
        for (la_ssize_t n; (n = archive_read_data(a, trozo, sizeof trozo)) > 0;)
            contenido.append(trozo, static_cast<std::size_t>(n));
        r[archive_entry_pathname_utf8(e)] = contenido;
    }
    archive_read_free(a);
    return r;
}

// La copia de Ana con otros nombres y otro comentario: la misma estructura.
std::string renombrada(std::string t) {
    for (const auto& [de, a] : std::vector<std::pair<std::string, std::string>>{
             {"nuevoNodo", "nodito"}, {"temp", "cursor"}}) {
        for (std::size_t p = t.find(de); p != std::string::npos; p = t.find(de, p + a.size()))
            t.replace(p, de.size(), a);
    }
    return "// Mi solución, hecha por mí.\n" + t;
}

struct Clase {
    Temporal tmp;
    fs::path ringchain, powercalc, bomba, hoja, salida;

    Clase() {
        const std::string modelo = fuente("ejlistas/ringchain.cpp");
        const std::string conError = fuente(apoyo::conError("ringchain", "sin_fin_de_linea.cpp"));
        const fs::path interior = tmp.ruta / "interior.zip";
        EXPECT_EQ(comprobador::comprimir(interior.string(), {{"entrega/ringchain.cpp", conError}}),
                  "");
        ringchain = tmp.ruta / "Tarea 3 - RingChain.zip";
        EXPECT_EQ(comprobador::comprimir(
                      ringchain.string(),
                      {{"Ana Pérez_1001" + P + "/ringchain.cpp", modelo},
                       {"Bea O'Neill_1002" + P + "/RingChain.CPP", modelo},
                       {"Carlos Núñez_1003" + P + "/entrega.zip", leer(interior)},
                       {"Dani Ruiz_1004" + P + "/ringchain.cpp", ""},
                       {"Eva Gil_1005" + P + "/memoria.pdf", "%PDF-1.4"},
                       {"Fede López_1006" + P + "/prueba.cpp", "int main() {}\n"},
                       {"Fede López_1006" + P + "/ringchain.cpp", conError},
                       {"Gabi Ruiz_1008" + P + "/mi_ringchain.cpp", renombrada(modelo)},
                       {"../../fuera.cpp", modelo}}),
                  "");
        powercalc = tmp.ruta / "potencias.tar.gz";
        EXPECT_EQ(
            comprobador::comprimir(
                powercalc.string(),
                {{"Ana Pérez_1001" + P + "powercalc.cpp", fuente("ejrecursividad/powercalc.cpp")},
                 {"Hugo Sanz_1007" + P + "potencia.cpp", "int main() { return 0; }\n"}}),
            "");
        bomba = tmp.ruta / "fibcalc.zip";
        EXPECT_EQ(comprobador::comprimir(bomba.string(), {{"Ana Pérez_1001" + P + "/fibcalc.cpp",
                                                           std::string(40u << 20, ' ')}}),
                  "");
        hoja = tmp.ruta / "Calificaciones.csv";
        std::ofstream(hoja, std::ios::binary)
            << "\"Identificador\",\"Nombre completo\",\"Calificación\",\"Calificación máxima\","
               "\"Comentarios de retroalimentación\"\r\n"
               "\"Participante 1001\",\"Ana Pérez\",\"\",\"10,00\",\"\"\r\n"
               "\"Participante 1099\",\"Sin Entrega\",\"\",\"10,00\",\"\"\r\n"
               "\"Participante 1004\",\"Dani Ruiz\",\"\",\"10,00\",\"\"\r\n";
        salida = tmp.ruta / "resultados";
    }

    nucleo::Resultado corregir(std::vector<std::string> mas = {}) const {
        std::vector<std::string> a = {"corregir",
                                      ringchain.string(),
                                      "powercalc=" + powercalc.string(),
                                      bomba.string(),
                                      "--hoja",
                                      "ringchain=" + hoja.string(),
                                      "--salida",
                                      salida.string(),
                                      "--semilla",
                                      "7"};
        a.insert(a.end(), mas.begin(), mas.end());
        nucleo::Opciones o;
        o.argumentos = a;
        o.limite = std::chrono::seconds(400);
        o.entorno = {"TMPDIR=" + tmp.ruta.string(), "NO_COLOR=1", "LC_ALL=es_ES.UTF-8"};
        o.directorio = kRaiz;
        return nucleo::ejecutar(EJ_COMPROBADOR, "", o);
    }
};

TEST(Corregir, UnaClaseDescargadaDaUnaFilaPorAlumnoSusNotasSuRetroalimentacionYLaHojaRellena) {
    const Clase clase;
    const nucleo::Resultado r = clase.corregir();
    // La bomba no se lee, y se dice; lo demás se corrige igual.
    EXPECT_EQ(r.estado, 1) << r.salida << r.errores;
    EXPECT_NE(r.errores.find("No se corrige " + clase.bomba.string() +
                             ": fibcalc.zip se expande "
                             "demasiado"),
              std::string::npos)
        << r.errores;
    EXPECT_NE(r.errores.find("../../fuera.cpp (en Tarea 3 - RingChain.zip): su ruta sale de la "
                             "carpeta"),
              std::string::npos)
        << r.errores;
    EXPECT_FALSE(fs::exists(clase.tmp.ruta.parent_path() / "fuera.cpp"));
    EXPECT_NE(r.salida.find("Sin nota en ringchain: Dani Ruiz (1004), el archivo ringchain.cpp "
                            "está vacío"),
              std::string::npos)
        << r.salida;
    EXPECT_NE(r.salida.find("Sin nota en ringchain: Eva Gil (1005), no entregó ningún archivo de "
                            "C++ (entregó memoria.pdf)"),
              std::string::npos)
        << r.salida;

    // Las notas: todos, con su nota o su motivo (en es_ES, con «;» y coma decimal).
    const std::string notas = leer(clase.salida / "notas.csv");
    const std::vector<std::string> filas = {
        "\xEF\xBB\xBFID;Nombre;ringchain;powercalc;Media;Observaciones\r\n",
        "1001;Ana Pérez;10;10;10;\r\n",
        "1002;Bea O'Neill;10;;5;powercalc: no está en su descarga\r\n",
        "1004;Dani Ruiz;;;0;\"ringchain: el archivo ringchain.cpp está vacío; powercalc: no está "
        "en su descarga\"\r\n",
        "1005;Eva Gil;;;0;\"ringchain: no entregó ningún archivo de C++ (entregó memoria.pdf); "
        "powercalc: no está en su descarga\"\r\n",
        "1008;Gabi Ruiz;10;;5;powercalc: no está en su descarga\r\n",
    };
    for (const std::string& f : filas) EXPECT_NE(notas.find(f), std::string::npos) << f << notas;
    // Carlos (el zip dentro) y Fede (dos fuentes: el que se llama como el ejercicio) tienen el
    // error del fin de línea: una nota, y no un 10.
    for (const std::string alumno : {"1003;Carlos Núñez;", "1006;Fede López;"}) {
        const std::size_t p = notas.find(alumno);
        ASSERT_NE(p, std::string::npos) << notas;
        const std::string nota = notas.substr(p + alumno.size(), 5);
        EXPECT_TRUE(std::regex_search(nota, std::regex("^[0-9](,[0-9]{1,2})?;"))) << alumno << nota;
    }
    EXPECT_NE(notas.find("1006;Fede López;"), std::string::npos);
    EXPECT_NE(notas.find("se comprueba ringchain.cpp, que se llama como el ejercicio"),
              std::string::npos);
    EXPECT_NE(notas.find("1007;Hugo Sanz;;"), std::string::npos) << notas;
    EXPECT_EQ(std::count(notas.begin(), notas.end(), '\n'), 9) << notas;

    // La hoja: la nota sobre su máximo, con su coma; la fila sin entrega, intacta.
    const std::string hoja = leer(clase.salida / "Calificaciones.csv");
    EXPECT_NE(hoja.find("\"Participante 1001\",\"Ana Pérez\",\"10\",\"10,00\",\"Nota 10 de 10: "),
              std::string::npos)
        << hoja;
    EXPECT_NE(hoja.find("\"Participante 1099\",\"Sin Entrega\",\"\",\"10,00\",\"\"\r\n"),
              std::string::npos);
    EXPECT_NE(hoja.find("\"Participante 1004\",\"Dani Ruiz\",\"\",\"10,00\",\"Sin nota: el archivo "
                        "ringchain.cpp está vacío.\"\r\n"),
              std::string::npos)
        << hoja;

    // La retroalimentación: la carpeta de cada alumno, como en la descarga, en el zip; sin rutas
    // de quien corrige.
    const auto zip = contenidoDelZip(clase.salida / "retroalimentacion" / "ringchain.zip");
    EXPECT_EQ(zip.size(), 7u);
    const std::string ana = "Ana Pérez_1001" + P + "/informe-ringchain.txt";
    ASSERT_EQ(zip.count(ana), 1u);
    EXPECT_EQ(zip.at(ana).rfind("Ana Pérez (1001) · ringchain\nNota: 10 sobre 10 (", 0), 0u)
        << zip.at(ana);
    for (const auto& [nombre, texto] : zip)
        EXPECT_EQ(texto.find(clase.tmp.ruta.string()), std::string::npos) << nombre;
    EXPECT_TRUE(fs::exists(clase.salida / "retroalimentacion" / "powercalc" /
                           ("Hugo Sanz_1007" + P + "informe-powercalc.txt")));

    // La copia con otros nombres se marca; las demás entregas distintas, no.
    const std::string similitud = leer(clase.salida / "similitud.csv");
    EXPECT_NE(similitud.find("ringchain;Ana Pérez;1001;ringchain.cpp;Gabi Ruiz;1008;"
                             "mi_ringchain.cpp;"),
              std::string::npos)
        << similitud;
    EXPECT_EQ(similitud.find("Hugo"), std::string::npos) << similitud;

    // La página y los formatos de toda la corrección.
    EXPECT_NE(leer(clase.salida / "clase.html").find("<td>Gabi Ruiz</td>"), std::string::npos);
    const std::string json = leer(clase.salida / "resultados.json");
    EXPECT_NE(json.find("\"ejercicio\": \"powercalc\""), std::string::npos);
    EXPECT_NE(leer(clase.salida / "resultados.xml").find("<testsuites"), std::string::npos);
}

TEST(Corregir, NoEscribeEnUnaCarpetaAjenaNiSinAislamientoSinPedirlo) {
    const Clase clase;
    fs::create_directories(clase.salida);
    std::ofstream(clase.salida / "mis notas.txt") << "no tocar\n";
    const nucleo::Resultado r = clase.corregir();
    EXPECT_EQ(r.estado, 2) << r.errores;
    EXPECT_NE(r.errores.find("ya existe y no es de una corrección anterior"), std::string::npos)
        << r.errores;
    EXPECT_EQ(leer(clase.salida / "mis notas.txt"), "no tocar\n");

    const nucleo::Resultado sinHoja =
        practica({"corregir", clase.ringchain.string(), "--hoja",
                  "ringchain=" + (clase.tmp.ruta / "no.csv").string()},
                 clase.tmp.ruta);
    EXPECT_EQ(sinHoja.estado, 2);
    const nucleo::Resultado otraHoja =
        practica({"corregir", clase.ringchain.string(), "--hoja", "fibcalc=" + clase.hoja.string(),
                  "--salida", (clase.tmp.ruta / "otra").string()},
                 clase.tmp.ruta);
    EXPECT_EQ(otraHoja.estado, 2);
    EXPECT_NE(otraHoja.errores.find("Hay hoja de fibcalc"), std::string::npos) << otraHoja.errores;
}

}  // namespace

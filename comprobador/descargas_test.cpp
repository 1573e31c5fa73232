// Las descargas de la plataforma, hechas aquí con libarchive como las haría ella (y como las
// haría alguien con malas intenciones): qué alumno y qué archivo salen de cada una, qué se omite
// diciéndolo y qué se rechaza.
#include "descargas.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "proceso.h"

namespace comprobador {
namespace {

namespace fs = std::filesystem;

const std::string P = "_assignsubmission_file_";
const std::string kFuente = "int main() { return 0; }\n";

struct Entrada {
    std::string ruta;
    std::string contenido;
    enum { Archivo, Carpeta, Enlace, EnlaceDuro } tipo = Archivo;
};

// Escribe un comprimido (zip, o tar.gz si el nombre lo dice) con esas entradas.
void comprimir(const fs::path& archivo, const std::vector<Entrada>& entradas) {
    const EnUtf8 utf8;
    archive* a = archive_write_new();
    const std::string n = archivo.filename().string();
    if (n.size() > 7 && n.compare(n.size() - 7, 7, ".tar.gz") == 0) {
        archive_write_set_format_pax_restricted(a);
        archive_write_add_filter_gzip(a);
    } else if (n.size() > 3 && n.compare(n.size() - 3, 3, ".7z") == 0) {
        archive_write_set_format_7zip(a);
    } else {
        archive_write_set_format_zip(a);
    }
    ASSERT_EQ(archive_write_open_filename(a, archivo.c_str()), ARCHIVE_OK);
    for (const Entrada& e : entradas) {
        archive_entry* x = archive_entry_new();
        archive_entry_set_pathname_utf8(x, e.ruta.c_str());
        archive_entry_set_perm(x, 0644);
        if (e.tipo == Entrada::Carpeta) {
            archive_entry_set_filetype(x, AE_IFDIR);
        } else if (e.tipo == Entrada::Enlace) {
            archive_entry_set_filetype(x, AE_IFLNK);
            archive_entry_set_symlink(x, e.contenido.c_str());
        } else if (e.tipo == Entrada::EnlaceDuro) {
            archive_entry_set_filetype(x, AE_IFREG);
            archive_entry_set_hardlink(x, e.contenido.c_str());
        } else {
            archive_entry_set_filetype(x, AE_IFREG);
            archive_entry_set_size(x, static_cast<la_int64_t>(e.contenido.size()));
        }
        archive_write_header(a, x);
        if (e.tipo == Entrada::Archivo)
            archive_write_data(a, e.contenido.data(), e.contenido.size());
        archive_entry_free(x);
    }
    archive_write_close(a);
    archive_write_free(a);
}

std::string zipEnMemoria(const std::vector<Entrada>& entradas, const fs::path& donde) {
    comprimir(donde, entradas);
    std::ifstream f(donde, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Carpetas {
    nucleo::CarpetaTemporal tmp{"descargas"};
    fs::path trabajo() const {
        const fs::path t = fs::path(tmp.ruta()) / ("trabajo" + std::to_string(++n));
        fs::create_directories(t);
        return t;
    }
    fs::path ruta(const std::string& nombre) const { return fs::path(tmp.ruta()) / nombre; }
    mutable int n = 0;
};

// Un resumen de cada entrega: «nombre|id|archivo|motivo».
std::vector<std::string> resumen(const Descarga& d) {
    std::vector<std::string> r;
    for (const EntregaDeAlumno& e : d.entregas) {
        r.push_back(e.alumno.nombre + "|" + e.alumno.id + "|" + e.archivo + "|" + e.motivo);
    }
    return r;
}

TEST(Descargas, ElNombreYElNumeroSalenDelPrefijoDeLaPlataforma) {
    struct Fila {
        std::string nombre, alumno, id, resto;
        bool es;
    } filas[] = {
        {"Ana Pérez_12345" + P, "Ana Pérez", "12345", "", true},
        {"Ana Pérez_12345" + P + "ringchain.cpp", "Ana Pérez", "12345", "ringchain.cpp", true},
        {"Bea O'Neill_7_assignsubmission_onlinetext_texto.html", "Bea O'Neill", "7", "texto.html",
         true},
        {"José_Luis Gil_88" + P + "a_b.cpp", "José_Luis Gil", "88", "a_b.cpp", true},
        {"ringchain.cpp", "", "", "", false},
        {"Ana_x1" + P, "", "", "", false},
        {"_12" + P, "", "", "", false},
    };
    for (const Fila& f : filas) {
        Alumno a;
        std::string resto;
        EXPECT_EQ(alumnoDe(f.nombre, a, resto), f.es) << f.nombre;
        if (!f.es) continue;
        EXPECT_EQ(a.nombre, f.alumno) << f.nombre;
        EXPECT_EQ(a.id, f.id) << f.nombre;
        EXPECT_EQ(resto, f.resto) << f.nombre;
    }
}

TEST(Descargas, ElEjercicioSeReconoceSinDistinguirMayusculasYEntero) {
    struct Fila {
        std::vector<std::string> nombres;
        std::string ejercicio;
    } filas[] = {
        {{"RingChain.CPP"}, "ringchain"},
        {{"Tarea 3 - powercalc-20261201.zip"}, "powercalc"},
        {{"ringchainx.cpp", "mi_fibcalcs.cpp"}, ""},
        {{"ringchain.cpp", "fibcalc.cpp"}, ""},  // dos ejercicios: no se adivina
        {{"main.cpp"}, ""},
    };
    for (const Fila& f : filas) EXPECT_EQ(ejercicioDe(f.nombres), f.ejercicio) << f.nombres[0];
}

TEST(Descargas, UnaCarpetaPorAlumnoConAcentosMayusculasZipDentroYLoQueNoSeCorrige) {
    Carpetas c;
    const std::string interior =
        zipEnMemoria({{"entrega/ringchain.cpp", kFuente}}, c.ruta("interior.zip"));
    const std::string siete = zipEnMemoria({{"RingChain.cpp", kFuente}}, c.ruta("interior.7z"));
    comprimir(c.ruta("Tarea.zip"), {{"Ana Pérez_1001" + P + "/ringchain.cpp", kFuente},
                                    {"Bea O'Neill_1002" + P + "/RingChain.CPP", kFuente},
                                    {"Carlos Núñez_1003" + P + "/entrega.zip", interior},
                                    {"Dani Ruiz_1004" + P + "/ringchain.cpp", ""},
                                    {"Eva Gil_1005" + P + "/memoria.pdf", "%PDF"},
                                    {"Fede López_1006" + P + "/prueba.cpp", kFuente},
                                    {"Fede López_1006" + P + "/ringchain.cpp", kFuente},
                                    {"Gema Sanz_1007" + P + "/b.cpp", kFuente},
                                    {"Gema Sanz_1007" + P + "/a.cpp", kFuente},
                                    {"Hugo Mora_1008" + P + "/Entrega Final.7z", siete}});
    Descarga d;
    ASSERT_EQ(leerDescarga(c.ruta("Tarea.zip").string(), c.trabajo().string(), d), "");
    EXPECT_EQ(d.programa, "ringchain");
    EXPECT_EQ(resumen(d),
              (std::vector<std::string>{
                  "Ana Pérez|1001|ringchain.cpp|",
                  "Bea O'Neill|1002|RingChain.CPP|",
                  "Carlos Núñez|1003|ringchain.cpp|",
                  "Dani Ruiz|1004|ringchain.cpp|",
                  "Eva Gil|1005||no entregó ningún archivo de C++ (entregó memoria.pdf)",
                  "Fede López|1006|ringchain.cpp|entregó 2 archivos de C++ (prueba.cpp, "
                  "ringchain.cpp): se comprueba ringchain.cpp, que se llama como el ejercicio",
                  "Gema Sanz|1007|a.cpp|entregó 2 archivos de C++ (a.cpp, b.cpp): se comprueba "
                  "a.cpp, el primero por orden alfabético",
                  "Hugo Mora|1008|RingChain.cpp|",
              }));
    for (const EntregaDeAlumno& e : d.entregas) {
        EXPECT_TRUE(e.enCarpeta);
        if (!e.principal.empty()) {
            EXPECT_TRUE(fs::is_regular_file(e.principal)) << e.principal;
        }
    }
}

TEST(Descargas, SinCarpetasElPrefijoJuntaLosArchivosDeCadaAlumnoYUnTarGzSeLeeIgual) {
    Carpetas c;
    comprimir(c.ruta("descarga.tar.gz"), {{"Ana Pérez_1001" + P + "PowerCalc.cpp", kFuente},
                                          {"Ana Pérez_1001" + P + "notas.txt", "x"},
                                          {"Luis Mar_1002" + P + "potencia.cpp", kFuente}});
    Descarga d;
    ASSERT_EQ(leerDescarga(c.ruta("descarga.tar.gz").string(), c.trabajo().string(), d), "");
    EXPECT_EQ(d.programa, "powercalc");
    EXPECT_EQ(resumen(d), (std::vector<std::string>{"Ana Pérez|1001|PowerCalc.cpp|",
                                                    "Luis Mar|1002|potencia.cpp|"}));
    EXPECT_FALSE(d.entregas[0].enCarpeta);
    EXPECT_EQ(d.entregas[0].carpeta, "Ana Pérez_1001" + P);
}

// La plataforma separa lo que entrega un alumno por su forma: una carpeta (o un prefijo) para sus
// archivos y otra para su texto en línea. Es un alumno, con una fila, y la nota de su fuente.
TEST(Descargas, UnAlumnoConSusArchivosYSuTextoEnLineaEsUnoSolo) {
    const std::string T = "_assignsubmission_onlinetext_";
    struct Fila {
        const char* descripcion;
        std::string separador;  // entre el prefijo y el nombre del archivo
    } filas[] = {{"una carpeta por alumno", "/"}, {"sin carpetas", ""}};
    for (const Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        Carpetas c;
        comprimir(c.ruta("ringchain.zip"),
                  {{"Ana Pérez_11" + T + f.separador + "onlinetext.html", "<p>hola</p>"},
                   {"Ana Pérez_11" + P + f.separador + "ringchain.cpp", kFuente},
                   {"Bea Ruiz_12" + T + f.separador + "onlinetext.html", "<p>no lo subí</p>"},
                   {"Carlos Gil_13" + P + f.separador + "ringchain.cpp", kFuente}});
        Descarga d;
        ASSERT_EQ(leerDescarga(c.ruta("ringchain.zip").string(), c.trabajo().string(), d), "");
        EXPECT_EQ(resumen(d),
                  (std::vector<std::string>{
                      "Ana Pérez|11|ringchain.cpp|",
                      "Bea Ruiz|12||no entregó ningún archivo de C++ (entregó onlinetext.html)",
                      "Carlos Gil|13|ringchain.cpp|"}));
        // Su retroalimentación va a la carpeta de sus archivos.
        EXPECT_EQ(d.entregas[0].carpeta, "Ana Pérez_11" + P);
        EXPECT_TRUE(fs::is_regular_file(d.entregas[0].principal)) << d.entregas[0].principal;
    }
}

// Lo que añade el sistema del alumno al comprimir o copiar (los «._archivo» y la carpeta __MACOSX
// de macOS, binarios aunque se llamen .cpp; .DS_Store, Thumbs.db) no es una entrega suya: ni se
// elige para comprobar ni cuenta como otro archivo.
TEST(Descargas, LoQueAnadeElSistemaDelAlumnoNoEsSuyo) {
    const std::string basura = std::string("\x00\x05\x16\x07\x00\x02Mac OS X", 14);
    Carpetas c;
    const std::string mac = zipEnMemoria({{"practica3/practica3.cpp", kFuente},
                                          {"__MACOSX/practica3/._practica3.cpp", basura},
                                          {"__MACOSX/._practica3.zip", basura},
                                          {"practica3/.DS_Store", basura}},
                                         c.ruta("interior.zip"));
    struct Fila {
        const char* descripcion;
        std::vector<Entrada> entrada;  // dentro de la carpeta del alumno
        const char* elegido;
    } filas[] = {
        {"junto a su fuente",
         {{"practica3.cpp", kFuente}, {"._practica3.cpp", basura}},
         "practica3.cpp"},
        {"un zip hecho en macOS", {{"practica3.zip", mac}}, "practica3.cpp"},
        {"índices de carpeta",
         {{"ringchain.cpp", kFuente}, {".DS_Store", basura}, {"Thumbs.db", basura}},
         "ringchain.cpp"},
    };
    for (Fila& f : filas) {
        SCOPED_TRACE(f.descripcion);
        for (Entrada& e : f.entrada) e.ruta = "Ana_1" + P + "/" + e.ruta;
        const fs::path descarga = c.ruta(std::string(f.descripcion) + ".zip");
        comprimir(descarga, f.entrada);
        Descarga d;
        ASSERT_EQ(leerDescarga("ringchain=" + descarga.string(), c.trabajo().string(), d), "");
        ASSERT_EQ(d.entregas.size(), 1u);
        EXPECT_EQ(d.entregas[0].archivo, f.elegido);
        EXPECT_EQ(d.entregas[0].motivo, "");
        EXPECT_TRUE(d.avisos.empty()) << d.avisos.front();
    }
}

TEST(Descargas, ElEjercicioSeDaDelanteCuandoLosNombresNoLoDicen) {
    Carpetas c;
    comprimir(c.ruta("tarea.zip"), {{"Ana_1" + P + "/main.cpp", kFuente}});
    Descarga d;
    const std::string error = leerDescarga(c.ruta("tarea.zip").string(), c.trabajo().string(), d);
    EXPECT_NE(error.find("No sé de qué ejercicio es"), std::string::npos) << error;
    EXPECT_NE(error.find("ringchain="), std::string::npos) << error;
    Descarga dada;
    ASSERT_EQ(leerDescarga("fibcalc=" + c.ruta("tarea.zip").string(), c.trabajo().string(), dada),
              "");
    EXPECT_EQ(dada.programa, "fibcalc");
    EXPECT_EQ(resumen(dada), (std::vector<std::string>{"Ana|1|main.cpp|"}));
}

TEST(Descargas, LoQueSaleDeLaCarpetaLosEnlacesYLoRaroSeOmitenDiciendolo) {
    Carpetas c;
    comprimir(c.ruta("ringchain.tar.gz"),
              {{"../fuera.cpp", kFuente},
               {"/etc/fuera.cpp", kFuente},
               {"Ana_1" + P + "/../../fuera2.cpp", kFuente},
               {"Ana_1" + P + "/ringchain.cpp", "/etc/passwd", Entrada::Enlace},
               {"Bea_2" + P + "/ringchain.cpp", kFuente},
               {"Bea_2" + P + "/copia.cpp", "Bea_2" + P + "/ringchain.cpp", Entrada::EnlaceDuro}});
    Descarga d;
    const fs::path trabajo = c.trabajo();
    ASSERT_EQ(leerDescarga(c.ruta("ringchain.tar.gz").string(), trabajo.string(), d), "");
    EXPECT_FALSE(fs::exists(trabajo / "fuera.cpp"));
    EXPECT_FALSE(fs::exists(c.ruta("fuera.cpp")));
    EXPECT_FALSE(fs::exists(c.ruta("fuera2.cpp")));
    std::string avisos;
    for (const std::string& a : d.avisos) avisos += a + "\n";
    EXPECT_NE(avisos.find("../fuera.cpp (en ringchain.tar.gz): su ruta sale de la carpeta"),
              std::string::npos)
        << avisos;
    EXPECT_NE(avisos.find("/etc/fuera.cpp (en ringchain.tar.gz): su ruta sale de la carpeta"),
              std::string::npos)
        << avisos;
    EXPECT_NE(avisos.find("ringchain.cpp (en ringchain.tar.gz): es un enlace"), std::string::npos)
        << avisos;
    EXPECT_NE(avisos.find("copia.cpp (en ringchain.tar.gz): es un enlace"), std::string::npos)
        << avisos;
    // Ana solo mandó un enlace: no tiene nada que corregir, pero tiene su fila.
    EXPECT_EQ(resumen(d), (std::vector<std::string>{"Ana|1||no entregó ningún archivo",
                                                    "Bea|2|ringchain.cpp|"}));
}

TEST(Descargas, UnaCarpetaYaDescomprimidaSeCopiaSinSeguirSusEnlaces) {
    Carpetas c;
    const fs::path descarga = c.ruta("ringchain");
    fs::create_directories(descarga / ("Ana_1" + P));
    fs::create_directories(descarga / ("Bea_2" + P));
    std::ofstream(descarga / ("Ana_1" + P) / "ringchain.cpp") << kFuente;
    std::ofstream(c.ruta("secreto.cpp")) << "secreto\n";
    fs::create_symlink(c.ruta("secreto.cpp"), descarga / ("Bea_2" + P) / "ringchain.cpp");
    Descarga d;
    ASSERT_EQ(leerDescarga(descarga.string(), c.trabajo().string(), d), "");
    EXPECT_EQ(resumen(d), (std::vector<std::string>{"Ana|1|ringchain.cpp|",
                                                    "Bea|2||no entregó ningún archivo"}));
    ASSERT_EQ(d.avisos.size(), 1u);
    EXPECT_NE(d.avisos[0].find("es un enlace simbólico"), std::string::npos) << d.avisos[0];
}

TEST(Descargas, UnaBombaDeDescompresionYDemasiadasEntradasSeRechazanDiciendolo) {
    Carpetas c;
    const std::string ceros(std::size_t{24} << 20, '\0');
    comprimir(c.ruta("bomba.zip"), {{"Ana_1" + P + "/ringchain.cpp", ceros}});
    ASSERT_LT(fs::file_size(c.ruta("bomba.zip")), std::uintmax_t{1} << 20);
    Descarga d;
    const fs::path trabajo = c.trabajo();
    const std::string error = leerDescarga(c.ruta("bomba.zip").string(), trabajo.string(), d);
    EXPECT_NE(error.find("parece una bomba de descompresión"), std::string::npos) << error;
    // Lo que llegó a escribirse no pasa mucho del primer MiB.
    std::uintmax_t escrito = 0;
    for (const auto& e : fs::recursive_directory_iterator(trabajo))
        if (e.is_regular_file()) {
            escrito += e.file_size();
        }
    EXPECT_LT(escrito, std::uintmax_t{4} << 20);

    std::vector<Entrada> muchas;
    for (int i = 0; i < 30; ++i) muchas.push_back({"a" + std::to_string(i) + ".cpp", kFuente});
    comprimir(c.ruta("muchas.zip"), muchas);
    Topes topes;
    topes.entradas = 20;
    std::vector<std::string> avisos;
    const std::string demasiadas =
        extraer(c.ruta("muchas.zip").string(), c.trabajo().string(), topes, avisos);
    EXPECT_NE(demasiadas.find("más de 20 entradas"), std::string::npos) << demasiadas;
}

TEST(Descargas, LoQueNoEsUnaDescargaSeDiceConQueHacer) {
    Carpetas c;
    std::ofstream(c.ruta("ringchain.cpp")) << kFuente;
    std::ofstream(c.ruta("roto.zip")) << "esto no es un zip";
    struct Fila {
        std::string ruta, error;
    } filas[] = {
        {c.ruta("no-existe.zip").string(), "No existe"},
        {c.ruta("ringchain.cpp").string(), "no es una descarga de la plataforma"},
        {c.ruta("roto.zip").string(), "no es un zip ni un tar"},
    };
    for (const Fila& f : filas) {
        Descarga d;
        const std::string error = leerDescarga(f.ruta, c.trabajo().string(), d);
        EXPECT_NE(error.find(f.error), std::string::npos) << f.ruta << ": " << error;
    }
}

}  // namespace
}  // namespace comprobador

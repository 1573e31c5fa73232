// La colección está completa y se puede recorrer: el catálogo y las carpetas dicen lo mismo
// (ningún ejercicio sin su línea ni una línea sin su ejercicio) y cada enlace relativo de cada
// documento Markdown lleva a un archivo que existe y, si nombra un apartado, a un título suyo.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalogo.h"

namespace fs = std::filesystem;

namespace {

const fs::path kRaiz = EJ_RAIZ;

std::string leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

struct Linea {
    std::vector<std::string> campos;
    std::string texto;
};

std::vector<Linea> lineasDelCatalogo() {
    std::vector<Linea> lineas;
    std::istringstream texto(leer(kRaiz / "catalogo.txt"));
    for (std::string l; std::getline(texto, l);) {
        if (l.empty() || l[0] == '#') continue;
        Linea linea{{}, l};
        std::size_t inicio = 0;
        for (std::size_t fin; (fin = l.find('|', inicio)) != std::string::npos; inicio = fin + 1) {
            linea.campos.push_back(l.substr(inicio, fin - inicio));
        }
        linea.campos.push_back(l.substr(inicio));
        lineas.push_back(linea);
    }
    return lineas;
}

// Los archivos de la colección, sin el árbol de compilación ni lo que escribe el alumno.
std::vector<fs::path> archivos() {
    std::vector<fs::path> r;
    for (auto it = fs::recursive_directory_iterator(kRaiz);
         it != fs::recursive_directory_iterator(); ++it) {
        const std::string nombre = it->path().filename().string();
        if (it->is_directory() && (nombre == "build" || nombre == "practica" || nombre[0] == '.')) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file()) r.push_back(fs::relative(it->path(), kRaiz));
    }
    return r;
}

TEST(Catalogo, CadaLineaTieneSusCamposBienEscritos) {
    const std::vector<Linea> lineas = lineasDelCatalogo();
    ASSERT_FALSE(lineas.empty());
    std::set<std::string> programas;
    for (const Linea& l : lineas) {
        SCOPED_TRACE(l.texto);
        ASSERT_EQ(l.campos.size(), 8u)
            << "tema|programa|fuente|forma|lee|nodos|descripción|entrada";
        const std::string& forma = l.campos[3];
        const std::string& lee = l.campos[4];
        const std::string& nodos = l.campos[5];
        EXPECT_TRUE(programas.insert(l.campos[1]).second) << "programa repetido";
        EXPECT_TRUE(forma == "archivo" || forma == "lista" || forma == "carpeta") << forma;
        EXPECT_TRUE(lee == "si" || lee == "no") << lee;
        EXPECT_TRUE(nodos == "todos" ||
                    (!nodos.empty() && nodos.find_first_not_of("0123456789") == std::string::npos))
            << nodos;
        EXPECT_EQ(lee == "si", !l.campos[7].empty())
            << "solo los que leen tienen entrada de ejemplo";
        // CMake lee cada línea como una lista: un ";" o unas comillas la romperían.
        EXPECT_EQ(l.texto.find_first_of(";\""), std::string::npos);
        EXPECT_EQ(forma == "carpeta", fs::path(l.campos[2]).filename() == "main.cpp");
    }
}

TEST(Catalogo, LaListaCompiladaEsLaDelCatalogo) {
    const std::vector<Linea> lineas = lineasDelCatalogo();
    const std::vector<nucleo::Ejercicio>& ejercicios = nucleo::ejercicios();
    ASSERT_EQ(ejercicios.size(), lineas.size());
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        EXPECT_EQ(ejercicios[i].programa, lineas[i].campos[1]);
        EXPECT_EQ(ejercicios[i].fuente, lineas[i].campos[2]);
        EXPECT_FALSE(ejercicios[i].casos.empty()) << ejercicios[i].programa << " sin casos";
        EXPECT_EQ(ejercicios[i].leeEntrada, !ejercicios[i].primerAviso.empty())
            << ejercicios[i].programa << ": un programa que lee empieza por su aviso";
    }
}

// Cada ejercicio del catálogo tiene su fuente y su carpeta; cada carpeta de ejercicio y cada
// fuente de un tema es de un ejercicio del catálogo.
TEST(Catalogo, LasCarpetasYElCatalogoDicenLoMismo) {
    std::set<std::string> fuentes, carpetas, temas;
    for (const nucleo::Ejercicio& e : nucleo::ejercicios()) {
        SCOPED_TRACE(e.programa);
        fuentes.insert(e.fuente);
        carpetas.insert(e.carpeta);
        temas.insert(fs::path(e.fuente).parent_path().string());
        EXPECT_TRUE(fs::is_regular_file(kRaiz / e.fuente));
        for (const char* pieza : {"enunciado.md", "casos.cpp", "solucion"}) {
            EXPECT_TRUE(fs::exists(kRaiz / e.carpeta / pieza)) << e.carpeta << "/" << pieza;
        }
    }
    for (const fs::path& archivo : archivos()) {
        const std::string nombre = archivo.filename().string();
        const std::string carpeta = archivo.parent_path().string();
        if (nombre == "casos.cpp" || nombre == "enunciado.md") {
            EXPECT_EQ(carpetas.count(carpeta), 1u)
                << carpeta << " tiene " << nombre << " pero no es un ejercicio de catalogo.txt";
        }
        // Un fuente con main en la carpeta de un tema (o en la carpeta de proyecto de uno).
        const bool enUnTema =
            temas.count(carpeta) == 1 || temas.count(archivo.parent_path().parent_path().string());
        if (enUnTema && archivo.extension() == ".cpp" && carpetas.count(carpeta) == 0 &&
            leer(kRaiz / archivo).find("int main(") != std::string::npos) {
            EXPECT_EQ(fuentes.count(archivo.string()), 1u)
                << archivo << " es un programa que no está en catalogo.txt";
        }
    }
}

// El texto sin el código (bloques entre ``` y trozos entre `), donde "](" no es un enlace.
std::string sinCodigo(const std::string& texto) {
    std::string r;
    for (std::size_t i = 0; i < texto.size();) {
        const bool bloque = texto.compare(i, 3, "```") == 0;
        if (bloque || texto[i] == '`') {
            const std::size_t fin = texto.find(bloque ? "```" : "`", i + (bloque ? 3 : 1));
            if (fin == std::string::npos) break;
            i = fin + (bloque ? 3 : 1);
        } else {
            r += texto[i++];
        }
    }
    return r;
}

// Los destinos de los enlaces [texto](destino) de un documento.
std::vector<std::string> enlaces(const std::string& texto) {
    std::vector<std::string> r;
    for (std::size_t p = texto.find("]("); p != std::string::npos; p = texto.find("](", p + 2)) {
        const std::size_t fin = texto.find_first_of(") \n", p + 2);
        if (fin != std::string::npos && texto[fin] == ')' && fin > p + 2) {
            r.push_back(texto.substr(p + 2, fin - p - 2));
        }
    }
    return r;
}

TEST(Documentos, CadaEnlaceRelativoLlevaAUnArchivoQueExiste) {
    int vistos = 0;
    for (const fs::path& archivo : archivos()) {
        if (archivo.extension() != ".md") continue;
        for (std::string destino : enlaces(sinCodigo(leer(kRaiz / archivo)))) {
            if (destino.find("://") != std::string::npos || destino[0] == '#' ||
                destino.rfind("mailto:", 0) == 0) {
                continue;
            }
            destino = destino.substr(0, destino.find('#'));
            ++vistos;
            EXPECT_TRUE(fs::exists(kRaiz / archivo.parent_path() / destino))
                << archivo << " enlaza " << destino << ", que no existe";
        }
    }
    EXPECT_GE(vistos, static_cast<int>(nucleo::ejercicios().size()))
        << "los documentos enlazan al menos los enunciados";
}

// Los anclajes de los títulos de un documento, como los escribe GitHub: en minúsculas, sin
// signos de puntuación, con guiones por espacios y «-1», «-2»... en los repetidos.
std::set<std::string> anclajes(const std::string& documento) {
    std::set<std::string> r;
    std::istringstream texto(documento);
    bool enBloque = false;
    for (std::string l; std::getline(texto, l);) {
        if (l.rfind("```", 0) == 0) enBloque = !enBloque;
        if (enBloque || l.empty() || l[0] != '#') continue;
        std::size_t p = l.find_first_not_of('#');
        if (p == std::string::npos || p > 6 || l[p] != ' ') continue;
        std::string titulo = l.substr(p + 1), ancla;
        // De un enlace en el título queda su texto.
        for (std::size_t a; (a = titulo.find("](")) != std::string::npos;) {
            titulo.erase(a, titulo.find(')', a) + 1 - a);
        }
        for (std::size_t i = 0; i < titulo.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(titulo[i]);
            if (c >= 0x80) {
                std::size_t largo = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
                std::string letra = titulo.substr(i, largo);
                i += largo - 1;
                // Las mayúsculas con tilde (Á, É, Ñ...) en minúscula; los signos, fuera.
                const unsigned char segundo = static_cast<unsigned char>(letra[1]);
                if (largo == 2 && c == 0xC3 && segundo <= 0x9E && segundo != 0x97) {
                    letra[1] = static_cast<char>(segundo + 0x20);
                }
                static const std::set<std::string> signos = {"«", "»", "¿", "¡", "—", "–", "“",
                                                             "”", "‘", "’", "·", "…", "×"};
                if (signos.count(letra) == 0) ancla += letra;
            } else if (std::isalnum(c) || c == '-' || c == '_') {
                ancla += static_cast<char>(std::tolower(c));
            } else if (c == ' ') {
                ancla += '-';
            }
        }
        std::string unico = ancla;
        for (int n = 1; !r.insert(unico).second; ++n) unico = ancla + "-" + std::to_string(n);
    }
    return r;
}

// Un enlace a un apartado (#...) lleva a un título que existe: al mover un apartado de un
// documento a otro, los enlaces que lo nombraban dejan de llevar a ninguna parte.
TEST(Documentos, CadaEnlaceAUnApartadoLlevaAUnTituloQueExiste) {
    for (const fs::path& archivo : archivos()) {
        if (archivo.extension() != ".md") continue;
        for (const std::string& destino : enlaces(sinCodigo(leer(kRaiz / archivo)))) {
            const std::size_t almohadilla = destino.find('#');
            if (destino.find("://") != std::string::npos || almohadilla == std::string::npos) {
                continue;
            }
            const fs::path documento =
                almohadilla == 0 ? kRaiz / archivo
                                 : kRaiz / archivo.parent_path() / destino.substr(0, almohadilla);
            if (documento.extension() != ".md" || !fs::is_regular_file(documento)) continue;
            EXPECT_EQ(anclajes(leer(documento)).count(destino.substr(almohadilla + 1)), 1u)
                << archivo << " enlaza " << destino << ", y ese título no existe";
        }
    }
}

}  // namespace

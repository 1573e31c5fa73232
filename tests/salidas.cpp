// Las pruebas de caja negra de un programa: sus casos exactos (los que fija el ejercicio y los que
// decidió la colección) y las entradas hostiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogo.h"
#include "juez.h"
#include "proceso.h"
#include "reglas.h"
#include "rutas_de_las_pruebas.h"
#include "sondeo.h"
#include "tabla.h"
#include "texto.h"

// Se compila una sola vez para todos los programas: cada ejecutable de prueba se llama
// prueba_<programa>, y de su nombre sale el programa que prueba.
namespace {

std::string kEjPrograma;

const nucleo::Ejercicio& ejercicio() {
    const nucleo::Ejercicio* e = nucleo::buscarEjercicio(kEjPrograma);
    if (e == nullptr) throw std::runtime_error("No hay casos para " + kEjPrograma);
    return *e;
}

std::vector<nucleo::Caso> casosDe(nucleo::Origen origen) {
    std::vector<nucleo::Caso> casos;
    for (const nucleo::Caso& caso : ejercicio().casos) {
        if (caso.origen == origen) casos.push_back(caso);
    }
    return casos;
}

void salidasExactas(nucleo::Origen origen) {
    nucleo::comprobarTabla(nucleo::rutaPrograma(kEjPrograma), ejercicio(), casosDe(origen));
}

void entradasHostiles() {
    const nucleo::Ejercicio& e = ejercicio();
    for (const nucleo::Hostil& hostil : nucleo::entradasHostiles()) {
        const nucleo::Caso caso = nucleo::casoHostil(hostil);
        const nucleo::Resultado r =
            nucleo::ejecutarCaso(nucleo::rutaPrograma(kEjPrograma), e, caso);
        const nucleo::Veredicto veredicto = nucleo::juzgarHostil(e, caso, r);
        if (!veredicto.correcto) {
            ADD_FAILURE() << e.programa << ": entrada hostil «" << hostil.descripcion << "»\n"
                          << veredicto.explicacion;
        }
    }
}

// La tabla de funciones del ejercicio con su sonda y la respuesta modelo: cada llamada observa
// lo que la tabla espera.
void funciones(nucleo::Origen origen) {
    const nucleo::Ejercicio& e = ejercicio();
    std::vector<nucleo::Llamada> llamadas;
    std::vector<const nucleo::ComprobacionDeFunciones*> de;
    std::vector<std::size_t> grupos;
    for (const nucleo::ComprobacionDeFunciones& f : e.funciones) {
        if (f.origen != origen) continue;
        for (const nucleo::Llamada& l : f.llamadas) {
            llamadas.push_back(l);
            de.push_back(&f);
            grupos.push_back(static_cast<std::size_t>(&f - e.funciones.data()));
        }
    }
    nucleo::Opciones o;
    o.limite = std::chrono::seconds(60);
    const nucleo::Sondeo s = nucleo::sondear(nucleo::rutaSonda(e.programa), llamadas, o, grupos);
    EXPECT_TRUE(s.bien()) << s.proceso;
    // En wine, lo que un programa de Windows vacía no se ve igual que en Windows: ahí no se mira
    // cómo acaba la línea (las pruebas en Linux y en Windows lo miran).
    const auto comoSeVe = [](std::string t) {
        if (!nucleo::enWine()) return t;
        for (const char* final : {", vaciado", ", sin vaciar"}) {
            for (std::size_t p; (p = t.find(final)) != std::string::npos;)
                t.erase(p, std::string(final).size());
        }
        return t;
    };
    for (std::size_t i = 0; i < llamadas.size(); ++i) {
        EXPECT_EQ(comoSeVe(s.observado[i].value_or("(sin respuesta)")),
                  comoSeVe(llamadas[i].esperado))
            << de[i]->id << ": " << de[i]->frase << "\n  " << nucleo::muestraDe(llamadas[i]);
    }
}

// Lo que dice la colección donde el ejercicio no dice nada: una entrada sorteada no debe dar
// nunca esto (se sortea donde el ejercicio define la salida).
const char* const kFrasesDeLaColeccion[] = {"Entrada no válida", "no cabe en",
                                            "no termina",        "demasiado larga",
                                            "debe estar entre",  "no se calcula"};

// Las entradas y las llamadas sorteadas, con varias semillas: la respuesta modelo las responde
// sin tropezar y donde el ejercicio define el resultado, y la misma semilla da lo mismo.
void sorteos() {
    const nucleo::Ejercicio& e = ejercicio();
    for (std::uint64_t semilla = 1; semilla <= 20; ++semilla) {
        SCOPED_TRACE("semilla " + std::to_string(semilla));
        if (e.sorteo) {
            nucleo::Azar a(semilla), b(semilla);
            const std::vector<std::string> entradas = e.sorteo(a);
            EXPECT_EQ(entradas, e.sorteo(b));
            EXPECT_FALSE(entradas.empty());
            for (const std::string& entrada : entradas) {
                const nucleo::Caso caso{"sorteada", entrada, ""};
                const nucleo::Resultado r =
                    nucleo::ejecutarCaso(nucleo::rutaPrograma(e.programa), e, caso);
                EXPECT_TRUE(r.terminoBien()) << nucleo::enLinea(entrada) << "\n" << r;
                for (const char* frase : kFrasesDeLaColeccion) {
                    EXPECT_EQ(r.salida.find(frase), std::string::npos)
                        << "con «" << nucleo::enLinea(entrada)
                        << "» decide la colección: " << r.salida;
                }
            }
        }
        nucleo::Azar azar(semilla);
        std::vector<nucleo::Llamada> llamadas;
        for (const nucleo::ComprobacionDeFunciones& f : e.funciones) {
            if (!f.sorteo) continue;
            for (const nucleo::Llamada& l : f.sorteo(azar)) llamadas.push_back(l);
        }
        if (llamadas.empty()) continue;
        nucleo::Opciones o;
        o.limite = std::chrono::seconds(60);
        const nucleo::Sondeo s = nucleo::sondear(nucleo::rutaSonda(e.programa), llamadas, o);
        EXPECT_TRUE(s.bien()) << s.proceso;
        for (std::size_t i = 0; i < llamadas.size() && i < s.observado.size(); ++i) {
            const std::string visto = s.observado[i].value_or("");
            EXPECT_EQ(visto.find("lanza una excepción"), std::string::npos)
                << nucleo::muestraDe(llamadas[i]) << ": " << visto;
            EXPECT_EQ(visto.find("la sonda no tiene"), std::string::npos) << visto;
        }
    }
}

// Los fuentes de un ejercicio que la técnica debe dar por buenos: la respuesta modelo, la
// solución de referencia y las variantes permitidas (archivos, o carpetas con main.cpp).
std::vector<std::string> fuentesCorrectos(const nucleo::Ejercicio& e) {
    namespace fs = std::filesystem;
    const fs::path raiz = EJ_RAIZ_DE_LA_COLECCION;
    std::vector<std::string> r = {(raiz / e.fuente).string()};
    for (const char* carpeta : {"solucion", "variantes"}) {
        std::error_code ec;
        const fs::path c = raiz / e.carpeta / carpeta;
        if (e.forma == nucleo::Forma::Carpeta && carpeta == std::string("solucion")) {
            if (fs::exists(c / "main.cpp")) r.push_back((c / "main.cpp").string());
            continue;
        }
        for (const auto& f : fs::directory_iterator(c, ec)) {
            if (f.path().extension() == ".cpp") r.push_back(f.path().string());
            if (fs::exists(f.path() / "main.cpp")) r.push_back((f.path() / "main.cpp").string());
            if (fs::exists(f.path() / (e.programa + ".cpp")))
                r.push_back((f.path() / (e.programa + ".cpp")).string());
        }
    }
    return r;
}

// Los fuentes de un ejercicio, leídos por el analizador de una vez.
std::vector<nucleo::Arbol> analizar(const nucleo::Ejercicio& e,
                                    const std::vector<std::string>& fuentes) {
    std::vector<std::string> argumentos;
    if (e.forma == nucleo::Forma::Lista)
        argumentos = {"-iquote", std::string(EJ_RAIZ_DE_LA_COLECCION) + "/" +
                                     std::filesystem::path(e.fuente).parent_path().string()};
    return nucleo::analizarVarios(EJ_ANALIZADOR, EJ_CABECERAS_DEL_ANALISIS, fuentes, argumentos);
}

// Las reglas de la técnica: lo correcto las cumple todas (o queda para revisar, nunca
// incumplido), cada solución de errores/ que declara una regla solo la incumple ella, en la
// línea que dice, y un programa sin nada del ejercicio no cumple ninguna.
void tecnica() {
    const nucleo::Ejercicio& e = ejercicio();
    const std::vector<std::string> correctos = fuentesCorrectos(e);
    std::vector<std::string> fuentes = correctos;
    std::vector<const nucleo::ReglaDeTecnica*> conError;
    for (const nucleo::ReglaDeTecnica& r : e.tecnica) {
        if (r.error.empty()) continue;
        conError.push_back(&r);
        fuentes.push_back(std::string(EJ_RAIZ_DE_LA_COLECCION) + "/" + e.carpeta + "/" + r.error);
    }
    const nucleo::CarpetaTemporal tmp("tecnica");
    const std::string nada = tmp.ruta() + "/nada.cpp";
    {
        std::ofstream f(nada);
        f << "#include <iostream>\nint main() { std::cout << \"hola\\n\"; }\n";
    }
    fuentes.push_back(nada);
    const std::vector<nucleo::Arbol> arboles = analizar(e, fuentes);
    if (!e.tecnica.empty()) {
        SCOPED_TRACE("un programa sin nada del ejercicio");
        const nucleo::Arbol& a = arboles.back();
        EXPECT_TRUE(a.completo) << "el analizador no pudo leerlo";
        for (const nucleo::ReglaDeTecnica& r : e.tecnica) {
            EXPECT_NE(nucleo::reglas::juzgar(e, r, a).como, nucleo::Juicio::Como::Cumple) << r.id;
        }
    }
    for (std::size_t i = 0; i < correctos.size(); ++i) {
        SCOPED_TRACE(correctos[i]);
        const nucleo::Arbol& a = arboles[i];
        EXPECT_TRUE(a.completo) << "el analizador no pudo leerlo";
        if (!a.completo) continue;
        for (const nucleo::ReglaDeTecnica& r : e.tecnica) {
            const nucleo::Juicio j = nucleo::reglas::juzgar(e, r, a);
            EXPECT_NE(j.como, nucleo::Juicio::Como::Incumple) << r.id << ": " << j.pista;
        }
    }
    for (std::size_t k = 0; k < conError.size(); ++k) {
        const nucleo::ReglaDeTecnica& r = *conError[k];
        SCOPED_TRACE(r.error);
        const nucleo::Arbol& a = arboles[correctos.size() + k];
        EXPECT_TRUE(a.completo) << "el analizador no pudo leerlo";
        if (!a.completo) continue;
        const std::string falta = nucleo::reglas::falta(e, a);
        for (const nucleo::ReglaDeTecnica& otra : e.tecnica) {
            const nucleo::Juicio j = nucleo::reglas::juzgar(e, otra, a);
            if (&otra == &r) {
                EXPECT_EQ(j.como, nucleo::Juicio::Como::Incumple) << r.id;
                EXPECT_EQ(j.lugar.linea, r.lineaDelError) << r.id << ": " << j.pista;
            } else if (falta.empty()) {
                EXPECT_EQ(j.como, nucleo::Juicio::Como::Cumple)
                    << otra.id << " también lo ve: " << j.pista;
            } else {
                // Sin lo que examinan (una macro en vez de la lambda), las demás dicen que falta.
                EXPECT_NE(j.pista.find("No se encuentra " + falta), std::string::npos)
                    << otra.id << ": " << j.pista;
            }
        }
    }
}

// Cada programa tiene solo las pruebas que le corresponden: las decisiones de la colección si
// las hay, y las entradas hostiles si lee la entrada.
template <class F>
void registrar(const char* grupo, const char* nombre, F prueba) {
    class Prueba : public ::testing::Test {
       public:
        explicit Prueba(F f) : f_(f) {}
        void TestBody() override { f_(); }

       private:
        F f_;
    };
    ::testing::RegisterTest(grupo, nombre, nullptr, nullptr, __FILE__, __LINE__,
                            [prueba]() -> ::testing::Test* { return new Prueba(prueba); });
}

}  // namespace

// Las pruebas se registran aquí y no al iniciar el programa: las tablas de casos usan textos
// globales de otros archivos, que antes de main aún podrían no estar construidos.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::string nombre = argv[0];
#ifdef _WIN32
    // En Windows, el ejecutable lleva ".exe" (o ".EXE", según cómo se haya llamado).
    if (nombre.size() > 4 && _stricmp(nombre.c_str() + nombre.size() - 4, ".exe") == 0) {
        nombre.resize(nombre.size() - 4);
    }
#endif
    const std::string prefijo = "prueba_";
    kEjPrograma = nombre.substr(nombre.rfind(prefijo) + prefijo.size());
    registrar("Enunciado", "SalidasExactas", [] { salidasExactas(nucleo::Origen::Enunciado); });
    if (!casosDe(nucleo::Origen::Decidido).empty()) {
        registrar("Decidido", "SalidasExactas", [] { salidasExactas(nucleo::Origen::Decidido); });
    }
    if (ejercicio().leeEntrada) registrar("Robustez", "EntradasHostiles", entradasHostiles);
    for (const nucleo::Origen origen : {nucleo::Origen::Enunciado, nucleo::Origen::Decidido}) {
        const auto& tabla = ejercicio().funciones;
        if (std::none_of(tabla.begin(), tabla.end(),
                         [&](const auto& f) { return f.origen == origen; }))
            continue;
        registrar(origen == nucleo::Origen::Enunciado ? "Enunciado" : "Decidido", "Funciones",
                  [origen] { funciones(origen); });
    }
    if (!ejercicio().tecnica.empty() && std::string(EJ_ANALIZADOR) != "")
        registrar("Enunciado", "Tecnica", tecnica);
    if (ejercicio().sorteo || !ejercicio().funciones.empty())
        registrar("Propio", "Sorteos", sorteos);
    return RUN_ALL_TESTS();
}

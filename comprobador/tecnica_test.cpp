// Las reglas de la técnica como comprobaciones: la que se incumple falla con su línea y la frase
// del enunciado, la que decide una persona queda para revisar y no cuenta, y sin analizador el
// informe dice que la técnica no se comprobó.
#include "tecnica.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "arbol.h"
#include "informe.h"
#include "proceso.h"

namespace comprobador {
namespace {

nucleo::Ejercicio conReglas() {
    using nucleo::Juicio;
    nucleo::Ejercicio e;
    e.programa = "prueba";
    const auto regla = [](const char* id, Juicio::Como como, int linea) {
        return nucleo::ReglaDeTecnica{
            id, std::string("la regla ") + id, "lo que dice el enunciado",
            [como, linea](const nucleo::Arbol&) {
                return Juicio{
                    como, {"a.cpp", linea}, "la pista, en la línea " + std::to_string(linea)};
            }};
    };
    e.tecnica = {regla("Cumple", Juicio::Como::Cumple, 0),
                 regla("Incumple", Juicio::Como::Incumple, 7),
                 regla("Revisar", Juicio::Como::Revisar, 9)};
    return e;
}

TEST(Tecnica, CadaReglaEsUnaComprobacionQueCuentaOSeRevisa) {
    const std::vector<Comprobacion> r = juzgarTecnica(conReglas(), nucleo::Arbol{});
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].estado, Estado::Paso);
    EXPECT_EQ(r[1].estado, Estado::Fallo);
    EXPECT_EQ(r[1].evidencia.linea, 7);
    EXPECT_EQ(r[1].id, "tecnica/Incumple");
    EXPECT_NE(r[1].evidencia.explicacion.find("El enunciado: «lo que dice el enunciado»"),
              std::string::npos);
    EXPECT_EQ(r[2].estado, Estado::ParaRevisar);
    EXPECT_FALSE(r[2].cuenta());
    EXPECT_TRUE(r[1].cuenta());

    Revision revision;
    revision.entrega.nombre = "a.cpp";
    Comprobacion compila;
    compila.id = "compilacion";
    compila.grupo = Grupo::Preparacion;
    compila.estado = Estado::Paso;
    revision.comprobaciones = {compila};
    revision.comprobaciones.insert(revision.comprobaciones.end(), r.begin(), r.end());
    std::ostringstream os;
    escribirInforme(os, "prueba", revision, Estilo{});
    const std::string informe = os.str();
    EXPECT_NE(
        informe.find("La técnica del ejercicio\n  ✓ la regla Cumple\n  ✗ la regla Incumple\n"),
        std::string::npos)
        << informe;
    EXPECT_NE(informe.find("  ? la regla Revisar (para revisar: no cuenta)\n"), std::string::npos)
        << informe;
    EXPECT_NE(informe.find("1 de 2 comprobaciones correctas"), std::string::npos) << informe;
}

TEST(Tecnica, SinAnalizadorElInformeDiceQueNoSeComprobo) {
    Entorno sinAnalizador;
    const std::vector<Comprobacion> r = tecnicaPrevista(conReglas(), sinAnalizador);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_FALSE(r[0].cuenta());
    Revision revision;
    revision.comprobaciones = r;
    std::ostringstream os;
    escribirInforme(os, "prueba", revision, Estilo{});
    EXPECT_NE(os.str().find("La técnica del ejercicio\n  – no se comprobó: este comprobador se "
                            "compiló sin libclang (paquete de Debian libclang-dev)"),
              std::string::npos)
        << os.str();
}

// Varios fuentes en una sola ejecución del analizador: cada árbol es el de su fuente, en su orden,
// y uno que libclang no puede leer queda sin completar sin mover a los que le siguen.
TEST(Tecnica, VariosFuentesDeUnaVezCadaUnoConSuArbol) {
    if (std::string(EJ_ANALIZADOR).empty()) GTEST_SKIP() << "sin libclang no hay analizador";
    nucleo::CarpetaTemporal tmp("prueba-tecnica");
    const std::string uno = tmp.ruta() + "/uno.cpp", dos = tmp.ruta() + "/dos.cpp";
    std::ofstream(uno) << "int doble(int x) { return 2 * x; }\nint main() { return doble(1); }\n";
    std::ofstream(dos) << "int triple(int x) { return 3 * x; }\nint main() { return triple(1); }\n";
    const std::vector<nucleo::Arbol> a =
        nucleo::analizarVarios(EJ_ANALIZADOR, "", {uno, tmp.ruta() + "/no_existe.cpp", dos});
    ASSERT_EQ(a.size(), 3u);
    const auto define = [](const nucleo::Arbol& arbol, const std::string& nombre) {
        return std::any_of(arbol.funciones.begin(), arbol.funciones.end(),
                           [&](const nucleo::Funcion& f) { return f.nombre == nombre; });
    };
    EXPECT_TRUE(a[0].completo);
    EXPECT_TRUE(define(a[0], "doble"));
    EXPECT_FALSE(define(a[0], "triple"));
    EXPECT_FALSE(a[1].completo);
    EXPECT_TRUE(a[2].completo);
    EXPECT_TRUE(define(a[2], "triple"));
    EXPECT_FALSE(define(a[2], "doble"));
    EXPECT_EQ(a[2].principal, "dos.cpp");
}

}  // namespace
}  // namespace comprobador

// El protocolo del oyente y las comprobaciones que declara un archivo: lo que el comprobador lee
// en vez del texto de GoogleTest.
#include "funciones.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(Funciones, ElProtocoloSeLeeCampoACampo) {
    const std::string texto =
        "prueba\tEnunciado\tA\tenunciado\tbien\tfrase con\\ttab\t\n"
        "basura\n"
        "prueba\tDecidido\tB\tdecidido\tmal\tOtra\tx.cpp:3: falló\\nsegunda \\\\ línea\n"
        "prueba\tcorta\n";
    const std::vector<comprobador::Comprobacion> r = comprobador::leerProtocolo(texto);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].frase, "frase con\ttab");
    EXPECT_EQ(r[0].mensaje, "");
    EXPECT_EQ(r[1].veredicto, "mal");
    EXPECT_EQ(r[1].mensaje, "x.cpp:3: falló\nsegunda \\ línea");
}

std::map<std::string, std::string> archivos;
std::string leer(const std::string& ruta) {
    auto it = archivos.find(ruta);
    return it == archivos.end() ? "" : it->second;
}

TEST(Funciones, LasDeclaradasConSuFraseYLasDeSusCabeceras) {
    archivos = {
        {"/r/ejlistas/nodeprune/nodeprune_unidad.cpp",
         "#include \"captura.h\"\n#include \"ejlistas/node_list_unidad.h\"\n"
         "PIDE_EL_EJERCICIO(QuitaLaCabeza,\n                  \"eliminarValor \"\n"
         "                  \"quita la \\\"cabeza\\\"\") {\n}\n"
         "DECIDE_LA_COLECCION(Otra, \"otra\") {}\nTEST(Propio, NoCuenta) {}\n"},
        {"/r/ejlistas/node_list_unidad.h", "PIDE_EL_EJERCICIO(ImprimeNull, \"imprime NULL\") {}\n"},
    };
    const std::vector<comprobador::Comprobacion> r =
        comprobador::declaradas("/r/ejlistas/nodeprune/nodeprune_unidad.cpp", leer);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].nombre, "ImprimeNull");
    EXPECT_EQ(r[1].nombre, "QuitaLaCabeza");
    EXPECT_EQ(r[1].frase, "eliminarValor quita la \"cabeza\"");
    EXPECT_EQ(r[1].origen, "enunciado");
    EXPECT_EQ(r[2].grupo, "Decidido");
    EXPECT_EQ(r[2].origen, "decidido");
}

}  // namespace

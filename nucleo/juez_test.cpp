// El juez: un caso pasa solo con los bytes exactos, el estado 0 y a tiempo; una entrada hostil,
// si el programa termina bien empezando por su aviso.
#include "juez.h"

#include <gtest/gtest.h>

#include <string>

namespace {

nucleo::Resultado bien(std::string salida, std::string errores = "") {
    nucleo::Resultado r;
    r.salida = std::move(salida);
    r.errores = std::move(errores);
    r.estado = 0;
    return r;
}

TEST(Juez, UnCasoPasaSoloConTodoExacto) {
    nucleo::Caso caso{"ejemplo", "5\n", "El factorial de 5 es 120\n"};
    auto con = [](nucleo::Resultado r, auto cambio) {
        cambio(r);
        return r;
    };
    const nucleo::Resultado exacto = bien(caso.salida);
    struct Fila {
        const char* descripcion;
        nucleo::Resultado resultado;
        bool correcto;
    } filas[] = {
        {"exacto", exacto, true},
        {"un byte de más", bien(caso.salida + " "), false},
        {"algo en la salida de error", bien(caso.salida, "aviso\n"), false},
        {"estado 1", con(exacto, [](auto& r) { r.estado = 1; }), false},
        {"tiempo agotado", con(exacto, [](auto& r) { r.agotado = true; }), false},
        {"una señal", con(exacto, [](auto& r) { r.senal = 11; }), false},
        {"un aviso que no llegó", con(exacto, [](auto& r) { r.pasoSinAviso = 0; }), false},
    };
    for (const Fila& f : filas) {
        const nucleo::Veredicto v = nucleo::juzgar(caso, f.resultado);
        EXPECT_EQ(v.correcto, f.correcto) << f.descripcion;
        EXPECT_EQ(v.explicacion.empty(), f.correcto) << f.descripcion;
    }
}

TEST(Juez, LaExplicacionMuestraLaEntradaYLaDiferencia) {
    nucleo::Caso caso{"ejemplo", "5\n", "El factorial de 5 es 120\n"};
    const nucleo::Veredicto v = nucleo::juzgar(caso, bien("El factorial de 5 es 120"));
    EXPECT_NE(v.explicacion.find("Entrada escrita de una vez:\n    │5⏎"), std::string::npos)
        << v.explicacion;
    EXPECT_NE(v.explicacion.find("Primera diferencia: línea 1, columna 25."), std::string::npos)
        << v.explicacion;
    ASSERT_FALSE(v.pistas.empty());
    EXPECT_NE(v.explicacion.find("Pistas:\n  - " + v.pistas[0]), std::string::npos);
}

TEST(Juez, UnaEntradaHostilPasaSiTerminaBienConSuAviso) {
    nucleo::Ejercicio e;
    e.primerAviso = "Introduce un número: ";
    const nucleo::Caso caso = nucleo::casoHostil({"letras", "abc\n"});
    EXPECT_EQ(caso.limite, nucleo::kLimiteHostil);
    EXPECT_EQ(caso.origen, nucleo::Origen::Decidido);
    EXPECT_TRUE(
        nucleo::juzgarHostil(e, caso, bien(e.primerAviso + "Entrada no válida.\n")).correcto);
    EXPECT_FALSE(nucleo::juzgarHostil(e, caso, bien("Entrada no válida.\n")).correcto)
        << "el aviso va antes de leer";
    nucleo::Resultado informe =
        bien(e.primerAviso, "a.cpp:3:5: runtime error: signed integer overflow\n");
    EXPECT_FALSE(nucleo::juzgarHostil(e, caso, informe).correcto);
}

TEST(Juez, LasOpcionesDeUnEjercicio) {
    nucleo::Ejercicio conserva;
    conserva.nodosConservados = nucleo::kTodosLosNodos;
    nucleo::Caso caso;
    caso.limite = std::chrono::milliseconds(1234);
    const nucleo::Opciones o = nucleo::opcionesDe(conserva, caso);
    // El límite del caso es de CPU; el de tiempo real, para el que se queda parado, es mayor.
    EXPECT_EQ(o.limiteCpu, caso.limite);
    EXPECT_EQ(o.limite, std::chrono::milliseconds(3468));
    bool sinFugas = false, conMudo = false, conPath = false;
    for (const std::string& v : o.entorno) {
        sinFugas = sinFugas || (v.rfind("ASAN_OPTIONS=", 0) == 0 &&
                                v.find("detect_leaks=0") != std::string::npos);
        conMudo =
            conMudo || (v.rfind("PATH=", 0) == 0 && v.find("/lanzador/mudo:") != std::string::npos);
        conPath = conPath || v.rfind("PATH=", 0) == 0;
    }
    EXPECT_TRUE(sinFugas) << "un programa que conserva sus nodos no cuenta fugas";
#ifdef _WIN32
    // "cls" es una orden interna de cmd, que ningún PATH cambia: el suyo, con «;», se hereda.
    const bool conCls = false;
#else
    const bool conCls = true;
#endif
    EXPECT_EQ(conMudo, conCls) << "la cls que no hace nada va primero en el PATH";
    EXPECT_EQ(conPath, conCls);
}

// Un caso del ejercicio puede escribir 1 MiB y varias veces lo esperado; uno que decidió la
// colección o una entrada hostil, 64 KiB: ahí un bucle se para mucho antes de agotar su CPU.
TEST(Juez, ElTopeDeSalidaDependeDeQuienDecideElCaso) {
    nucleo::Caso decidido{"decidido", "x\n", "Entrada no válida.\n"};
    decidido.origen = nucleo::Origen::Decidido;
    const std::string grande(100000, 'a');
    nucleo::Caso largo{"largo", "", grande};
    struct Fila {
        const char* descripcion;
        nucleo::Caso caso;
        std::size_t tope;
    } filas[] = {
        {"del ejercicio, sin salida", nucleo::Caso{}, std::size_t{1} << 20},
        {"del ejercicio, con salida larga", largo, (std::size_t{1} << 20) + 4 * grande.size()},
        {"decidido", decidido, (std::size_t{64} << 10) + 4 * decidido.salida.size()},
        {"entrada hostil", nucleo::casoHostil({"letras", "abc\n"}), std::size_t{64} << 10},
    };
    for (const Fila& f : filas) {
        EXPECT_EQ(nucleo::opcionesDe(nucleo::Ejercicio{}, f.caso).limiteSalida, f.tope)
            << f.descripcion;
    }
}

}  // namespace

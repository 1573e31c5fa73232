// Las comprobaciones de funciones con sondas de mentira: lo que decide el comprobador con lo que
// responde (o no responde) una sonda, sin compilar nada. Una sonda que no responde todo o no
// termina bien no da nada por bueno, aunque lo que escribió parezca correcto.
#include "funciones.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "orquesta.h"
#include "sonda.h"

namespace comprobador {
namespace {

using nucleo::Llamada;
using nucleo::Sondeo;

nucleo::Ejercicio ejercicio() {
    nucleo::Ejercicio e;
    e.programa = "prueba";
    e.funciones = {
        {"Doble",
         nucleo::Origen::Enunciado,
         "doble duplica",
         {{"doble", {"2"}, "4"}, {"doble", {"5"}, "10"}}},
        {"Firma",
         nucleo::Origen::Enunciado,
         "doble se declara como pide el ejercicio",
         {{"firma doble", {}, "int (int)"}}},
        {"Escribe",
         nucleo::Origen::Decidido,
         "muestra acaba con std::endl",
         {{"muestra", {}, ej_sonda::ver(ej_sonda::Escrito{"hola\n", "hola\n", ""})}}},
    };
    return e;
}

// Una sonda de mentira: responde con la tabla `respuestas` (operación y argumentos → lo
// observado) y deja de responder al llegar a `revientaCon`.
struct Falsa {
    std::map<std::string, std::string> respuestas;
    std::string revientaCon;  // "operación argumento"
    int senal = 11;
    int veces = 0;

    Sondeo operator()(const std::vector<Llamada>& llamadas, const std::vector<std::size_t>&) {
        ++veces;
        Sondeo s;
        s.proceso.estado = 0;
        for (const Llamada& l : llamadas) {
            const std::string clave = l.operacion + (l.argumentos.empty() ? "" : " ") +
                                      (l.argumentos.empty() ? "" : l.argumentos[0]);
            if (clave == revientaCon) {
                s.observado.resize(llamadas.size());
                s.proceso.estado = -1;
                s.proceso.senal = senal;
                return s;
            }
            s.observado.push_back(respuestas.count(clave) ? respuestas[clave] : "?");
        }
        s.completo = true;
        return s;
    }
};

std::map<std::string, std::string> correctas() {
    return {{"doble 2", "4"},
            {"doble 5", "10"},
            {"firma doble", "int (int)"},
            {"muestra", "escribe «hola⏎», vaciado"}};
}

Sondeador sinModelo() {
    return [](const std::vector<Llamada>&, const std::vector<std::size_t>&) {
        ADD_FAILURE() << "sin llamadas sorteadas no se pregunta a la respuesta modelo";
        return Sondeo{};
    };
}

TEST(Funciones, UnaSondaQueRespondeBienPasaTodoDeUnaVez) {
    Falsa f{correctas(), ""};
    const std::vector<Comprobacion> r =
        comprobarFunciones(ejercicio(), 1, std::ref(f), sinModelo());
    ASSERT_EQ(r.size(), 3u);
    for (const Comprobacion& c : r) EXPECT_EQ(c.estado, Estado::Paso) << c.id;
    EXPECT_EQ(r[2].grupo, Grupo::Decision);
    EXPECT_EQ(r[0].id, "funcion/Doble");
    EXPECT_EQ(f.veces, 1);
}

// La pista general de una comprobación sale cuando lo distinto no se sabe decir mejor: si solo
// cambia una firma o el final de una línea escrita, esa pista exacta la sustituye.
TEST(Funciones, LoDistintoSeExplicaConLaLlamadaYSuPista) {
    const std::string general = "Pista general de la comprobación.";
    struct Fila {
        std::string clave, obtenido;
        std::size_t falla;
        std::string trozo;  // en la explicación
        bool conGeneral;    // y la pista general de la comprobación
    } filas[] = {
        {"doble 5", "11", 0, "Llamada: doble(5)\n  Esperado: 10\n  Obtenido: 11\n", true},
        {"firma doble", "long (long)", 1,
         "doble tiene otra firma: pide int (int), tu código declara long (long).", false},
        {"muestra", "escribe «hola⏎», sin vaciar", 2,
         "La línea acaba con '\\n' sin vaciar la salida: el enunciado la termina con "
         "std::endl.",
         false},
        {"muestra", "escribe «hola»", 2,
         "Falta el salto de línea al final de lo que escribe: el enunciado termina esa línea "
         "con std::endl.",
         false},
        {"muestra", "escribe «hola⏎⏎», vaciado", 2,
         "Sobra un salto de línea al final de lo que escribe: hay un std::endl (o un '\\n') de "
         "más.",
         false},
        {"muestra", "escribe «hol»", 2, "Llamada: muestra()\n  Esperado: escribe «hola⏎», vaciado",
         true},
    };
    for (const Fila& fila : filas) {
        SCOPED_TRACE(fila.clave + " → " + fila.obtenido);
        Falsa f{correctas(), ""};
        f.respuestas[fila.clave] = fila.obtenido;
        nucleo::Ejercicio e = ejercicio();
        for (nucleo::ComprobacionDeFunciones& c : e.funciones) c.pista = general;
        const std::vector<Comprobacion> r = comprobarFunciones(e, 1, std::ref(f), sinModelo());
        for (std::size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].estado, i == fila.falla ? Estado::Fallo : Estado::Paso) << r[i].id;
        }
        const std::string& explicacion = r[fila.falla].evidencia.explicacion;
        EXPECT_NE(explicacion.find(fila.trozo), std::string::npos) << explicacion;
        EXPECT_EQ(r[fila.falla].evidencia.obtenido, fila.obtenido);
        EXPECT_EQ(explicacion.find(general) != std::string::npos, fila.conGeneral) << explicacion;
    }
}

// La que revienta falla con su señal; las demás se preguntan otra vez y pasan.
TEST(Funciones, UnaLlamadaQueRevientaSoloTumbaSuComprobacion) {
    Falsa f{correctas(), "doble 5"};
    const std::vector<Comprobacion> r =
        comprobarFunciones(ejercicio(), 1, std::ref(f), sinModelo());
    EXPECT_EQ(r[0].estado, Estado::Fallo);
    EXPECT_NE(r[0].evidencia.explicacion.find("Llamada: doble(5)\n  Terminó con la señal 11"),
              std::string::npos)
        << r[0].evidencia.explicacion;
    EXPECT_EQ(r[1].estado, Estado::Paso);
    EXPECT_EQ(r[2].estado, Estado::Paso);
    EXPECT_EQ(f.veces, 2);
}

// Una llamada que no vuelve (la sonda la hizo en un hijo que murió) tumba su comprobación, con el
// informe de los sanitizadores si lo hay; la sonda sigue con las demás.
TEST(Funciones, UnaLlamadaQueMuereSeDiceConSuInforme) {
    const Sondeador sonda = [](const std::vector<Llamada>& ll, const std::vector<std::size_t>&) {
        Sondeo s;
        s.proceso.estado = 0;
        s.completo = true;
        for (const Llamada& l : ll) {
            s.observado.push_back(
                correctas()[l.operacion + (l.argumentos.empty() ? "" : " " + l.argumentos[0])]);
            s.murio.push_back(std::nullopt);
            s.errores.push_back("");
        }
        s.observado[1].reset();
        s.murio[1] = 6;  // SIGABRT, como lo da wait
        s.errores[1] = "==1==ERROR: AddressSanitizer: heap-use-after-free on address 0x1\n";
        return s;
    };
    const std::vector<Comprobacion> r = comprobarFunciones(ejercicio(), 1, sonda, sinModelo());
    EXPECT_EQ(r[0].estado, Estado::Fallo);
    EXPECT_NE(r[0].evidencia.explicacion.find("Llamada: doble(5)\n  Con AddressSanitizer y UBSan"),
              std::string::npos)
        << r[0].evidencia.explicacion;
    EXPECT_EQ(r[1].estado, Estado::Paso);
    EXPECT_EQ(r[2].estado, Estado::Paso);
}

// Lo que llegó en una sonda que no acabó no cuenta: ni las respuestas correctas que escribió una
// entrega por su cuenta antes de salir con _exit(0), ni las repetidas.
TEST(Funciones, NadaDeUnaSondaQueNoAcabaSeDaPorBueno) {
    struct Fila {
        const char* que;
        Sondeador sonda;
    } filas[] = {
        {"todo respondido, sin decir que acaba",
         [](const std::vector<Llamada>& ll, const std::vector<std::size_t>&) {
             Sondeo s;
             s.proceso.estado = 0;
             for (const Llamada& l : ll) s.observado.push_back(l.esperado);
             return s;
         }},
        {"todo respondido y repetido",
         [](const std::vector<Llamada>& ll, const std::vector<std::size_t>&) {
             Sondeo s;
             s.proceso.estado = 0;
             for (const Llamada& l : ll) s.observado.push_back(l.esperado);
             s.completo = true;
             s.repetidas = true;
             return s;
         }},
        {"todo respondido, y termina con otro estado",
         [](const std::vector<Llamada>& ll, const std::vector<std::size_t>&) {
             Sondeo s;
             s.proceso.estado = 1;
             for (const Llamada& l : ll) s.observado.push_back(l.esperado);
             s.completo = true;
             return s;
         }},
    };
    for (const Fila& fila : filas) {
        SCOPED_TRACE(fila.que);
        const std::vector<Comprobacion> r =
            comprobarFunciones(ejercicio(), 1, fila.sonda, sinModelo());
        for (const Comprobacion& c : r) EXPECT_EQ(c.estado, Estado::Fallo) << c.id;
    }
}

// Las sorteadas llevan lo que responde la respuesta modelo; si ella no responde, no hay
// veredicto.
TEST(Funciones, LasSorteadasSeComparanConLaRespuestaModelo) {
    nucleo::Ejercicio e = ejercicio();
    e.funciones[0].sorteo = [](nucleo::Azar& azar) {
        return std::vector<Llamada>{{"doble", {std::to_string(azar.entero(100, 200))}, ""}};
    };
    int alModelo = 0;
    const Sondeador modelo = [&](const std::vector<Llamada>& ll, const std::vector<std::size_t>&) {
        ++alModelo;
        Sondeo s;
        s.proceso.estado = 0;
        for (const Llamada& l : ll)
            s.observado.push_back(std::to_string(2 * std::stoi(l.argumentos[0])));
        s.completo = true;
        return s;
    };
    const Sondeador bien = [](const std::vector<Llamada>& ll, const std::vector<std::size_t>&) {
        Sondeo s;
        s.proceso.estado = 0;
        for (const Llamada& l : ll) {
            s.observado.push_back(l.operacion == "doble"
                                      ? std::to_string(2 * std::stoi(l.argumentos[0]))
                                      : correctas()[l.operacion]);
        }
        s.completo = true;
        return s;
    };
    const Sondeador tabla = [](const std::vector<Llamada>& ll, const std::vector<std::size_t>&) {
        // Responde lo publicado de memoria y otra cosa a lo demás.
        Sondeo s;
        s.proceso.estado = 0;
        for (const Llamada& l : ll) {
            const std::string clave =
                l.operacion + (l.argumentos.empty() ? "" : " " + l.argumentos[0]);
            s.observado.push_back(correctas().count(clave) ? correctas()[clave] : "0");
        }
        s.completo = true;
        return s;
    };
    EXPECT_EQ(comprobarFunciones(e, 7, bien, modelo)[0].estado, Estado::Paso);
    const Comprobacion deMemoria = comprobarFunciones(e, 7, tabla, modelo)[0];
    EXPECT_EQ(deMemoria.estado, Estado::Fallo);
    EXPECT_NE(deMemoria.evidencia.explicacion.find("sorteada: se repite con --semilla 7"),
              std::string::npos)
        << deMemoria.evidencia.explicacion;
    EXPECT_EQ(alModelo, 2);

    const Sondeador rota = [](const std::vector<Llamada>&, const std::vector<std::size_t>&) {
        return Sondeo{};
    };
    EXPECT_THROW(comprobarFunciones(e, 7, bien, rota), ErrorDelComprobador);
}

}  // namespace
}  // namespace comprobador

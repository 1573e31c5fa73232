// El ejecutor de procesos con /bin/sh: lo que escribe cada flujo, cómo termina, los límites de
// tiempo y de salida, la conversación que espera cada aviso, y que nada de lo que lance el
// programa sobreviva.
#include "proceso.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

nucleo::Resultado sh(const std::string& orden, const std::string& entrada = "",
                     nucleo::Opciones o = {}) {
    o.argumentos = {"-c", orden};
    if (o.limite == std::chrono::milliseconds(10000)) o.limite = std::chrono::seconds(5);
    return nucleo::ejecutar("/bin/sh", entrada, o);
}

TEST(Proceso, FlujosEstadoYSenal) {
    const nucleo::Resultado r = sh("cat; echo error >&2; exit 3", "hola");
    EXPECT_EQ(r.salida, "hola");
    EXPECT_EQ(r.errores, "error\n");
    EXPECT_EQ(r.estado, 3);
    EXPECT_FALSE(r.terminoBien());
    const nucleo::Resultado muerto = sh("kill -SEGV $$");
    EXPECT_EQ(muerto.senal, SIGSEGV);
    nucleo::Opciones unidas;
    unidas.unirSalidas = true;
    EXPECT_EQ(sh("echo a; echo b >&2; echo c", "", unidas).salida, "a\nb\nc\n");
}

TEST(Proceso, UnaEntradaGrandeNoLoBloquea) {
    const std::string mucho(4 << 20, 'x');
    EXPECT_EQ(sh("cat", mucho).salida.size(), mucho.size());
}

TEST(Proceso, LimitesDeTiempoYDeSalida) {
    nucleo::Opciones corto;
    corto.limite = std::chrono::milliseconds(300);
    const auto antes = std::chrono::steady_clock::now();
    const nucleo::Resultado r = sh("sleep 30", "", corto);
    EXPECT_TRUE(r.agotado);
    EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(5));
    nucleo::Opciones poco;
    poco.limiteSalida = 1000;
    const nucleo::Resultado inunda = sh("yes", "", poco);
    EXPECT_TRUE(inunda.salidaExcesiva);
    EXPECT_LT(inunda.salida.size(), 10u << 20);
}

// El límite de CPU mide lo que el programa calcula, él y lo que lanza, y no lo que espera: uno
// que se para no lo agota (solo el tope de tiempo real), y uno que calcula sin parar se mata en
// cuanto lo gasta, sin esperar a ese tope. Los bucles llevan su propio tope (ulimit -t) por si
// el del ejecutor fallara.
TEST(Proceso, ElLimiteDeCpuMideLoQueCalculaNoLoQueEspera) {
    using std::chrono::milliseconds;
    struct Fila {
        const char* descripcion;
        const char* orden;
        milliseconds tope;  // el de tiempo real
        bool agotado;
        bool parado;
    } filas[] = {
        {"calcula sin parar", "ulimit -t 5; while :; do :; done", milliseconds(20000), true, false},
        {"calcula un hijo", "ulimit -t 5; (while :; do :; done) & wait", milliseconds(20000), true,
         false},
        {"se queda parado", "sleep 30", milliseconds(1000), true, true},
        {"se detiene", "kill -STOP $$", milliseconds(1000), true, true},
        {"espera más que su CPU y termina", "sleep 0.6; echo fin", milliseconds(5000), false,
         false},
    };
    for (const Fila& f : filas) {
        nucleo::Opciones o;
        o.limiteCpu = milliseconds(300);
        o.limite = f.tope;
        const auto antes = std::chrono::steady_clock::now();
        const nucleo::Resultado r = sh(f.orden, "", o);
        const auto duro = std::chrono::steady_clock::now() - antes;
        EXPECT_EQ(r.agotado, f.agotado) << f.descripcion << ": " << r;
        EXPECT_EQ(r.agotadoParado, f.parado) << f.descripcion << ": " << r;
        if (f.agotado && !f.parado) {
            EXPECT_GE(r.cpu, o.limiteCpu) << f.descripcion << ": " << r;
            EXPECT_LT(duro, std::chrono::seconds(5)) << f.descripcion << ": no espera al tope";
        } else {
            EXPECT_LT(r.cpu, o.limiteCpu) << f.descripcion << ": " << r;
        }
        if (!f.agotado) {
            EXPECT_EQ(r.salida, "fin\n") << f.descripcion;
        }
    }
    // Sin límite de CPU también se mide, con lo de los hijos que terminaron.
    const nucleo::Resultado cuenta =
        sh("(i=0; while [ $i -lt 200000 ]; do i=$((i+1)); done); echo fin");
    EXPECT_EQ(cuenta.salida, "fin\n");
    EXPECT_GT(cuenta.cpu, milliseconds(20)) << cuenta;
}

// Al tope de tiempo real, un programa que sigue gastando CPU no está parado: la máquina no le
// da turno. Se le alarga el tope hasta cuatro veces y, si ni así llega a su límite de CPU, se
// dice que la máquina está cargada, no que se paró. Para que no tenga turno, la prueba lo pone
// en una sola CPU junto a un bucle suyo y lo lanza con la política SCHED_IDLE (chrt --idle): solo
// calcula cuando el bucle le deja, casi nunca, haya lo que haya en las demás CPU. Espera turno
// (estado R) sin apenas gastar CPU: tampoco eso es estar parado.
TEST(Proceso, UnProgramaSinTurnoNoEstaParado) {
    using std::chrono::milliseconds;
    // Solo el bucle y el programa van a esa CPU: la prueba, que mide, tiene las demás.
    cpu_set_t todas;
    ASSERT_EQ(sched_getaffinity(0, sizeof todas, &todas), 0);
    int cpu = 0;
    while (!CPU_ISSET(cpu, &todas)) ++cpu;
    const pid_t bucle = fork();
    if (bucle == 0) {
        alarm(30);  // por si la prueba no llegara a matarlo
        cpu_set_t una;
        CPU_ZERO(&una);
        CPU_SET(cpu, &una);
        sched_setaffinity(0, sizeof una, &una);
        // Con un efecto visible: un bucle vacío sin fin es comportamiento indefinido, y clang
        // lo quita (el hijo seguía con la prueba y el programa tenía la CPU para él solo).
        volatile unsigned long vueltas = 0;
        for (;;) vueltas = vueltas + 1;
    }
    nucleo::Opciones o;
    o.limiteCpu = milliseconds(2500);
    o.limite = milliseconds(1000);
    const auto inicio = std::chrono::steady_clock::now();
    const nucleo::Resultado r = sh("ulimit -t 10; exec taskset -c " + std::to_string(cpu) +
                                       " chrt --idle 0 sh -c 'while :; do :; done'",
                                   "", o);
    const auto duro = std::chrono::steady_clock::now() - inicio;
    kill(bucle, SIGKILL);
    waitpid(bucle, nullptr, 0);
    EXPECT_TRUE(r.maquinaCargada) << r;
    EXPECT_TRUE(r.agotado) << r;
    EXPECT_FALSE(r.agotadoParado) << r;
    EXPECT_FALSE(r.terminoBien()) << r;
    EXPECT_GE(duro, milliseconds(3900)) << "el tope se alarga hasta cuatro veces";
    // Y no más: sin turno, llegar a su límite de CPU le llevaría minutos. (Con holgura para una
    // máquina cargada.)
    EXPECT_LT(duro, milliseconds(9000));
}

TEST(Proceso, LaConversacionEsperaCadaAviso) {
    nucleo::Opciones o;
    o.argumentos = {"-c", "printf 'uno: '; read a; printf 'dos: '; read b; echo \"$a+$b\""};
    const nucleo::Resultado r =
        nucleo::conversar("/bin/sh", {{"uno: ", "1\n"}, {"dos: ", "2\n"}}, o);
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, "uno: dos: 1+2\n");
    struct Fila {
        const char* descripcion;
        const char* orden;
        int sinAviso;
        bool tardio;
        int sinEsperar;
    } filas[] = {
        // Lee antes de escribir el aviso: la respuesta se escribe igual y el aviso llega tarde.
        {"aviso sin vaciar", "read a; printf 'uno: '; read b", 0, true, -1},
        // Calla sin calcular (duerme) más de lo que se espera un aviso: como si leyera.
        {"duerme antes del aviso", "sleep 1.5; printf 'uno: '; read a; printf 'dos: '; read b", 0,
         true, -1},
        // Calla porque calcula (o porque la máquina no le da turno): aún no espera nada, y su
        // aviso llega a tiempo.
        {"calcula antes del aviso",
         "timeout 1.3 sh -c 'while :; do :; done'; printf 'uno: '; read a; printf 'dos: '; read b",
         -1, false, -1},
        // El aviso es otro: se deja de esperar enseguida y no llega nunca.
        {"aviso distinto", "printf 'uno:'; read a; printf 'dos: '; read b", 0, false, -1},
        // Escribe el segundo aviso y termina sin leer su respuesta.
        {"no espera la segunda", "printf 'uno: '; read a; printf 'dos: '", -1, false, 1},
    };
    for (const Fila& f : filas) {
        o.argumentos = {"-c", f.orden};
        const auto antes = std::chrono::steady_clock::now();
        const nucleo::Resultado r = nucleo::conversar(
            "/bin/sh", {{"uno: ", "1\n"}, {"dos: ", "2\n"}}, o, std::chrono::seconds(4));
        EXPECT_FALSE(r.agotado) << f.descripcion << ": " << r;
        EXPECT_EQ(r.pasoSinAviso, f.sinAviso) << f.descripcion << ": " << r;
        EXPECT_EQ(r.avisoTardio, f.tardio) << f.descripcion << ": " << r;
        EXPECT_EQ(r.pasoSinEsperar, f.sinEsperar) << f.descripcion << ": " << r;
        EXPECT_EQ(r.conversoBien(), f.sinAviso < 0 && f.sinEsperar < 0) << f.descripcion;
        EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::milliseconds(3500))
            << f.descripcion << ": no se espera el tiempo entero por un aviso que no llega";
    }
}

TEST(Proceso, LoQueLanzaElProgramaNoSobrevive) {
    // Un hijo que se queda con la salida abierta: la ejecución no espera a que termine.
    const auto antes = std::chrono::steady_clock::now();
    const nucleo::Resultado r = sh("sleep 30 & echo listo");
    EXPECT_EQ(r.salida, "listo\n");
    EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(5));
}

#ifdef __linux__
// El programa empieza con las señales de siempre: bloqueadas solo las que bloqueaba el hilo que
// lo lanza (como con fork) y SIGPIPE con su acción normal, aunque el ejecutor bloquee todas
// mientras lo lanza e ignore SIGPIPE. (Sin /bin/sh, que vacía la máscara al empezar.)
TEST(Proceso, ElProgramaEmpiezaConLasSenalesDeSiempre) {
    sigset_t usr1, antes;
    sigemptyset(&usr1);
    sigaddset(&usr1, SIGUSR1);
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &usr1, &antes), 0);
    nucleo::Opciones o;
    o.argumentos = {"-E", "^Sig(Blk|Ign)", "/proc/self/status"};
    const nucleo::Resultado r = nucleo::ejecutar("/bin/grep", "", o);
    pthread_sigmask(SIG_SETMASK, &antes, nullptr);
    const unsigned long long bitUsr1 = 1ULL << (SIGUSR1 - 1), bitPipe = 1ULL << (SIGPIPE - 1);
    unsigned long long bloqueadas = ~0ULL, ignoradas = ~0ULL;
    std::istringstream lineas(r.salida);
    for (std::string nombre, valor; lineas >> nombre >> valor;)
        (nombre == "SigBlk:" ? bloqueadas : ignoradas) = std::stoull(valor, nullptr, 16);
    // Lo que bloqueaba el hilo que lo lanza sí pasa, como con fork; nada más.
    EXPECT_EQ(bloqueadas, bitUsr1) << r.salida;
    EXPECT_EQ(ignoradas & bitPipe, 0u) << r.salida;
}
#endif

TEST(Proceso, LaCarpetaTemporalSeBorra) {
    std::string ruta;
    {
        nucleo::CarpetaTemporal t("prueba-proceso");
        ruta = t.ruta();
        ASSERT_FALSE(ruta.empty());
        std::ofstream(ruta + "/archivo") << "x";
        std::filesystem::create_directories(ruta + "/dentro/mas");
    }
    EXPECT_FALSE(std::filesystem::exists(ruta));
}

TEST(Proceso, PonerSustituyeLaVariableDelMismoNombre) {
    nucleo::Opciones o;
    o.poner("A=1");
    o.poner("B=2");
    o.poner("A=3");
    EXPECT_EQ(o.entorno, (std::vector<std::string>{"A=3", "B=2"}));
    o.argumentos = {"-c", "echo $A$B"};
    EXPECT_EQ(nucleo::ejecutar("/bin/sh", "", o).salida, "32\n");
}

}  // namespace

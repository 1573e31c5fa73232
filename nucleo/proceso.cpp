// Lo común a todos los sistemas: la conversación (cada respuesta tras su aviso), los límites de
// tiempo y de salida y cómo se describe el resultado. Lanzar, leer, escribir y matar son de
// cada sistema (proceso_plataforma.h).
#include "proceso.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <utility>

#include "proceso_plataforma.h"

namespace nucleo {

namespace {

using plataforma::Programa;
using plataforma::Reloj;

std::string nombreDe(const std::string& variable) { return variable.substr(0, variable.find('=')); }

// Una ruta, y no el nombre de un programa de bin/: lleva una barra (en Windows, de las dos).
bool esRuta(const std::string& programa) {
#ifdef _WIN32
    return programa.find_first_of("/\\") != std::string::npos;
#else
    return programa.find('/') != std::string::npos;
#endif
}

// Tiempo que se siguen leyendo las salidas después de que el programa termine, por si algún
// proceso que lanzó las mantiene abiertas; después se mata todo su grupo.
constexpr std::chrono::milliseconds kGracia{500};
// En una conversación: cuánto se mira, tras llegar un aviso, que el programa espera (ni
// escribe ni termina); y cuánto callado, sin el aviso, se da por hecho que ya espera la
// respuesta: poco si lo escrito ya no puede ser el aviso, más si aún podría serlo.
constexpr std::chrono::milliseconds kQuieto{100};
constexpr std::chrono::milliseconds kCallaSiDistinto{250};
constexpr std::chrono::milliseconds kCalla{1000};
// Con límite de CPU o de memoria, cada cuánto se mide lo gastado mientras el programa corre. Se
// mide a menudo porque lo que corre aislado no se cuenta al recogerlo (bwrap no lo pasa a quien
// lo lanzó): la última medida es también la CPU de un programa que termina bien.
constexpr std::chrono::milliseconds kEntreMedidas{20};
// Al llegar al tope de tiempo real, un programa sigue calculando si su CPU creció en este último
// rato (o en la mitad del tope, si es más corto); si no, está parado.
constexpr std::chrono::milliseconds kVentana{500};
// Hasta cuántas veces el tope original se alarga el de un programa que sigue calculando.
constexpr int kVecesTope = 4;

// Motor común: una ejecución es una conversación; ejecutar() es la de un solo paso que no
// espera ningún aviso.
Resultado correr(const std::string& programa, const std::vector<Paso>& pasos,
                 const Opciones& opciones, std::chrono::milliseconds esperaAviso) {
    Programa p(esRuta(programa) ? programa : rutaPrograma(programa), opciones);

    Resultado r;
    const auto inicio = Reloj::now();
    auto fin = inicio + opciones.limite + plataforma::holguraDeArranque();
    // Con límite de CPU o de memoria: cuándo se mide lo gastado, y hasta cuándo vale el reloj
    // donde no se puede medir la CPU.
    const bool conCpu = opciones.limiteCpu.count() > 0;
    const bool conMemoria = opciones.limiteMemoria > 0;
    auto medir = inicio;
    const auto finSinMedida = inicio + opciones.limiteCpu + plataforma::holguraDeArranque();
    // Con límite de CPU, el tope de tiempo real más largo al que se llega alargándolo, y las
    // medidas de la CPU del último rato (cuándo y cuánto).
    const auto finAlargado =
        inicio + kVecesTope * opciones.limite + plataforma::holguraDeArranque();
    const auto ventana = std::min(kVentana, opciones.limite / 2);
    std::deque<std::pair<Reloj::time_point, std::chrono::milliseconds>> medidas = {
        {inicio, std::chrono::milliseconds(0)}};
    // ¿Creció su CPU desde la última medida de hace al menos `ventana`? Sin medidas, no.
    const auto sigueCalculando = [&] {
        auto antes = medidas.front();
        for (const auto& m : medidas) {
            if (m.first + ventana <= medidas.back().first) antes = m;
        }
        return r.cpu.count() >= 0 && r.cpu > antes.second;
    };
    // Cada paso: esperar su aviso, comprobar que el programa se queda esperando la respuesta,
    // y escribirla.
    enum class Fase { Aviso, Quieto, Respuesta };
    Fase fase = Fase::Aviso;
    size_t paso = 0, desde = 0, desdeSinAviso = 0, largoAlLlegar = 0;
    std::string pendiente;
    auto inicioPaso = inicio, ultimaSalida = inicio, finQuieto = inicio;
    bool terminado = false;
    auto finGracia = fin;

    auto responder = [&] {
        pendiente = pasos[paso].respuesta;
        fase = Fase::Respuesta;
    };

    while (p.leyendo()) {
        auto ahora = Reloj::now();
        if (fase == Fase::Aviso && paso < pasos.size()) {
            const std::string& aviso = pasos[paso].aviso;
            const size_t pos = r.salida.find(aviso, desde);
            if (pos != std::string::npos) {
                desde = pos + aviso.size();
                if (aviso.empty() || !pasos[paso].mirarQueEspera) {
                    responder();
                } else {
                    fase = Fase::Quieto;
                    largoAlLlegar = r.salida.size() + r.errores.size();
                    finQuieto = ahora + kQuieto;
                }
            } else {
                // Sin el aviso, el programa ya calla: o lo escribió de otra manera (lo que va
                // tras el paso anterior ya no puede convertirse en él) o no lo ha vaciado. En
                // los dos casos se responde igual, para ver qué hace después.
                // Pero callar no es esperar mientras algo del programa calcula o espera turno
                // (una máquina llena no le da la CPU): entonces aún puede escribir el aviso.
                const std::string tras = r.salida.substr(desde);
                const bool distinto = aviso.compare(0, tras.size(), tras) != 0;
                const bool calla = ahora >= ultimaSalida + (distinto ? kCallaSiDistinto : kCalla);
                const bool yaEspera = (calla && !terminado) || ahora >= inicioPaso + esperaAviso;
                if ((yaEspera && (terminado || !p.medir().enMarcha)) || !p.salidaAbierta()) {
                    if (r.pasoSinAviso < 0) {
                        r.pasoSinAviso = static_cast<int>(paso);
                        desdeSinAviso = desde;
                    }
                    responder();
                }
            }
        }
        if (fase == Fase::Quieto) {
            // Tras su aviso, el programa espera la respuesta: ni escribe más ni termina.
            const bool siguio = r.salida.size() + r.errores.size() > largoAlLlegar || terminado;
            if (siguio && r.pasoSinEsperar < 0) r.pasoSinEsperar = static_cast<int>(paso);
            if (siguio || ahora >= finQuieto) responder();
        }
        if (fase == Fase::Respuesta && pendiente.empty()) {
            fase = Fase::Aviso;
            ++paso;
            inicioPaso = ultimaSalida = ahora;
            continue;
        }
        if (paso >= pasos.size()) p.cerrarEntrada();

        if ((conCpu || conMemoria) && !terminado && ahora >= medir) {
            const plataforma::Medida m = p.medir();
            r.cpu = std::max(r.cpu, m.cpu);
            const bool medida = m.cpu.count() >= 0;
            if (conCpu && (medida ? m.cpu >= opciones.limiteCpu : ahora >= finSinMedida)) {
                r.agotado = true;
                break;
            }
            // El programa y todo lo que lanzó, aunque lleve sanitizadores (que no dejan poner
            // RLIMIT_AS) o la memoria no venga de su asignador.
            if (conMemoria && m.memoria > static_cast<long long>(opciones.limiteMemoria)) {
                r.memoriaExcedida = true;
                break;
            }
            if (medida) {
                medidas.emplace_back(ahora, m.cpu);
                while (medidas.size() > 2 && medidas[1].first + 2 * ventana <= ahora) {
                    medidas.pop_front();
                }
            }
            medir = medida || conMemoria ? ahora + kEntreMedidas : finSinMedida;
        }
        if (ahora >= fin) {
            // Un programa que aún calcula no está parado: la máquina no le da turno. Se le
            // espera más, hasta un tope; si ni así llega a su límite de CPU, no se sabe qué haría.
            // Tampoco lo está el que espera turno o al disco sin haber calculado aún (uno que
            // arranca en una máquina llena).
            if (conCpu && !terminado && (sigueCalculando() || p.medir().enMarcha)) {
                if (fin < finAlargado) {
                    fin = std::min(fin + opciones.limite, finAlargado);
                    continue;
                }
                r.agotado = true;
                r.maquinaCargada = true;
                break;
            }
            r.agotado = true;
            r.agotadoParado = conCpu;
            break;
        }
        if (!terminado && p.haTerminado()) {
            terminado = true;
            finGracia = std::min(fin, ahora + kGracia);
        }
        if (terminado && ahora >= finGracia) {
            // El programa terminó, pero algo que lanzó mantiene abiertas las salidas.
            p.matar();
            p.leerLoQueQuede(r.salida, r.errores);
            break;
        }
        // Despierta a menudo para ver si el programa ya terminó o ya calla.
        auto limite = std::min(terminado ? finGracia : fin, ahora + std::chrono::milliseconds(20));
        const bool escribiendo = fase == Fase::Respuesta && p.entradaAbierta();
        const auto espera = std::chrono::duration_cast<std::chrono::milliseconds>(limite - ahora) +
                            std::chrono::milliseconds(1);
        const size_t antes = r.salida.size() + r.errores.size();
        if (!p.esperar(espera, escribiendo, r.salida, r.errores)) break;
        if (r.salida.size() + r.errores.size() > antes) ultimaSalida = Reloj::now();
        if (opciones.limiteSalida > 0 &&
            r.salida.size() + r.errores.size() > opciones.limiteSalida) {
            r.salidaExcesiva = true;
            break;
        }
        if (escribiendo && !p.escribir(pendiente)) {
            // El programa ya no lee (terminó o cerró su entrada): el resto sobra.
            pendiente.clear();
            paso = pasos.size();
        }
    }
    // Las salidas se cerraron (el programa terminó) con un paso pendiente: si su aviso llegó,
    // no esperó la respuesta; si no llegó, faltó el aviso.
    const bool cerradas = !p.leyendo();
    if (cerradas && paso < pasos.size() && fase != Fase::Respuesta) {
        const bool llego =
            fase == Fase::Quieto || r.salida.find(pasos[paso].aviso, desde) != std::string::npos;
        if (llego && r.pasoSinEsperar < 0) r.pasoSinEsperar = static_cast<int>(paso);
        if (!llego && r.pasoSinAviso < 0) {
            r.pasoSinAviso = static_cast<int>(paso);
            desdeSinAviso = desde;
        }
    }
    if (r.pasoSinAviso >= 0) {
        // ¿Llegó el aviso después de escribir la respuesta? Entonces no se había vaciado.
        const std::string& aviso = pasos[static_cast<size_t>(r.pasoSinAviso)].aviso;
        r.avisoTardio = r.salida.find(aviso, desdeSinAviso) != std::string::npos;
    }
    p.cerrarFlujos();

    if (r.agotado || r.salidaExcesiva || r.memoriaExcedida) p.matar();
    if (!p.esperarFin(fin)) r.agotado = true;
    p.recoger(r);
    return r;
}

// Las excepciones con que termina un programa de Windows que se rompe, como la señal con que
// terminaría en Linux: la pila desbordada es también una violación de segmento, y las roturas
// que el propio programa provoca al detectar un error (el __fastfail de abort() en la biblioteca
// de C nueva, un montículo corrupto) son su abort().
const plataforma::CodigoDeWindows kCodigosDeWindows[] = {
    {0xC0000005, SIGSEGV, "STATUS_ACCESS_VIOLATION"},
    {0xC00000FD, SIGSEGV, "STATUS_STACK_OVERFLOW"},
    {0xC0000006, SIGSEGV, "STATUS_IN_PAGE_ERROR"},
    {0xC000008C, SIGSEGV, "STATUS_ARRAY_BOUNDS_EXCEEDED"},
    {0xC0000094, SIGFPE, "STATUS_INTEGER_DIVIDE_BY_ZERO"},
    {0xC0000095, SIGFPE, "STATUS_INTEGER_OVERFLOW"},
    {0xC000008D, SIGFPE, "STATUS_FLOAT_DENORMAL_OPERAND"},
    {0xC000008E, SIGFPE, "STATUS_FLOAT_DIVIDE_BY_ZERO"},
    {0xC000008F, SIGFPE, "STATUS_FLOAT_INEXACT_RESULT"},
    {0xC0000090, SIGFPE, "STATUS_FLOAT_INVALID_OPERATION"},
    {0xC0000091, SIGFPE, "STATUS_FLOAT_OVERFLOW"},
    {0xC0000092, SIGFPE, "STATUS_FLOAT_STACK_CHECK"},
    {0xC0000093, SIGFPE, "STATUS_FLOAT_UNDERFLOW"},
    {0xC000001D, SIGILL, "STATUS_ILLEGAL_INSTRUCTION"},
    {0xC0000096, SIGILL, "STATUS_PRIVILEGED_INSTRUCTION"},
    {0xC0000409, SIGABRT, "STATUS_STACK_BUFFER_OVERRUN"},
    {0xC0000374, SIGABRT, "STATUS_HEAP_CORRUPTION"},
    {3, SIGABRT, "el de abort()"},
    {0xC000013A, SIGINT, "STATUS_CONTROL_C_EXIT"},
    {plataforma::kCodigoAlMatar, plataforma::kSenalAlMatar, "terminado por el ejecutor"},
};

}  // namespace

namespace plataforma {

const CodigoDeWindows* codigoDeWindows(std::uint32_t codigo) {
    for (const CodigoDeWindows& c : kCodigosDeWindows) {
        if (c.codigo == codigo) return &c;
    }
    return nullptr;
}

}  // namespace plataforma

void Opciones::poner(const std::string& variable) {
    for (std::string& v : entorno) {
        if (nombreDe(v) == nombreDe(variable)) {
            v = variable;
            return;
        }
    }
    entorno.push_back(variable);
}

std::string rutaPrograma(const std::string& nombre) {
#ifdef _WIN32
    return std::string(EJ_BIN_DIR) + "/" + nombre + ".exe";
#else
    return std::string(EJ_BIN_DIR) + "/" + nombre;
#endif
}

Resultado ejecutar(const std::string& programa, const std::string& entrada,
                   const Opciones& opciones) {
    return correr(programa, {{"", entrada}}, opciones, opciones.limite);
}

Resultado conversar(const std::string& programa, const std::vector<Paso>& pasos,
                    const Opciones& opciones, std::chrono::milliseconds esperaAviso) {
    return correr(programa, pasos, opciones, esperaAviso);
}

std::string nombreDeSenal(const Resultado& r) {
    if (r.codigoWindows != 0) {
        const plataforma::CodigoDeWindows* c = plataforma::codigoDeWindows(r.codigoWindows);
        // Los estados pequeños (el 3 de abort) se dicen en decimal, como los escribe Windows.
        char codigo[32];
        if (r.codigoWindows < 0x10000) {
            std::snprintf(codigo, sizeof codigo, "estado %u",
                          static_cast<unsigned>(r.codigoWindows));
        } else {
            std::snprintf(codigo, sizeof codigo, "0x%08X", static_cast<unsigned>(r.codigoWindows));
        }
        return c != nullptr ? std::string(codigo) + ", " + c->nombre : std::string(codigo);
    }
    switch (r.senal) {
        case SIGSEGV:
            return "SIGSEGV";
        case SIGABRT:
            return "SIGABRT";
        case SIGFPE:
            return "SIGFPE";
#ifdef SIGBUS
        case SIGBUS:
            return "SIGBUS";
#endif
#ifdef SIGKILL
        case SIGKILL:
            return "SIGKILL";
#endif
#ifdef _WIN32
        // Sin strsignal: las pocas que define la biblioteca de C de Windows, por su nombre.
        case SIGILL:
            return "SIGILL";
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
#endif
        default:
            break;
    }
#ifdef _WIN32
    return "sin nombre";
#else
    return strsignal(r.senal);
#endif
}

std::ostream& operator<<(std::ostream& os, const Resultado& r) {
    os << "estado " << r.estado;
    if (r.senal != 0) os << ", señal " << r.senal;
    if (r.codigoWindows != 0) os << " (" << nombreDeSenal(r) << ")";
    if (r.agotado) os << (r.agotadoParado ? ", tiempo agotado sin calcular" : ", tiempo agotado");
    if (r.maquinaCargada) os << ", máquina cargada";
    if (r.cpu.count() >= 0) os << ", " << r.cpu.count() << " ms de CPU";
    if (r.salidaExcesiva) os << ", salida excesiva";
    if (r.memoriaExcedida) os << ", memoria excedida";
    if (r.llamadasCls >= 0) os << ", " << r.llamadasCls << " llamadas a cls";
    if (r.pasoSinAviso >= 0) os << ", no llegó el aviso del paso " << r.pasoSinAviso;
    if (r.pasoSinEsperar >= 0) os << ", no esperó la respuesta del paso " << r.pasoSinEsperar;
    return os << "\n--- salida ---\n" << r.salida << "\n--- errores ---\n" << r.errores;
}

}  // namespace nucleo

// El ejecutor en Windows: CreateProcessW con los tres flujos en tuberías anónimas y el programa
// dentro de un trabajo (Job Object) que se mata entero, con todo lo que lance, al agotarse el
// tiempo o al terminar quien lo ejecuta. Las tuberías anónimas no se pueden vigilar como con
// poll: cada salida la lee un hilo propio y la entrada la escribe otro, y el ejecutor espera a
// que cualquiera de ellos tenga algo nuevo.
//
// Los programas escriben en modo texto, que convierte cada "\n" en "\r\n": los hilos lectores
// deshacen esa conversión (cada "\r\n" vuelve a ser "\n"), de modo que la salida es la que el
// programa escribió y lo esperado es lo mismo que en Linux. La entrada se escribe tal cual: el
// modo texto de la entrada solo quita los "\r" de "\r\n" (y toma Ctrl+Z como el final).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // Windows 7: CancelSynchronousIo, la lista de handles heredados
#endif
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "proceso.h"
#include "proceso_plataforma.h"

namespace nucleo {

namespace {

// Los trabajos en marcha, para que Ctrl+C los mate: un arreglo fijo, como en Linux.
constexpr int kMaximoEnMarcha = 64;
std::atomic<HANDLE> enMarcha[kMaximoEnMarcha];

void apuntar(HANDLE trabajo) {
    for (auto& hueco : enMarcha) {
        HANDLE libre = nullptr;
        if (hueco.compare_exchange_strong(libre, trabajo)) return;
    }
}

void borrarApunte(HANDLE trabajo) {
    for (auto& hueco : enMarcha) {
        HANDLE este = trabajo;
        if (hueco.compare_exchange_strong(este, nullptr)) return;
    }
}

void cerrar(HANDLE& h) {
    if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    h = nullptr;
}

std::wstring ancho(const std::string& texto) {
    if (texto.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), w.data(), n);
    return w;
}

// Un argumento en la línea de órdenes, como lo separa el arranque de los programas de C
// (CommandLineToArgvW): entre comillas si hace falta, con las barras que preceden a unas
// comillas (o al final) dobladas.
void citar(const std::wstring& argumento, std::wstring& linea) {
    if (!linea.empty()) linea += L' ';
    if (!argumento.empty() && argumento.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        linea += argumento;
        return;
    }
    linea += L'"';
    for (auto c = argumento.begin();; ++c) {
        size_t barras = 0;
        while (c != argumento.end() && *c == L'\\') {
            ++c;
            ++barras;
        }
        if (c == argumento.end()) {
            linea.append(barras * 2, L'\\');
            break;
        }
        if (*c == L'"') {
            linea.append(barras * 2 + 1, L'\\');
        } else {
            linea.append(barras, L'\\');
        }
        linea += *c;
    }
    linea += L'"';
}

// El nombre de una variable "NOMBRE=valor"; las de Windows que empiezan por "=" ("=C:=C:\...",
// la carpeta de cada unidad) tienen el nombre con ese "=".
std::wstring nombreDe(const std::wstring& variable) {
    return variable.substr(0, variable.find(L'=', 1));
}

bool mismoNombre(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// El bloque de entorno: el heredado con las variables de `extra` añadidas o sustituidas. En
// Windows los nombres no distinguen mayúsculas ("Path" es "PATH"), y el bloque va ordenado.
std::wstring bloqueDeEntorno(const std::vector<std::string>& extra) {
    std::vector<std::wstring> variables;
    if (wchar_t* heredado = GetEnvironmentStringsW()) {
        for (const wchar_t* v = heredado; *v != L'\0'; v += wcslen(v) + 1) variables.push_back(v);
        FreeEnvironmentStringsW(heredado);
    }
    for (const std::string& x : extra) {
        const std::wstring variable = ancho(x);
        const auto igual = std::find_if(variables.begin(), variables.end(), [&](const auto& v) {
            return mismoNombre(nombreDe(v), nombreDe(variable));
        });
        if (igual != variables.end()) {
            *igual = variable;
        } else {
            variables.push_back(variable);
        }
    }
    std::stable_sort(variables.begin(), variables.end(), [](const auto& a, const auto& b) {
        const std::wstring na = nombreDe(a), nb = nombreDe(b);
        return CompareStringOrdinal(na.data(), static_cast<int>(na.size()), nb.data(),
                                    static_cast<int>(nb.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::wstring bloque;
    for (const std::wstring& v : variables) {
        bloque += v;
        bloque += L'\0';
    }
    bloque += L'\0';
    return bloque;
}

// La ruta tal cual o, si no existe y no lleva ".exe", con él (como la buscaría el intérprete).
// Una relativa lo es a la carpeta de trabajo del programa, como tras el chdir de Linux.
std::wstring rutaEjecutable(const std::string& ruta, const std::string& directorio) {
    std::filesystem::path p = std::filesystem::u8path(ruta);
    if (!p.has_root_path() && !directorio.empty()) p = std::filesystem::u8path(directorio) / p;
    const std::wstring w = p.wstring();
    if (GetFileAttributesW(w.c_str()) != INVALID_FILE_ATTRIBUTES) return w;
    const std::wstring conExe = w + L".exe";
    return GetFileAttributesW(conExe.c_str()) != INVALID_FILE_ATTRIBUTES ? conExe : w;
}

// Solo un programa se lanza a la vez: mientras tanto los extremos de sus tuberías son
// heredables, y otro lanzado a la vez los heredaría también (y las mantendría abiertas).
std::mutex lanzando;

// Los "\r\n" que el modo texto escribió por cada "\n" vuelven a ser "\n". Un "\r" al final de
// un bloque espera al siguiente, por si sigue un "\n".
void anadirSinRetornos(std::string& destino, bool& retornoPendiente, const char* datos, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const char c = datos[i];
        if (retornoPendiente) {
            retornoPendiente = false;
            if (c == '\n') {
                destino += '\n';
                continue;
            }
            destino += '\r';
        }
        if (c == '\r') {
            retornoPendiente = true;
        } else {
            destino += c;
        }
    }
}

// Espera a que termine un hilo; si se ha quedado bloqueado en una lectura o una escritura (algo
// fuera del trabajo mantiene la tubería), se cancela.
void juntar(HANDLE& hilo) {
    if (hilo == nullptr) return;
    if (WaitForSingleObject(hilo, 2000) == WAIT_TIMEOUT) {
        CancelSynchronousIo(hilo);
        WaitForSingleObject(hilo, INFINITE);
    }
    cerrar(hilo);
}

}  // namespace

bool enWine() {
    // wine tiene esta función en su ntdll; Windows no.
    static const bool es =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return es;
}

namespace plataforma {

std::chrono::milliseconds holguraDeArranque() {
    return enWine() ? std::chrono::milliseconds(2000) : std::chrono::milliseconds(0);
}

struct Programa::Datos {
    // Una salida y el hilo que la lee. `llegado` es lo leído que el ejecutor aún no ha recogido.
    struct Salida {
        Datos* datos = nullptr;
        HANDLE tuberia = nullptr;
        HANDLE hilo = nullptr;
        std::string llegado;
        bool retornoPendiente = false;
        bool abierta = false;  // el hilo sigue leyendo
        bool vista = false;    // para el ejecutor: abierta o con algo por recoger
    };

    HANDLE proceso = nullptr;
    HANDLE trabajo = nullptr;
    Salida salida, errores;
    HANDLE entrada = nullptr;
    HANDLE escritor = nullptr;
    bool entradaVista = false;

    // Todo lo compartido con los hilos, bajo `cerrojo`; `cambio` avisa de cualquier novedad.
    SRWLOCK cerrojo = SRWLOCK_INIT;
    CONDITION_VARIABLE cambio = CONDITION_VARIABLE_INIT;
    std::string trozo;               // lo que el escritor está escribiendo; vacío si nada
    size_t escrito = 0;              // lo que escribió del último trozo, por quitar de pendiente
    bool falloAlEscribir = false;    // el programa ya no lee
    bool cerrarLaEntrada = false;    // el escritor la cierra en cuanto acabe su trozo
    bool descartar = false;          // ya nadie recoge las salidas
    size_t tope = 0, recibidos = 0;  // lo leído por encima del límite de salida se descarta

    void avisar() { WakeAllConditionVariable(&cambio); }
};

namespace {

DWORD WINAPI leerSalida(void* parametro) {
    auto* s = static_cast<Programa::Datos::Salida*>(parametro);
    Programa::Datos& d = *s->datos;
    std::vector<char> bloque(65536);
    for (;;) {
        DWORD n = 0;
        // Un error es el final: ERROR_BROKEN_PIPE cuando ya nadie tiene abierto el otro extremo.
        if (!ReadFile(s->tuberia, bloque.data(), static_cast<DWORD>(bloque.size()), &n, nullptr)) {
            break;
        }
        AcquireSRWLockExclusive(&d.cerrojo);
        if (!d.descartar && (d.tope == 0 || d.recibidos <= d.tope)) {
            const size_t antes = s->llegado.size();
            anadirSinRetornos(s->llegado, s->retornoPendiente, bloque.data(), n);
            d.recibidos += s->llegado.size() - antes;
        }
        ReleaseSRWLockExclusive(&d.cerrojo);
        d.avisar();
    }
    AcquireSRWLockExclusive(&d.cerrojo);
    if (s->retornoPendiente && !d.descartar) s->llegado += '\r';
    s->retornoPendiente = false;
    s->abierta = false;
    ReleaseSRWLockExclusive(&d.cerrojo);
    d.avisar();
    return 0;
}

DWORD WINAPI escribirEntrada(void* parametro) {
    Programa::Datos& d = *static_cast<Programa::Datos*>(parametro);
    AcquireSRWLockExclusive(&d.cerrojo);
    for (;;) {
        while (d.trozo.empty() && !d.cerrarLaEntrada) {
            SleepConditionVariableSRW(&d.cambio, &d.cerrojo, INFINITE, 0);
        }
        if (d.trozo.empty()) break;  // sin nada que escribir y con la entrada por cerrar
        const std::string trozo = d.trozo;
        ReleaseSRWLockExclusive(&d.cerrojo);
        size_t hecho = 0;
        bool bien = true;
        while (hecho < trozo.size()) {
            DWORD n = 0;
            if (!WriteFile(d.entrada, trozo.data() + hecho,
                           static_cast<DWORD>(trozo.size() - hecho), &n, nullptr)) {
                bien = false;
                break;
            }
            hecho += n;
        }
        AcquireSRWLockExclusive(&d.cerrojo);
        d.escrito = trozo.size();
        d.trozo.clear();
        d.falloAlEscribir = !bien;
        d.avisar();
        if (!bien) break;
    }
    ReleaseSRWLockExclusive(&d.cerrojo);
    cerrar(d.entrada);
    return 0;
}

// Una tubería con nuestro extremo sin heredar; el otro se hace heredable solo al lanzar.
void tuberia(HANDLE& lectura, HANDLE& escritura) {
    if (!CreatePipe(&lectura, &escritura, nullptr, 65536)) {
        throw std::runtime_error("CreatePipe: error " + std::to_string(GetLastError()));
    }
}

void heredable(HANDLE h) { SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT); }

// ¿Es un fallo de CreateProcessW que puede no repetirse? Los de un programa que no está, no se
// puede abrir o no es un ejecutable se repetirían igual.
bool pasajero(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_ACCESS_DENIED:
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        case ERROR_INVALID_PARAMETER:
        case ERROR_DIRECTORY:
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return false;
        default:
            return true;
    }
}

// Un trabajo que mata a todos sus procesos al cerrarse (también si quien ejecuta muere) y en el
// que un programa que se rompe termina sin el cuadro de "dejó de funcionar".
HANDLE nuevoTrabajo() {
    HANDLE trabajo = CreateJobObjectW(nullptr, nullptr);
    if (trabajo == nullptr) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limites{};
    limites.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (!SetInformationJobObject(trabajo, JobObjectExtendedLimitInformation, &limites,
                                 sizeof limites)) {
        // Sin el segundo (no todos los Windows lo admiten), al menos el primero.
        limites.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(trabajo, JobObjectExtendedLimitInformation, &limites,
                                sizeof limites);
    }
    return trabajo;
}

}  // namespace

Programa::Programa(const std::string& ruta, const Opciones& opciones) : d_(new Datos) {
    if (opciones.aislamiento != nullptr) {
        throw std::runtime_error("El aislamiento con bubblewrap solo está en Linux.");
    }
    Datos& d = *d_;
    d.tope = opciones.limiteSalida;
    d.salida.datos = d.errores.datos = &d;

    std::wstring linea;
    const std::wstring ejecutable = rutaEjecutable(ruta, opciones.directorio);
    citar(ejecutable, linea);
    for (const std::string& a : opciones.argumentos) citar(ancho(a), linea);
    std::wstring entorno = bloqueDeEntorno(opciones.entorno);
    const std::wstring directorio = ancho(opciones.directorio);

    HANDLE entradaHijo = nullptr, salidaHijo = nullptr, erroresHijo = nullptr;
    tuberia(entradaHijo, d.entrada);
    tuberia(d.salida.tuberia, salidaHijo);
    if (!opciones.unirSalidas) tuberia(d.errores.tuberia, erroresHijo);

    PROCESS_INFORMATION pi{};
    bool lanzado = false;
    {
        std::lock_guard<std::mutex> solo(lanzando);
        std::vector<HANDLE> heredados = {entradaHijo, salidaHijo};
        if (erroresHijo != nullptr) heredados.push_back(erroresHijo);
        for (HANDLE h : heredados) heredable(h);

        STARTUPINFOEXW inicio{};
        inicio.StartupInfo.cb = sizeof inicio.StartupInfo;
        inicio.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
        inicio.StartupInfo.hStdInput = entradaHijo;
        inicio.StartupInfo.hStdOutput = salidaHijo;
        inicio.StartupInfo.hStdError = erroresHijo != nullptr ? erroresHijo : salidaHijo;
        // Además, solo esos tres se heredan (donde Windows lo permite).
        SIZE_T tam = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &tam);
        std::vector<char> atributos(tam);
        auto* lista = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(atributos.data());
        DWORD banderas = CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW;
        const bool conLista = tam > 0 && InitializeProcThreadAttributeList(lista, 1, 0, &tam);
        if (conLista &&
            UpdateProcThreadAttribute(lista, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, heredados.data(),
                                      heredados.size() * sizeof(HANDLE), nullptr, nullptr)) {
            inicio.StartupInfo.cb = sizeof inicio;
            inicio.lpAttributeList = lista;
            banderas |= EXTENDED_STARTUPINFO_PRESENT;
        }
        // Un programa que se rompe termina sin cuadros de error: el modo se hereda al crearlo.
        const UINT modo =
            SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
        // Un fallo que no es del programa (falta de recursos del sistema en un momento de mucha
        // carga) se reintenta un par de veces; uno que no existe o no es un ejecutable, no.
        for (int intento = 0; !lanzado && intento < 3; ++intento) {
            if (intento > 0) Sleep(100 * intento);
            lanzado =
                CreateProcessW(ejecutable.c_str(), linea.data(), nullptr, nullptr, TRUE, banderas,
                               entorno.data(), directorio.empty() ? nullptr : directorio.c_str(),
                               &inicio.StartupInfo, &pi) != 0;
            if (!lanzado && !pasajero(GetLastError())) break;
        }
        SetErrorMode(modo);
        if (conLista) DeleteProcThreadAttributeList(lista);
        for (HANDLE h : heredados) cerrar(h);
    }

    d.salida.vista = true;
    d.errores.vista = !opciones.unirSalidas;
    if (!lanzado) {
        // Como el hijo de fork que no llega a execve: nada en las salidas y el estado 127.
        cerrar(d.entrada);
        cerrar(d.salida.tuberia);
        cerrar(d.errores.tuberia);
        return;
    }
    d.proceso = pi.hProcess;
    d.trabajo = nuevoTrabajo();
    if (d.trabajo != nullptr && !AssignProcessToJobObject(d.trabajo, d.proceso)) {
        cerrar(d.trabajo);  // sin trabajo (uno anidado no permitido): se mata el programa solo
    }
    apuntar(d.trabajo != nullptr ? d.trabajo : d.proceso);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);

    // Sin su hilo (no debería pasar), un flujo queda cerrado: el programa no se espera en vano.
    d.salida.abierta = true;
    d.salida.hilo = CreateThread(nullptr, 0, leerSalida, &d.salida, 0, nullptr);
    if (d.salida.hilo == nullptr) d.salida.abierta = false;
    if (d.errores.tuberia != nullptr) {
        d.errores.abierta = true;
        d.errores.hilo = CreateThread(nullptr, 0, leerSalida, &d.errores, 0, nullptr);
        if (d.errores.hilo == nullptr) d.errores.abierta = false;
    }
    d.escritor = CreateThread(nullptr, 0, escribirEntrada, &d, 0, nullptr);
    d.entradaVista = d.escritor != nullptr;
}

Programa::~Programa() {
    if (d_->proceso != nullptr) {
        // Solo si no se recogió (una excepción a medias): que no quede nada en marcha.
        Resultado r;
        matar();
        recoger(r);
    }
}

bool Programa::leyendo() const { return d_->salida.vista || d_->errores.vista; }
bool Programa::salidaAbierta() const { return d_->salida.vista; }
bool Programa::entradaAbierta() const { return d_->entradaVista; }

bool Programa::esperar(std::chrono::milliseconds espera, bool escribiendo, std::string& salida,
                       std::string& errores) {
    Datos& d = *d_;
    const auto hasta = Reloj::now() + espera;
    AcquireSRWLockExclusive(&d.cerrojo);
    auto novedad = [&] {
        return !d.salida.llegado.empty() || !d.errores.llegado.empty() ||
               d.salida.vista != d.salida.abierta || d.errores.vista != d.errores.abierta ||
               (escribiendo && (d.trozo.empty() || d.falloAlEscribir));
    };
    while (!novedad()) {
        const auto ahora = Reloj::now();
        if (ahora >= hasta) break;
        const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(hasta - ahora);
        SleepConditionVariableSRW(&d.cambio, &d.cerrojo, static_cast<DWORD>(falta.count()) + 1, 0);
    }
    salida += d.salida.llegado;
    errores += d.errores.llegado;
    d.salida.llegado.clear();
    d.errores.llegado.clear();
    d.salida.vista = d.salida.vista && d.salida.abierta;
    d.errores.vista = d.errores.vista && d.errores.abierta;
    ReleaseSRWLockExclusive(&d.cerrojo);
    return true;
}

bool Programa::escribir(std::string& pendiente) {
    Datos& d = *d_;
    AcquireSRWLockExclusive(&d.cerrojo);
    if (d.falloAlEscribir) {
        ReleaseSRWLockExclusive(&d.cerrojo);
        return false;
    }
    if (d.trozo.empty()) {
        // El trozo anterior ya está en la tubería: sale de lo pendiente y va el siguiente.
        pendiente.erase(0, d.escrito);
        d.escrito = 0;
        if (!pendiente.empty()) {
            d.trozo = pendiente.substr(0, 65536);
            d.avisar();
        }
    }
    ReleaseSRWLockExclusive(&d.cerrojo);
    return true;
}

void Programa::cerrarEntrada() {
    Datos& d = *d_;
    if (!d.entradaVista) return;
    d.entradaVista = false;
    AcquireSRWLockExclusive(&d.cerrojo);
    d.cerrarLaEntrada = true;
    ReleaseSRWLockExclusive(&d.cerrojo);
    d.avisar();
}

void Programa::leerLoQueQuede(std::string& salida, std::string& errores) {
    // Muerto todo el trabajo, las tuberías se cierran enseguida: lo que quedaba en ellas llega.
    Datos& d = *d_;
    const auto hasta = Reloj::now() + std::chrono::milliseconds(200);
    AcquireSRWLockExclusive(&d.cerrojo);
    while ((d.salida.abierta || d.errores.abierta) && Reloj::now() < hasta) {
        SleepConditionVariableSRW(&d.cambio, &d.cerrojo, 20, 0);
    }
    ReleaseSRWLockExclusive(&d.cerrojo);
    esperar(std::chrono::milliseconds(0), false, salida, errores);
}

void Programa::cerrarFlujos() {
    Datos& d = *d_;
    cerrarEntrada();
    AcquireSRWLockExclusive(&d.cerrojo);
    d.descartar = true;
    d.salida.llegado.clear();
    d.errores.llegado.clear();
    ReleaseSRWLockExclusive(&d.cerrojo);
    d.salida.vista = d.errores.vista = false;
}

bool Programa::haTerminado() {
    return d_->proceso == nullptr || WaitForSingleObject(d_->proceso, 0) == WAIT_OBJECT_0;
}

// La CPU de todos los procesos del trabajo, vivos y terminados (en unidades de 100 ns); sin
// trabajo, la del programa solo.
static std::chrono::milliseconds tiempoDeCpu(const Programa::Datos* d_) {
    ULONGLONG cien = 0;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION cuenta{};
    FILETIME creado, terminado, enNucleo, enUsuario;
    if (d_->trabajo != nullptr &&
        QueryInformationJobObject(d_->trabajo, JobObjectBasicAccountingInformation, &cuenta,
                                  sizeof cuenta, nullptr)) {
        cien = static_cast<ULONGLONG>(cuenta.TotalUserTime.QuadPart) +
               static_cast<ULONGLONG>(cuenta.TotalKernelTime.QuadPart);
    } else if (d_->proceso != nullptr &&
               GetProcessTimes(d_->proceso, &creado, &terminado, &enNucleo, &enUsuario)) {
        const auto valor = [](const FILETIME& t) {
            return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        cien = valor(enNucleo) + valor(enUsuario);
    } else {
        return std::chrono::milliseconds(-1);
    }
    return std::chrono::milliseconds(static_cast<long long>(cien / 10000));
}

// La memoria no se mide aquí.
Medida Programa::medir() { return {tiempoDeCpu(d_.get()), -1}; }

void Programa::matar() {
    if (d_->trabajo != nullptr) {
        TerminateJobObject(d_->trabajo, kCodigoAlMatar);
    } else if (d_->proceso != nullptr) {
        TerminateProcess(d_->proceso, kCodigoAlMatar);
    }
}

bool Programa::esperarFin(Reloj::time_point fin) {
    if (d_->proceso == nullptr) return true;
    const auto falta = std::max<Reloj::duration>(fin - Reloj::now(), std::chrono::milliseconds(0));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(falta).count();
    if (WaitForSingleObject(d_->proceso, static_cast<DWORD>(ms)) == WAIT_OBJECT_0) return true;
    matar();
    WaitForSingleObject(d_->proceso, INFINITE);
    return false;
}

void Programa::recoger(Resultado& r) {
    Datos& d = *d_;
    if (d.proceso == nullptr) {
        r.estado = 127;
        return;
    }
    // Lo que quede del trabajo (procesos lanzados que siguen vivos) se mata; con él mueren los
    // otros extremos de las tuberías y los hilos acaban.
    matar();
    WaitForSingleObject(d.proceso, INFINITE);
    cerrarFlujos();
    juntar(d.escritor);
    juntar(d.salida.hilo);
    juntar(d.errores.hilo);
    cerrar(d.entrada);
    cerrar(d.salida.tuberia);
    cerrar(d.errores.tuberia);

    r.cpu = std::max(r.cpu, tiempoDeCpu(&d));
    DWORD codigo = 0;
    GetExitCodeProcess(d.proceso, &codigo);
    if (const CodigoDeWindows* c = codigoDeWindows(codigo)) {
        r.senal = c->senal;
        r.codigoWindows = codigo;
    } else {
        r.estado = static_cast<int>(codigo);
    }
    borrarApunte(d.trabajo != nullptr ? d.trabajo : d.proceso);
    cerrar(d.trabajo);
    cerrar(d.proceso);
}

}  // namespace plataforma

namespace {

// La carpeta que se borra al interrumpir. El manejador de la consola corre en un hilo propio,
// no dentro de una señal: puede borrarla como cualquier otro código.
std::string carpetaAlInterrumpir;

BOOL WINAPI alInterrumpir(DWORD) {
    for (auto& hueco : enMarcha) {
        if (HANDLE h = hueco.load()) {
            if (!TerminateJobObject(h, plataforma::kCodigoAlMatar)) {
                TerminateProcess(h, plataforma::kCodigoAlMatar);
            }
        }
    }
    if (!carpetaAlInterrumpir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::u8path(carpetaAlInterrumpir), ec);
    }
    return FALSE;  // y el manejador de siempre termina el proceso
}

}  // namespace

CarpetaTemporal::CarpetaTemporal(const std::string& prefijo, const std::string& base) {
    std::error_code ec;
    const std::filesystem::path donde =
        base.empty() ? std::filesystem::temp_directory_path(ec) : std::filesystem::u8path(base);
    // Sin mkdtemp: nombres al azar hasta dar con uno que no exista.
    static std::atomic<unsigned> cuenta{0};
    LARGE_INTEGER ahora{};
    QueryPerformanceCounter(&ahora);
    unsigned long long semilla = static_cast<unsigned long long>(ahora.QuadPart) ^
                                 (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
    const char letras[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int intento = 0; intento < 100; ++intento) {
        semilla = semilla * 6364136223846793005ULL + 1442695040888963407ULL + cuenta++;
        std::string nombre = prefijo + "-";
        for (int i = 0, desplazamiento = 58; i < 6; ++i, desplazamiento -= 6) {
            nombre += letras[(semilla >> desplazamiento) % (sizeof letras - 1)];
        }
        const std::filesystem::path ruta = donde / std::filesystem::u8path(nombre);
        if (std::filesystem::create_directory(ruta, ec)) {
            ruta_ = ruta.u8string();
            return;
        }
        if (ec) return;
    }
}

CarpetaTemporal::~CarpetaTemporal() {
    if (ruta_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::u8path(ruta_), ec);
}

void limpiarAlInterrumpir(const std::string& carpeta) {
    carpetaAlInterrumpir = carpeta;
    SetConsoleCtrlHandler(alInterrumpir, TRUE);
}

// Todo lo que lanza un programa queda en su trabajo, que se mata entero al recogerlo: no hay
// huérfanos que adoptar.
void adoptarHuerfanos() {}
void recogerHuerfanos() {}

}  // namespace nucleo

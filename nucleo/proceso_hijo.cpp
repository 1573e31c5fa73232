// El programa con que se prueba el ejecutor en Windows, donde no hay /bin/sh: hace, en orden,
// lo que dice cada argumento. Escribe en modo texto, como los ejercicios.
//   escribe:TEXTO  TEXTO en la salida estándar ("\n" y "\r" como escapes), sin vaciarla
//   error:TEXTO    TEXTO en la salida de error, que no tiene búfer
//   vacia          vacía la salida estándar
//   binario        la salida estándar pasa a modo binario
//   lee            lee una línea de la entrada y la guarda
//   suma           escribe las líneas leídas unidas con "+", y un salto
//   eco            copia la entrada entera en la salida
//   inunda         escribe sin parar
//   duerme:MS      espera MS milisegundos
//   nieto:MS       lanza otra copia que hereda sus flujos y duerme MS; escribe "nieto PID\n"
//   argumentos     escribe los argumentos que siguen, uno por línea, y termina
//   variables:NOM  escribe cada variable de entorno que se llama NOM (sin mirar mayúsculas)
//   carpeta        escribe la carpeta de trabajo
//   sale:N         termina con el estado N
//   viola, pila, divide, aborta: se rompe de esa manera
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

std::string sinEscapes(const std::string& t) {
    std::string r;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\\' && i + 1 < t.size() && (t[i + 1] == 'n' || t[i + 1] == 'r')) {
            r += t[++i] == 'n' ? '\n' : '\r';
        } else {
            r += t[i];
        }
    }
    return r;
}

// Una recursión que no acaba (n no baja de 0) y que no se puede quitar al optimizar: cada
// llamada usa su arreglo.
int hondo(volatile int n) {
    volatile char relleno[1024];
    relleno[0] = static_cast<char>(n);
    if (n < 0) return 0;
    return hondo(n + 1) + relleno[0];
}

}  // namespace

int main() {
    int n = 0;
    wchar_t** w = CommandLineToArgvW(GetCommandLineW(), &n);
    std::vector<std::string> args;
    for (int i = 1; i < n; ++i) args.push_back(utf8(w[i]));

    std::vector<std::string> leidas;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const std::string valor = a.substr(a.find(':') + 1);
        if (a.rfind("escribe:", 0) == 0) {
            std::cout << sinEscapes(valor);
        } else if (a.rfind("error:", 0) == 0) {
            std::cerr << sinEscapes(valor);
        } else if (a == "vacia") {
            std::cout.flush();
        } else if (a == "binario") {
            std::cout.flush();
            _setmode(_fileno(stdout), _O_BINARY);
        } else if (a == "lee") {
            std::string linea;
            std::getline(std::cin, linea);
            leidas.push_back(linea);
        } else if (a == "suma") {
            for (size_t j = 0; j < leidas.size(); ++j) std::cout << (j > 0 ? "+" : "") << leidas[j];
            std::cout << "\n";
        } else if (a == "eco") {
            std::cout << std::cin.rdbuf();
        } else if (a == "inunda") {
            for (;;) std::cout << "y\n";
        } else if (a.rfind("duerme:", 0) == 0) {
            Sleep(static_cast<DWORD>(std::stoul(valor)));
        } else if (a.rfind("nieto:", 0) == 0) {
            std::wstring linea = L"\"" + std::wstring(w[0]) + L"\" duerme:" +
                                 std::wstring(valor.begin(), valor.end());
            STARTUPINFOW inicio{};
            inicio.cb = sizeof inicio;
            PROCESS_INFORMATION pi{};
            if (!CreateProcessW(nullptr, linea.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &inicio, &pi)) {
                return 99;
            }
            std::cout << "nieto " << pi.dwProcessId << "\n" << std::flush;
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        } else if (a == "argumentos") {
            for (size_t j = i + 1; j < args.size(); ++j) std::cout << args[j] << "\n";
            break;
        } else if (a.rfind("variables:", 0) == 0) {
            const std::wstring nombre = std::wstring(valor.begin(), valor.end()) + L"=";
            wchar_t* entorno = GetEnvironmentStringsW();
            for (const wchar_t* v = entorno; *v != L'\0'; v += wcslen(v) + 1) {
                if (_wcsnicmp(v, nombre.c_str(), nombre.size()) == 0) std::cout << utf8(v) << "\n";
            }
            FreeEnvironmentStringsW(entorno);
        } else if (a == "carpeta") {
            wchar_t carpeta[MAX_PATH];
            GetCurrentDirectoryW(MAX_PATH, carpeta);
            std::cout << utf8(carpeta) << "\n";
        } else if (a.rfind("sale:", 0) == 0) {
            std::cout.flush();
            return std::stoi(valor);
        } else if (a == "viola") {
            int* volatile nulo = nullptr;  // sin que el compilador sepa que es nulo
            *nulo = 1;
        } else if (a == "pila") {
            return hondo(0);
        } else if (a == "divide") {
            volatile int uno = 1, cero = 0;  // 1 / x lo calcula el compilador sin dividir
            return uno / cero;
        } else if (a == "aborta") {
            std::abort();
        }
    }
    return 0;
}

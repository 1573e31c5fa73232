// El main de las comprobaciones de funciones que el comprobador compila contra el fuente de un
// alumno. En vez del texto de GoogleTest, un oyente propio escribe en el archivo que nombra la
// variable EJ_PROTOCOLO una línea por prueba, con los campos separados por tabuladores:
//   prueba <grupo> <nombre> <origen> <veredicto> <frase> <mensaje>
// origen: enunciado | decidido | propia (sin declarar); veredicto: bien | mal | lista (con
// EJ_LISTAR=1 solo se listan, sin ejecutarlas). El mensaje es el de las aserciones que fallaron,
// con su archivo y línea. Tabuladores, saltos de línea y barras se escriben \t, \n y \\.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "comprobacion.h"

namespace {

std::string escapar(const std::string& texto) {
    std::string r;
    for (char c : texto) {
        if (c == '\t') {
            r += "\\t";
        } else if (c == '\n') {
            r += "\\n";
        } else if (c == '\\') {
            r += "\\\\";
        } else {
            r += c;
        }
    }
    return r;
}

const char* origenDe(const testing::TestInfo& prueba) {
    const nucleo::Declaracion* d = nucleo::declaracionDe(prueba.test_suite_name(), prueba.name());
    if (d == nullptr) return "propia";
    return d->origen == nucleo::Origen::Enunciado ? "enunciado" : "decidido";
}

std::string fraseDe(const testing::TestInfo& prueba) {
    const nucleo::Declaracion* d = nucleo::declaracionDe(prueba.test_suite_name(), prueba.name());
    return d == nullptr ? prueba.name() : d->frase;
}

void escribir(std::FILE* f, const testing::TestInfo& prueba, const char* veredicto,
              const std::string& mensaje) {
    const std::string linea = std::string("prueba\t") + prueba.test_suite_name() + "\t" +
                              prueba.name() + "\t" + origenDe(prueba) + "\t" + veredicto + "\t" +
                              escapar(fraseDe(prueba)) + "\t" + escapar(mensaje) + "\n";
    std::fputs(linea.c_str(), f);
    std::fflush(f);
}

class Oyente : public testing::EmptyTestEventListener {
   public:
    explicit Oyente(std::FILE* f) : f_(f) {}

    void OnTestStart(const testing::TestInfo&) override { mensaje_.clear(); }

    void OnTestPartResult(const testing::TestPartResult& parte) override {
        if (!parte.failed()) return;
        if (parte.file_name() != nullptr) {
            std::string archivo = parte.file_name();
            archivo = archivo.substr(archivo.rfind('/') + 1);
            mensaje_ += archivo + ":" + std::to_string(parte.line_number()) + ": ";
        }
        mensaje_ += std::string(parte.message()) + "\n";
    }

    void OnTestEnd(const testing::TestInfo& prueba) override {
        escribir(f_, prueba, prueba.result()->Passed() ? "bien" : "mal", mensaje_);
    }

   private:
    std::FILE* f_;
    std::string mensaje_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char* ruta = std::getenv("EJ_PROTOCOLO");
    std::FILE* f = ruta != nullptr ? std::fopen(ruta, "a") : nullptr;
    if (f == nullptr) {
        std::fputs("Falta EJ_PROTOCOLO: el archivo donde escribir los resultados.\n", stderr);
        return 2;
    }
    if (std::getenv("EJ_LISTAR") != nullptr) {
        const testing::UnitTest& todo = *testing::UnitTest::GetInstance();
        for (int i = 0; i < todo.total_test_suite_count(); ++i) {
            const testing::TestSuite& grupo = *todo.GetTestSuite(i);
            for (int j = 0; j < grupo.total_test_count(); ++j) {
                escribir(f, *grupo.GetTestInfo(j), "lista", "");
            }
        }
        std::fclose(f);
        return 0;
    }
    testing::TestEventListeners& oyentes = testing::UnitTest::GetInstance()->listeners();
    delete oyentes.Release(oyentes.default_result_printer());
    oyentes.Append(new Oyente(f));
    const int estado = RUN_ALL_TESTS();
    std::fclose(f);
    return estado;
}

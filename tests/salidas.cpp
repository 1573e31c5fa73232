// Las pruebas de caja negra de un programa: sus casos exactos (los que fija el ejercicio y los que
// decidió la colección) y las entradas hostiles.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogo.h"
#include "juez.h"
#include "proceso.h"
#include "tabla.h"

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
    return RUN_ALL_TESTS();
}

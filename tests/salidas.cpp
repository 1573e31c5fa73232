// Las pruebas de caja negra de un programa: sus casos exactos (los que fija el ejercicio y los que
// decidió la colección) y las entradas hostiles.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "casos.h"
#include "ejecutar.h"
#include "juicio.h"
#include "tabla.h"

// Se compila una sola vez para los 26 programas: cada ejecutable de prueba se llama
// prueba_<programa>, y de su nombre sale el programa que prueba.
namespace {

std::string kEjPrograma;

const arnes::Ejercicio& ejercicio() {
    const arnes::Ejercicio* e = arnes::buscarEjercicio(kEjPrograma);
    if (e == nullptr) throw std::runtime_error("No hay casos para " + kEjPrograma);
    return *e;
}

std::vector<arnes::Caso> casosDe(arnes::Origen origen) {
    std::vector<arnes::Caso> casos;
    for (const arnes::Caso& caso : ejercicio().casos) {
        if (caso.origen == origen) casos.push_back(caso);
    }
    return casos;
}

void salidasExactas(arnes::Origen origen) {
    arnes::comprobarTabla(arnes::rutaPrograma(kEjPrograma), ejercicio(), casosDe(origen));
}

void entradasHostiles() {
    const arnes::Ejercicio& e = ejercicio();
    for (const arnes::Hostil& hostil : arnes::entradasHostiles()) {
        const arnes::Caso caso = arnes::casoHostil(hostil);
        const arnes::Resultado r = arnes::ejecutarCaso(arnes::rutaPrograma(kEjPrograma), e, caso);
        const arnes::Veredicto veredicto = arnes::juzgarHostil(e, caso, r);
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
    const std::string nombre = argv[0];
    const std::string prefijo = "prueba_";
    kEjPrograma = nombre.substr(nombre.rfind(prefijo) + prefijo.size());
    registrar("Enunciado", "SalidasExactas", [] { salidasExactas(arnes::Origen::Enunciado); });
    if (!casosDe(arnes::Origen::Decidido).empty()) {
        registrar("Decidido", "SalidasExactas", [] { salidasExactas(arnes::Origen::Decidido); });
    }
    if (!ejercicio().primerAviso.empty())
        registrar("Robustez", "EntradasHostiles", entradasHostiles);
    return RUN_ALL_TESTS();
}

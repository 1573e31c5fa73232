// Salidas exactas de vectorsum y ellipsegirth, ejecutados como los ejecuta un alumno.
// ellipsegirth llama una vez a la orden "cls": las pruebas ponen en PATH una orden "cls"
// propia que deja una marca en la salida de error por cada llamada.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ejecutar.h"
#include "tabla.h"

namespace {

const std::string kMayor = "Insetar longitud eje mayor: \n";
const std::string kMenor = "cInsetar longitud eje menor: \n";
const std::string kPide = "Ingresar el numero: ";
const std::string kMarcaCls = "[cls]\n";

// Todo lo que ellipsegirth escribe cuando el perímetro se muestra como `valor`.
std::string pantalla(const std::string& valor) {
    return kMayor + kPide + kMenor + kPide + "El perimetro es: " + valor + "cm\n";
}

// Carpeta temporal que se pone delante en PATH; con `conCls`, contiene una orden "cls" que
// escribe kMarcaCls en la salida de error. Sin ella, el intérprete no encuentra ninguna "cls".
class CarpetaPath {
   public:
    explicit CarpetaPath(bool conCls) {
        char plantilla[] = "/tmp/prueba_cls_XXXXXX";
        if (mkdtemp(plantilla) == nullptr) throw std::runtime_error("mkdtemp");
        carpeta_ = plantilla;
        if (conCls) {
            const std::string orden = carpeta_ + "/cls";
            std::ofstream(orden) << "#!/bin/sh\necho '[cls]' >&2\n";
            chmod(orden.c_str(), 0755);
        }
    }
    ~CarpetaPath() { std::filesystem::remove_all(carpeta_); }

    // Opciones de ejecución con la carpeta delante en PATH (o como PATH entero, sin "cls").
    arnes::Opciones opciones(bool soloEsta = false) const {
        const char* path = std::getenv("PATH");
        arnes::Opciones o;
        o.entorno.push_back("PATH=" + carpeta_ +
                            (soloEsta || path == nullptr ? "" : ":" + std::string(path)));
        return o;
    }

   private:
    std::string carpeta_;
};

TEST(Vectorsum, EscribeLosTresVectores) {
    const std::string salida = "vec1: (1, 2)\nvec2: (3, 4)\nvec3 (vec1 + vec2): (4, 6)\n";
    arnes::comprobarTabla("vectorsum",
                          {{"salida fija", "", salida}, {"ignora la entrada", "9 9\n", salida}});
}

TEST(Ellipsegirth, PerimetroDeCadaParDeEjes) {
    CarpetaPath cls(true);
    // La marca única en la salida de error prueba que "cls" se llamó exactamente una vez.
    arnes::comprobarTabla(
        "ellipsegirth",
        {
            {"ejemplo 5 y 3", "5\n3\n", pantalla("25.9062"), kMarcaCls},
            {"3 y 5: simétrico", "3\n5\n", pantalla("25.9062"), kMarcaCls},
            {"ejes iguales 1: circunferencia", "1\n1\n", pantalla("6.28319"), kMarcaCls},
            {"ejes iguales 10", "10\n10\n", pantalla("62.8319"), kMarcaCls},
            {"4 y 2", "4\n2\n", pantalla("19.8692"), kMarcaCls},
            {"2.5 y 1.5", "2.5\n1.5\n", pantalla("12.9531"), kMarcaCls},
            {"7 y 0", "7\n0\n", pantalla("31.1002"), kMarcaCls},
            {"100 y 50", "100\n50\n", pantalla("496.729"), kMarcaCls},
            {"0 y 0", "0\n0\n", pantalla("0"), kMarcaCls},
            {"negativo: como su valor absoluto", "-5\n3\n", pantalla("25.9062"), kMarcaCls},
            {"los dos en una línea", "5 3\n", pantalla("25.9062"), kMarcaCls},
            {"forma exponencial", "1.8e19\n0\n", pantalla("7.99719e+19"), kMarcaCls},
            {"suma de cuadrados fuera de float", "1.5e19\n1.5e19\n", pantalla("inf"), kMarcaCls},
            {"un eje de 1.85e19 basta", "0\n1.85e19\n", pantalla("inf"), kMarcaCls},
        },
        cls.opciones());
}

TEST(Ellipsegirth, EntradaNoValidaDejaCeroEnElEje) {
    CarpetaPath cls(true);
    arnes::comprobarTabla(
        "ellipsegirth",
        {
            {"primer valor no numérico: la segunda lectura no lee", "abc\n3\n", pantalla("0"),
             kMarcaCls},
            {"5 y luego un valor no numérico", "5\nabc\n", pantalla("22.2144"), kMarcaCls},
            {"entrada vacía", "", pantalla("0"), kMarcaCls},
            {"la entrada acaba tras el primer valor", "5\n", pantalla("22.2144"), kMarcaCls},
            {"fuera de float: guarda el mayor float y falla", "1e39\n3\n", pantalla("inf"),
             kMarcaCls},
        },
        cls.opciones());
}

TEST(Ellipsegirth, LimpiaLaPantallaAntesDelPrimerTitulo) {
    CarpetaPath cls(true);
    arnes::Opciones unidas = cls.opciones();
    unidas.unirSalidas = true;
    arnes::Resultado r = arnes::ejecutar("ellipsegirth", "5\n3\n", unidas);
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, kMarcaCls + pantalla("25.9062"));
}

TEST(Ellipsegirth, SigueSinOrdenCls) {
    // El intérprete se queja en la salida de error; la salida estándar no cambia.
    CarpetaPath vacia(false);
    arnes::Resultado r = arnes::ejecutar("ellipsegirth", "5\n3\n", vacia.opciones(true));
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.salida, pantalla("25.9062"));
}

TEST(Ellipsegirth, VaciaCadaAvisoAntesDeLeer) {
    CarpetaPath cls(true);
    arnes::Resultado r = arnes::conversar(
        "ellipsegirth", {{kMayor + kPide, "5\n"}, {kMenor + kPide, "3\n"}}, cls.opciones());
    EXPECT_TRUE(r.terminoBien()) << r;
    EXPECT_EQ(r.pasoSinAviso, -1) << r;
    EXPECT_EQ(r.salida, pantalla("25.9062"));
}

}  // namespace

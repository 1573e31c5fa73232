// Las pistas de los errores más habituales, con lo que dice de verdad el compilador de la
// colección: cada fuente roto se compila en inglés y en español (donde GCC tiene sus mensajes
// traducidos), y la pista debe salir igual en los dos.
#include "explicar.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>

#include "catalogo.h"
#include "proceso.h"

namespace {

namespace fs = std::filesystem;

struct Roto {
    const char* que;
    const char* fuente;
    std::vector<std::string> pistas;  // en orden; cada una, un trozo de la pista
    bool enlaza = false;              // el error es del enlazador: hay que enlazar
};

const Roto kRotos[] = {
    {"un ; que falta",
     "#include <iostream>\nint main() {\n    int x = 3\n    std::cout << x;\n}\n",
     {"Falta un «;» al final de la instrucción anterior a la línea 4"}},
    {"cout sin std ni include",
     "int main() {\n    cout << 1;\n}\n",
     {"En la línea 2, «cout» es de la biblioteca estándar: escríbelo std::cout y pon #include "
      "<iostream>"}},
    {"un nombre sin declarar",
     "int main() {\n    int total = 1;\n    return totl;\n}\n",
     {"En la línea 3, «totl» no está declarado"}},
    {"el include que falta",
     "int main() {\n    std::string s = \"a\";\n}\n",
     {"En la línea 2, std::string necesita su cabecera: pon #include <string>"}},
    {"una llave sin cerrar",
     "int main() {\n    if (true) {\n        return 1;\n}\n",
     {"Las llaves no cuadran: falta una «}» o sobra una"}},
    {"una llave de más", "int main() {\n    return 0;\n}\n}\n", {"Las llaves no cuadran"}},
    {"una cadena sin cerrar",
     "#include <iostream>\nint main() {\n    std::cout << \"hola;\n    return 0;\n}\n",
     {"En la línea 3, una cadena no se cierra"}},
    {"argumentos de menos",
     "int doble(int x) { return 2 * x; }\nint main() {\n    return doble();\n}\n",
     {"En la línea 3, la llamada a «doble» lleva menos argumentos"}},
    {"argumentos de más",
     "int doble(int x) { return 2 * x; }\nint main() {\n    return doble(1, 2);\n}\n",
     {"En la línea 3, la llamada a «doble» lleva más argumentos"}},
    {"un tipo que no encaja",
     "#include <string>\nint main() {\n    std::string s = 5;\n}\n",
     {"En la línea 3, un valor no es del tipo que se espera"}},
    {"un return sin valor",
     "int main() {\n    return;\n}\n",
     {"En la línea 2, un return sin valor"}},
    {"cin con <<",
     "#include <iostream>\nint main() {\n    int n;\n    std::cin << n;\n}\n",
     {"En la línea 4, cin se usa con >> y cout con <<"}},
    {"= en vez de ==",
     "int main() {\n    int a = 1;\n    if (a + 1 = 2) return 1;\n}\n",
     {"En la línea 3, se asigna (=) a algo que no es una variable"}},
    {"una variable dos veces",
     "int main() {\n    int a = 1;\n    int a = 2;\n}\n",
     {"En la línea 3, «a» se declara dos veces"}},
    {"sin main", "int doble(int x) { return 2 * x; }\n", {"Falta la función main"}, true},
    {"declarada y no definida",
     "int doble(int x);\nint main() {\n    return doble(1);\n}\n",
     {"«doble(int)» está declarada pero no definida"},
     true},
    {"dos errores distintos",
     "#include <iostream>\nint main() {\n    int x = 3\n    std::cout << \"x;\n}\n",
     {"En la línea 4, una cadena no se cierra", "Falta un «;»"}},
};

TEST(Explicar, CadaErrorHabitualTieneSuPistaEnLosDosIdiomas) {
    // Las pistas leen los mensajes de GCC, el compilador de las entregas.
    if (std::string(EJ_COMPILADOR).find("clang") != std::string::npos)
        GTEST_SKIP() << "las pistas son de los mensajes de GCC";
    const nucleo::Ejercicio& ejercicio = nucleo::ejercicios().front();
    const fs::path carpeta = fs::temp_directory_path() / ("explicar-" + std::to_string(getpid()));
    fs::create_directories(carpeta);
    // Cada fuente en su carpeta, y todas las compilaciones a la vez.
    struct Compilacion {
        const Roto* roto;
        std::string idioma;
        std::future<nucleo::Resultado> resultado;
    };
    std::vector<Compilacion> compilaciones;
    for (std::size_t i = 0; i < std::size(kRotos); ++i) {
        const fs::path propia = carpeta / std::to_string(i);
        fs::create_directories(propia);
        std::ofstream(propia / "roto.cpp") << kRotos[i].fuente;
        for (const std::vector<std::string>& idioma :
             {std::vector<std::string>{"LC_ALL=C"},
              std::vector<std::string>{"LC_ALL=C.UTF-8", "LANGUAGE=es"}}) {
            nucleo::Opciones o;
            o.argumentos = {"-std=c++17", "-Wall", "roto.cpp", "-o", idioma.back() + ".out"};
            if (!kRotos[i].enlaza) o.argumentos.push_back("-fsyntax-only");
            o.directorio = propia.string();
            o.entorno = idioma;
            o.unirSalidas = true;
            compilaciones.push_back({&kRotos[i], idioma.back(), std::async(std::launch::async, [o] {
                                         return nucleo::ejecutar(EJ_COMPILADOR, "", o);
                                     })});
        }
    }
    for (Compilacion& c : compilaciones) {
        SCOPED_TRACE(std::string(c.roto->que) + " con " + c.idioma);
        const nucleo::Resultado r = c.resultado.get();
        ASSERT_NE(r.estado, 0) << r.salida;
        const std::vector<std::string> pistas =
            comprobador::pistasDelCompilador(ejercicio, r.salida);
        ASSERT_GE(pistas.size(), c.roto->pistas.size()) << r.salida;
        for (std::size_t i = 0; i < c.roto->pistas.size(); ++i)
            EXPECT_NE(pistas[i].find(c.roto->pistas[i]), std::string::npos) << pistas[i] << "\n"
                                                                            << r.salida;
    }
    fs::remove_all(carpeta);
}

// Un programa que compila solo tiene pistas de sus avisos: el return que falta.
TEST(Explicar, UnAvisoDeReturnQueFaltaTieneSuPista) {
    const std::string avisos =
        "f.cpp:1:36: warning: control reaches end of non-void function [-Wreturn-type]\n"
        "f.cpp:3:9: warning: unused variable 'x' [-Wunused-variable]\n";
    const std::vector<std::string> pistas =
        comprobador::pistasDelCompilador(nucleo::ejercicios().front(), avisos, true);
    ASSERT_EQ(pistas.size(), 1u);
    EXPECT_NE(pistas[0].find("En la línea 1, una función que devuelve un valor puede acabar sin "
                             "return"),
              std::string::npos);
}

}  // namespace

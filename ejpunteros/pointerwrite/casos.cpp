// pointerwrite: escribir a través de un puntero cambia la variable. No lee nada.
#include "../reglas_punteros.h"
#include "tablas.h"

namespace nucleo::datos {

namespace {

const std::string kGuardar = "guardar 30 a través de ptr (*ptr = 30), sin nombrar var";

// 30 se guarda a través de ptr, y var no se asigna por su nombre después de que ptr se usa (su
// valor inicial puede darse con una asignación antes). Si no se usa nunca, la última asignación a
// var es la que debía hacerse a través de ptr.
Juicio guardaATravesDePtr(const Arbol& a) {
    const Funcion* m = a.definicion("main");
    if (m == nullptr) return reglas::definida(a, "main");
    int desde = 0;
    for (const Escritura& d : a.desreferencias) {
        if (d.en == m->usr && d.destino == "deref*:ptr" && (desde == 0 || d.lugar.linea < desde))
            desde = d.lugar.linea;
    }
    const Escritura* porNombre = nullptr;
    bool atraves = false;
    for (const Escritura& e : a.asignaciones) {
        if (e.en != m->usr) continue;
        if (e.destino == "deref*:ptr" || e.destino == "arreglo:ptr") atraves = true;
        if (e.destino == "var:var" && e.lugar.linea > desde) porNombre = &e;
    }
    if (porNombre != nullptr)
        return {Juicio::Como::Incumple, porNombre->lugar,
                "var se asigna por su nombre en " + reglas::donde(a, porNombre->lugar) +
                    ": el enunciado pide " + kGuardar + "."};
    if (atraves) return {};
    // Una escritura a través de un puntero en un ayudante: ¿recibe ptr?
    for (const std::string& usr : a.conAyudantes(m->usr)) {
        for (const Escritura& e : a.asignaciones) {
            if (usr == m->usr || e.en != usr || e.destino.rfind("deref", 0) != 0) continue;
            return {Juicio::Como::Revisar, e.lugar,
                    "main no guarda 30 a través de ptr: lo hace " + a.funcionDe(usr)->nombre +
                        " (" + reglas::donde(a, e.lugar) +
                        "); mira que reciba ptr. El enunciado pide " + kGuardar + "."};
        }
    }
    return {Juicio::Como::Incumple, m->lugar,
            "main (" + reglas::donde(a, m->lugar) +
                ") no guarda nada a través de ptr: el enunciado pide " + kGuardar + "."};
}

}  // namespace

void pointerwrite(Ejercicio& e) {
    const std::string salida =
        "El valor de var es: 20\nEl valor de *ptr es: 20\nEl nuevo valor de var es: 30\n";
    agregar(e, Origen::Enunciado,
            {{"salida fija", "", salida}, {"ignora la entrada", "5\n", salida}});

    // Lo que pide el enunciado de la técnica: la segunda línea lee a través de ptr, y 30 se
    // guarda a través de ptr, no en var por su nombre.
    e.tecnica = {
        {"SegundaLineaLeeATravesDePtr", "la segunda línea lee el valor a través de ptr",
         "escribe la segunda, con el int leído a través de ptr",
         [](const Arbol& a) {
             return punteros::leeAlEscribir(a, "deref*:ptr", "*ptr",
                                            "leer el int a través de ptr al escribir la segunda "
                                            "línea");
         },
         "errores/segunda_con_var.cpp", 3},
        {"GuardaTreintaATravesDePtr", "30 se guarda a través de ptr, sin nombrar var",
         "guarda 30 a través de ptr, sin nombrar var en este paso", guardaATravesDePtr,
         "errores/por_su_nombre.cpp", 12},
    };
}

}  // namespace nucleo::datos

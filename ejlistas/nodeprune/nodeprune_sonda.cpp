// La sonda de nodeprune: lo que el comprobador pregunta a insertarCabeza e imprimirLista (de
// node_list.h) y a eliminarValor (nucleo/sonda.h). Se pega detrás de la solución ya preprocesada,
// así que no lleva directivas del preprocesador. La parte de node_list.h es la misma que en la
// sonda de nodesearch.
//
// Las listas se hacen aquí nodo a nodo, sin insertarCabeza: cada función se observa sola. La
// memoria se cuenta justo alrededor de la llamada (la sonda también reserva al escribir lo que
// observa), y los nodos que quedan los libera la sonda después.

namespace ej_sonda_lista {

// La lista con esos valores desde la cabeza.
Nodo* hacer(const std::vector<int>& valores) {
    Nodo* cabeza = nullptr;
    for (std::size_t i = valores.size(); i-- > 0;) {
        Nodo* nodo = new Nodo();
        nodo->dato = valores[i];
        nodo->siguiente = cabeza;
        cabeza = nodo;
    }
    return cabeza;
}

// Los nodos desde la cabeza, como mucho tope y distintos, sin pasar del que ya se liberó.
std::vector<Nodo*> nodos(Nodo* cabeza, std::size_t tope, const void* liberado = nullptr) {
    std::vector<Nodo*> r;
    for (Nodo* n = cabeza; n != nullptr && n != liberado && r.size() < tope; n = n->siguiente) {
        for (Nodo* visto : r) {
            if (visto == n) return r;
        }
        r.push_back(n);
    }
    return r;
}

// Como la escribe imprimirLista, sin el fin de línea: "15 -> 10 -> 5 -> NULL".
std::string enLinea(Nodo* cabeza, std::size_t tope, const void* liberado = nullptr) {
    std::string r;
    std::size_t vistos = 0;
    for (Nodo* n = cabeza; n != nullptr; n = n->siguiente) {
        if (n == liberado) return r + "(un nodo ya liberado)";
        if (vistos++ == tope) return r + "… (sigue más allá de " + std::to_string(tope) + " nodos)";
        r += std::to_string(n->dato) + " -> ";
    }
    return r + "NULL";
}

void liberar(Nodo* cabeza, std::size_t tope, const void* liberado = nullptr) {
    for (Nodo* n : nodos(cabeza, tope, liberado)) delete n;
}

std::string bloques(long n) { return std::to_string(n) + (n == 1 ? " bloque" : " bloques"); }

// Lo que escribió una llamada en la salida estándar, si escribió algo: "; escribe «…»".
std::string siEscribe(const ej_sonda::Escrito& e) {
    return e.salida.empty() ? "" : "; escribe " + ej_sonda::ver(e.salida);
}

// eliminarValor sobre una lista: lo que quedó, lo que escribió y lo que reservó y liberó. Los
// nodos que quedan en la lista los libera la sonda al final.
struct Quitar {
    std::vector<int> valores;
    Nodo* cabeza;
    std::vector<Nodo*> antes;  // los nodos de la lista antes de la llamada
    ej_sonda::Escrito escrito;
    long reserva = 0;
    long libera = 0;
    const void* liberado = nullptr;  // el último bloque liberado, si liberó alguno

    explicit Quitar(const ej_sonda::Argumentos& a)
        : valores(a.enteros(0)), cabeza(hacer(valores)), antes(nodos(cabeza, valores.size())) {
        const int valor = a.entero(1);
        // La cuenta, dentro de la captura: solo alrededor de la llamada.
        escrito = ej_sonda::escritoPor([&] {
            const long reservados = ej_sonda::reservados();
            const long liberados = ej_sonda::liberados();
            eliminarValor(cabeza, valor);
            reserva = ej_sonda::reservados() - reservados;
            libera = ej_sonda::liberados() - liberados;
            if (libera != 0) liberado = ej_sonda::ultimoLiberado();
        });
    }
    ~Quitar() { liberar(cabeza, valores.size(), liberado); }
    Quitar(const Quitar&) = delete;
    Quitar& operator=(const Quitar&) = delete;
};

// "2.º", contando desde 1 en la cabeza; "1.º (la cabeza)".
std::string posicion(std::size_t i) {
    return std::to_string(i + 1) + ".º" + (i == 0 ? " (la cabeza)" : "");
}

}  // namespace ej_sonda_lista

void ej_sonda_registrar(ej_sonda::Registro& r) {
    namespace l = ej_sonda_lista;

    // node_list.h
    r("imprimirLista", [](const ej_sonda::Argumentos& a) {
        const std::vector<int> valores = a.enteros(0);
        Nodo* cabeza = l::hacer(valores);
        const std::string primera = ej_sonda::escritoPor([&] { imprimirLista(cabeza); }).salida;
        const std::string segunda = ej_sonda::escritoPor([&] { imprimirLista(cabeza); }).salida;
        l::liberar(cabeza, valores.size());
        return primera == segunda
                   ? "escribe " + ej_sonda::ver(primera) + " las dos veces"
                   : "escribe " + ej_sonda::ver(primera) + " y después " + ej_sonda::ver(segunda);
    });
    r("imprimirLista una vez", [](const ej_sonda::Argumentos& a) {
        const std::vector<int> valores = a.enteros(0);
        Nodo* cabeza = l::hacer(valores);
        const ej_sonda::Escrito e = ej_sonda::escritoPor([&] { imprimirLista(cabeza); });
        l::liberar(cabeza, valores.size());
        return ej_sonda::ver(e);
    });
    r("insertarCabeza", [](const ej_sonda::Argumentos& a) {
        const std::vector<int> valores = a.enteros(0);
        const int valor = a.entero(1);
        Nodo* cabeza = l::hacer(valores);
        Nodo* const antes = cabeza;
        const long reservados = ej_sonda::reservados();
        const long liberados = ej_sonda::liberados();
        insertarCabeza(cabeza, valor);
        const long reserva = ej_sonda::reservados() - reservados;
        const long libera = ej_sonda::liberados() - liberados;
        std::string o = "reserva " + l::bloques(reserva);
        if (libera != 0) o += " y libera " + l::bloques(libera);
        if (cabeza == antes) {
            o += "; la cabeza no cambia";
        } else if (cabeza == nullptr) {
            o += "; la cabeza queda nula";
        } else {
            o += "; la cabeza guarda " + std::to_string(cabeza->dato) + " y su siguiente " +
                 (cabeza->siguiente == antes ? "es" : "no es") + " la cabeza de antes";
        }
        o += "; la lista queda " + l::enLinea(cabeza, valores.size() + 2);
        l::liberar(cabeza, valores.size() + 2);
        return o;
    });
    r("firma insertarCabeza",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&insertarCabeza)>(); });
    r("firma imprimirLista",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&imprimirLista)>(); });

    // nodeprune.cpp
    r("eliminarValor", [](const ej_sonda::Argumentos& a) {
        const l::Quitar q(a);
        return "la lista queda " + l::enLinea(q.cabeza, q.valores.size(), q.liberado) +
               l::siEscribe(q.escrito);
    });
    r("eliminarValor libera", [](const ej_sonda::Argumentos& a) {
        const l::Quitar q(a);
        std::string o;
        if (q.libera == 0) {
            o = "no libera nada";
        } else if (q.libera > 1) {
            o = "libera " + l::bloques(q.libera);
        } else {
            o = "libera un bloque que no es un nodo de la lista";
            for (std::size_t i = 0; i < q.antes.size(); ++i) {
                if (q.antes[i] == q.liberado)
                    o = "libera el nodo " + l::posicion(i) + " y nada más";
            }
        }
        if (q.reserva != 0) o += "; reserva " + l::bloques(q.reserva);
        return o;
    });
    r("eliminarValor cabeza", [](const ej_sonda::Argumentos& a) {
        const l::Quitar q(a);
        if (q.cabeza == nullptr) return std::string("la cabeza queda nula");
        for (std::size_t i = 0; i < q.antes.size(); ++i) {
            if (q.antes[i] != q.cabeza) continue;
            return i == 0 ? std::string("la cabeza no cambia")
                          : "la cabeza pasa al nodo " + l::posicion(i);
        }
        return std::string("la cabeza apunta a un nodo que no era de la lista");
    });
    r("eliminarValor último", [](const ej_sonda::Argumentos& a) {
        const l::Quitar q(a);
        if (q.antes.size() < 2) return std::string("la lista no tiene penúltimo");
        Nodo* penultimo = q.antes[q.antes.size() - 2];
        if (penultimo == q.liberado) return std::string("libera el penúltimo nodo");
        if (penultimo->siguiente == nullptr)
            return std::string("el siguiente del penúltimo queda nulo");
        if (penultimo->siguiente == q.antes.back())
            return std::string("el siguiente del penúltimo sigue siendo el último");
        return std::string("el siguiente del penúltimo apunta a otro nodo");
    });
    r("firma eliminarValor",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&eliminarValor)>(); });
}

// La sonda de nodesearch: lo que el comprobador pregunta a insertarCabeza e imprimirLista (de
// node_list.h) y a buscarElemento y liberarLista (nucleo/sonda.h). Se pega detrás de la solución
// ya preprocesada, así que no lleva directivas del preprocesador. La parte de node_list.h es la
// misma que en la sonda de nodeprune.
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

    // nodesearch.cpp
    r("buscarElemento", [](const ej_sonda::Argumentos& a) {
        const std::vector<int> valores = a.enteros(0);
        const int valor = a.entero(1);
        Nodo* cabeza = l::hacer(valores);
        const std::vector<Nodo*> antes = l::nodos(cabeza, valores.size());
        bool encontrado = false;
        const ej_sonda::Escrito e =
            ej_sonda::escritoPor([&] { encontrado = buscarElemento(cabeza, valor); });
        std::string o = ej_sonda::ver(encontrado) + l::siEscribe(e);
        // Los mismos nodos, con los mismos datos y en el mismo orden.
        bool igual = l::nodos(cabeza, valores.size() + 1) == antes;
        for (std::size_t i = 0; igual && i < antes.size(); ++i)
            igual = antes[i]->dato == valores[i];
        if (!igual) o += "; la lista cambia: queda " + l::enLinea(cabeza, valores.size() + 1);
        l::liberar(cabeza, valores.size());
        return o;
    });
    // Tras el último nodo se vuelve al primero: solo una búsqueda que se detiene en la primera
    // coincidencia termina.
    r("buscarElemento en un ciclo", [](const ej_sonda::Argumentos& a) {
        const std::vector<int> valores = a.enteros(0);
        Nodo* cabeza = l::hacer(valores);
        const std::vector<Nodo*> todos = l::nodos(cabeza, valores.size());
        if (!todos.empty()) todos.back()->siguiente = cabeza;
        const bool encontrado = buscarElemento(cabeza, a.entero(1));
        for (Nodo* n : todos) delete n;
        return ej_sonda::ver(encontrado);
    });
    r("liberarLista", [](const ej_sonda::Argumentos& a) {
        const std::vector<int> valores = a.enteros(0);
        Nodo* cabeza = l::hacer(valores);
        const long reservados = ej_sonda::reservados();
        const long liberados = ej_sonda::liberados();
        liberarLista(cabeza);
        const long reserva = ej_sonda::reservados() - reservados;
        const long libera = ej_sonda::liberados() - liberados;
        std::string o = "libera " + l::bloques(libera);
        if (reserva != 0) o += " y reserva " + l::bloques(reserva);
        if (cabeza != nullptr) return o + "; la cabeza no queda nula";
        const ej_sonda::Escrito e = ej_sonda::escritoPor([&] { imprimirLista(cabeza); });
        return o + "; la cabeza queda nula; imprimirLista(cabeza) escribe " +
               ej_sonda::ver(e.salida);
    });
    r("firma buscarElemento",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&buscarElemento)>(); });
    r("firma liberarLista",
      [](const ej_sonda::Argumentos&) { return ej_sonda::firma<decltype(&liberarLista)>(); });
}

// La sonda de ringchain: lo que el comprobador pregunta a ListaCircularDobleEnlazada
// (nucleo/sonda.h). Se pega detrás de la solución ya preprocesada, así que no lleva directivas
// del preprocesador.
//
// Cada anillo se hace con agregar y se recorre aquí, a mano, en los dos sentidos. La clase no
// libera sus nodos (así lo plantea el ejercicio): los libera la sonda después.

namespace ej_sonda_anillo {

using Lista = ListaCircularDobleEnlazada;

// Los nodos siguiendo siguiente desde la cabeza, distintos y como mucho tope.
std::vector<Nodo*> nodos(Nodo* cabeza, std::size_t tope) {
    std::vector<Nodo*> r;
    for (Nodo* n = cabeza; n != nullptr && r.size() < tope; n = n->siguiente) {
        for (Nodo* visto : r) {
            if (visto == n) return r;
        }
        r.push_back(n);
    }
    return r;
}

void liberar(Nodo* cabeza, std::size_t tope) {
    for (Nodo* n : nodos(cabeza, tope)) delete n;
}

// Un recorrido desde la cabeza por siguiente (o por anterior), de como mucho tope pasos: "10, 20,
// 30 y vuelve a la cabeza".
std::string recorrido(Nodo* cabeza, bool haciaDelante, std::size_t tope) {
    std::string r = std::to_string(cabeza->dato);
    Nodo* n = haciaDelante ? cabeza->siguiente : cabeza->anterior;
    for (std::size_t pasos = 1; n != cabeza; ++pasos) {
        if (n == nullptr) return r + " y llega a un puntero nulo";
        if (pasos == tope) return r + " y no vuelve a la cabeza";
        r += ", " + std::to_string(n->dato);
        n = haciaDelante ? n->siguiente : n->anterior;
    }
    return r + " y vuelve a la cabeza";
}

// Lo que escribe mostrar, sin más.
std::string mostrado(Lista& lista) {
    return ej_sonda::ver(ej_sonda::escritoPor([&] { lista.mostrar(); }).salida);
}

// Una lista con esos valores, agregados en orden.
struct Anillo {
    Lista lista;
    std::size_t cuantos;
    explicit Anillo(const std::vector<int>& valores) : cuantos(valores.size()) {
        for (int v : valores) lista.agregar(v);
    }
    ~Anillo() { liberar(lista.cabeza, cuantos + 1); }
    Anillo(const Anillo&) = delete;
    Anillo& operator=(const Anillo&) = delete;
};

}  // namespace ej_sonda_anillo

void ej_sonda_registrar(ej_sonda::Registro& r) {
    namespace a = ej_sonda_anillo;

    // Se construye sobre memoria llena de otra cosa: una cabeza que el constructor no pone a
    // nullptr no lo parece por casualidad.
    r("lista nueva", [](const ej_sonda::Argumentos&) {
        alignas(a::Lista) unsigned char sitio[sizeof(a::Lista)];
        for (unsigned char& b : sitio) b = 0xA5;
        a::Lista* lista = ::new (static_cast<void*>(sitio)) a::Lista;
        if (lista->cabeza != nullptr) return std::string("la cabeza no es nula");
        return "la cabeza es nula; mostrar escribe " + a::mostrado(*lista);
    });
    r("un nodo", [](const ej_sonda::Argumentos& args) {
        a::Anillo anillo({args.entero(0)});
        Nodo* c = anillo.lista.cabeza;
        if (c == nullptr) return std::string("la cabeza sigue nula");
        const auto cual = [c](Nodo* n) {
            return n == c ? "él mismo" : n == nullptr ? "nulo" : "otro nodo";
        };
        return "la cabeza guarda " + std::to_string(c->dato) + ", su siguiente es " +
               cual(c->siguiente) + " y su anterior es " + cual(c->anterior) +
               "; mostrar escribe " + a::mostrado(anillo.lista);
    });
    r("enlaces", [](const ej_sonda::Argumentos& args) {
        const std::vector<int> valores = args.enteros(0);
        a::Anillo anillo(valores);
        Nodo* c = anillo.lista.cabeza;
        if (c == nullptr) return std::string("la cabeza sigue nula");
        const std::size_t tope = valores.size() + 1;
        std::string o = "siguiente: " + a::recorrido(c, true, tope) +
                        "; anterior: " + a::recorrido(c, false, tope) + "; ";
        const std::vector<Nodo*> todos = a::nodos(c, tope);
        for (std::size_t i = 0; i < todos.size(); ++i) {
            Nodo* n = todos[i];
            const std::string cual = "del nodo " + std::to_string(i + 1) + ".º";
            if (n->siguiente != nullptr && n->siguiente->anterior != n)
                return o + "el anterior del siguiente " + cual + " no es él";
            if (n->anterior != nullptr && n->anterior->siguiente != n)
                return o + "el siguiente del anterior " + cual + " no es él";
        }
        return o + "cada siguiente y anterior se corresponden";
    });
    r("cabeza", [](const ej_sonda::Argumentos& args) {
        const std::vector<int> valores = args.enteros(0);
        a::Anillo anillo({});
        anillo.cuantos = valores.size();
        Nodo* primera = nullptr;
        for (std::size_t i = 0; i < valores.size(); ++i) {
            anillo.lista.agregar(valores[i]);
            if (i == 0) primera = anillo.lista.cabeza;
        }
        const std::string donde = anillo.lista.cabeza == primera
                                      ? "la cabeza sigue en el primer nodo agregado"
                                      : "la cabeza pasa a otro nodo";
        return donde + "; mostrar escribe " + a::mostrado(anillo.lista);
    });
    r("mostrar", [](const ej_sonda::Argumentos& args) {
        a::Anillo anillo(args.enteros(0));
        return ej_sonda::ver(ej_sonda::escritoPor([&] { anillo.lista.mostrar(); }));
    });
    r("firma ListaCircularDobleEnlazada::agregar", [](const ej_sonda::Argumentos&) {
        return ej_sonda::firma<decltype(&ListaCircularDobleEnlazada::agregar)>();
    });
    r("firma ListaCircularDobleEnlazada::mostrar", [](const ej_sonda::Argumentos&) {
        return ej_sonda::firma<decltype(&ListaCircularDobleEnlazada::mostrar)>();
    });
}

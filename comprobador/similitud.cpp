#include "similitud.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace comprobador {

namespace {

std::uint64_t fnv(std::uint64_t h, const std::string& t) {
    for (unsigned char c : t) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    h ^= 0x1f;  // separa una ficha de la siguiente
    return h * 1099511628211ULL;
}

// El número de cada tramo de kFichasPorHuella fichas, por su primera ficha.
std::vector<std::uint64_t> numerosDeTramos(const Fichas& f) {
    std::vector<std::uint64_t> r;
    if (f.fichas.size() < kFichasPorHuella) return r;
    for (std::size_t i = 0; i + kFichasPorHuella <= f.fichas.size(); ++i) {
        std::uint64_t h = 14695981039346656037ULL;
        for (std::size_t k = i; k < i + kFichasPorHuella; ++k) h = fnv(h, f.fichas[k]);
        r.push_back(h);
    }
    return r;
}

// Las líneas de unas fichas como tramos: «3-7, 12» (con el archivo delante si hay más de uno).
std::string lineasDe(const Fichas& f, const std::set<std::size_t>& posiciones) {
    std::map<std::string, std::set<int>> porArchivo;
    for (std::size_t p : posiciones) {
        for (std::size_t k = p; k < p + kFichasPorHuella && k < f.fichas.size(); ++k)
            porArchivo[f.archivos[k]].insert(f.lineas[k]);
    }
    std::string r;
    for (const auto& [archivo, lineas] : porArchivo) {
        if (!r.empty()) r += "; ";
        if (porArchivo.size() > 1) r += archivo + ": ";
        std::string tramo;
        for (auto it = lineas.begin(); it != lineas.end();) {
            int desde = *it, hasta = *it;
            for (++it; it != lineas.end() && *it == hasta + 1; ++it) hasta = *it;
            tramo += (tramo.empty() ? "" : ", ") + std::to_string(desde) +
                     (hasta > desde ? "-" + std::to_string(hasta) : "");
        }
        r += tramo;
    }
    return r;
}

}  // namespace

Fichas normalizar(const std::string& lineasDelAnalizador) {
    struct Bruta {
        std::string lugar, clase, texto;
    };
    std::vector<Bruta> brutas;
    std::istringstream lineas(lineasDelAnalizador);
    for (std::string l; std::getline(lineas, l);) {
        std::vector<std::string> c;
        std::istringstream partes(l);
        for (std::string campo; std::getline(partes, campo, '\t');) c.push_back(campo);
        if (c.size() < 4 || c[0] != "T") continue;
        brutas.push_back({c[1], c[2], c[3]});
    }
    Fichas f;
    for (std::size_t i = 0; i < brutas.size(); ++i) {
        const Bruta& b = brutas[i];
        // Una línea que empieza por # es del preprocesador: fuera entera.
        const bool empiezaLinea = i == 0 || brutas[i - 1].lugar != b.lugar;
        if (empiezaLinea && b.texto == "#") {
            while (i + 1 < brutas.size() && brutas[i + 1].lugar == b.lugar) ++i;
            continue;
        }
        const std::size_t dos = b.lugar.rfind(':');
        f.archivos.push_back(b.lugar.substr(0, dos));
        f.lineas.push_back(dos == std::string::npos ? 0 : std::atoi(b.lugar.c_str() + dos + 1));
        f.fichas.push_back(b.clase == "i" ? "N" : b.clase == "l" ? "L" : b.texto);
    }
    return f;
}

Huellas huellas(const Fichas& fichas) {
    const std::vector<std::uint64_t> t = numerosDeTramos(fichas);
    Huellas r;
    if (t.empty()) return r;
    if (t.size() < kVentana) {
        const auto menor = std::min_element(t.begin(), t.end());
        r[*menor].push_back(static_cast<std::size_t>(menor - t.begin()));
        return r;
    }
    // De cada ventana, el menor (el de más a la derecha si empatan); cada elegido, una vez.
    std::size_t anterior = t.size();
    for (std::size_t i = 0; i + kVentana <= t.size(); ++i) {
        std::size_t menor = i;
        for (std::size_t k = i; k < i + kVentana; ++k) {
            if (t[k] <= t[menor]) menor = k;
        }
        if (menor != anterior) r[t[menor]].push_back(menor);
        anterior = menor;
    }
    return r;
}

std::set<std::uint64_t> tramos(const Fichas& fichas) {
    const std::vector<std::uint64_t> t = numerosDeTramos(fichas);
    return {t.begin(), t.end()};
}

Parecido comparar(const Fichas& a, const Huellas& ha, const Fichas& b, const Huellas& hb,
                  const std::set<std::uint64_t>& comun) {
    std::size_t propiasA = 0, propiasB = 0, compartidas = 0;
    std::set<std::size_t> enA, enB;
    for (const auto& [h, posiciones] : ha) {
        if (comun.count(h) != 0) continue;
        ++propiasA;
        const auto otra = hb.find(h);
        if (otra == hb.end()) continue;
        ++compartidas;
        enA.insert(posiciones.begin(), posiciones.end());
        enB.insert(otra->second.begin(), otra->second.end());
    }
    for (const auto& [h, posiciones] : hb) propiasB += comun.count(h) == 0 ? 1 : 0;
    Parecido p;
    const std::size_t menor = std::min(propiasA, propiasB);
    if (menor < kHuellasMinimas) return p;
    p.parecido = static_cast<double>(compartidas) / static_cast<double>(menor);
    p.lineasA = lineasDe(a, enA);
    p.lineasB = lineasDe(b, enB);
    return p;
}

}  // namespace comprobador

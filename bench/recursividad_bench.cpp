// Tiempo de fibonacci(n) y de ackermann(3, n), con el número de llamadas que hace cada uno,
// para ver cómo crece la recursión sin memoria. Las funciones son las de los programas:
// su fuente se compila tal cual, con main renombrado.
//     ./build/default/bench/bench_recursividad
#include <benchmark/benchmark.h>

#define main fibcalc_main
#include "ejrecursividad/fibcalc.cpp"
#undef main
#define main ackcalc_main
#include "ejrecursividad/ackcalc.cpp"
#undef main

namespace {

// fibonacci(n) hace 2·F(n + 1) − 1 llamadas.
double llamadasFibonacci(int n) {
    long long anterior = 0, actual = 1;  // F(0), F(1)
    for (int i = 0; i < n; ++i) {
        long long siguiente = anterior + actual;
        anterior = actual;
        actual = siguiente;
    }
    return 2.0 * static_cast<double>(actual) - 1.0;
}

// Llamadas de ackermann(m, n) según sus casos: C(1, k) = 2k + 2, C(2, k) = 2k² + 7k + 5,
// C(3, 0) = 1 + C(2, 1) y C(3, n) = 1 + C(3, n − 1) + C(2, A(3, n − 1)).
double llamadasAckermann3(int n) {
    auto c2 = [](double k) { return 2 * k * k + 7 * k + 5; };
    double llamadas = 1 + c2(1);
    double valor = 5;  // A(3, 0)
    for (int i = 1; i <= n; ++i) {
        llamadas = 1 + llamadas + c2(valor);
        valor = 2 * valor + 3;  // A(3, i) = 2·A(3, i − 1) + 3
    }
    return llamadas;
}

void Fibonacci(benchmark::State& state) {
    int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(n);
        int resultado = fibonacci(n);
        benchmark::DoNotOptimize(resultado);
    }
    state.counters["llamadas"] = llamadasFibonacci(n);
}
BENCHMARK(Fibonacci)->DenseRange(10, 40, 5)->Unit(benchmark::kMicrosecond);

void Ackermann3(benchmark::State& state) {
    int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(n);
        int resultado = ackermann(3, n);
        benchmark::DoNotOptimize(resultado);
    }
    state.counters["llamadas"] = llamadasAckermann3(n);
}
BENCHMARK(Ackermann3)->DenseRange(1, 12)->Unit(benchmark::kMicrosecond);

}  // namespace

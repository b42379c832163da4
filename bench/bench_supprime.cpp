#include <benchmark/benchmark.h>
static void BM_EnCours(benchmark::State &state) { for (auto _ : state) {} }
BENCHMARK(BM_EnCours);
BENCHMARK_MAIN();

// nicefm and strfmt against the bare printf they are built on.
//
// nicefm(10) of a spread of magnitudes (1e-7 .. 1e9, both signs) against
// snprintf("%10.4g") of the same values: nicefm formats once or twice under
// a private "C" locale, trims and right-aligns, so it is expected to cost a
// small multiple of one snprintf. strfmt of 10 floats against 10 snprintf
// calls of "%-12.5g".
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "kfs/util/text_util.h"

namespace {

std::vector<double> Values() {
  std::vector<double> v;
  for (int e = -7; e <= 9; ++e)
    for (double m : {1.0, 2.5, 7.125, 9.99999}) {
      v.push_back(m * std::pow(10.0, e));
      v.push_back(-m * std::pow(10.0, e));
    }
  return v;
}

void BM_Nicefm(benchmark::State& state) {
  const std::vector<double> values = Values();
  char field[16];
  for (auto _ : state)
    for (double v : values) benchmark::DoNotOptimize(nicefm(field, 10, v));
  state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}
BENCHMARK(BM_Nicefm);

void BM_Snprintf(benchmark::State& state) {
  const std::vector<double> values = Values();
  char field[16];
  for (auto _ : state)
    for (double v : values)
      benchmark::DoNotOptimize(std::snprintf(field, sizeof field, "%10.4g", v));
  state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}
BENCHMARK(BM_Snprintf);

void BM_Strfmt10(benchmark::State& state) {
  const float values[10] = {1.5f, -2.25f, 1e-5f, 3e7f, 0, 42, 0.125f, -7.5e3f, 99.5f, 1};
  char list[KFS_STRFMT_SIZE(10)];
  for (auto _ : state) benchmark::DoNotOptimize(strfmt(list, values, 10));
}
BENCHMARK(BM_Strfmt10);

void BM_Snprintf10(benchmark::State& state) {
  const float values[10] = {1.5f, -2.25f, 1e-5f, 3e7f, 0, 42, 0.125f, -7.5e3f, 99.5f, 1};
  char field[32];
  for (auto _ : state)
    for (float v : values)
      benchmark::DoNotOptimize(std::snprintf(field, sizeof field, "%-12.5g", v));
}
BENCHMARK(BM_Snprintf10);

}  // namespace

BENCHMARK_MAIN();

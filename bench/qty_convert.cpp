// Array unit conversion, the hot path of every data-file read and write:
// qtyConvertItemArrayD/F on 10 million elements in place, against
//  (a) memcpy of the same array (the memory traffic alone), and
//  (b) UDUNITS-2's cv_convert_doubles/cv_convert_floats for the same linear
//      conversion.
// Cases: a target factor of 1 (km -> m, degC -> K, degF -> degC: the
// division is dropped), and targets that keep the division (m -> ft,
// K -> degF). Each iteration restores the input outside the timing.
#include <benchmark/benchmark.h>
#include <udunits2.h>

#include <cstring>
#include <vector>

#include "qty/qty.h"

namespace {

constexpr int kCount = 10000000;

struct Case {
  int from;
  int to;
  const char* udFrom;
  const char* udTo;
};

// Unit ids of the shipped table and the same units for UDUNITS-2.
const Case kCases[] = {
    {1001, 1000, "km", "m"},       // factor 1000 -> 1
    {1501, 1500, "degC", "K"},     // offset, target factor 1
    {1502, 1501, "degF", "degC"},  // factor and offsets, target factor 1
    {1000, 1005, "m", "ft"},       // division by 0.3048
    {1500, 1502, "K", "degF"},     // division by 5/9, offsets
};

template <class T>
std::vector<T> Input() {
  std::vector<T> data(kCount);
  for (int i = 0; i < kCount; ++i)
    data[static_cast<size_t>(i)] = static_cast<T>((i % 20011) * 0.37 - 1234.5);
  data[17] = static_cast<T>(-1e-35);  // a few delete values
  data[kCount / 2] = static_cast<T>(-1e-35);
  return data;
}

void EnsureLoaded() {
  static const bool loaded = qtySetupLoad(nullptr) == 1;
  if (!loaded) std::abort();
}

ut_system* Udunits() {
  static ut_system* system = [] {
    ut_set_error_message_handler(ut_ignore);
    return ut_read_xml(nullptr);
  }();
  return system;
}

template <class T>
void Restore(benchmark::State& state, std::vector<T>& data, const std::vector<T>& input) {
  state.PauseTiming();
  std::memcpy(data.data(), input.data(), input.size() * sizeof(T));
  state.ResumeTiming();
}

template <class T>
void SetCounters(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kCount *
                          static_cast<int64_t>(sizeof(T)));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCount);
}

void BM_MemcpyD(benchmark::State& state) {
  const std::vector<double> input = Input<double>();
  std::vector<double> data(input.size());
  for (auto _ : state) {
    std::memcpy(data.data(), input.data(), input.size() * sizeof(double));
    benchmark::ClobberMemory();
  }
  SetCounters<double>(state);
}

void BM_MemcpyF(benchmark::State& state) {
  const std::vector<float> input = Input<float>();
  std::vector<float> data(input.size());
  for (auto _ : state) {
    std::memcpy(data.data(), input.data(), input.size() * sizeof(float));
    benchmark::ClobberMemory();
  }
  SetCounters<float>(state);
}

void BM_QtyD(benchmark::State& state) {
  EnsureLoaded();
  const Case& c = kCases[state.range(0)];
  const std::vector<double> input = Input<double>();
  std::vector<double> data = input;
  for (auto _ : state) {
    Restore(state, data, input);
    if (!qtyConvertItemArrayD(c.from, c.to, data.data(), kCount, -1e-35))
      state.SkipWithError("conversion failed");
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(c.udFrom) + "->" + c.udTo);
  SetCounters<double>(state);
}

void BM_QtyF(benchmark::State& state) {
  EnsureLoaded();
  const Case& c = kCases[state.range(0)];
  const std::vector<float> input = Input<float>();
  std::vector<float> data = input;
  for (auto _ : state) {
    Restore(state, data, input);
    if (!qtyConvertItemArrayF(c.from, c.to, data.data(), kCount, -1e-35f))
      state.SkipWithError("conversion failed");
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(c.udFrom) + "->" + c.udTo);
  SetCounters<float>(state);
}

cv_converter* UdunitsConverter(const Case& c) {
  ut_system* system = Udunits();
  if (!system) return nullptr;
  ut_unit* from = ut_parse(system, c.udFrom, UT_ASCII);
  ut_unit* to = ut_parse(system, c.udTo, UT_ASCII);
  cv_converter* converter = (from && to) ? ut_get_converter(from, to) : nullptr;
  ut_free(from);
  ut_free(to);
  return converter;
}

void BM_UdunitsD(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  cv_converter* converter = UdunitsConverter(c);
  if (!converter) {
    state.SkipWithError("UDUNITS-2 database not found");
    return;
  }
  const std::vector<double> input = Input<double>();
  std::vector<double> data = input;
  for (auto _ : state) {
    Restore(state, data, input);
    cv_convert_doubles(converter, data.data(), kCount, data.data());
    benchmark::ClobberMemory();
  }
  cv_free(converter);
  state.SetLabel(std::string(c.udFrom) + "->" + c.udTo);
  SetCounters<double>(state);
}

void BM_UdunitsF(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  cv_converter* converter = UdunitsConverter(c);
  if (!converter) {
    state.SkipWithError("UDUNITS-2 database not found");
    return;
  }
  const std::vector<float> input = Input<float>();
  std::vector<float> data = input;
  for (auto _ : state) {
    Restore(state, data, input);
    cv_convert_floats(converter, data.data(), kCount, data.data());
    benchmark::ClobberMemory();
  }
  cv_free(converter);
  state.SetLabel(std::string(c.udFrom) + "->" + c.udTo);
  SetCounters<float>(state);
}

}  // namespace

BENCHMARK(BM_MemcpyD)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyF)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtyD)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UdunitsD)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtyF)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UdunitsF)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

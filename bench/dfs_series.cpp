// Single-point time series against plain stdio on the same bytes.
//
// A gauge file of 100 items of one value each over 100000 equidistant steps,
// once of floats and once of doubles, written and read step by step and item
// by item through dfsWriteItemTimeStep / dfsReadItemTimeStep, against one
// fwrite / fread per record of the same layout (the step's 4-byte tag, then
// per item the record header and its value). The doubles are also moved as
// rows through the series functions (dfsWriteDfs0DataDouble,
// dfsReadDfs0DataDouble). Reading one item's whole series is timed two ways:
// the series reader with a one-item list, and a positioning
// (dfsFindItemDynamic) and read per step; both are set against reading the
// whole file item by item.
// Files go to KORACORE_BENCH_DIR (default /tmp) and live in the page cache;
// after the runs the program prints the ratios, computed from CPU time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "best_time_reporter.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "qty/qty.h"

namespace {

constexpr int kItems = 100, kSteps = 100000, kPickedItem = 50;

int TypeOf(const benchmark::State& state) {
  return state.range(0) == 1 ? kfsTypeFloat : kfsTypeDouble;
}
std::string SeriesPath(int type) {
  return BenchPath(type == kfsTypeFloat ? "series_f.dfs" : "series_d.dfs");
}
std::string RawPath(int type) {
  return BenchPath(type == kfsTypeFloat ? "series_f.raw" : "series_d.raw");
}

LPHEAD SeriesHeader(int type) {
  LPHEAD h = nullptr;
  dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "gauges", "bench", 1, kItems, F_NO_STAT, &h);
  dfsSetEqCalendarAxis(h, "2024-01-01", "00:00:00", Unit("second"), 0, 0.0, 60.0);
  for (int n = 1; n <= kItems; ++n)
    dfsSetItemInfo(h, dfsItemD(h, n), 999, "Water level", Unit("meter"), type);
  return h;
}

double ValueAt(int step, int item) { return step * 1e-3 + item; }

template <typename T>
void WriteItems(LPHEAD h, kfsHandle f, benchmark::State& state) {
  for (int s = 0; s < kSteps; ++s)
    for (int n = 0; n < kItems; ++n) {
      const T value = static_cast<T>(ValueAt(s, n));
      if (dfsWriteItemTimeStep(h, f, &value, 0.0) != 0) {
        state.SkipWithError("write");
        return;
      }
    }
}

void DfsWriteSeries(benchmark::State& state) {
  const int type = TypeOf(state);
  LPHEAD h = SeriesHeader(type);
  for (auto _ : state) {
    kfsHandle f = nullptr;
    if (dfsFileCreate(SeriesPath(type).c_str(), h, &f) != 0) state.SkipWithError("create");
    if (type == kfsTypeFloat)
      WriteItems<float>(h, f, state);
    else
      WriteItems<double>(h, f, state);
    if (dfsFileClose(h, &f) != 0) state.SkipWithError("close");
  }
  dfsHeaderDestroy(&h);
  state.SetItemsProcessed(state.iterations() * int64_t(kSteps) * kItems);
}

// The records as plain stdio writes them, one call per record.
void RawWriteSeries(benchmark::State& state) {
  const int type = TypeOf(state);
  const size_t size = type == kfsTypeFloat ? 4 : 8;
  unsigned char record[13] = {static_cast<unsigned char>(type), 1, 0, 0, 0};
  const unsigned char tag[4] = {0xFE, 0x51, 0xC3, 0xFF};
  for (auto _ : state) {
    FILE* f = std::fopen(RawPath(type).c_str(), "wb");
    if (!f) state.SkipWithError("open");
    for (int s = 0; s < kSteps; ++s) {
      std::fwrite(tag, 1, 4, f);
      for (int n = 0; n < kItems; ++n) {
        const double d = ValueAt(s, n);
        const float v = static_cast<float>(d);
        std::memcpy(record + 5, type == kfsTypeFloat ? static_cast<const void*>(&v) : &d, size);
        std::fwrite(record, 1, 5 + size, f);
      }
    }
    if (std::fclose(f) != 0) state.SkipWithError("write");
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kSteps) * kItems);
}

template <typename T>
double ReadItems(LPHEAD h, kfsHandle f, benchmark::State& state) {
  double sum = 0.0;
  for (int s = 0; s < kSteps; ++s)
    for (int n = 0; n < kItems; ++n) {
      T value = 0;
      if (dfsReadItemTimeStep(h, f, nullptr, &value) != 0) {
        state.SkipWithError("read");
        return sum;
      }
      sum += value;
    }
  return sum;
}

void DfsReadSeries(benchmark::State& state) {
  const int type = TypeOf(state);
  for (auto _ : state) {
    LPHEAD h = nullptr;
    kfsHandle f = nullptr;
    if (dfsFileRead(SeriesPath(type).c_str(), &h, &f) != 0) {
      state.SkipWithError("open");
      break;
    }
    const double sum =
        type == kfsTypeFloat ? ReadItems<float>(h, f, state) : ReadItems<double>(h, f, state);
    benchmark::DoNotOptimize(sum);
    dfsFileClose(h, &f);
    dfsHeaderDestroy(&h);
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kSteps) * kItems);
}

void RawReadSeries(benchmark::State& state) {
  const int type = TypeOf(state);
  const size_t size = type == kfsTypeFloat ? 4 : 8;
  unsigned char record[13];
  for (auto _ : state) {
    FILE* f = std::fopen(RawPath(type).c_str(), "rb");
    if (!f) state.SkipWithError("open");
    double sum = 0.0;
    int records = 0;
    for (int s = 0; s < kSteps; ++s) {
      if (std::fread(record, 1, 4, f) != 4) break;
      for (int n = 0; n < kItems; ++n) {
        if (std::fread(record, 1, 5 + size, f) != 5 + size) break;
        float v;
        double d;
        if (size == 4) {
          std::memcpy(&v, record + 5, 4);
          d = v;
        } else {
          std::memcpy(&d, record + 5, 8);
        }
        sum += d;
        ++records;
      }
    }
    benchmark::DoNotOptimize(sum);
    if (records != kSteps * kItems) state.SkipWithError("short");
    std::fclose(f);
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kSteps) * kItems);
}

std::vector<double>& Rows() {
  static std::vector<double> rows = [] {
    std::vector<double> r;
    r.reserve(size_t(kSteps) * (kItems + 1));
    for (int s = 0; s < kSteps; ++s) {
      r.push_back(60.0 * s);
      for (int n = 0; n < kItems; ++n) r.push_back(ValueAt(s, n));
    }
    return r;
  }();
  return rows;
}

void DfsWriteRows(benchmark::State& state) {
  LPHEAD h = SeriesHeader(kfsTypeDouble);
  Rows();
  for (auto _ : state) {
    kfsHandle f = nullptr;
    if (dfsFileCreate(BenchPath("series_rows.dfs").c_str(), h, &f) != 0)
      state.SkipWithError("create");
    if (dfsWriteDfs0DataDouble(h, f, Rows().data(), kSteps) != 0) state.SkipWithError("write");
    if (dfsFileClose(h, &f) != 0) state.SkipWithError("close");
  }
  dfsHeaderDestroy(&h);
  state.SetItemsProcessed(state.iterations() * int64_t(kSteps) * kItems);
}

void DfsReadRows(benchmark::State& state) {
  std::vector<double> out(size_t(kSteps) * (kItems + 1));
  for (auto _ : state) {
    LPHEAD h = nullptr;
    kfsHandle f = nullptr;
    if (dfsFileRead(BenchPath("series_rows.dfs").c_str(), &h, &f) != 0) {
      state.SkipWithError("open");
      break;
    }
    if (dfsReadDfs0DataDouble(h, f, out.data()) != 0) state.SkipWithError("read");
    benchmark::DoNotOptimize(out.data());
    dfsFileClose(h, &f);
    dfsHeaderDestroy(&h);
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kSteps) * kItems);
}

// One item's whole series through the series reader and a one-item list.
void DfsReadOneItemRows(benchmark::State& state) {
  std::vector<double> out(size_t(kSteps) * 2);
  const int items[1] = {kPickedItem};
  for (auto _ : state) {
    LPHEAD h = nullptr;
    kfsHandle f = nullptr;
    if (dfsFileRead(SeriesPath(kfsTypeFloat).c_str(), &h, &f) != 0) {
      state.SkipWithError("open");
      break;
    }
    if (dfsReadDfs0ItemsDouble(h, f, out.data(), items, 1) != 0) state.SkipWithError("read");
    benchmark::DoNotOptimize(out.data());
    dfsFileClose(h, &f);
    dfsHeaderDestroy(&h);
  }
}

// One item's whole series by positioning before it in every step.
void DfsReadOneItemFind(benchmark::State& state) {
  for (auto _ : state) {
    LPHEAD h = nullptr;
    kfsHandle f = nullptr;
    if (dfsFileRead(SeriesPath(kfsTypeFloat).c_str(), &h, &f) != 0) {
      state.SkipWithError("open");
      break;
    }
    double sum = 0.0;
    for (int s = 0; s < kSteps; ++s) {
      float value = 0;
      if (dfsFindItemDynamic(h, f, s, kPickedItem) != 0 ||
          dfsReadItemTimeStep(h, f, nullptr, &value) != 0) {
        state.SkipWithError("read");
        break;
      }
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
    dfsFileClose(h, &f);
    dfsHeaderDestroy(&h);
  }
}

class RatioReporter : public BestTimeReporter {
 public:
  void PrintRatios() const {
    std::printf(
        "\nthroughput ratios, 100 items x 100000 steps of one value (1.0 = as fast as the "
        "reference):\n");
    Ratio("floats written item by item / fwrite", "DfsWriteSeries/1", "RawWriteSeries/1", 0.7);
    Ratio("floats read item by item / fread", "DfsReadSeries/1", "RawReadSeries/1", 0.7);
    Ratio("doubles written item by item / fwrite", "DfsWriteSeries/2", "RawWriteSeries/2", 0.7);
    Ratio("doubles read item by item / fread", "DfsReadSeries/2", "RawReadSeries/2", 0.7);
    Ratio("doubles written as rows / fwrite", "DfsWriteRows", "RawWriteSeries/2", 0.7);
    Ratio("doubles read as rows / fread", "DfsReadRows", "RawReadSeries/2", 0.7);
    std::printf("one item's whole series (floats), time against reading every item:\n");
    Share("series reader, one-item list", "DfsReadOneItemRows", "DfsReadSeries/1");
    Share("find item + read, per step", "DfsReadOneItemFind", "DfsReadSeries/1");
  }

 private:
  void Share(const char* label, const char* name, const char* whole) const {
    const double a = Seconds(name), b = Seconds(whole);
    if (a <= 0 || b <= 0) return;
    std::printf("  %-40s %.1f ms = %.3f of the whole read\n", label, a * 1e3, a / b);
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Library and stdio runs alternate, round after round, so that both meet
  // the same state of the machine; writers run before the readers of what
  // they wrote.
  auto add = [](const char* name, void (*function)(benchmark::State&)) {
    return benchmark::RegisterBenchmark(name, function)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(1);
  };
  for (int round = 0; round < 3; ++round) {
    for (int type : {1, 2}) {
      add("DfsWriteSeries", DfsWriteSeries)->Arg(type);
      add("RawWriteSeries", RawWriteSeries)->Arg(type);
      add("DfsReadSeries", DfsReadSeries)->Arg(type);
      add("RawReadSeries", RawReadSeries)->Arg(type);
    }
    add("DfsWriteRows", DfsWriteRows);
    add("DfsReadRows", DfsReadRows);
    add("DfsReadOneItemRows", DfsReadOneItemRows);
    add("DfsReadOneItemFind", DfsReadOneItemFind);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  for (int type : {kfsTypeFloat, kfsTypeDouble}) {
    std::remove(SeriesPath(type).c_str());
    std::remove(RawPath(type).c_str());
  }
  std::remove(BenchPath("series_rows.dfs").c_str());
  benchmark::Shutdown();
  return 0;
}

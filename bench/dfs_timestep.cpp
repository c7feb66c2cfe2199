// Time-step data against plain stdio on the same bytes.
//
// A result file of 4 float items on a 300 x 300 grid, 100 steps (144 MB of
// values): written through dfsWriteItemTimeStep with statistics type 1
// (item-wide range) and type 2 (also nine accumulators per element), read
// back through dfsReadItemTimeStep without and with a unit conversion
// (metre to centimetre, mode 2); and the same record bytes with
// fwrite/fread. Then dfsFindTimeStep to step 10 and to step 10000 of a long
// file, each followed by a read that moves the position away again: one
// measured step and one relative seek, whatever the distance (a seek that
// stays within the read-ahead, as to step 10, needs no system call).
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

constexpr int kSide = 300, kCells = kSide * kSide, kItems = 4, kSteps = 100;
constexpr int kLongSteps = 10001;

const std::vector<float>& Grid() {
  static const std::vector<float> grid = [] {
    std::vector<float> v(kCells);
    for (int i = 0; i < kCells; ++i) v[static_cast<size_t>(i)] = (i % 977) * 0.25f - 40.0f;
    for (int i = 0; i < kCells; i += 13) v[static_cast<size_t>(i)] = -1e-35f;  // dry cells
    return v;
  }();
  return grid;
}

LPHEAD Header(int statsType, int items, int side) {
  LPHEAD h = nullptr;
  dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "bench", "bench", 1, items, statsType, &h);
  dfsSetEqCalendarAxis(h, "2024-01-01", "00:00:00", Unit("second"), 0, 0.0, 3600.0);
  for (int n = 1; n <= items; ++n) {
    dfsSetItemInfo(h, dfsItemD(h, n), 999, "Water level", Unit("meter"), kfsTypeFloat);
    dfsSetItemAxisEqD2(dfsItemD(h, n), Unit("meter"), side, side, 0.f, 0.f, 10.f, 10.f);
  }
  return h;
}

constexpr int64_t kValueBytes = int64_t(kItems) * kSteps * kCells * 4;

// Statistics type 1 writes the file the readers read; type 2 one of its
// own (its header carries 26 MB of accumulators, which a reader would read).
void DfsWrite(benchmark::State& state) {
  const std::string path = BenchPath(state.range(0) == 1 ? "steps.dfs" : "steps2.dfs");
  LPHEAD h = Header(static_cast<int>(state.range(0)), kItems, kSide);
  for (auto _ : state) {
    kfsHandle f = nullptr;
    if (dfsFileCreate(path.c_str(), h, &f) != 0) state.SkipWithError("create");
    for (int s = 0; s < kSteps * kItems; ++s)
      if (dfsWriteItemTimeStep(h, f, Grid().data(), 0.0) != 0) state.SkipWithError("write");
    if (dfsFileClose(h, &f) != 0) state.SkipWithError("close");
  }
  dfsHeaderDestroy(&h);
  state.SetBytesProcessed(state.iterations() * kValueBytes);
}

// The records of the data file as plain stdio writes them: a tag and, per
// item, the record header and its values.
void RawWrite(benchmark::State& state) {
  const std::string path = BenchPath("steps.raw");
  unsigned char header[5] = {kfsTypeFloat, 0, 0, 0, 0};
  const unsigned int count = kCells;
  std::memcpy(header + 1, &count, 4);
  const unsigned char tag[4] = {0xFE, 0x51, 0xC3, 0xFF};
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) state.SkipWithError("open");
    for (int s = 0; s < kSteps; ++s) {
      std::fwrite(tag, 1, 4, f);
      for (int n = 0; n < kItems; ++n) {
        std::fwrite(header, 1, 5, f);
        std::fwrite(Grid().data(), sizeof(float), kCells, f);
      }
    }
    if (std::fclose(f) != 0) state.SkipWithError("write");
  }
  state.SetBytesProcessed(state.iterations() * kValueBytes);
}

void DfsRead(benchmark::State& state) {
  const std::string path = BenchPath("steps.dfs");
  std::vector<float> grid(kCells);
  for (auto _ : state) {
    LPHEAD h = nullptr;
    kfsHandle f = nullptr;
    if (dfsFileRead(path.c_str(), &h, &f) != 0) {
      state.SkipWithError("open");
      break;
    }
    if (state.range(0) == 2)
      for (int n = 1; n <= kItems; ++n)
        dfsSetItemUnitConversion(dfsItemD(h, n), 2, Unit("centimeter"));
    for (int s = 0; s < kSteps * kItems; ++s)
      if (dfsReadItemTimeStep(h, f, nullptr, grid.data()) != 0) state.SkipWithError("read");
    benchmark::DoNotOptimize(grid.data());
    dfsFileClose(h, &f);
    dfsHeaderDestroy(&h);
  }
  state.SetBytesProcessed(state.iterations() * kValueBytes);
}

void RawRead(benchmark::State& state) {
  const std::string path = BenchPath("steps.raw");
  std::vector<float> grid(kCells);
  unsigned char header[5];
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) state.SkipWithError("open");
    int records = 0;
    for (int s = 0; s < kSteps; ++s) {
      if (std::fread(header, 1, 4, f) != 4) break;
      for (int n = 0; n < kItems; ++n)
        if (std::fread(header, 1, 5, f) == 5 &&
            std::fread(grid.data(), sizeof(float), kCells, f) == static_cast<size_t>(kCells))
          ++records;
    }
    if (records != kSteps * kItems) state.SkipWithError("short");
    benchmark::DoNotOptimize(grid.data());
    std::fclose(f);
  }
  state.SetBytesProcessed(state.iterations() * kValueBytes);
}

// A long file of two small items: 10001 steps.
void WriteLongFile() {
  LPHEAD h = Header(1, 2, 4);
  kfsHandle f = nullptr;
  dfsFileCreate(BenchPath("long.dfs").c_str(), h, &f);
  std::vector<float> v(16, 1.0f);
  for (int s = 0; s < kLongSteps * 2; ++s) dfsWriteItemTimeStep(h, f, v.data(), 0.0);
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
}

void DfsFind(benchmark::State& state) {
  static const bool written = (WriteLongFile(), true);
  (void)written;
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  if (dfsFileRead(BenchPath("long.dfs").c_str(), &h, &f) != 0) {
    state.SkipWithError("open");
    return;
  }
  const int step = static_cast<int>(state.range(0));
  std::vector<float> v(16);
  for (auto _ : state) {
    if (dfsFindTimeStep(h, f, step) != 0) state.SkipWithError("find");
    // Moves on into the step, so that the next find starts elsewhere.
    if (dfsReadItemTimeStep(h, f, nullptr, v.data()) != 0) state.SkipWithError("read");
  }
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
}

class RatioReporter : public BestTimeReporter {
 public:
  void PrintRatios() const {
    std::printf("\nthroughput ratios (1.0 = as fast as the reference):\n");
    Ratio("write, statistics type 1 / fwrite", "DfsWrite/1", "RawWrite", 0.9);
    Ratio("write, statistics type 2 / fwrite", "DfsWrite/2", "RawWrite", 0.1);
    Ratio("read / fread", "DfsRead/0", "RawRead");
    Ratio("read converting m to cm / read", "DfsRead/2", "DfsRead/0", 0.85);
    Ratio("find step 10 / find step 10000", "DfsFind/10", "DfsFind/10000");
    // Step 10 lies within the read-ahead of the step measured before it,
    // so its seek needs no system call; from step 1000 on every seek does.
    Ratio("find step 1000 / find step 10000", "DfsFind/1000", "DfsFind/10000");
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Library and stdio runs alternate, round after round, so that both meet
  // the same state of the machine; writers run before the readers of what
  // they wrote.
  for (int round = 0; round < 3; ++round) {
    for (int stats : {1, 2}) {
      benchmark::RegisterBenchmark("DfsWrite", DfsWrite)
          ->Arg(stats)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(3);
      benchmark::RegisterBenchmark("RawWrite", RawWrite)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(3);
    }
    for (int mode : {0, 2})
      benchmark::RegisterBenchmark("DfsRead", DfsRead)
          ->Arg(mode)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(3);
    benchmark::RegisterBenchmark("RawRead", RawRead)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
  }
  benchmark::RegisterBenchmark("DfsFind", DfsFind)
      ->Arg(10)
      ->Arg(1000)
      ->Arg(10000)
      ->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  for (const char* name : {"steps.dfs", "steps2.dfs", "steps.raw", "long.dfs"})
    std::remove(BenchPath(name).c_str());
  benchmark::Shutdown();
  return 0;
}

// Data-file header: writing and reading a header of many items (the cost of
// opening a result file) against walking the same blocks with the raw
// container, so the ratio shows what decoding and checking add.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "qty/qty.h"

namespace {

const std::string kPath = "/tmp/koracore_bench_dfs_header.dfs";

LPHEAD makeHeader(int items, int statsType) {
  static const bool loaded = qtySetupLoad(nullptr) == 1;
  (void)loaded;
  int meter = 0;
  qtyGetUnitTag("meter", &meter);
  LPHEAD h = nullptr;
  dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "bench", "bench", 1, items, statsType, &h);
  dfsSetEqCalendarAxis(h, "2020-01-01", "00:00:00", 1400, 0, 0.0, 60.0);
  for (int n = 1; n <= items; ++n) {
    LPITEM it = dfsItemD(h, n);
    dfsSetItemInfo(h, it, 999, "An item with a name", meter, kfsTypeFloat);
    dfsSetItemAxisEqD2(it, meter, 10, 10, 0.0f, 0.0f, 1.0f, 1.0f);
  }
  return h;
}

void writeFile(LPHEAD h) {
  kfsHandle f = nullptr;
  dfsFileCreate(kPath.c_str(), h, &f);
  dfsFileClose(h, &f);
}

void BM_WriteHeader(benchmark::State& state) {
  LPHEAD h = makeHeader(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) writeFile(h);
  dfsHeaderDestroy(&h);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadHeader(benchmark::State& state) {
  LPHEAD h = makeHeader(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  writeFile(h);
  dfsHeaderDestroy(&h);
  for (auto _ : state) {
    LPHEAD r = nullptr;
    kfsHandle f = nullptr;
    if (dfsFileRead(kPath.c_str(), &r, &f) != 0) state.SkipWithError("read failed");
    dfsFileClose(r, &f);
    dfsHeaderDestroy(&r);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same file's blocks read with the container alone.
void BM_ReadBlocksRaw(benchmark::State& state) {
  LPHEAD h = makeHeader(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  writeFile(h);
  dfsHeaderDestroy(&h);
  for (auto _ : state) {
    kfsHandle f = nullptr;
    kfsFileOpenRead(kPath.c_str(), &f, kfsInternalAPI, nullptr);
    for (;;) {
      unsigned int id = 0;
      if (kfsQuery(f, &id) != kfsTypeBlock || id == 50000) break;
      kfsLblock b = nullptr;
      unsigned int n = 0;
      kfsLblockRead(f, &n, &b);
      kfsLblockFree(&b);
    }
    kfsFileClose(&f);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Arguments: number of items (each 10 x 10 floats), statistics type (1: none,
// 2: 9 doubles per element, 7.2 kB per item).
#define HEADER_ARGS Args({10, 1})->Args({1000, 1})->Args({1000, 2})
BENCHMARK(BM_WriteHeader)->HEADER_ARGS;
BENCHMARK(BM_ReadHeader)->HEADER_ARGS;
BENCHMARK(BM_ReadBlocksRaw)->HEADER_ARGS;

}  // namespace

BENCHMARK_MAIN();

// Loading a cross-section file against reading the same blocks bare.
//
// A file of 2000 cross-sections with 200 raw points, 20 selected levels,
// 50 processed levels and 200 coordinates each (about 4.5 MB) is loaded
// with xfsXsecTableLoad (full, and identification and headers only), and
// read block by block with kfsLblockRead/kfsLblockFree, which is the floor:
// the table takes the record buffers over instead of copying them, so a
// full load should cost little more than the bare read. Searching: every
// cross-section found once by identification in the loaded table.
// Files go to KORACORE_BENCH_DIR (default /tmp).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "kfs/xfs/xfs.h"

namespace {

constexpr int kSections = 2000;

std::string BenchPath() {
  const char* dir = std::getenv("KORACORE_BENCH_DIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/koracore_bench_sections.xns";
}

const std::string& SampleFile() {
  static const std::string path = [] {
    std::string p = BenchPath();
    kfsHandle f = nullptr;
    if (xfsFileOpenCreate(p.c_str(), &f) != 0) std::abort();
    char topo[32];
    for (int i = 0; i < kSections; ++i) {
      std::snprintf(topo, sizeof topo, "TOPO-%d", i % 7);
      xfsStrucP x = xfsXsecCreate(topo, "Main river", 25.0 * i);
      xfsXsecSetNoRaw(x, 200);
      xfsXsecSetNoSel(x, 20);
      xfsXsecSetNoPrc(x, 50);
      xfsXsecSetNoCoords(x, 200);
      for (int k = 0; k < 200; ++k) x->daDp.z[k] = 0.01 * k;
      if (xfsXsecWrite(x, f) != 0) std::abort();
      xfsXsecFree(&x);
    }
    xfsFileClose(&f);
    return p;
  }();
  return path;
}

void BM_LoadFull(benchmark::State& state) {
  const std::string& path = SampleFile();
  for (auto _ : state) {
    xfsTable t = nullptr;
    if (xfsXsecTableLoad(path.c_str(), &t, 0) != 0) state.SkipWithError("load failed");
    xfsXsecTableFree(&t);
  }
  state.SetItemsProcessed(state.iterations() * kSections);
}
BENCHMARK(BM_LoadFull)->Unit(benchmark::kMillisecond);

void BM_LoadHeadersOnly(benchmark::State& state) {
  const std::string& path = SampleFile();
  for (auto _ : state) {
    xfsTable t = nullptr;
    if (xfsXsecTableLoad(path.c_str(), &t, XFS_LOAD_HEADERS_ONLY) != 0)
      state.SkipWithError("load failed");
    xfsXsecTableFree(&t);
  }
  state.SetItemsProcessed(state.iterations() * kSections);
}
BENCHMARK(BM_LoadHeadersOnly)->Unit(benchmark::kMillisecond);

void BM_BareBlockRead(benchmark::State& state) {
  const std::string& path = SampleFile();
  for (auto _ : state) {
    kfsHandle f = nullptr;
    if (xfsFileOpenRead(path.c_str(), &f) != 0) state.SkipWithError("open failed");
    unsigned int n = 0;
    kfsLblock block = nullptr;
    while (kfsLblockRead(f, &n, &block) >= 0) kfsLblockFree(&block);
    kfsLblockFree(&block);
    xfsFileClose(&f);
  }
  state.SetItemsProcessed(state.iterations() * kSections);
}
BENCHMARK(BM_BareBlockRead)->Unit(benchmark::kMillisecond);

void BM_FindEach(benchmark::State& state) {
  xfsTable t = nullptr;
  if (xfsXsecTableLoad(SampleFile().c_str(), &t, XFS_LOAD_HEADERS_ONLY) != 0) std::abort();
  char topo[32];
  for (auto _ : state) {
    for (int i = 0; i < kSections; ++i) {
      std::snprintf(topo, sizeof topo, "topo-%d", i % 7);
      benchmark::DoNotOptimize(xfsXsecFind(t, topo, "MAIN RIVER", nullptr, 25.0 * i));
    }
  }
  state.SetItemsProcessed(state.iterations() * kSections);
  xfsXsecTableFree(&t);
}
BENCHMARK(BM_FindEach)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

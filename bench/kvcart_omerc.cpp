// Oblique Mercator throughput: one million points forward and inverse
// through the oblique Mercator classes (called through CKvProjection as a
// host calls them), against PROJ's omerc on the same points and the same
// definitions through proj_trans_generic (PROJ's own array entry point).
// Cases: NAD83 / Alaska zone 1 (Hotine from the natural origin) and
// CH1903+ / LV95 (from the centre, azimuth 90). Points spread over each
// system's area of use.
#include <benchmark/benchmark.h>

#include <memory>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvHotineObliqueMercator.h"
#include "KvCart/families/CKvObliqueMercator.h"

#include "projection_pair_bench.h"

namespace {

struct Grid {
  const char* name;
  double west, east, south, north;
  const char* proj;
};

const Grid kGrids[] = {
    {"Alaska 1", -141.0, -130.0, 54.6, 60.3,
     "+proj=omerc +no_uoff +lat_0=57 +lonc=-133.666666666667 +alpha=323.130102361111 "
     "+gamma=323.130102361111 +k=0.9999 +x_0=5000000 +y_0=-5000000 +ellps=GRS80"},
    {"LV95", 5.96, 10.49, 45.82, 47.81,
     "+proj=omerc +lat_0=46.9524055555556 +lonc=7.43958333333333 +alpha=90 +gamma=90 +k=1 "
     "+x_0=2600000 +y_0=1200000 +ellps=bessel"},
};

std::unique_ptr<CKvProjection> Make(int index) {
  if (index == 0) {
    return std::make_unique<CKvHotineObliqueMercator>(
        "Alaska 1", 0.9999, -133.66666666666666, 57, 323.13010236111114, 5000000, -5000000,
        CKvEllipsoid("", "", 6378137.0, 298.257222101));
  }
  return std::make_unique<CKvObliqueMercator>("LV95", 1, 7.439583333333333, 46.95240555555556, 90,
                                              2600000, 1200000,
                                              CKvEllipsoid("", "", 6377397.155, 299.1528128));
}

pairbench::Area AreaOf(const Grid& g) { return {g.west, g.east, g.south, g.north}; }

void KvCartForward(benchmark::State& state) {
  const Grid& g = kGrids[state.range(0)];
  pairbench::RunOurs(state, *Make(state.range(0)), AreaOf(g), g.name, true);
}

void KvCartInverse(benchmark::State& state) {
  const Grid& g = kGrids[state.range(0)];
  pairbench::RunOurs(state, *Make(state.range(0)), AreaOf(g), g.name, false);
}

void Proj(benchmark::State& state, PJ_DIRECTION direction) {
  const Grid& g = kGrids[state.range(0)];
  pairbench::RunProj(state, g.proj, *Make(state.range(0)), AreaOf(g), g.name, direction);
}

void ProjForward(benchmark::State& state) { Proj(state, PJ_FWD); }
void ProjInverse(benchmark::State& state) { Proj(state, PJ_INV); }

}  // namespace

BENCHMARK(KvCartForward)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjForward)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(KvCartInverse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjInverse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

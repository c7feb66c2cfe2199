// Krovak throughput: one million points forward and inverse
// through CKvKrovak (called through CKvProjection as a host calls it),
// against PROJ's krovak on the same points and the same definitions through
// proj_trans_generic (PROJ's own array entry point). Cases: S-JTSK / Krovak
// East North (EPSG:5514) and S-JTSK / Krovak with southing and westing
// (EPSG:5513, PROJ with +axis=swu). Points over the Czech Republic and
// Slovakia.
#include <benchmark/benchmark.h>

#include <memory>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvKrovak.h"

#include "projection_pair_bench.h"

namespace {

struct Grid {
  const char* name;
  double west, east, south, north;
  const char* proj;
};

const Grid kGrids[] = {
    {"Krovak East North", 12.09, 22.56, 47.73, 51.06,
     "+proj=krovak +lat_0=49.5 +lon_0=24.83333333333333 +alpha=30.28813975277778 +k=0.9999 "
     "+x_0=0 +y_0=0 +ellps=bessel"},
    {"Krovak", 12.09, 22.56, 47.73, 51.06,
     "+proj=krovak +axis=swu +lat_0=49.5 +lon_0=24.83333333333333 +alpha=30.28813975277778 "
     "+k=0.9999 +x_0=0 +y_0=0 +ellps=bessel"},
};

// EPSG:5514 is the orientation (-1, 1, 90), EPSG:5513 (1, 1, 0).
std::unique_ptr<CKvProjection> Make(int index) {
  const double xScale = index == 0 ? -1.0 : 1.0, rotation = index == 0 ? 90.0 : 0.0;
  return std::make_unique<CKvKrovak>(kGrids[index].name, 0.9999, 78.5, 24.833333333333332, 49.5,
                                     30.28813975277778, rotation, xScale, 1.0, 0.0, 0.0,
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

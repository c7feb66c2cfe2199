// Conic and cylindrical throughput: one million points forward and inverse
// through our classes (called through CKvProjection, as a host calls them)
// against PROJ on the same points and the same definition, through
// proj_trans_generic (PROJ's own array entry point). The case that matters
// is Lambert conformal conic with two parallels (RGF93 / Lambert-93); the
// simpler families of the same file follow: Mercator (World Mercator),
// Albers (Conus Albers), the equidistant conic (USA contiguous) and
// Cassini-Soldner (Johor Grid). Points are spread over each system's area.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvAlbersEqualArea.h"
#include "KvCart/families/CKvCassiniSoldner.h"
#include "KvCart/families/CKvEquidistantConic.h"
#include "KvCart/families/CKvLambert2SP.h"
#include "KvCart/families/CKvMercator1SP.h"

#include "projection_pair_bench.h"

namespace {

const CKvEllipsoid kGrs80("GRS 1980", "RF", 6378137.0, 298.257222101);
const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);

struct Case {
  const char* name;
  std::function<CKvProjection*()> make;
  const char* proj;
  double west, east, south, north;
};

const Case kCases[] = {
    {"Lambert-93",
     [] { return new CKvLambert2SP("L93", 49, 44, 3, 46.5, 700000, 6600000, kGrs80); },
     "+proj=lcc +lat_1=49 +lat_2=44 +lat_0=46.5 +lon_0=3 +x_0=700000 +y_0=6600000 +ellps=GRS80", -5,
     10, 41, 51.5},
    {"World Mercator", [] { return new CKvMercator1SP("World", 1, 0, 0, 0, kWgs84); },
     "+proj=merc +ellps=WGS84", -179, 179, -80, 84},
    {"Conus Albers",
     [] { return new CKvAlbersEqualArea("Conus", 29.5, 45.5, -96, 23, 0, 0, kGrs80); },
     "+proj=aea +lat_1=29.5 +lat_2=45.5 +lat_0=23 +lon_0=-96 +ellps=GRS80", -125, -66, 24, 50},
    {"USA equidistant conic",
     [] { return new CKvEquidistantConic("USA", 33, 45, -96, 39, 0, 0, kGrs80); },
     "+proj=eqdc +lat_1=33 +lat_2=45 +lat_0=39 +lon_0=-96 +ellps=GRS80", -125, -66, 24, 50},
    {"Johor Cassini",
     [] { return new CKvCassiniSoldner("Johor", 103.4279, 2.1217, -14810.562, 8758.32, kGrs80); },
     "+proj=cass +lat_0=2.1217 +lon_0=103.4279 +x_0=-14810.562 +y_0=8758.32 +ellps=GRS80", 102.5,
     104.6, 1.2, 2.95},
};

pairbench::Area AreaOf(const Case& c) { return {c.west, c.east, c.south, c.north}; }

void KvCartForward(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  std::unique_ptr<CKvProjection> p(c.make());
  pairbench::RunOurs(state, *p, AreaOf(c), c.name, true);
}

void KvCartInverse(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  std::unique_ptr<CKvProjection> p(c.make());
  pairbench::RunOurs(state, *p, AreaOf(c), c.name, false);
}

void Proj(benchmark::State& state, PJ_DIRECTION direction) {
  const Case& c = kCases[state.range(0)];
  std::unique_ptr<CKvProjection> ours(c.make());
  pairbench::RunProj(state, c.proj, *ours, AreaOf(c), c.name, direction);
}

void ProjForward(benchmark::State& state) { Proj(state, PJ_FWD); }
void ProjInverse(benchmark::State& state) { Proj(state, PJ_INV); }

}  // namespace

BENCHMARK(KvCartForward)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjForward)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(KvCartInverse)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjInverse)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// Azimuthal throughput: one million points forward and inverse through our
// classes (called through CKvProjection, as a host calls them) against PROJ
// on the same points and the same definition, through proj_trans_generic
// (PROJ's own array entry point). The case that matters is the oblique
// (double) stereographic of RD New (PROJ's sterea); the other azimuthal
// families follow: UPS North (scale at the pole), the NSIDC sea-ice grid
// (latitude of true scale), LAEA Europe and the New Zealand Map Grid.
// Points are spread over each system's area.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvLambertAzimuthalEqualArea.h"
#include "KvCart/families/CKvNewZealandMapGrid.h"
#include "KvCart/families/CKvStereographic.h"
#include "KvCart/families/CKvStereographicNorthPole.h"

#include "projection_pair_bench.h"

namespace {

const CKvEllipsoid kBessel("Bessel 1841", "BR", 6377397.155, 299.1528128);
const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);
const CKvEllipsoid kGrs80("GRS 1980", "RF", 6378137.0, 298.257222101);
const CKvEllipsoid kIntl("International 1924", "IN", 6378388.0, 297.0);

struct Case {
  const char* name;
  std::function<CKvProjection*()> make;
  const char* proj;
  double west, east, south, north;
};

const Case kCases[] = {
    {"RD New",
     [] {
       return new CKvStereographic("RD New", 0.9999079, 5.38763888888889, 52.15616055555555, 155000,
                                   463000, kBessel);
     },
     "+proj=sterea +lat_0=52.15616055555555 +lon_0=5.38763888888889 +k=0.9999079 +x_0=155000 "
     "+y_0=463000 +a=6377397.155 +rf=299.1528128",
     3.2, 7.3, 50.7, 53.7},
    {"UPS North",
     [] { return new CKvStereographic("UPS N", 0.994, 0, 90, 2000000, 2000000, kWgs84); },
     "+proj=stere +lat_0=90 +lon_0=0 +k=0.994 +x_0=2000000 +y_0=2000000 +ellps=WGS84", -180, 180,
     60, 89.9},
    {"NSIDC North", [] { return new CKvStereographicNorthPole("NSIDC N", 70, -45, 0, 0, kWgs84); },
     "+proj=stere +lat_0=90 +lat_ts=70 +lon_0=-45 +k=1 +ellps=WGS84", -180, 180, 30, 89.9},
    {"LAEA Europe",
     [] { return new CKvLambertAzimuthalEqualArea("LAEA", 10, 52, 4321000, 3210000, kGrs80); },
     "+proj=laea +lat_0=52 +lon_0=10 +x_0=4321000 +y_0=3210000 +ellps=GRS80", -35, 44, 25, 84},
    {"NZMG", [] { return new CKvNewZealandMapGrid("NZMG", 173, -41, 2510000, 6023150, kIntl); },
     "+proj=nzmg +lat_0=-41 +lon_0=173 +x_0=2510000 +y_0=6023150 +ellps=intl", 166, 179, -47.5,
     -34},
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

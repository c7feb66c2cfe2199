// Transverse Mercator throughput: one million points forward and inverse
// through CKvTransverseMercatorJHS (the class every UTM zone and transverse
// Mercator text creates, called through CKvProjection as a host calls it),
// against PROJ's exact transverse Mercator on the same points and the same
// definition, through proj_trans_generic (PROJ's own array entry point).
// Cases: UTM zone 32 on WGS 84, and a national grid with an origin off the
// equator (British National Grid on Airy 1830). Points lie within 3 degrees
// of the central meridian, latitudes -80..84 (UTM) or 49..61 (grid).
#include <benchmark/benchmark.h>
#include <proj.h>

#include <memory>
#include <random>
#include <vector>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvTransverseMercatorJHS.h"

namespace {

constexpr int kCount = 1000000;

struct Grid {
  const char* name;
  double k0, lon0, lat0, fe, fn, a, invF;
  double latLo, latHi;
  const char* proj;
};

const Grid kGrids[] = {
    {"UTM-32", 0.9996, 9.0, 0.0, 500000.0, 0.0, 6378137.0, 298.257223563, -80.0, 84.0,
     "+proj=utm +zone=32 +ellps=WGS84"},
    {"OSGB", 0.9996012717, -2.0, 49.0, 400000.0, -100000.0, 6377563.396, 299.3249646, 49.0, 61.0,
     "+proj=tmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 +y_0=-100000 "
     "+a=6377563.396 +rf=299.3249646"},
};

struct Points {
  std::vector<double> lon, lat, x, y;
};

// Degrees and their projections (by our class; both libraries agree to 0.1 mm).
Points MakePoints(const Grid& g, const CKvProjection& tm) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> dLon(-3.0, 3.0), lat(g.latLo, g.latHi);
  Points p;
  for (int i = 0; i < kCount; ++i) {
    p.lon.push_back(g.lon0 + dLon(random));
    p.lat.push_back(lat(random));
    double x, y;
    tm.Geo2Proj(p.lon.back(), p.lat.back(), &x, &y);
    p.x.push_back(x);
    p.y.push_back(y);
  }
  return p;
}

std::unique_ptr<CKvProjection> MakeTm(const Grid& g) {
  return std::make_unique<CKvTransverseMercatorJHS>(g.name, g.k0, g.lon0, g.lat0, g.fe, g.fn,
                                                    CKvEllipsoid("", "", g.a, g.invF));
}

void KvCartForward(benchmark::State& state) {
  const Grid& g = kGrids[state.range(0)];
  std::unique_ptr<CKvProjection> tm = MakeTm(g);
  Points p = MakePoints(g, *tm);
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) tm->Geo2Proj(p.lon[i], p.lat[i], &p.x[i], &p.y[i]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  state.SetLabel(g.name);
}

void KvCartInverse(benchmark::State& state) {
  const Grid& g = kGrids[state.range(0)];
  std::unique_ptr<CKvProjection> tm = MakeTm(g);
  Points p = MakePoints(g, *tm);
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) tm->Proj2Geo(p.x[i], p.y[i], &p.lon[i], &p.lat[i]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  state.SetLabel(g.name);
}

// PROJ works in radians on the geographic side; the conversion to radians
// happens outside the timing, into the arrays PROJ transforms in place.
void Proj(benchmark::State& state, PJ_DIRECTION direction) {
  const Grid& g = kGrids[state.range(0)];
  Points p = MakePoints(g, *MakeTm(g));
  PJ_CONTEXT* ctx = proj_context_create();
  PJ* pj = proj_create(ctx, g.proj);
  std::vector<double> u(kCount), v(kCount);
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < kCount; ++i) {
      u[i] = direction == PJ_FWD ? proj_torad(p.lon[i]) : p.x[i];
      v[i] = direction == PJ_FWD ? proj_torad(p.lat[i]) : p.y[i];
    }
    state.ResumeTiming();
    proj_trans_generic(pj, direction, u.data(), sizeof(double), kCount, v.data(), sizeof(double),
                       kCount, nullptr, 0, 0, nullptr, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  state.SetLabel(g.name);
  proj_destroy(pj);
  proj_context_destroy(ctx);
}

void ProjForward(benchmark::State& state) { Proj(state, PJ_FWD); }
void ProjInverse(benchmark::State& state) { Proj(state, PJ_INV); }

}  // namespace

BENCHMARK(KvCartForward)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjForward)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(KvCartInverse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjInverse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

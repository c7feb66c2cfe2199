// Krovak throughput: one million points forward and inverse
// through CKvKrovak (called through CKvProjection as a host calls it),
// against PROJ's krovak on the same points and the same definitions through
// proj_trans_generic (PROJ's own array entry point). Cases: S-JTSK / Krovak
// East North (EPSG:5514) and S-JTSK / Krovak with southing and westing
// (EPSG:5513, PROJ with +axis=swu). Points over the Czech Republic and
// Slovakia.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <memory>
#include <random>
#include <vector>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvKrovak.h"

namespace {

constexpr int kCount = 1000000;

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

struct Points {
  std::vector<double> lon, lat, x, y;
};

// Degrees and their projections (by our class; both libraries agree to 1 mm).
Points MakePoints(const Grid& g, const CKvProjection& p) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> lon(g.west, g.east), lat(g.south, g.north);
  Points out;
  for (int i = 0; i < kCount; ++i) {
    out.lon.push_back(lon(random));
    out.lat.push_back(lat(random));
    double x, y;
    p.Geo2Proj(out.lon.back(), out.lat.back(), &x, &y);
    out.x.push_back(x);
    out.y.push_back(y);
  }
  return out;
}

void KvCartForward(benchmark::State& state) {
  std::unique_ptr<CKvProjection> p = Make(state.range(0));
  Points pts = MakePoints(kGrids[state.range(0)], *p);
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) p->Geo2Proj(pts.lon[i], pts.lat[i], &pts.x[i], &pts.y[i]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  state.SetLabel(kGrids[state.range(0)].name);
}

void KvCartInverse(benchmark::State& state) {
  std::unique_ptr<CKvProjection> p = Make(state.range(0));
  Points pts = MakePoints(kGrids[state.range(0)], *p);
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) p->Proj2Geo(pts.x[i], pts.y[i], &pts.lon[i], &pts.lat[i]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  state.SetLabel(kGrids[state.range(0)].name);
}

// PROJ works in radians on the geographic side; the conversion to radians
// happens outside the timing, into the arrays PROJ transforms in place.
void Proj(benchmark::State& state, PJ_DIRECTION direction) {
  const Grid& g = kGrids[state.range(0)];
  Points pts = MakePoints(g, *Make(state.range(0)));
  PJ_CONTEXT* ctx = proj_context_create();
  PJ* pj = proj_create(ctx, g.proj);
  std::vector<double> u(kCount), v(kCount);
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < kCount; ++i) {
      u[i] = direction == PJ_FWD ? proj_torad(pts.lon[i]) : pts.x[i];
      v[i] = direction == PJ_FWD ? proj_torad(pts.lat[i]) : pts.y[i];
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

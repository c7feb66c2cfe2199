// Oblique Mercator throughput: one million points forward and inverse
// through the oblique Mercator classes (called through CKvProjection as a
// host calls them), against PROJ's omerc on the same points and the same
// definitions through proj_trans_generic (PROJ's own array entry point).
// Cases: NAD83 / Alaska zone 1 (Hotine from the natural origin) and
// CH1903+ / LV95 (from the centre, azimuth 90). Points spread over each
// system's area of use.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <memory>
#include <random>
#include <vector>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvHotineObliqueMercator.h"
#include "KvCart/families/CKvObliqueMercator.h"

namespace {

constexpr int kCount = 1000000;

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

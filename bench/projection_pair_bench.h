// One projection class against PROJ on the same million points: the timing
// loops every family benchmark shares. A benchmark file holds only its
// cases (our object, PROJ's definition, the area of use) and registers
// thin wrappers that call RunOurs and RunProj.
#ifndef KORACORE_BENCH_PROJECTION_PAIR_BENCH_H
#define KORACORE_BENCH_PROJECTION_PAIR_BENCH_H

#include <benchmark/benchmark.h>
#include <proj.h>

#include <random>
#include <vector>

#include "KvCart/core/CKvProjection.h"

namespace pairbench {

constexpr int kCount = 1000000;

struct Area {
  double west, east, south, north;
};

struct Points {
  std::vector<double> lon, lat, x, y;
};

// Degrees over the area and their projections by our class (both libraries
// agree to 1 mm, which the tests check).
inline Points MakePoints(const Area& area, const CKvProjection& p) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> lon(area.west, area.east), lat(area.south, area.north);
  Points pts;
  for (int i = 0; i < kCount; ++i) {
    pts.lon.push_back(lon(random));
    pts.lat.push_back(lat(random));
    double x, y;
    p.Geo2Proj(pts.lon.back(), pts.lat.back(), &x, &y);
    pts.x.push_back(x);
    pts.y.push_back(y);
  }
  return pts;
}

// Our object point by point, called through CKvProjection as a host calls it.
inline void RunOurs(benchmark::State& state, const CKvProjection& p, const Area& area,
                    const char* label, bool forward) {
  Points pts = MakePoints(area, p);
  for (auto _ : state) {
    if (forward) {
      for (int i = 0; i < kCount; ++i) p.Geo2Proj(pts.lon[i], pts.lat[i], &pts.x[i], &pts.y[i]);
    } else {
      for (int i = 0; i < kCount; ++i) p.Proj2Geo(pts.x[i], pts.y[i], &pts.lon[i], &pts.lat[i]);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  state.SetLabel(label);
}

// PROJ works in radians on the geographic side; the conversion to radians
// happens outside the timing, into the arrays PROJ transforms in place.
inline void RunProj(benchmark::State& state, const char* definition, const CKvProjection& ours,
                    const Area& area, const char* label, PJ_DIRECTION direction) {
  Points pts = MakePoints(area, ours);
  PJ_CONTEXT* ctx = proj_context_create();
  PJ* pj = proj_create(ctx, definition);
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
  state.SetLabel(label);
  proj_destroy(pj);
  proj_context_destroy(ctx);
}

}  // namespace pairbench

#endif

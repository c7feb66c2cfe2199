// Geodesics: 100 000 direct and 100 000 inverse problems on WGS 84 through
// CKvVincenty against GeographicLib's Geodesic::Direct and Inverse on the
// same start points, azimuths, distances (up to 10000 km) and end points.
#include <benchmark/benchmark.h>
#include <GeographicLib/Geodesic.hpp>

#include <random>
#include <vector>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvVincenty.h"

namespace {

constexpr int kCount = 100000;

struct Lines {
  std::vector<double> lon1, lat1, az, s, lon2, lat2;
};

const Lines& TheLines() {
  static const Lines lines = [] {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> lon(-180.0, 180.0), lat(-85.0, 85.0), az(0.0, 360.0),
        s(1.0, 10e6);
    Lines l;
    const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
    for (int i = 0; i < kCount; ++i) {
      l.lon1.push_back(lon(random));
      l.lat1.push_back(lat(random));
      l.az.push_back(az(random));
      l.s.push_back(s(random));
      double lat2, lon2;
      g.Direct(l.lat1.back(), l.lon1.back(), l.az.back(), l.s.back(), lat2, lon2);
      l.lat2.push_back(lat2);
      l.lon2.push_back(lon2);
    }
    return l;
  }();
  return lines;
}

const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);

void KvCartDirect(benchmark::State& state) {
  const Lines& l = TheLines();
  CKvVincenty v(kWgs84);
  double sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) {
      double lon2, lat2, az2;
      v.GetPoint(l.lon1[i], l.lat1[i], l.az[i], l.s[i], lon2, lat2, az2);
      sum += lat2;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kCount);
}

void GeographicLibDirect(benchmark::State& state) {
  const Lines& l = TheLines();
  const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
  double sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) {
      double lat2, lon2, az2;
      g.Direct(l.lat1[i], l.lon1[i], l.az[i], l.s[i], lat2, lon2, az2);
      sum += lat2;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kCount);
}

void KvCartInverse(benchmark::State& state) {
  const Lines& l = TheLines();
  CKvVincenty v(kWgs84);
  double sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) {
      double s, az1, az2;
      v.GetDistance(l.lon1[i], l.lat1[i], l.lon2[i], l.lat2[i], s, az1, az2);
      sum += s;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kCount);
}

void GeographicLibInverse(benchmark::State& state) {
  const Lines& l = TheLines();
  const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
  double sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) {
      double s, az1, az2;
      g.Inverse(l.lat1[i], l.lon1[i], l.lat2[i], l.lon2[i], s, az1, az2);
      sum += s;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kCount);
}

}  // namespace

BENCHMARK(KvCartDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(GeographicLibDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(KvCartInverse)->Unit(benchmark::kMillisecond);
BENCHMARK(GeographicLibInverse)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// Whole-array conversions of the flat interface: the same bits as the
// single-point calls for every kind of handle, in place or not, NaN for a
// point that cannot be converted, and -1 only for a call that cannot run.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "FacadeTestSupport.h"
#include "KvCart/facade/KvCartFlat.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kRandomPoints = 3000;

using Pair = std::array<double, 2>;
using Triple = std::array<double, 3>;
using Array2 = int (*)(void*, int, const double*, const double*, double*, double*, int*);
using Array3 = int (*)(void*, int, const double*, const double*, const double*, double*, double*,
                       double*, int*);

struct Box {
  double u0, u1, v0, v1;
};

// Random points over the box, then points no conversion can take (a
// latitude beyond the pole, NaN in either coordinate) among ordinary ones.
std::vector<Pair> PointsIn(const Box& box, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> u(box.u0, box.u1), v(box.v0, box.v1);
  std::vector<Pair> points;
  for (int i = 0; i < kRandomPoints; ++i) points.push_back({u(random), v(random)});
  const double um = (box.u0 + box.u1) / 2;
  for (const Pair& bad : {Pair{um, 100.0}, Pair{kNaN, 45.0}, Pair{um, kNaN}, Pair{um, -90.5}}) {
    points.insert(points.begin() + points.size() / 2, bad);
  }
  return points;
}

// Identical bits, or both NaN (a NaN's payload is nobody's promise).
bool Same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The single-point call's result, read as the array calls report it: NaN
// where it writes nothing, and a pair with a NaN is NaN throughout.
template <std::size_t N>
std::array<double, N> AsArrayReports(std::array<double, N> result) {
  for (double value : result) {
    if (std::isnan(value)) result.fill(kNaN);
  }
  return result;
}

template <std::size_t N>
void ExpectSamePoints(const std::vector<std::array<double, N>>& expected,
                      const std::array<std::vector<double>, N>& actual) {
  int mismatches = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    for (std::size_t k = 0; k < N; ++k) {
      if (Same(expected[i][k], actual[k][i])) continue;
      if (++mismatches <= 5) {
        ADD_FAILURE() << "point " << i << " coordinate " << k << ": " << expected[i][k] << " vs "
                      << actual[k][i];
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// Converts the points by the array call, out of place and in place, and
// compares both with the single-point call point by point.
void ExpectArrayMatchesSingle(Array2 array, const std::function<Pair(double, double)>& single,
                              void* handle, const std::vector<Pair>& points) {
  const int n = static_cast<int>(points.size());
  std::array<std::vector<double>, 2> in{std::vector<double>(n), std::vector<double>(n)};
  for (int i = 0; i < n; ++i) in[0][i] = points[i][0], in[1][i] = points[i][1];
  std::array<std::vector<double>, 2> out{std::vector<double>(n, 7.0), std::vector<double>(n, 7.0)};
  int status = 99;
  ASSERT_EQ(array(handle, n, in[0].data(), in[1].data(), out[0].data(), out[1].data(), &status), 0);
  EXPECT_EQ(status, 0);
  std::vector<Pair> expected;
  for (const Pair& p : points) expected.push_back(AsArrayReports(single(p[0], p[1])));
  ExpectSamePoints(expected, out);

  ASSERT_EQ(array(handle, n, in[0].data(), in[1].data(), in[0].data(), in[1].data(), nullptr), 0);
  ExpectSamePoints(expected, in);
}

// The single-point form of a function taking inputs by value.
template <typename Flat>
std::function<Pair(double, double)> ByValue(Flat flat, void* handle) {
  return [=](double u, double v) {
    Pair r{kNaN, kNaN};
    flat(handle, u, v, &r[0], &r[1]);
    return r;
  };
}

// The single-point form of a datum-converter function working in place.
template <typename Flat>
std::function<Pair(double, double)> InPlace(Flat flat, void* handle) {
  return [=](double u, double v) {
    flat(handle, &u, &v);
    return Pair{u, v};
  };
}

// Projected coordinates of the points by the single-point call: inputs for
// the inverse conversions, with the unconvertible points kept as NaN.
std::vector<Pair> Projected(const std::function<Pair(double, double)>& forward,
                            const std::vector<Pair>& geographical) {
  std::vector<Pair> projected;
  for (const Pair& p : geographical) projected.push_back(forward(p[0], p[1]));
  return projected;
}

// A transverse Mercator system whose axes point north and west: its
// coordinates cross the facade swapped and negated.
std::string NorthWestTm() {
  return kvtest::TmWkt("TM 9", "WGS 84", 6378137.0, 298.257223563, 9.0, "",
                       ",AXIS[\"X\",NORTH],AXIS[\"Y\",WEST]");
}

class FlatArrays : public testing::Test {
 protected:
  void SetUp() override { kvtest::EnsureDatabase(); }
};

// Transverse Mercator, a system whose axes point north and west, Lambert
// 2SP and the oblique stereographic; each forward and inverse.
TEST_F(FlatArrays, MapProjectionArraysGiveTheSinglePointBits) {
  const struct {
    std::string text;
    Box area;
  } systems[] = {{"UTM-32", {3, 15, -80, 84}},
                 {NorthWestTm(), {0, 18, 30, 70}},
                 {"RGF93 v1 / Lambert-93", {-5, 10, 41, 51.5}},
                 {"Amersfoort / RD New", {3.2, 7.3, 50.7, 53.7}}};
  unsigned seed = 1;
  for (const auto& system : systems) {
    SCOPED_TRACE(system.text);
    kvtest::MapProjection mp;
    int status = -1;
    ASSERT_EQ(C_KVMP_CREATE(system.text.c_str(), mp.Out(), &status), 0);
    const auto forward = ByValue(C_KVMP_GEO2PROJ, mp.Get());
    const std::vector<Pair> geographical = PointsIn(system.area, seed++);
    ExpectArrayMatchesSingle(C_KVMP_GEO2PROJ_ARRAY, forward, mp.Get(), geographical);
    ExpectArrayMatchesSingle(C_KVMP_PROJ2GEO_ARRAY, ByValue(C_KVMP_PROJ2GEO, mp.Get()), mp.Get(),
                             Projected(forward, geographical));
  }
}

// A local grid with its origin away from the central meridian and a
// rotation, on Lambert-93, on a UTM zone and on a system with north/west
// axes: all six conversions.
TEST_F(FlatArrays, CartographyArraysGiveTheSinglePointBits) {
  const struct {
    std::string text;
    double lon0, lat0, orientation;
    Box area;
  } grids[] = {{"RGF93 v1 / Lambert-93", 4.8, 45.7, 27.5, {3.5, 6.0, 44.5, 47.0}},
               {"UTM", 10.4, 55.3, -140.0, {8.0, 13.0, 53.0, 57.5}},
               {NorthWestTm(), 7.5, 48.0, 12.0, {5.0, 10.0, 46.0, 50.0}}};
  unsigned seed = 11;
  for (const auto& grid : grids) {
    SCOPED_TRACE(grid.text);
    kvtest::Cartography carto;
    int status = -1;
    ASSERT_EQ(C_KVC_CREATE(grid.text.c_str(), grid.lon0, grid.lat0, grid.orientation, carto.Out(),
                           &status),
              0);
    void* h = carto.Get();
    const std::vector<Pair> geographical = PointsIn(grid.area, seed++);
    const std::vector<Pair> projected = Projected(ByValue(C_KVC_GEO2PROJ, h), geographical);
    const std::vector<Pair> local = Projected(ByValue(C_KVC_GEO2XY, h), geographical);
    ExpectArrayMatchesSingle(C_KVC_GEO2PROJ_ARRAY, ByValue(C_KVC_GEO2PROJ, h), h, geographical);
    ExpectArrayMatchesSingle(C_KVC_GEO2XY_ARRAY, ByValue(C_KVC_GEO2XY, h), h, geographical);
    ExpectArrayMatchesSingle(C_KVC_PROJ2GEO_ARRAY, ByValue(C_KVC_PROJ2GEO, h), h, projected);
    ExpectArrayMatchesSingle(C_KVC_PROJ2XY_ARRAY, ByValue(C_KVC_PROJ2XY, h), h, projected);
    ExpectArrayMatchesSingle(C_KVC_XY2GEO_ARRAY, ByValue(C_KVC_XY2GEO, h), h, local);
    ExpectArrayMatchesSingle(C_KVC_XY2PROJ_ARRAY, ByValue(C_KVC_XY2PROJ, h), h, local);
  }
}

// ED50 with a seven-parameter shift to a WGS 84 UTM zone, through every
// conversion type both ways, with and without heights.
TEST_F(FlatArrays, DatumConverterArraysGiveTheSinglePointBits) {
  const std::string ed50 = kvtest::TmWkt("ED50 TM9", "International 1924", 6378388.0, 297.0, 9.0,
                                         ",TOWGS84[-89.5,-93.8,-123.1,0,0,-0.156,1.2]");
  kvtest::DatumConverter dc;
  int status = -1;
  ASSERT_EQ(C_KVDC_CREATE(ed50.c_str(), "UTM-32", dc.Out(), &status), 0);
  void* h = dc.Get();
  ASSERT_EQ(C_KVDC_GETBYPASSXYZ(h), 0);
  const std::vector<Pair> geographical = PointsIn({5, 13, 44, 58}, 21);
  const std::vector<Pair> grid = PointsIn({250000, 750000, 4.9e6, 6.4e6}, 22);
  for (int type = 0; type < 4; ++type) {
    SCOPED_TRACE(testing::Message() << "conversion type " << type);
    ASSERT_EQ(C_KVDC_SETCONVERSIONTYPE(h, type), 0);
    const bool geoIn = type >= 2, geoOut = type == 1 || type == 3;
    ExpectArrayMatchesSingle(C_KVDC_CONVERTXY_ARRAY, InPlace(C_KVDC_CONVERTXY, h), h,
                             geoIn ? geographical : grid);
    // The way back starts where the forward conversion arrives.
    ExpectArrayMatchesSingle(C_KVDC_INVCONVERTXY_ARRAY, InPlace(C_KVDC_INVCONVERTXY, h), h,
                             geoOut ? geographical : grid);
  }

  // Heights go along; a NaN height makes its point NaN throughout.
  const int n = 500;
  std::vector<double> lon(n), lat(n), height(n), out[3];
  for (int i = 0; i < n; ++i) {
    lon[i] = geographical[i][0], lat[i] = geographical[i][1], height[i] = 10.0 * i - 300.0;
  }
  height[7] = kNaN;
  for (auto& o : out) o.assign(n, 7.0);
  for (Array3 array : {C_KVDC_CONVERTXYH_ARRAY, C_KVDC_INVCONVERTXYH_ARRAY}) {
    const bool inverse = array == C_KVDC_INVCONVERTXYH_ARRAY;
    ASSERT_EQ(array(h, n, lon.data(), lat.data(), height.data(), out[0].data(), out[1].data(),
                    out[2].data(), &status),
              0);
    std::vector<Triple> expected;
    for (int i = 0; i < n; ++i) {
      Triple p{lon[i], lat[i], height[i]};
      (inverse ? C_KVDC_INVCONVERTXYH : C_KVDC_CONVERTXYH)(h, &p[0], &p[1], &p[2]);
      expected.push_back(AsArrayReports(p));
    }
    ExpectSamePoints<3>(expected, {out[0], out[1], out[2]});
    EXPECT_TRUE(std::isnan(out[0][7]) && std::isnan(out[1][7]));
  }
}

// A local system converts nothing: the arrays come back as they went in.
TEST_F(FlatArrays, LocalDatumConverterCopiesTheInput) {
  kvtest::DatumConverter dc;
  int status = -1;
  ASSERT_EQ(C_KVDC_CREATE("NON-UTM", "UTM-32", dc.Out(), &status), 0);
  const double x[3] = {1.5, -2.5, 1e9}, y[3] = {100.0, 0.0, -7.0};
  double u[3], v[3];
  ASSERT_EQ(C_KVDC_CONVERTXY_ARRAY(dc.Get(), 3, x, y, u, v, &status), 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Same(u[i], x[i]) && Same(v[i], y[i]));
}

// Unconvertible points are NaN in both outputs and do not fail the call;
// their neighbours convert as usual.
TEST_F(FlatArrays, UnconvertiblePointsAreNaN) {
  kvtest::MapProjection mp;
  int status = -1;
  ASSERT_EQ(C_KVMP_CREATE("UTM-32", mp.Out(), &status), 0);
  const double lon[5] = {9.0, 9.0, kNaN, 9.0, 9.5};
  const double lat[5] = {50.0, 100.0, 50.0, kNaN, -91.0};
  double x[5], y[5];
  status = 99;
  ASSERT_EQ(C_KVMP_GEO2PROJ_ARRAY(mp.Get(), 5, lon, lat, x, y, &status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_NEAR(x[0], 500000.0, 1e-6);
  for (int i = 1; i < 5; ++i) EXPECT_TRUE(std::isnan(x[i]) && std::isnan(y[i])) << i;
  const double px[2] = {kNaN, x[0]}, py[2] = {5e6, kNaN};
  double plon[2], plat[2];
  ASSERT_EQ(C_KVMP_PROJ2GEO_ARRAY(mp.Get(), 2, px, py, plon, plat, &status), 0);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(std::isnan(plon[i]) && std::isnan(plat[i])) << i;
}

// One handle, several threads converting arrays at once: every thread gets
// the numbers a lone caller gets (the conversions only read the handle).
TEST_F(FlatArrays, OneHandleConvertsArraysFromSeveralThreads) {
  kvtest::Cartography carto;
  int status = -1;
  ASSERT_EQ(C_KVC_CREATE("Amersfoort / RD New", 5.0, 52.0, 15.0, carto.Out(), &status), 0);
  const std::vector<Pair> grid = PointsIn({-90000, 90000, -120000, 160000}, 31);
  const int n = static_cast<int>(grid.size());
  std::vector<double> x(n), y(n);
  for (int i = 0; i < n; ++i) x[i] = grid[i][0], y[i] = grid[i][1];
  std::array<std::vector<double>, 2> alone{std::vector<double>(n), std::vector<double>(n)};
  ASSERT_EQ(C_KVC_XY2GEO_ARRAY(carto.Get(), n, x.data(), y.data(), alone[0].data(), alone[1].data(),
                               &status),
            0);
  std::vector<Pair> expected;
  for (int i = 0; i < n; ++i) expected.push_back({alone[0][i], alone[1][i]});

  constexpr int kThreads = 4;
  const std::vector<double> unset(n, 7.0);
  std::vector<std::array<std::vector<double>, 2>> results(kThreads, {unset, unset});
  std::vector<int> statuses(kThreads, 99);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      C_KVC_XY2GEO_ARRAY(carto.Get(), n, x.data(), y.data(), results[t][0].data(),
                         results[t][1].data(), &statuses[t]);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(statuses[t], 0);
    ExpectSamePoints(expected, results[t]);
  }
}

// A call that cannot run says -1 and writes no output; n == 0 runs.
TEST_F(FlatArrays, BadArgumentsFailTheCallAndWriteNothing) {
  kvtest::MapProjection mp;
  kvtest::Cartography carto;
  kvtest::DatumConverter dc;
  int status = -1;
  ASSERT_EQ(C_KVMP_CREATE("UTM-32", mp.Out(), &status), 0);
  ASSERT_EQ(C_KVC_CREATE("UTM-32", 9.0, 50.0, 10.0, carto.Out(), &status), 0);
  ASSERT_EQ(C_KVDC_CREATE("UTM-32", "UTM-33", dc.Out(), &status), 0);
  const double u[2] = {9.0, 10.0}, v[2] = {50.0, 51.0}, w[2] = {0.0, 0.0};
  double a[2] = {7.0, 7.0}, b[2] = {7.0, 7.0}, c[2] = {7.0, 7.0};
  const struct {
    Array2 array;
    void* handle;
  } calls[] = {{C_KVMP_GEO2PROJ_ARRAY, mp.Get()},   {C_KVMP_PROJ2GEO_ARRAY, mp.Get()},
               {C_KVC_GEO2PROJ_ARRAY, carto.Get()}, {C_KVC_PROJ2GEO_ARRAY, carto.Get()},
               {C_KVC_GEO2XY_ARRAY, carto.Get()},   {C_KVC_XY2GEO_ARRAY, carto.Get()},
               {C_KVC_XY2PROJ_ARRAY, carto.Get()},  {C_KVC_PROJ2XY_ARRAY, carto.Get()},
               {C_KVDC_CONVERTXY_ARRAY, dc.Get()},  {C_KVDC_INVCONVERTXY_ARRAY, dc.Get()}};
  for (const auto& call : calls) {
    const auto expectFailure = [&](void* handle, int n, const double* in1, const double* in2,
                                   double* out1, double* out2) {
      status = 99;
      EXPECT_EQ(call.array(handle, n, in1, in2, out1, out2, &status), -1);
      EXPECT_EQ(status, -1);
    };
    expectFailure(nullptr, 2, u, v, a, b);
    expectFailure(call.handle, -1, u, v, a, b);
    expectFailure(call.handle, 2, nullptr, v, a, b);
    expectFailure(call.handle, 2, u, nullptr, a, b);
    expectFailure(call.handle, 2, u, v, nullptr, b);
    expectFailure(call.handle, 2, u, v, a, nullptr);
    expectFailure(call.handle, 2, u, v, a, a);
    EXPECT_EQ(call.array(nullptr, 0, u, v, a, b, nullptr), -1);
    // Nothing to convert is success, even with no arrays at all.
    EXPECT_EQ(call.array(call.handle, 0, nullptr, nullptr, nullptr, nullptr, &status), 0);
    EXPECT_EQ(status, 0);
  }
  for (Array3 array : {C_KVDC_CONVERTXYH_ARRAY, C_KVDC_INVCONVERTXYH_ARRAY}) {
    EXPECT_EQ(array(dc.Get(), 2, u, v, nullptr, a, b, c, &status), -1);
    EXPECT_EQ(array(dc.Get(), 2, u, v, w, a, b, a, &status), -1);
    EXPECT_EQ(array(nullptr, 2, u, v, w, a, b, c, &status), -1);
    EXPECT_EQ(array(dc.Get(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &status), 0);
  }
  for (double value : {a[0], a[1], b[0], b[1], c[0], c[1]}) EXPECT_EQ(value, 7.0);
}

}  // namespace

// The gnomonic projection against PROJ's gnom and its defining property
// (great circles are straight lines), and the isometric local mapping in
// both directions.
#include <gtest/gtest.h>

#include <cmath>

#include "FamilyOracle.h"
#include "KvCart/families/CKvGnomic.h"
#include "KvCart/families/CKvIsoMetric.h"

namespace {

const CKvEllipsoid kSphere("Sphere", "XY", 6371000.0, 0.0);
const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);

const OracleCase kGnomonicCases[] = {
    {"oblique, on a sphere", [] { return new CKvGnomic(10, 50, 1000, 2000, kSphere); },
     "+proj=gnom +lat_0=50 +lon_0=10 +x_0=1000 +y_0=2000 +R=6371000", -30, 50, 15, 85, 1e-10},
    {"north polar, on the sphere of WGS 84's semi-major axis",
     [] { return new CKvGnomic(-45, 90, 0, 0, kWgs84); },
     "+proj=gnom +lat_0=90 +lon_0=-45 +R=6378137", -180, 180, 30, 89.9, 1e-10},
    {"equatorial", [] { return new CKvGnomic(100, 0, 0, 0, kSphere); },
     "+proj=gnom +lat_0=0 +lon_0=100 +R=6371000", 50, 150, -50, 50, 1e-10},
};

}  // namespace

TEST(Gnomonic, AgreesWithProj) {
  for (const OracleCase& c : kGnomonicCases) CheckAgainstProj(c);
}

// Points of one great circle (through (0, 30) and (60, 40)) project onto one
// straight line.
TEST(Gnomonic, GreatCirclesAreStraight) {
  CKvGnomic gnomonic(20, 45, 0, 0, kSphere);
  const double d2r = kvcart::kDegToRad;
  double p[3] = {std::cos(30 * d2r), 0.0, std::sin(30 * d2r)};
  double q[3] = {std::cos(40 * d2r) * std::cos(60 * d2r), std::cos(40 * d2r) * std::sin(60 * d2r),
                 std::sin(40 * d2r)};
  double x[5], y[5];
  for (int i = 0; i < 5; ++i) {
    double t = i / 4.0, v[3];
    for (int k = 0; k < 3; ++k) v[k] = (1 - t) * p[k] + t * q[k];  // on the plane of the circle
    double lon = std::atan2(v[1], v[0]) * kvcart::kRadToDeg;
    double lat = std::atan2(v[2], std::hypot(v[0], v[1])) * kvcart::kRadToDeg;
    gnomonic.Geo2Proj(lon, lat, &x[i], &y[i]);
  }
  for (int i = 1; i < 4; ++i) {
    double cross = (x[4] - x[0]) * (y[i] - y[0]) - (y[4] - y[0]) * (x[i] - x[0]);
    EXPECT_NEAR(cross / std::hypot(x[4] - x[0], y[4] - y[0]), 0.0, 1e-6) << i;
  }
}

TEST(Gnomonic, FarHemisphereHasNoImage) {
  CKvGnomic gnomonic(0, 0, 0, 0, kSphere);
  double x, y;
  for (double lon : {90.5, 120.0, 180.0, -95.0}) {
    gnomonic.Geo2Proj(lon, 0.0, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << lon;
  }
  gnomonic.Geo2Proj(89.0, 0.0, &x, &y);
  EXPECT_GT(x, 1e8);
  EXPECT_STREQ(gnomonic.GetName(), "Gnomic");
  CKvEllipsoid anonymous;
  ASSERT_TRUE(gnomonic.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetInvFlatness(), 0.0);
}

TEST(IsoMetric, AxisPointsMapToTheirCoordinates) {
  CKvIsoMetric grid(100, 200, 1100, 200, 100, 700, 10.0, 55.0, 10.5, 55.25);
  EXPECT_STREQ(grid.GetName(), "Isometric");
  double lon, lat;
  grid.Proj2Geo(1100, 200, &lon, &lat);
  EXPECT_DOUBLE_EQ(lon, 10.5);
  EXPECT_DOUBLE_EQ(lat, 55.0);
  grid.Proj2Geo(100, 700, &lon, &lat);
  EXPECT_DOUBLE_EQ(lon, 10.0);
  EXPECT_DOUBLE_EQ(lat, 55.25);
  grid.GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 10.0);
  EXPECT_EQ(lat, 55.0);
}

// Oblique, non-perpendicular axes: the forward solves what the inverse maps,
// also where the grid reaches across the antimeridian.
TEST(IsoMetric, ForwardInvertsProj2Geo) {
  CKvIsoMetric grid(0, 0, 800, 600, -300, 400, 179.9, -20.0, 180.1, -19.0);
  for (double x = -1000; x <= 1000; x += 250) {
    for (double y = -1000; y <= 1000; y += 250) {
      double lon, lat, x2, y2;
      grid.Proj2Geo(x, y, &lon, &lat);
      EXPECT_GE(lon, -180.0);
      EXPECT_LT(lon, 180.0);
      grid.Geo2Proj(lon, lat, &x2, &y2);
      EXPECT_NEAR(x2, x, 1e-8);
      EXPECT_NEAR(y2, y, 1e-8);
    }
  }
}

TEST(IsoMetric, DegenerateAxesGiveNaN) {
  const CKvIsoMetric degenerate[] = {
      CKvIsoMetric(0, 0, 10, 0, 20, 0, 1, 2, 3, 4),  // parallel axes
      CKvIsoMetric(0, 0, 0, 0, 0, 10, 1, 2, 3, 4),   // P1 on P0
      CKvIsoMetric(0, 0, 10, 0, 0, 10, 1, 2, 1, 4),  // no longitude span
  };
  for (const CKvIsoMetric& grid : degenerate) {
    double x, y;
    grid.Geo2Proj(1.5, 2.5, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y));
  }
  std::unique_ptr<CKvProjection> copy(degenerate[0].Clone());
  EXPECT_STREQ(copy->GetName(), "Isometric");
}

// Geodetic <-> earth-centred conversion against GeographicLib's Geocentric
// (test-only oracle), including the places where a formula that divides by
// the distance from the polar axis breaks down.
#include <gtest/gtest.h>

#include <GeographicLib/Geocentric.hpp>
#include <cmath>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvGeocentric.h"

namespace {

constexpr double kA = 6378137.0;
constexpr double kInvF = 298.257223563;
constexpr double kMm = 1e-3;
// 1e-10 degrees of latitude is about 0.01 mm on the ground.
constexpr double kAngleTol = 1e-10;

const GeographicLib::Geocentric& Oracle() {
  static const GeographicLib::Geocentric wgs84(kA, 1.0 / kInvF);
  return wgs84;
}

// Angle difference in degrees, across the antimeridian.
double LonDiff(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

struct Point {
  double lon, lat, h;
};

void ExpectForwardAndReverseMatchOracle(const CKvGeocentric& geo, const Point& p) {
  SCOPED_TRACE(testing::Message() << p.lon << " " << p.lat << " " << p.h);
  double x, y, z, gx, gy, gz;
  geo.Geo2XYZ(p.lon, p.lat, p.h, &x, &y, &z);
  Oracle().Forward(p.lat, p.lon, p.h, gx, gy, gz);
  EXPECT_NEAR(x, gx, kMm);
  EXPECT_NEAR(y, gy, kMm);
  EXPECT_NEAR(z, gz, kMm);

  double lon, lat, h, glat, glon, gh;
  geo.XYZ2Geo(gx, gy, gz, &lon, &lat, &h);
  Oracle().Reverse(gx, gy, gz, glat, glon, gh);
  EXPECT_NEAR(lat, glat, kAngleTol);
  if (std::fabs(glat) < 90.0 - 1e-9) {
    EXPECT_LT(LonDiff(lon, glon), kAngleTol);
  }
  EXPECT_NEAR(h, gh, kMm);
  EXPECT_GE(lon, -180.0);
  EXPECT_LT(lon, 180.0);
}

}  // namespace

TEST(Geocentric, MatchesGeographicLibNearTheSurface) {
  const CKvGeocentric geo(kA, kInvF);
  for (double h : {-500.0, 0.0, 125.5, 10000.0}) {
    for (double lat = -90.0; lat <= 90.0; lat += 7.5) {
      for (double lon : {-180.0, -179.999, -97.3, 0.0, 9.0, 123.456, 179.9999}) {
        ExpectForwardAndReverseMatchOracle(geo, {lon, lat, h});
      }
    }
  }
}

TEST(Geocentric, ExactFromDeepBelowToFarAbove) {
  // Satellites, the moon's distance, and points tens of km from the centre.
  const CKvGeocentric geo(kA, kInvF);
  for (double h : {-6300000.0, -6000000.0, -1000000.0, 1000000.0, 36000000.0, 384400000.0}) {
    for (double lat : {-89.9999, -60.0, -1e-7, 0.0, 33.3, 89.99999999}) {
      ExpectForwardAndReverseMatchOracle(geo, {45.0, lat, h});
    }
  }
}

TEST(Geocentric, RoundTripKeepsEveryPointToTheMillimetre) {
  const CKvGeocentric geo(kA, kInvF);
  for (double h : {-500.0, 0.0, 10000.0, 1000000.0}) {
    for (double lat = -89.5; lat < 90.0; lat += 11.0) {
      double x, y, z, lon, lat2, h2;
      geo.Geo2XYZ(-71.25, lat, h, &x, &y, &z);
      geo.XYZ2Geo(x, y, z, &lon, &lat2, &h2);
      EXPECT_NEAR(lat2, lat, 1e-11);
      EXPECT_NEAR(lon, -71.25, 1e-11);
      EXPECT_NEAR(h2, h, kMm);
    }
  }
}

// Regression: the textbook closed form divides by sqrt(X^2 + Y^2) and gave
// NaN for every point on the polar axis.
TEST(Geocentric, PolarAxisGivesThePoleAndTheHeightAboveIt) {
  const CKvGeocentric geo(kA, kInvF);
  const double b = kA * (1.0 - 1.0 / kInvF);
  for (double h : {-500.0, 0.0, 1.0, 8848.0, 1000000.0}) {
    double lon, lat, height;
    geo.XYZ2Geo(0.0, 0.0, b + h, &lon, &lat, &height);
    EXPECT_EQ(lat, 90.0);
    EXPECT_EQ(lon, 0.0);
    EXPECT_NEAR(height, h, 1e-6);
    geo.XYZ2Geo(0.0, 0.0, -(b + h), &lon, &lat, &height);
    EXPECT_EQ(lat, -90.0);
    EXPECT_NEAR(height, h, 1e-6);
  }
  double x, y, z, lon, lat, height;
  geo.Geo2XYZ(37.0, 90.0, 250.0, &x, &y, &z);
  geo.XYZ2Geo(x, y, z, &lon, &lat, &height);
  EXPECT_NEAR(lat, 90.0, 1e-12);
  EXPECT_NEAR(height, 250.0, 1e-6);
}

TEST(Geocentric, InsideTheEvoluteMatchesTheOracle) {
  // Within e^2 a (about 43 km) of the centre a point has several foot
  // points; the nearest surface point must still be found, also exactly on
  // the equatorial plane and at the centre.
  const CKvGeocentric geo(kA, kInvF);
  const double points[][3] = {{20000.0, 0.0, 0.0},
                              {20000.0, 5000.0, 1000.0},
                              {1000.0, 0.0, -30000.0},
                              {30000.0, 0.0, -0.001}};
  for (const auto& p : points) {
    double lon, lat, h, glat, glon, gh;
    geo.XYZ2Geo(p[0], p[1], p[2], &lon, &lat, &h);
    Oracle().Reverse(p[0], p[1], p[2], glat, glon, gh);
    EXPECT_NEAR(lat, glat, 1e-9) << p[0] << " " << p[2];
    EXPECT_NEAR(h, gh, kMm) << p[0] << " " << p[2];
  }
  double lon, lat, h;
  geo.XYZ2Geo(0.0, 0.0, 0.0, &lon, &lat, &h);
  EXPECT_EQ(lat, 90.0);
  EXPECT_NEAR(h, -kA * (1.0 - 1.0 / kInvF), kMm);
}

TEST(Geocentric, SphereAndEllipsoidRecord) {
  const CKvGeocentric sphere(6371000.0, 0.0);
  double x, y, z, lon, lat, h;
  sphere.Geo2XYZ(90.0, 45.0, 29.0, &x, &y, &z);
  EXPECT_NEAR(x, 0.0, 1e-9);
  EXPECT_NEAR(y, z, 1e-9);
  EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), 6371029.0, 1e-8);
  sphere.XYZ2Geo(x, y, z, &lon, &lat, &h);
  EXPECT_NEAR(lat, 45.0, 1e-12);
  EXPECT_NEAR(h, 29.0, 1e-8);

  const CKvGeocentric fromRecord(CKvEllipsoid("WGS 84", "WE", kA, kInvF));
  fromRecord.Geo2XYZ(0.0, 0.0, 0.0, &x, &y, &z);
  EXPECT_EQ(x, kA);
}

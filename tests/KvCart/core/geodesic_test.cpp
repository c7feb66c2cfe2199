// Geodesics against GeographicLib's exact solution: the direct and the
// inverse problem to 0.5 mm up to 10000 km, nearly antipodal pairs, the
// poles, the equator and the antimeridian.
#include <gtest/gtest.h>
#include <GeographicLib/Geodesic.hpp>

#include <array>
#include <cmath>
#include <vector>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvVincenty.h"

namespace {

const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);
const GeographicLib::Geodesic& Exact() { return GeographicLib::Geodesic::WGS84(); }

// Difference of two azimuths in degrees, across the 0/360 seam.
double AzimuthGap(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// Azimuths agree to 1e-8 degrees, or, on lines so short that rounding the
// end points to doubles moves the azimuth more, to a sideways offset of
// 10 nm at the far end.
bool AzimuthsAgree(double a, double b, double distance) {
  double gap = AzimuthGap(a, b);
  return gap < 1e-8 || gap * M_PI / 180 * distance < 1e-8;
}

// A deterministic spread of start points and azimuths.
struct Case {
  double lon, lat, azimuth;
};
std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (double lat = -88.0; lat <= 88.0; lat += 11.0) {
    for (double az = -170.0; az < 190.0; az += 37.0) cases.push_back({lat * 2.0 - 7.0, lat, az});
  }
  return cases;
}

}  // namespace

TEST(Geodesic, DirectMatchesGeographicLibUpTo10000Km) {
  CKvVincenty vincenty(kWgs84);
  for (const Case& c : Cases()) {
    for (double s : {1.0, 1000.0, 250e3, 3e6, 7.5e6, 10e6}) {
      double lon2, lat2, az2, glat2, glon2, gaz2;
      vincenty.GetPoint(c.lon, c.lat, c.azimuth, s, lon2, lat2, az2);
      Exact().Direct(c.lat, c.lon, c.azimuth, s, glat2, glon2, gaz2);
      double back, d12, d21;
      // Compare positions as a distance on the ellipsoid.
      Exact().Inverse(lat2, lon2, glat2, glon2, back, d12, d21);
      EXPECT_LT(back, 5e-4) << c.lat << " " << c.azimuth << " " << s;
      EXPECT_GE(lon2, -180.0);
      EXPECT_LT(lon2, 180.0);
      EXPECT_LT(AzimuthGap(az2, gaz2), 1e-7) << c.lat << " " << c.azimuth << " " << s;
    }
  }
}

TEST(Geodesic, InverseMatchesGeographicLibUpTo10000Km) {
  CKvVincenty vincenty(kWgs84);
  for (const Case& c : Cases()) {
    for (double s : {0.5, 5000.0, 800e3, 4e6, 10e6}) {
      double lat2, lon2, gaz2;
      Exact().Direct(c.lat, c.lon, c.azimuth, s, lat2, lon2, gaz2);
      // The oracle's inverse of the rounded end point, so that short lines
      // compare azimuths of the same two points.
      double gs, gaz1;
      Exact().Inverse(c.lat, c.lon, lat2, lon2, gs, gaz1, gaz2);
      double dist, az12, az21;
      ASSERT_TRUE(vincenty.GetDistance(c.lon, c.lat, lon2, lat2, dist, az12, az21));
      EXPECT_NEAR(dist, gs, 5e-4) << c.lat << " " << c.azimuth << " " << s;
      EXPECT_TRUE(AzimuthsAgree(az12, gaz1, s)) << c.lat << " " << c.azimuth << " " << s;
      EXPECT_TRUE(AzimuthsAgree(az21, gaz2 + 180.0, s)) << c.lat << " " << c.azimuth << " " << s;
      EXPECT_GE(az12, 0.0);
      EXPECT_LT(az21, 360.0);
    }
  }
}

// Vincenty's own iteration fails to converge for these; the bracketed
// solver must still give the distance.
TEST(Geodesic, InverseOfNearlyAntipodalPoints) {
  CKvVincenty vincenty(kWgs84);
  const double pairs[][4] = {
      {0, 0, 179.5, 0.5},       {0, 0, 180, 0},         {0, 0, 179.9, 0},
      {0, 0, 179.7, 0},         {0, 41, 179.9, -41.1},  {10, -30, -170.05, 30.02},
      {0, 0.5, 179.9999, -0.5}, {5, 89.9, -175, -89.9}, {0, -1e-7, 180, 1e-7},
      {20, 0, -160.0001, 0},    {0, 60, 180, -60},      {0, 30, 179.99, -29.99}};
  for (const auto& p : pairs) {
    double dist, az12, az21, gdist, gaz1, gaz2;
    ASSERT_TRUE(vincenty.GetDistance(p[0], p[1], p[2], p[3], dist, az12, az21));
    Exact().Inverse(p[1], p[0], p[3], p[2], gdist, gaz1, gaz2);
    EXPECT_NEAR(dist, gdist, 5e-4) << p[0] << " " << p[1] << " " << p[2] << " " << p[3];
  }
}

TEST(Geodesic, SpecialPairs) {
  CKvVincenty vincenty(kWgs84);
  double dist = -1, az12 = -1, az21 = -1;
  ASSERT_TRUE(vincenty.GetDistance(12.5, 47.25, 12.5, 47.25, dist, az12, az21));
  EXPECT_EQ(dist, 0.0);
  // Along the equator and along a meridian the lengths are known exactly.
  ASSERT_TRUE(vincenty.GetDistance(-10, 0, 20, 0, dist, az12, az21));
  EXPECT_NEAR(dist, 6378137.0 * 30 * M_PI / 180, 1e-6);
  EXPECT_NEAR(az12, 90.0, 1e-12);
  EXPECT_NEAR(az21, 270.0, 1e-12);
  double gdist, gaz1, gaz2;
  for (const auto& p : {std::array<double, 4>{7, -90, 100, 90},
                        {7, -30, 7, 60},
                        {7, 60, -173, 50},
                        {179.5, 10, -179.5, 12},
                        {0, 90, 45, 89}}) {
    ASSERT_TRUE(vincenty.GetDistance(p[0], p[1], p[2], p[3], dist, az12, az21));
    Exact().Inverse(p[1], p[0], p[3], p[2], gdist, gaz1, gaz2);
    EXPECT_NEAR(dist, gdist, 5e-4) << p[0] << " " << p[1] << " " << p[2] << " " << p[3];
  }
  EXPECT_FALSE(vincenty.GetDistance(0, 91, 0, 0, dist, az12, az21));
  EXPECT_FALSE(vincenty.GetDistance(NAN, 0, 0, 0, dist, az12, az21));
}

TEST(Geodesic, DirectEdgeCases) {
  CKvVincenty vincenty(kWgs84);
  double lon2, lat2, az2;
  vincenty.GetPoint(179.0, 10.0, 90.0, 0.0, lon2, lat2, az2);
  EXPECT_DOUBLE_EQ(lon2, 179.0);
  EXPECT_DOUBLE_EQ(lat2, 10.0);
  EXPECT_DOUBLE_EQ(az2, 90.0);
  // Across the antimeridian the longitude comes back normalised.
  vincenty.GetPoint(179.0, 0.0, 90.0, 300e3, lon2, lat2, az2);
  EXPECT_NEAR(lon2, -178.3050, 1e-3);
  // On a sphere the arc is the distance over the radius at once.
  CKvVincenty sphere(CKvEllipsoid("S", "S", 6371000.0, 0.0));
  vincenty = sphere;
  vincenty.GetPoint(0.0, 0.0, 0.0, 6371000.0 * M_PI / 4, lon2, lat2, az2);
  EXPECT_NEAR(lat2, 45.0, 1e-12);
  EXPECT_NEAR(lon2, 0.0, 1e-12);
  EXPECT_EQ(CKvVincenty::PolyA(0.0), 1.0);
  EXPECT_EQ(CKvVincenty::PolyB(0.0), 0.0);
}

// Geodesics and earth-centred coordinates through the facade, on the
// projection's ellipsoid, against GeographicLib (test-only oracle).
#include <gtest/gtest.h>

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <cmath>

#include "FacadeTestSupport.h"
#include "KvCart/facade/CKvMapProjection.h"

namespace {

class Geodesy : public testing::Test {
 protected:
  void SetUp() override { kvtest::EnsureDatabase(); }
};

double Wrap360(double azimuth) {
  const double a = std::fmod(azimuth, 360.0);
  return a < 0.0 ? a + 360.0 : a;
}

}  // namespace

TEST_F(Geodesy, DistanceAndAzimuthsOnTheProjectionsEllipsoid) {
  const CKvMapProjection utm("UTM-32");
  const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
  const double pairs[][4] = {
      {9.0, 55.0, 12.5, 56.1}, {-70.0, -33.0, 151.2, -33.9}, {0.0, 0.0, 179.5, 0.5}};
  for (const auto& p : pairs) {
    double dist = 0, az12 = 0, az21 = 0, s12, azi1, azi2;
    ASSERT_TRUE(utm.GetDistance(p[0], p[1], p[2], p[3], dist, az12, az21));
    wgs84.Inverse(p[1], p[0], p[3], p[2], s12, azi1, azi2);
    EXPECT_NEAR(dist, s12, 5e-4);
    EXPECT_NEAR(az12, Wrap360(azi1), 1e-8);
    // az21 is the way back from the second point: its forward azimuth + 180.
    EXPECT_NEAR(az21, Wrap360(azi2 + 180.0), 1e-8);
    double shortDist = 0;
    EXPECT_TRUE(utm.GetDistance(p[0], p[1], p[2], p[3], shortDist));
    EXPECT_EQ(shortDist, dist);
  }
}

TEST_F(Geodesy, PointReachedAndTheWayBack) {
  const CKvMapProjection utm("UTM-32");
  double lon2, lat2, az21, glat2, glon2, gazi2;
  ASSERT_TRUE(utm.GetPoint(9.0, 55.0, 30.0, 250000.0, lon2, lat2, az21));
  GeographicLib::Geodesic::WGS84().Direct(55.0, 9.0, 30.0, 250000.0, glat2, glon2, gazi2);
  EXPECT_NEAR(lon2, glon2, 1e-9);
  EXPECT_NEAR(lat2, glat2, 1e-9);
  EXPECT_NEAR(az21, Wrap360(gazi2 + 180.0), 1e-8);
  EXPECT_GE(az21, 0.0);
  EXPECT_LT(az21, 360.0);
}

TEST_F(Geodesy, EqualPointsNeedNoProjectionAndOthersNeedAnEllipsoid) {
  const CKvMapProjection none;
  double dist = -1, az12 = 7, az21 = 8;
  EXPECT_TRUE(none.GetDistance(9.0, 55.0, 9.0, 55.0, dist, az12, az21));
  EXPECT_EQ(dist, 0.0);
  EXPECT_EQ(az12, 7.0);  // not written
  EXPECT_FALSE(none.GetDistance(9.0, 55.0, 10.0, 55.0, dist));
  const CKvMapProjection local("NON-UTM");
  EXPECT_FALSE(local.GetDistance(9.0, 55.0, 10.0, 55.0, dist));
  double lon2, lat2;
  EXPECT_FALSE(local.GetPoint(9.0, 55.0, 0.0, 10.0, lon2, lat2, az21));
}

TEST_F(Geodesy, EarthCentredCoordinates) {
  const CKvMapProjection utm("UTM-32");
  double x, y, z, gx, gy, gz, lon, lat, h;
  utm.Geo2XYZ(9.0, 55.0, 100.0, &x, &y, &z);
  GeographicLib::Geocentric::WGS84().Forward(55.0, 9.0, 100.0, gx, gy, gz);
  EXPECT_NEAR(x, gx, 1e-6);
  EXPECT_NEAR(y, gy, 1e-6);
  EXPECT_NEAR(z, gz, 1e-6);
  utm.XYZ2Geo(x, y, z, &lon, &lat, &h);
  EXPECT_NEAR(lon, 9.0, 1e-12);
  EXPECT_NEAR(lat, 55.0, 1e-12);
  EXPECT_NEAR(h, 100.0, 1e-6);

  // The local grid has no ellipsoid: nothing is written.
  double untouched = -5.0;
  CKvMapProjection("NON-UTM").Geo2XYZ(9.0, 55.0, 0.0, &untouched, &untouched, &untouched);
  EXPECT_EQ(untouched, -5.0);
}

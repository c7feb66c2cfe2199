// Rotated longitude/latitude against PROJ's ob_tran (o_proj=longlat) on
// real rotated-pole model domains, and the fixed points of the rotation.
#include <gtest/gtest.h>

#include <cmath>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvRotatedLongitudeLatitude.h"
#include "ProjOracle.h"

namespace {

const CKvEllipsoid kSphere("Sphere", "XY", 6371000.0, 0.0);
const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);

struct RotatedCase {
  const char* label;
  double southPoleLon, southPoleLat, rotation;
};

// PROJ: o_lat_p is the latitude of the rotated north pole (-phi_p), lon_0
// the longitude of the south pole, o_lon_p = -omega.
std::string ProjString(const RotatedCase& c) {
  return "+proj=ob_tran +o_proj=longlat +o_lat_p=" + std::to_string(-c.southPoleLat) +
         " +o_lon_p=" + std::to_string(-c.rotation) + " +lon_0=" + std::to_string(c.southPoleLon) +
         " +R=1";
}

const RotatedCase kCases[] = {
    {"CORDEX EUR-11 (north pole at 198.0 E, 39.25 N)", 18.0, -39.25, 0.0},
    {"CORDEX ARC-44 (north pole at 0 E, 6.55 N)", 180.0, -6.55, 0.0},
    {"turned grid: pole at (-123.34, -79.95), angle 15", -123.34, -79.95, 15.0},
    {"turned grid, negative angle", 40.0, -30.0, -72.5},
};

}  // namespace

TEST(RotatedLongitudeLatitude, AgreesWithProjObTran) {
  for (const RotatedCase& c : kCases) {
    SCOPED_TRACE(c.label);
    CKvRotatedLongitudeLatitude rotated("r", c.southPoleLon, c.southPoleLat, c.rotation, kSphere);
    ProjOracle proj(ProjString(c));
    for (double lat = -85.0; lat <= 85.0; lat += 17.0) {
      for (double lon = -180.0; lon < 180.0; lon += 40.0) {
        double x, y, px, py, lon2, lat2;
        rotated.Geo2Proj(lon, lat, &x, &y);
        proj.Forward(lon, lat, &px, &py);
        EXPECT_NEAR(kvcart::NormalizeLongitude(x - px * kvcart::kRadToDeg), 0.0, 1e-10)
            << lon << ", " << lat;
        EXPECT_NEAR(y, py * kvcart::kRadToDeg, 1e-10) << lon << ", " << lat;
        EXPECT_GE(x, -180.0);
        EXPECT_LT(x, 180.0);
        rotated.Proj2Geo(x, y, &lon2, &lat2);
        EXPECT_NEAR(kvcart::NormalizeLongitude(lon2 - lon), 0.0, 1e-10) << lon << ", " << lat;
        EXPECT_NEAR(lat2, lat, 1e-10) << lon << ", " << lat;
      }
    }
  }
}

// The rotation does not depend on the ellipsoid: latitudes are rotated as
// spherical angles, as the models define them.
TEST(RotatedLongitudeLatitude, IgnoresTheFlattening) {
  CKvRotatedLongitudeLatitude sphere("s", 18.0, -39.25, 0.0, kSphere);
  CKvRotatedLongitudeLatitude ellipsoid("e", 18.0, -39.25, 0.0, kWgs84);
  double x1, y1, x2, y2;
  sphere.Geo2Proj(10.0, 50.0, &x1, &y1);
  ellipsoid.Geo2Proj(10.0, 50.0, &x2, &y2);
  EXPECT_EQ(x1, x2);
  EXPECT_EQ(y1, y2);
}

TEST(RotatedLongitudeLatitude, SouthPoleAtThePoleIsTheIdentity) {
  CKvRotatedLongitudeLatitude identity("id", 0.0, -90.0, 0.0, kSphere);
  for (double lon : {-179.0, -30.0, 0.0, 45.5, 179.5}) {
    for (double lat : {-89.0, -10.0, 0.0, 33.3, 89.0}) {
      double x, y;
      identity.Geo2Proj(lon, lat, &x, &y);
      EXPECT_NEAR(x, lon, 1e-12);
      EXPECT_NEAR(y, lat, 1e-12);
    }
  }
}

// (lambda_p, phi_p + 90) becomes the rotated origin shifted by -omega; the
// south pole becomes the rotated south pole.
TEST(RotatedLongitudeLatitude, OriginAndPoleGoWhereTheyShould) {
  CKvRotatedLongitudeLatitude rotated("r", -123.34, -79.95, 15.0, kSphere);
  double lon0, lat0, x, y;
  rotated.GetOrigin(&lon0, &lat0);
  EXPECT_EQ(lon0, -123.34);
  EXPECT_NEAR(lat0, 10.05, 1e-12);
  rotated.Geo2Proj(lon0, lat0, &x, &y);
  EXPECT_NEAR(x, -15.0, 1e-12);
  EXPECT_NEAR(y, 0.0, 1e-12);
  rotated.Geo2Proj(-123.34, -79.95, &x, &y);
  EXPECT_NEAR(y, -90.0, 1e-12);
  EXPECT_TRUE(rotated.IsGeographical());
}

// A rotated south pole north of the equator (a rotated north pole in the
// southern hemisphere): the point 90 degrees north of it lies beyond the
// north pole, so the origin is given as the same point with a latitude
// that is one, and the default area is a box around it, not a point.
TEST(RotatedLongitudeLatitude, SouthPoleNorthOfTheEquator) {
  CKvRotatedLongitudeLatitude rotated("r", 30.0, 20.0, 10.0, kSphere);
  double lon0, lat0, x, y;
  rotated.GetOrigin(&lon0, &lat0);
  EXPECT_NEAR(lon0, -150.0, 1e-12);
  EXPECT_NEAR(lat0, 70.0, 1e-12);
  rotated.Geo2Proj(lon0, lat0, &x, &y);
  EXPECT_NEAR(x, -10.0, 1e-12);
  EXPECT_NEAR(y, 0.0, 1e-12);
  double x0, y0, x1, y1;
  rotated.GetDefaultArea(&x0, &y0, &x1, &y1);
  EXPECT_GT(std::fabs(x1 - x0), 1.0);
  EXPECT_GT(std::fabs(y1 - y0), 1.0);
}

TEST(RotatedLongitudeLatitude, DefaultAreaIsTheClampedBoxAroundTheOrigin) {
  // Origin (18, 50.75): no clamping.
  CKvRotatedLongitudeLatitude euro("eur", 18.0, -39.25, 0.0, kSphere);
  double x0, y0, x1, y1, x, y;
  euro.GetDefaultArea(&x0, &y0, &x1, &y1);
  euro.Geo2Proj(15.0, 47.75, &x, &y);
  EXPECT_EQ(x0, x);
  EXPECT_EQ(y0, y);
  // Origin (179, 88.5): longitude and latitude clamped at 180 and 90.
  CKvRotatedLongitudeLatitude edge("edge", 179.0, -1.5, 0.0, kSphere);
  edge.GetDefaultArea(&x0, &y0, &x1, &y1);
  edge.Geo2Proj(180.0, 90.0, &x, &y);
  EXPECT_EQ(x1, x);
  EXPECT_EQ(y1, y);
}

// A latitude beyond a pole is no point on either sphere: NaN, as in every
// other family, not the point over the pole that the rotation would make
// of it.
TEST(RotatedLongitudeLatitude, LatitudesBeyondThePolesGiveNaN) {
  CKvRotatedLongitudeLatitude rotated("r", 18.0, -39.25, 0.0, kSphere);
  for (double lat : {90.5, -95.0}) {
    double x, y, lon, lat2;
    rotated.Geo2Proj(10.0, lat, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << lat;
    rotated.Proj2Geo(10.0, lat, &lon, &lat2);
    EXPECT_TRUE(std::isnan(lon) && std::isnan(lat2)) << lat;
  }
}

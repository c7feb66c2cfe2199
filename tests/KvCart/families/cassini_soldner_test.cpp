// Cassini-Soldner against PROJ on the three EPSG grids of the national
// table (Clarke 1858 in Clarke's feet converted, GRS 80, Clarke 1880
// Benoit) and on a sphere; the central meridian and the sphere object.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

#include "FamilyOracle.h"
#include "KvCart/families/CKvCassiniSoldner.h"

namespace {

const CKvEllipsoid kClarke1858("Clarke 1858", "CL", 6378293.645208759, 294.26067636926103);
const CKvEllipsoid kGrs80("GRS 1980", "RF", 6378137.0, 298.257222101);
const CKvEllipsoid kBenoit("Clarke 1880 (Benoit)", "CB", 6378300.789, 293.4663155389811);
const CKvEllipsoid kSphere("Sphere", "XY", 6371000.0, 0.0);

constexpr double kSeries = 1e-8;

const OracleCase kCassiniCases[] = {
    {"Trinidad 1903 / Trinidad Grid (EPSG:30200)",
     [] {
       return new CKvCassiniSoldner("Trinidad", -61.333333333333336, 10.441666666666666,
                                    86501.46392052, 65379.0134283, kClarke1858);
     },
     "+proj=cass +lat_0=10.441666666666666 +lon_0=-61.333333333333336 +x_0=86501.46392052 "
     "+y_0=65379.0134283 +a=6378293.645208759 +rf=294.26067636926103",
     -62.1, -60.4, 9.8, 11.6, kSeries},
    {"GDM2000 / Johor Grid (EPSG:3377)",
     [] {
       return new CKvCassiniSoldner("Johor", 103.42793623611112, 2.1216797444444446, -14810.562,
                                    8758.32, kGrs80);
     },
     "+proj=cass +lat_0=2.1216797444444446 +lon_0=103.42793623611112 +x_0=-14810.562 "
     "+y_0=8758.32 +ellps=GRS80",
     102.4, 104.6, 1.2, 2.95, kSeries},
    {"Palestine 1923 / Palestine Grid (EPSG:28191)",
     [] {
       return new CKvCassiniSoldner("Palestine", 35.21208055555556, 31.734096944444445, 170251.555,
                                    126867.909, kBenoit);
     },
     "+proj=cass +lat_0=31.734096944444445 +lon_0=35.21208055555556 +x_0=170251.555 "
     "+y_0=126867.909 +a=6378300.789 +rf=293.4663155389811",
     34.2, 35.7, 29.4, 33.3, kSeries},
    {"Cassini-Soldner on a sphere",
     [] { return new CKvCassiniSoldner("Sphere", 10, 45, 1000, -2000, kSphere); },
     "+proj=cass +lat_0=45 +lon_0=10 +x_0=1000 +y_0=-2000 +R=6371000", -20, 40, -30, 80, 1e-9},
};

}  // namespace

TEST(CassiniSoldner, ForwardMatchesProjAndInverseReturnsInput) {
  for (const OracleCase& c : kCassiniCases) CheckAgainstProj(c);
}

// On the central meridian the easting is the false easting and the northing
// the meridian arc from the origin (a geodesic along the meridian).
TEST(CassiniSoldner, CentralMeridianCarriesTheMeridianArc) {
  CKvCassiniSoldner johor("Johor", 103.4, 2.1, -14810.562, 8758.32, kGrs80);
  GeographicLib::Geodesic grs80(6378137.0, 1 / 298.257222101);
  for (double lat : {-10.0, 2.1, 30.0}) {
    double x, y, arc;
    johor.Geo2Proj(103.4, lat, &x, &y);
    grs80.Inverse(2.1, 103.4, lat, 103.4, arc);
    EXPECT_DOUBLE_EQ(x, -14810.562);
    EXPECT_NEAR(y, 8758.32 + std::copysign(arc, lat - 2.1), 1e-3) << lat;
  }
}

TEST(CassiniSoldner, SphereUsesTheSphereFormulas) {
  CKvCassiniSoldner sphere("s", 10, 45, 0, 0, kSphere);
  CKvCassiniSoldner ellipsoid("e", 10, 45, 0, 0, kGrs80);
  EXPECT_EQ(sphere.GetFormulaKind(), 2);
  EXPECT_EQ(ellipsoid.GetFormulaKind(), 1);
  CKvEllipsoid anonymous;
  ASSERT_TRUE(sphere.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetMajor(), 6371000.0);
  EXPECT_EQ(anonymous.GetInvFlatness(), 0.0);
  double lon, lat;
  sphere.GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 10);
  EXPECT_EQ(lat, 45);
}

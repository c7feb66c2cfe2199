// Lambert azimuthal equal area -- ellipsoid (oblique and both polar aspects)
// and sphere -- against PROJ on real EPSG definitions, and the edges of its
// formulas: the origin, the poles, the choice of the sphere.
#include <gtest/gtest.h>

#include <cmath>

#include "FamilyOracle.h"
#include "KvCart/families/CKvLambertAzimuthalEqualArea.h"

namespace {

const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);
const CKvEllipsoid kGrs80("GRS 1980", "RF", 6378137.0, 298.257222101);
const CKvEllipsoid kClarke1866("Clarke 1866", "CC", 6378206.4, 294.9786982);
const CKvEllipsoid kSphere("Sphere", "XY", 6371000.0, 0.0);

constexpr double kRefined = 1e-11;
constexpr double kExact = 1e-11;

using Laea = CKvLambertAzimuthalEqualArea;

const OracleCase kCases[] = {
    {"ETRS89-extended / LAEA Europe (EPSG:3035)",
     [] { return new Laea("LAEA Europe", 10, 52, 4321000, 3210000, kGrs80); },
     "+proj=laea +lat_0=52 +lon_0=10 +x_0=4321000 +y_0=3210000 +ellps=GRS80", -35.5, 44.8, 24.6,
     84.7, kRefined},
    {"WGS 84 / NSIDC EASE-Grid 2.0 North (EPSG:6931)",
     [] { return new Laea("EASE N", 0, 90, 0, 0, kWgs84); },
     "+proj=laea +lat_0=90 +lon_0=0 +ellps=WGS84", -180, 180, 0, 89.9, kRefined},
    {"WGS 84 / NSIDC EASE-Grid 2.0 South (EPSG:6932)",
     [] { return new Laea("EASE S", 0, -90, 0, 0, kWgs84); },
     "+proj=laea +lat_0=-90 +lon_0=0 +ellps=WGS84", -180, 180, -89.9, 0, kRefined},
    {"WGS 84 / North Pole LAEA Bering Sea (EPSG:3571), central meridian 180",
     [] { return new Laea("Bering", 180, 90, 0, 0, kWgs84); },
     "+proj=laea +lat_0=90 +lon_0=180 +ellps=WGS84", -180, 180, 45, 89.9, kRefined},
    {"NAD27 / US National Atlas Equal Area (EPSG:9311, on the ellipsoid as ESRI writes it)",
     [] { return new Laea("Atlas", -100, 45, 0, 0, kClarke1866); },
     "+proj=laea +lat_0=45 +lon_0=-100 +a=6378206.4 +rf=294.9786982", -180, -60, 15, 75, kRefined},
    {"sphere, oblique (ESRI:102017 style on a sphere)",
     [] { return new Laea("sphere", -100, 45, 0, 0, kSphere); },
     "+proj=laea +lat_0=45 +lon_0=-100 +R=6371000", -180, -20, -30, 89, kExact},
    {"sphere, south polar", [] { return new Laea("sphere S", 30, -90, 1000, 2000, kSphere); },
     "+proj=laea +lat_0=-90 +lon_0=30 +x_0=1000 +y_0=2000 +R=6371000", -180, 180, -89.9, 40,
     kExact},
};

}  // namespace

TEST(LambertAzimuthal, AgreesWithProjOnEpsgDefinitions) {
  for (const OracleCase& c : kCases) CheckAgainstProj(c);
}

// Next to the poles the authalic latitude keeps its precision: a point
// delta from the pole lies (a^2/b) delta from it (the meridian's radius of
// curvature at the pole; the next term is of order delta^3). PROJ's
// a sqrt(q_P - q) cancels there (0.8 mm off 11 m from the pole).
TEST(LambertAzimuthal, PolarAspectIsPreciseNextToThePole) {
  const double a = 6378137.0, b = a * (1.0 - 1.0 / 298.257223563);
  for (double lat0 : {90.0, -90.0}) {
    Laea polar("EASE", 0, lat0, 0, 0, kWgs84);
    for (double delta : {1e-4, 1e-6, 1e-8}) {
      double x, y, lon, lat;
      polar.Geo2Proj(30.0, lat0 > 0 ? 90.0 - delta : delta - 90.0, &x, &y);
      EXPECT_NEAR(std::hypot(x, y), a * a / b * delta * kvcart::kDegToRad, 1e-9) << delta;
      polar.Proj2Geo(x, y, &lon, &lat);
      EXPECT_NEAR(lon, 30.0, 1e-6) << delta;
      EXPECT_NEAR(std::fabs(lat), 90.0 - delta, 1e-13) << delta;
    }
  }
}

TEST(LambertAzimuthal, OriginInvertsToOrigin) {
  for (double lat0 : {52.0, 90.0, -90.0, 0.0}) {
    for (const CKvEllipsoid* e : {&kGrs80, &kSphere}) {
      Laea laea("o", 10, lat0, 4321000, 3210000, *e);
      double x, y, lon, lat;
      laea.Geo2Proj(10, lat0, &x, &y);
      EXPECT_NEAR(x, 4321000.0, 1e-9);
      EXPECT_NEAR(y, 3210000.0, 1e-9);
      laea.Proj2Geo(4321000.0, 3210000.0, &lon, &lat);
      EXPECT_EQ(lon, 10.0) << lat0;
      EXPECT_NEAR(lat, lat0, 1e-12) << lat0;
    }
  }
}

TEST(LambertAzimuthal, SphereWhenInverseFlatteningIsZero) {
  Laea sphere("s", 0, 45, 0, 0, kSphere);
  Laea ellipsoid("e", 0, 45, 0, 0, kGrs80);
  EXPECT_EQ(sphere.GetFormulaKind(), Laea::eSphereFormula);
  EXPECT_EQ(ellipsoid.GetFormulaKind(), Laea::eEllipsoidFormula);
  CKvEllipsoid anonymous;
  ASSERT_TRUE(sphere.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetMajor(), 6371000.0);
  EXPECT_EQ(anonymous.GetInvFlatness(), 0.0);
  ASSERT_TRUE(ellipsoid.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetInvFlatness(), 298.257222101);
  // A copy keeps its kind and converts on its own formula object.
  std::unique_ptr<CKvProjection> copy(sphere.Clone());
  double x1, y1, x2, y2;
  copy->Geo2Proj(20, 50, &x1, &y1);
  sphere.Geo2Proj(20, 50, &x2, &y2);
  EXPECT_EQ(x1, x2);
  EXPECT_EQ(y1, y2);
}

// Equal area: the projected area of a small cell equals its area on the
// ellipsoid, M N cos(phi) dlambda dphi (Jacobian by centred differences).
// The numeric convergence agrees with PROJ's meridian convergence.
TEST(LambertAzimuthal, PreservesAreaAndConvergence) {
  ProjOracle proj("+proj=laea +lat_0=52 +lon_0=10 +ellps=GRS80");
  Laea europe("LAEA Europe", 10, 52, 0, 0, kGrs80);
  const double a = 6378137.0, f = 1.0 / 298.257222101, e2 = f * (2.0 - f);
  const double h = 1e-4;  // degrees
  for (double lon : {-20.0, 10.0, 40.0}) {
    for (double lat : {30.0, 52.0, 75.0}) {
      double xe, ye, xw, yw, xn, yn, xs, ys;
      europe.Geo2Proj(lon + h, lat, &xe, &ye);
      europe.Geo2Proj(lon - h, lat, &xw, &yw);
      europe.Geo2Proj(lon, lat + h, &xn, &yn);
      europe.Geo2Proj(lon, lat - h, &xs, &ys);
      double jacobian = ((xe - xw) * (yn - ys) - (ye - yw) * (xn - xs)) / (4.0 * h * h);
      double s = std::sin(lat * kvcart::kDegToRad), w = 1.0 - e2 * s * s;
      double element = a * (1.0 - e2) / std::pow(w, 1.5) * a / std::sqrt(w) *
                       std::cos(lat * kvcart::kDegToRad) * kvcart::kDegToRad * kvcart::kDegToRad;
      EXPECT_NEAR(jacobian / element, 1.0, 1e-8) << lon << ", " << lat;
      EXPECT_NEAR(europe.GetConvergence(lon, lat),
                  proj.Factors(lon, lat).meridian_convergence * kvcart::kRadToDeg, 1e-7)
          << lon << ", " << lat;
    }
  }
}

TEST(LambertAzimuthal, DefaultAreaByAspect) {
  Laea polar("p", 0, 90, 2000000, 1000000, kWgs84);
  double x0, y0, x1, y1;
  polar.GetDefaultArea(&x0, &y0, &x1, &y1);
  EXPECT_NEAR(x0, 1800000.0, 1e-6);
  EXPECT_NEAR(y0, 800000.0, 1e-6);
  EXPECT_NEAR(x1, 2200000.0, 1e-6);
  EXPECT_NEAR(y1, 1200000.0, 1e-6);
  Laea europe("e", 10, 52, 4321000, 3210000, kGrs80);
  double x, y;
  europe.GetDefaultArea(&x0, &y0, &x1, &y1);
  europe.Geo2Proj(7, 49, &x, &y);
  EXPECT_EQ(x0, x);
  EXPECT_EQ(y0, y);
  double lon, lat;
  europe.GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 10.0);
  EXPECT_EQ(lat, 52.0);
}

// The antipode has no image (it would be the whole rim) and plane points
// beyond the rim have no preimage: NaN, never a crash or an infinity.
TEST(LambertAzimuthal, OutsideTheDomainIsNaN) {
  for (const CKvEllipsoid* e : {&kGrs80, &kSphere}) {
    for (double lat0 : {0.0, 52.0, -12.7}) {
      Laea laea("o", 10, lat0, 0, 0, *e);
      double x, y, lon, lat;
      laea.Proj2Geo(3.0e7, 0.0, &lon, &lat);
      EXPECT_TRUE(std::isnan(lon) && std::isnan(lat));
      laea.Geo2Proj(0.0, 95.0, &x, &y);
      EXPECT_TRUE(std::isnan(x) && std::isnan(y));
      laea.Geo2Proj(-170.0, -lat0, &x, &y);
      EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << lat0 << ": " << x << ", " << y;
    }
  }
}

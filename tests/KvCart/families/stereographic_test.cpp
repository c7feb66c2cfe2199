// The stereographic families -- oblique (double stereographic through the
// Gauss sphere), polar with a scale at the pole, polar by the latitude of
// true scale and the combined polar stereographic kind -- against PROJ on
// real EPSG definitions, and the edges of their formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "FamilyOracle.h"
#include "KvCart/families/CKvPolarStereographic.h"
#include "KvCart/families/CKvStereographic.h"
#include "KvCart/families/CKvStereographicNorthPole.h"
#include "KvCart/families/CKvStereographicSouthPole.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);
const CKvEllipsoid kGrs80("GRS 1980", "RF", 6378137.0, 298.257222101);
const CKvEllipsoid kBessel("Bessel 1841", "BR", 6377397.155, 299.1528128);
const CKvEllipsoid kKrassovsky("Krassovsky 1940", "KA", 6378245.0, 298.3);
const CKvEllipsoid kSphere("Sphere", "XY", 6371000.0, 0.0);

constexpr double kIterated = 1e-9;
constexpr double kSeries = 1e-8;

const OracleCase kObliqueCases[] = {
    {"Amersfoort / RD New (EPSG:28992)",
     [] {
       return new CKvStereographic("RD New", 0.9999079, 5.38763888888889, 52.15616055555555, 155000,
                                   463000, kBessel);
     },
     "+proj=sterea +lat_0=52.15616055555555 +lon_0=5.38763888888889 +k=0.9999079 +x_0=155000 "
     "+y_0=463000 +a=6377397.155 +rf=299.1528128",
     3.2, 7.3, 50.7, 53.7, kIterated},
    {"Pulkovo 1942(58) / Stereo70 (EPSG:3844)",
     [] { return new CKvStereographic("Stereo70", 0.99975, 25, 46, 500000, 500000, kKrassovsky); },
     "+proj=sterea +lat_0=46 +lon_0=25 +k=0.99975 +x_0=500000 +y_0=500000 +a=6378245 +rf=298.3",
     20.3, 31.5, 43.5, 48.3, kIterated},
    {"NAD83(CSRS) / New Brunswick Stereographic (EPSG:2953), west of Greenwich",
     [] { return new CKvStereographic("NB", 0.999912, -66.5, 46.5, 2500000, 7500000, kGrs80); },
     "+proj=sterea +lat_0=46.5 +lon_0=-66.5 +k=0.999912 +x_0=2500000 +y_0=7500000 +ellps=GRS80",
     -69.1, -63.7, 44.5, 48.1, kIterated},
    {"oblique, southern hemisphere, 30 degrees around the origin",
     [] { return new CKvStereographic("south", 1.0, 147, -42, 0, 0, kGrs80); },
     "+proj=sterea +lat_0=-42 +lon_0=147 +k=1 +ellps=GRS80", 117, 177, -72, -12, kIterated},
    {"sphere: equatorial aspect (ESRI:53026 Sphere_Stereographic)",
     [] { return new CKvStereographic("sphere", 1.0, 0, 0, 0, 0, kSphere); },
     "+proj=stere +lat_0=0 +lon_0=0 +k=1 +R=6371000", -80, 80, -80, 80, kIterated},
};

// The areas stop short of the pole, which has no longitude to return.
const OracleCase kPolarCases[] = {
    {"WGS 84 / UPS North (EPSG:5041), scale at the pole",
     [] { return new CKvStereographic("UPS N", 0.994, 0, 90, 2000000, 2000000, kWgs84); },
     "+proj=stere +lat_0=90 +lon_0=0 +k=0.994 +x_0=2000000 +y_0=2000000 +ellps=WGS84", -180, 180,
     60, 89.9, kSeries},
    {"WGS 84 / UPS South (EPSG:5042)",
     [] { return new CKvStereographic("UPS S", 0.994, 0, -90, 2000000, 2000000, kWgs84); },
     "+proj=stere +lat_0=-90 +lon_0=0 +k=0.994 +x_0=2000000 +y_0=2000000 +ellps=WGS84", -180, 180,
     -89.9, -60, kSeries},
    {"WGS 84 / NSIDC Sea Ice Polar Stereographic North (EPSG:3413)",
     [] { return new CKvStereographicNorthPole("NSIDC N", 70, -45, 0, 0, kWgs84); },
     "+proj=stere +lat_0=90 +lat_ts=70 +lon_0=-45 +k=1 +ellps=WGS84", -180, 180, 30, 89.9, kSeries},
    {"WGS 84 / Arctic Polar Stereographic (EPSG:3995)",
     [] { return new CKvStereographicNorthPole("Arctic", 71, 0, 0, 0, kWgs84); },
     "+proj=stere +lat_0=90 +lat_ts=71 +lon_0=0 +k=1 +ellps=WGS84", -180, 180, 60, 89.9, kSeries},
    {"WGS 84 / Antarctic Polar Stereographic (EPSG:3031)",
     [] { return new CKvStereographicSouthPole("Antarctic", -71, 0, 0, 0, kWgs84); },
     "+proj=stere +lat_0=-90 +lat_ts=-71 +lon_0=0 +k=1 +ellps=WGS84", -180, 180, -89.9, -60,
     kSeries},
    {"WGS 84 / Australian Antarctic Polar Stereographic (EPSG:3032)",
     [] { return new CKvStereographicSouthPole("AAT", -71, 70, 6000000, 6000000, kWgs84); },
     "+proj=stere +lat_0=-90 +lat_ts=-71 +lon_0=70 +k=1 +x_0=6000000 +y_0=6000000 +ellps=WGS84", 45,
     160, -89.9, -60, kSeries},
    {"polar stereographic kind, latitude of true scale -71 (EPSG:3031 as Polar_Stereographic)",
     [] { return new CKvPolarStereographic("PS", 1.0, 0, -71, 0, 0, kWgs84); },
     "+proj=stere +lat_0=-90 +lat_ts=-71 +lon_0=0 +k=1 +ellps=WGS84", -180, 180, -89.9, -60,
     kSeries},
    {"polar stereographic kind, scale at the north pole (EPSG:32661 as Polar_Stereographic)",
     [] { return new CKvPolarStereographic("PS", 0.994, 0, 90, 2000000, 2000000, kWgs84); },
     "+proj=stere +lat_0=90 +lon_0=0 +k=0.994 +x_0=2000000 +y_0=2000000 +ellps=WGS84", -180, 180,
     60, 89.9, kSeries},
};

ProjectionPtr Make(CKvProjection* p) { return ProjectionPtr(p); }

void ExpectSamePoints(const CKvProjection& a, const CKvProjection& b) {
  for (double lat = -89.0; lat <= 89.0; lat += 11.0) {
    for (double lon = -175.0; lon <= 180.0; lon += 35.0) {
      double xa, ya, xb, yb;
      a.Geo2Proj(lon, lat, &xa, &ya);
      b.Geo2Proj(lon, lat, &xb, &yb);
      if (std::isnan(xa)) {
        EXPECT_TRUE(std::isnan(xb)) << lon << ", " << lat;
        continue;
      }
      EXPECT_EQ(xa, xb) << lon << ", " << lat;
      EXPECT_EQ(ya, yb) << lon << ", " << lat;
    }
  }
}

}  // namespace

TEST(Stereographic, ObliqueAgreesWithProjOnNationalGrids) {
  for (const OracleCase& c : kObliqueCases) CheckAgainstProj(c);
}

TEST(Stereographic, PolarAgreesWithProjOnPolarGrids) {
  for (const OracleCase& c : kPolarCases) CheckAgainstProj(c);
}

// Both inverses take the geodetic latitude from the conformal one by a
// series in the third flattening, exact on the earth's ellipsoids; on a
// custom ellipsoid far flatter than the earth's the series is micro-degrees
// off (2e-7 rad at 1/f = 10; the polar form's old series in e^2 was off by
// milli-degrees there) and Newton's method has to take over. Oblique points
// reach the far hemisphere of the origin (up to 150 degrees from it).
TEST(Stereographic, InverseHoldsOnFlattenedEllipsoids) {
  for (int invF : {125, 40, 10}) {
    const CKvEllipsoid flat("flat", "FL", 6378137.0, invF);
    const std::string rf = std::to_string(invF);
    const std::string oblique = "oblique, 1/f = " + rf, polar = "south polar, 1/f = " + rf;
    const OracleCase cases[] = {
        {oblique.c_str(),
         [&flat] { return new CKvStereographic("flat", 0.9999, 10, 50, 0, 0, flat); },
         "+proj=sterea +lat_0=50 +lon_0=10 +k=0.9999 +a=6378137 +rf=" + rf, -140, 160, -80, 85,
         kIterated},
        {polar.c_str(),
         [&flat] { return new CKvStereographic("flat", 0.994, 30, -90, 0, 0, flat); },
         "+proj=stere +lat_0=-90 +lon_0=30 +k=0.994 +a=6378137 +rf=" + rf, -180, 180, -89.9, 10,
         kIterated}};
    for (const OracleCase& c : cases) CheckAgainstProj(c);
  }
}

// The poles are inside the oblique projection's domain: points next to them
// keep full precision (1 - sin(phi) would cancel there and move a point
// 11 cm from the south pole by 13 cm) and come back.
TEST(Stereographic, ObliqueKeepsItsPrecisionNextToThePoles) {
  CKvStereographic rd("RD New", 0.9999079, 5.38763888888889, 52.15616055555555, 155000, 463000,
                      kBessel);
  ProjOracle proj(kObliqueCases[0].proj);
  for (double sign : {1.0, -1.0}) {
    for (double delta : {1e-3, 1e-5, 1e-6, 1e-7, 1e-8}) {
      for (double lon : {-120.0, 60.0}) {
        const double lat = sign * (90.0 - delta);
        double x, y, px, py, lon2, lat2;
        rd.Geo2Proj(lon, lat, &x, &y);
        proj.Forward(lon, lat, &px, &py);
        EXPECT_NEAR(x, px, 1e-6) << lon << ", " << lat;
        EXPECT_NEAR(y, py, 1e-6) << lon << ", " << lat;
        rd.Proj2Geo(x, y, &lon2, &lat2);
        EXPECT_NEAR(lat2, lat, 1e-12) << lon << ", " << lat;
      }
    }
  }
}

// The origin (the Amersfoort tower of RD New) lies exactly on the false
// origin, both ways.
TEST(Stereographic, OriginMapsToFalseOriginAndBack) {
  CKvStereographic rd("RD New", 0.9999079, 5.38763888888889, 52.15616055555555, 155000, 463000,
                      kBessel);
  double x, y, lon, lat;
  rd.Geo2Proj(5.38763888888889, 52.15616055555555, &x, &y);
  EXPECT_NEAR(x, 155000.0, 1e-9);
  EXPECT_NEAR(y, 463000.0, 1e-9);
  rd.Proj2Geo(155000.0, 463000.0, &lon, &lat);
  EXPECT_DOUBLE_EQ(lon, 5.38763888888889);
  EXPECT_NEAR(lat, 52.15616055555555, 1e-13);
}

TEST(Stereographic, AspectFollowsLatitudeOfOriginWithRelativeTolerance) {
  EXPECT_EQ(CKvStereographic("n", 1, 0, 90.0 - 1e-13, 0, 0, kWgs84).GetAspect(), 2);
  EXPECT_EQ(CKvStereographic("s", 1, 0, -90.0, 0, 0, kWgs84).GetAspect(), 3);
  EXPECT_EQ(CKvStereographic("o", 1, 0, 89.999, 0, 0, kWgs84).GetAspect(), 1);
  // Almost polar is polar: the same numbers as exactly polar.
  ExpectSamePoints(CKvStereographic("a", 0.994, 0, 90.0 - 1e-13, 0, 0, kWgs84),
                   CKvStereographic("b", 0.994, 0, 90.0, 0, 0, kWgs84));
}

// Grid north points away from the north pole along the central meridian
// and towards the south pole.
TEST(Stereographic, CentralMeridianRunsAlongGridNorth) {
  CKvStereographicNorthPole north("N", 70, -45, 1000, 2000, kWgs84);
  CKvStereographicSouthPole south("S", -71, 10, 1000, 2000, kWgs84);
  for (double lat : {89.0, 75.0, 30.0, 0.0}) {
    double x, y;
    north.Geo2Proj(-45.0, lat, &x, &y);
    EXPECT_NEAR(x, 1000.0, 1e-6) << lat;
    EXPECT_LT(y, 2000.0) << lat;
    south.Geo2Proj(10.0, -lat, &x, &y);
    EXPECT_NEAR(x, 1000.0, 1e-6) << lat;
    EXPECT_GT(y, 2000.0) << lat;
  }
  // 90 degrees east of the central meridian lies on grid east.
  double x, y;
  north.Geo2Proj(45.0, 80.0, &x, &y);
  EXPECT_GT(x, 1000.0);
  EXPECT_NEAR(y, 2000.0, 1e-6);
}

TEST(Stereographic, PoleInvertsToCentralMeridian) {
  for (double sign : {1.0, -1.0}) {
    CKvStereographic polar("p", 0.994, 33, sign * 90, 2000000, 2000000, kWgs84);
    double lon, lat;
    polar.Proj2Geo(2000000, 2000000, &lon, &lat);
    EXPECT_EQ(lon, 33.0);
    EXPECT_EQ(lat, sign * 90.0);
  }
}

// A latitude of true scale at the pole is the scale-1 projection about the
// pole (m_F and t_F both vanish there).
TEST(Stereographic, TrueScaleAtThePoleIsScaleOne) {
  ExpectSamePoints(CKvStereographicNorthPole("a", 90, 5, 0, 0, kWgs84),
                   CKvStereographic("b", 1.0, 5, 90, 0, 0, kWgs84));
  ExpectSamePoints(CKvStereographicSouthPole("a", -90, 5, 0, 0, kWgs84),
                   CKvStereographic("b", 1.0, 5, -90, 0, 0, kWgs84));
}

TEST(Stereographic, PolarKindChoosesByLatitudeOfOrigin) {
  ExpectSamePoints(CKvPolarStereographic("a", 0.97, 20, -71, 100, 200, kWgs84),
                   CKvStereographicSouthPole("b", -71, 20, 100, 200, kWgs84));
  ExpectSamePoints(CKvPolarStereographic("a", 0.97, 20, 60, 100, 200, kWgs84),
                   CKvStereographicNorthPole("b", 60, 20, 100, 200, kWgs84));
  ExpectSamePoints(CKvPolarStereographic("a", 0.97, 20, -90, 100, 200, kWgs84),
                   CKvStereographic("b", 0.97, 20, -90, 100, 200, kWgs84));
  // A copy converts on its own inner object.
  ProjectionPtr copy(CKvPolarStereographic("a", 0.97, 20, 60, 100, 200, kWgs84).Clone());
  ExpectSamePoints(*copy, CKvStereographicNorthPole("b", 60, 20, 100, 200, kWgs84));
  double lon, lat;
  copy->GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 20.0);
  EXPECT_EQ(lat, 90.0);
}

TEST(Stereographic, PolarDefaultAreaIsThePolePlusMinus200km) {
  const ProjectionPtr projections[] = {
      Make(new CKvPolarStereographic("a", 0.994, 0, 90, 2000000, 1000000, kWgs84)),
      Make(new CKvPolarStereographic("b", 1.0, 0, -71, 2000000, 1000000, kWgs84)),
      Make(new CKvStereographicNorthPole("c", 70, -45, 2000000, 1000000, kWgs84)),
  };
  for (const ProjectionPtr& p : projections) {
    double x0, y0, x1, y1;
    p->GetDefaultArea(&x0, &y0, &x1, &y1);
    EXPECT_NEAR(x0, 1800000.0, 1e-6);
    EXPECT_NEAR(y0, 800000.0, 1e-6);
    EXPECT_NEAR(x1, 2200000.0, 1e-6);
    EXPECT_NEAR(y1, 1200000.0, 1e-6);
  }
  // Oblique: the box of +-3 degrees around the origin.
  CKvStereographic rd("RD", 0.9999079, 5.38763888888889, 52.15616055555555, 155000, 463000,
                      kBessel);
  double x0, y0, x1, y1, x, y;
  rd.GetDefaultArea(&x0, &y0, &x1, &y1);
  rd.Geo2Proj(5.38763888888889 + 3, 52.15616055555555 + 3, &x, &y);
  EXPECT_EQ(x1, x);
  EXPECT_EQ(y1, y);
}

// The numeric convergence (centred difference) against PROJ's meridian
// convergence; about a pole it is the longitude difference itself.
TEST(Stereographic, ConvergenceMatchesProj) {
  CKvStereographic rd("RD", 0.9999079, 5.38763888888889, 52.15616055555555, 155000, 463000,
                      kBessel);
  ProjOracle rdProj(
      "+proj=sterea +lat_0=52.15616055555555 +lon_0=5.38763888888889 "
      "+k=0.9999079 +x_0=155000 +y_0=463000 +a=6377397.155 +rf=299.1528128");
  CKvStereographicNorthPole nsidc("NSIDC", 70, -45, 0, 0, kWgs84);
  ProjOracle nsidcProj("+proj=stere +lat_0=90 +lat_ts=70 +lon_0=-45 +k=1 +ellps=WGS84");
  for (double lon : {3.5, 5.0, 7.2}) {
    for (double lat : {50.8, 52.0, 53.6}) {
      double expected = rdProj.Factors(lon, lat).meridian_convergence * kvcart::kRadToDeg;
      EXPECT_NEAR(rd.GetConvergence(lon, lat), expected, 1e-8) << lon << ", " << lat;
    }
  }
  for (double lon : {-170.0, -45.0, 0.0, 100.0}) {
    for (double lat : {40.0, 70.0, 89.99}) {
      double expected = kvcart::NormalizeLongitude(lon + 45.0);
      EXPECT_NEAR(nsidc.GetConvergence(lon, lat), expected, 1e-8) << lon << ", " << lat;
    }
  }
}

// The far side of the projection (antipode, opposite pole) and latitudes
// beyond the poles give non-finite values, never a crash or a finite lie.
TEST(Stereographic, OutsideTheDomainIsNotFinite) {
  CKvStereographic rd("RD", 0.9999079, 5.38763888888889, 52.15616055555555, 155000, 463000,
                      kBessel);
  CKvStereographicNorthPole north("N", 70, 0, 0, 0, kWgs84);
  double x, y;
  north.Geo2Proj(0.0, -90.0, &x, &y);
  EXPECT_FALSE(std::isfinite(x) && std::isfinite(y));
  // The antipode of an oblique origin lies at infinity; rounding must not
  // bring it back onto the map (on this sphere it came out 33 000 km off).
  for (double lat0 : {52.0, 33.3, -12.7}) {
    CKvStereographic sphere("sphere", 1.0, 10, lat0, 0, 0, kSphere);
    sphere.Geo2Proj(-170.0, -lat0, &x, &y);
    EXPECT_FALSE(std::isfinite(x) || std::isfinite(y)) << lat0 << ": " << x << ", " << y;
  }
  for (double lat : {91.0, -100.0, std::numeric_limits<double>::quiet_NaN()}) {
    rd.Geo2Proj(5.0, lat, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << lat;
    north.Geo2Proj(5.0, lat, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << lat;
  }
}

// A scale that is not positive (a definition section without "Scale" reads
// 0) or a parallel of true scale at the opposite pole defines no
// projection: NaN for every point, never every point on the false origin.
TEST(Stereographic, DegenerateParametersGiveNaN) {
  const ProjectionPtr projections[] = {
      Make(new CKvStereographic("oblique k0 0", 0.0, 5.4, 52.2, 155000, 463000, kBessel)),
      Make(new CKvStereographic("polar k0 0", 0.0, 0, 90, 2000000, 2000000, kWgs84)),
      Make(new CKvStereographic("negative k0", -0.994, 0, -90, 0, 0, kWgs84)),
      Make(new CKvPolarStereographic("kind k0 0", 0.0, 0, 90, 0, 0, kWgs84)),
      Make(new CKvStereographicNorthPole("true scale at -90", -90, 0, 0, 0, kWgs84)),
      Make(new CKvStereographicSouthPole("true scale at 90", 90, 0, 0, 0, kWgs84)),
  };
  for (const ProjectionPtr& p : projections) {
    for (double lat : {89.0, 52.0, 0.0, -60.0}) {
      double x, y, lon2, lat2;
      p->Geo2Proj(5.0, lat, &x, &y);
      EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << p->GetName() << ": " << x << ", " << y;
      p->Proj2Geo(155000.0 + lat, 463000.0, &lon2, &lat2);
      EXPECT_TRUE(std::isnan(lon2) && std::isnan(lat2)) << p->GetName() << ": " << lon2;
    }
  }
}

// A missing coordinate stays missing in both outputs: a grid point with a
// NaN coordinate must not come back on the central meridian.
TEST(Stereographic, NaNInGivesNaNOut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const ProjectionPtr projections[] = {
      Make(new CKvStereographic("RD", 0.9999079, 5.4, 52.2, 155000, 463000, kBessel)),
      Make(new CKvStereographic("UPS", 0.994, 0, 90, 2000000, 2000000, kWgs84)),
      Make(new CKvStereographicSouthPole("S", -71, 0, 0, 0, kWgs84)),
      Make(new CKvPolarStereographic("PS", 1.0, 0, 70, 0, 0, kWgs84)),
  };
  for (const ProjectionPtr& p : projections) {
    for (const auto& [a, b] : {std::pair{nan, 1000.0}, {1000.0, nan}, {nan, nan}}) {
      double lon, lat, x, y;
      p->Proj2Geo(a, b, &lon, &lat);
      EXPECT_TRUE(std::isnan(lon) && std::isnan(lat)) << p->GetName() << ": " << lon << ", " << lat;
      p->Geo2Proj(a, b / 100.0, &x, &y);
      EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << p->GetName() << ": " << x << ", " << y;
    }
  }
}

// Longitudes in any turn reach the same point; outputs lie in [-180, 180).
TEST(Stereographic, LongitudesWrap) {
  CKvStereographic nb("NB", 0.999912, -66.5, 46.5, 2500000, 7500000, kGrs80);
  double x1, y1, x2, y2, lon, lat;
  nb.Geo2Proj(-66.0, 47.0, &x1, &y1);
  nb.Geo2Proj(-66.0 + 720.0, 47.0, &x2, &y2);
  EXPECT_NEAR(x1, x2, 1e-6);
  EXPECT_NEAR(y1, y2, 1e-6);
  CKvStereographicSouthPole aat("AAT", -71, 170, 0, 0, kWgs84);
  aat.Geo2Proj(-175.0, -80.0, &x1, &y1);
  aat.Proj2Geo(x1, y1, &lon, &lat);
  EXPECT_NEAR(lon, -175.0, 1e-9);
}

// GDAL writes the latitude-of-true-scale form as "Polar_Stereographic" with
// the latitude of true scale as latitude of origin and no scale factor: it
// reads as scale 1, the south pole class.
TEST(Stereographic, PolarTextWithoutScaleFactorIsTheTrueScaleForm) {
  CKvPRJParser text(
      "PROJCS[\"WGS 84 / Antarctic Polar Stereographic\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\","
      "SPHEROID[\"WGS 84\",6378137,298.257223563]],PRIMEM[\"Greenwich\",0],"
      "UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Polar_Stereographic\"],"
      "PARAMETER[\"latitude_of_origin\",-71],PARAMETER[\"central_meridian\",0],"
      "PARAMETER[\"false_easting\",0],PARAMETER[\"false_northing\",0],UNIT[\"metre\",1]]");
  ASSERT_TRUE(text.Parse(false));
  EXPECT_EQ(text.GetProjectionType(), CKvMapProjData::ePolarStereographic);
  ProjectionPtr projection(text.CreateMapProjection());
  ASSERT_TRUE(projection);
  ExpectSamePoints(*projection, CKvStereographicSouthPole("b", -71, 0, 0, 0, kWgs84));
}

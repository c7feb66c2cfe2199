// The conic families -- Lambert conformal conic with one and two standard
// parallels, Albers equal area, equidistant conic -- against PROJ on real
// EPSG and ESRI definitions (north and south cones, a false origin at the
// pole, the Michigan scaling factor, the Paris meridian), and the edges of
// their formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "FamilyOracle.h"
#include "KvCart/families/CKvAlbersEqualArea.h"
#include "KvCart/families/CKvEquidistantConic.h"
#include "KvCart/families/CKvLambert1SP.h"
#include "KvCart/families/CKvLambert2SP.h"

namespace {

const CKvEllipsoid kGrs80("GRS 1980", "RF", 6378137.0, 298.257222101);
const CKvEllipsoid kIntl("International 1924", "IN", 6378388.0, 297.0);
const CKvEllipsoid kClarke1866("Clarke 1866", "CC", 6378206.4, 294.9786982);
const CKvEllipsoid kClarkeIgn("Clarke 1880 (IGN)", "CG", 6378249.2, 293.4660212936269);
const CKvEllipsoid kSa69("South American 1969", "SA", 6378160.0, 298.25);
const CKvEllipsoid kSphere("Sphere", "XY", 6371000.0, 0.0);

constexpr double kIterated = 1e-9;
constexpr double kSeries = 1e-8;

const OracleCase kConicCases[] = {
    {"RGF93 / Lambert-93 (EPSG:2154)",
     [] { return new CKvLambert2SP("L93", 49, 44, 3, 46.5, 700000, 6600000, kGrs80); },
     "+proj=lcc +lat_1=49 +lat_2=44 +lat_0=46.5 +lon_0=3 +x_0=700000 +y_0=6600000 +ellps=GRS80",
     -5.5, 10, 41, 51.5, kIterated},
    {"BD72 / Belgian Lambert 72 (EPSG:31370), false origin at the pole",
     [] {
       return new CKvLambert2SP("BD72", 51.16666723333333, 49.8333339, 4.367486666666666, 90,
                                150000.013, 5400088.438, kIntl);
     },
     "+proj=lcc +lat_1=51.16666723333333 +lat_2=49.8333339 +lat_0=90 +lon_0=4.367486666666666 "
     "+x_0=150000.013 +y_0=5400088.438 +ellps=intl",
     2.5, 6.5, 49.5, 51.5, kIterated},
    {"GDA94 / Geoscience Australia Lambert (EPSG:3112), apex south",
     [] { return new CKvLambert2SP("GA", -18, -36, 134, 0, 0, 0, kGrs80); },
     "+proj=lcc +lat_1=-18 +lat_2=-36 +lat_0=0 +lon_0=134 +ellps=GRS80", 112, 154, -44, -10,
     kIterated},
    {"NAD27 / Michigan Central (EPSG:6201), ellipsoid scaling factor",
     [] {
       return new CKvLambert2SP("Michigan", 44.18333333333333, 45.7, -84.33333333333333,
                                43.31666666666667, 609601.2192024385, 0, kClarke1866, 1.0000382);
     },
     "+proj=lcc +lat_1=44.18333333333333 +lat_2=45.7 +lat_0=43.31666666666667 "
     "+lon_0=-84.33333333333333 +x_0=609601.2192024385 +k_0=1.0000382 +a=6378206.4 "
     "+rf=294.9786982",
     -87.1, -82.3, 43, 45.9, kIterated},
    {"NTF (Paris) / Lambert zone II (EPSG:27572), Paris meridian",
     [] {
       return new CKvLambert1SP("NTF", 0.99987742, 2.33722917, 46.8, 600000, 2200000, kClarkeIgn);
     },
     "+proj=lcc +lat_1=46.8 +lat_0=46.8 +lon_0=2.33722917 +k_0=0.99987742 +x_0=600000 "
     "+y_0=2200000 +a=6378249.2 +rf=293.4660212936269",
     -4.8, 8.3, 42.3, 51.1, kIterated},
    {"JAD69 / Jamaica National Grid (EPSG:24200)",
     [] { return new CKvLambert1SP("JAD69", 1, -77, 18, 250000, 150000, kClarke1866); },
     "+proj=lcc +lat_1=18 +lat_0=18 +lon_0=-77 +k_0=1 +x_0=250000 +y_0=150000 +a=6378206.4 "
     "+rf=294.9786982",
     -78.4, -76.1, 17.6, 18.6, kIterated},
    {"American Samoa 1962 / American Samoa Lambert (EPSG:3102), apex south",
     [] {
       return new CKvLambert1SP("Samoa", 1, -170, -14.266666666666667, 152400.30480060962,
                                95169.31165862334, kClarke1866);
     },
     "+proj=lcc +lat_1=-14.266666666666667 +lat_0=-14.266666666666667 +lon_0=-170 +k_0=1 "
     "+x_0=152400.30480060962 +y_0=95169.31165862334 +a=6378206.4 +rf=294.9786982",
     -171, -168, -14.6, -14, kIterated},
    {"NAD83 / Conus Albers (EPSG:5070)",
     [] { return new CKvAlbersEqualArea("Conus", 29.5, 45.5, -96, 23, 0, 0, kGrs80); },
     "+proj=aea +lat_1=29.5 +lat_2=45.5 +lat_0=23 +lon_0=-96 +ellps=GRS80", -125, -66, 24, 50,
     kSeries},
    {"GDA94 / Australian Albers (EPSG:3577), apex south",
     [] { return new CKvAlbersEqualArea("Australia", -18, -36, 132, 0, 0, 0, kGrs80); },
     "+proj=aea +lat_1=-18 +lat_2=-36 +lat_0=0 +lon_0=132 +ellps=GRS80", 112, 154, -44, -10,
     kSeries},
    {"NAD83 / BC Albers (EPSG:3005)",
     [] { return new CKvAlbersEqualArea("BC", 50, 58.5, -126, 45, 1000000, 0, kGrs80); },
     "+proj=aea +lat_1=50 +lat_2=58.5 +lat_0=45 +lon_0=-126 +x_0=1000000 +ellps=GRS80", -139, -114,
     48.3, 60, kSeries},
    {"Albers on a sphere",
     [] { return new CKvAlbersEqualArea("Sphere", 20, 50, 10, 35, 1000, 2000, kSphere); },
     "+proj=aea +lat_1=20 +lat_2=50 +lat_0=35 +lon_0=10 +x_0=1000 +y_0=2000 +R=6371000", -10, 30,
     20, 60, kIterated},
    {"USA_Contiguous_Equidistant_Conic (ESRI:102005)",
     [] { return new CKvEquidistantConic("USA", 33, 45, -96, 39, 0, 0, kGrs80); },
     "+proj=eqdc +lat_1=33 +lat_2=45 +lat_0=39 +lon_0=-96 +ellps=GRS80", -125, -66, 24, 50,
     kSeries},
    {"Europe_Equidistant_Conic (ESRI:102031)",
     [] { return new CKvEquidistantConic("Europe", 43, 62, 10, 30, 0, 0, kIntl); },
     "+proj=eqdc +lat_1=43 +lat_2=62 +lat_0=30 +lon_0=10 +ellps=intl", -10, 40, 35, 70, kSeries},
    {"South_America_Equidistant_Conic (ESRI:102032), apex south",
     [] { return new CKvEquidistantConic("South America", -5, -42, -60, -32, 0, 0, kSa69); },
     "+proj=eqdc +lat_1=-5 +lat_2=-42 +lat_0=-32 +lon_0=-60 +a=6378160 +rf=298.25", -80, -35, -55,
     10, kSeries},
    {"Equidistant conic on a sphere",
     [] { return new CKvEquidistantConic("Sphere", 20, 60, 0, 40, 500, 0, kSphere); },
     "+proj=eqdc +lat_1=20 +lat_2=60 +lat_0=40 +lon_0=0 +x_0=500 +R=6371000", -20, 20, 15, 70,
     kIterated},
};

}  // namespace

TEST(Conic, ForwardMatchesProjAndInverseReturnsInput) {
  for (const OracleCase& c : kConicCases) CheckAgainstProj(c);
}

// With both parallels on the latitude of origin the two-parallel cone is the
// tangent cone of the one-parallel form with k0 = 1; parallels a hair apart
// (where the quotient of logarithms is 0/0 in floating point) are the same.
TEST(Lambert, TangentConeOfBothFormsAgrees) {
  CKvLambert1SP one("one", 1.0, 10, 50, 100, 200, kGrs80);
  CKvLambert2SP two("two", 50, 50, 10, 50, 100, 200, kGrs80);
  CKvLambert2SP hair("hair", 50, 50 + 1e-13, 10, 50, 100, 200, kGrs80);
  for (double lat = 30; lat <= 70; lat += 10) {
    double x1, y1, x2, y2, x3, y3;
    one.Geo2Proj(14, lat, &x1, &y1);
    two.Geo2Proj(14, lat, &x2, &y2);
    hair.Geo2Proj(14, lat, &x3, &y3);
    EXPECT_NEAR(x1, x2, 1e-6);
    EXPECT_NEAR(y1, y2, 1e-6);
    EXPECT_NEAR(x3, x2, 1e-6);
    EXPECT_NEAR(y3, y2, 1e-6);
  }
}

TEST(Lambert, InverseConvergesUpTo89Degrees) {
  CKvLambert2SP north("north", 60, 75, 0, 65, 0, 0, kGrs80);
  CKvLambert2SP south("south", -60, -75, 0, -65, 0, 0, kGrs80);
  for (const CKvLambert2SP* p : {&north, &south}) {
    for (double lat : {45.0, 80.0, 88.0, 89.0}) {
      double sign = p == &south ? -1.0 : 1.0;
      double x, y, lon, back;
      p->Geo2Proj(25.0, sign * lat, &x, &y);
      p->Proj2Geo(x, y, &lon, &back);
      EXPECT_NEAR(back, sign * lat, 1e-9);
      EXPECT_NEAR(lon, 25.0, 1e-9);
    }
  }
}

// The inverse takes the geodetic latitude from the conformal one by a series
// in the third flattening, exact on the earth's ellipsoids but micro-degrees
// off on a custom ellipsoid far flatter (2e-7 rad at 1/f = 10), where
// Newton's method has to take over.
TEST(Lambert, InverseHoldsOnFlattenedEllipsoids) {
  for (int invF : {125, 40, 10}) {
    const CKvEllipsoid flat("flat", "FL", 6378137.0, invF);
    const std::string label = "1/f = " + std::to_string(invF);
    const OracleCase c = {
        label.c_str(),
        [&flat] { return new CKvLambert2SP("flat", 30, 60, 10, 45, 0, 0, flat); },
        "+proj=lcc +lat_1=30 +lat_2=60 +lat_0=45 +lon_0=10 +a=6378137 +rf=" + std::to_string(invF),
        -60,
        80,
        5,
        85,
        kIterated};
    CheckAgainstProj(c);
  }
}

// The closed form n (lon - lon0) against PROJ's convergence, on both sides of
// the central meridian and across the antimeridian.
TEST(Lambert, ConvergenceMatchesProj) {
  CKvLambert2SP l93("L93", 49, 44, 3, 46.5, 700000, 6600000, kGrs80);
  ProjOracle proj(
      "+proj=lcc +lat_1=49 +lat_2=44 +lat_0=46.5 +lon_0=3 +x_0=700000 +y_0=6600000 +ellps=GRS80");
  EXPECT_EQ(l93.GetConvergence(3.0, 46.0), 0.0);
  for (double lon : {-4.0, 1.0, 5.0, 9.5}) {
    double expected = proj.Factors(lon, 46.0).meridian_convergence * kvcart::kRadToDeg;
    EXPECT_NEAR(l93.GetConvergence(lon, 46.0), expected, 1e-9) << lon;
  }
  CKvLambert1SP pacific("pacific", 1.0, 175, 40, 0, 0, kGrs80);
  EXPECT_NEAR(pacific.GetConvergence(-175.0, 40.0), 10.0 * std::sin(40 * kvcart::kDegToRad), 1e-12);
}

// A false origin at the pole is the apex: the default area is then centred on
// the mean of the standard parallels instead of a box around the apex.
TEST(Lambert, DefaultAreaOfAPoleOriginCentresOnTheParallels) {
  CKvLambert2SP belgium("BD72", 51, 49, 4, 90, 0, 0, kIntl);
  double x0, y0, x1, y1, ex0, ey0, ex1, ey1;
  belgium.GetDefaultArea(&x0, &y0, &x1, &y1);
  belgium.Geo2Proj(1, 47, &ex0, &ey0);
  belgium.Geo2Proj(7, 53, &ex1, &ey1);
  EXPECT_DOUBLE_EQ(x0, ex0);
  EXPECT_DOUBLE_EQ(y0, ey0);
  EXPECT_DOUBLE_EQ(x1, ex1);
  EXPECT_DOUBLE_EQ(y1, ey1);
}

// No cone at all: one parallel on the equator, two symmetric about it; or
// a scale of 0 (a definition read without its "Scale" keyword), which put
// every point on the false origin. Every point gives NaN, never an infinity
// or a finite wrong value.
TEST(Conic, DegenerateConesGiveNaN) {
  ProjectionPtr cones[] = {
      ProjectionPtr(new CKvLambert1SP("equator", 1, 0, 0, 0, 0, kGrs80)),
      ProjectionPtr(new CKvLambert1SP("no scale", 0, 10, 45, 500, 600, kGrs80)),
      ProjectionPtr(new CKvLambert2SP("no scale", 40, 50, 10, 45, 500, 600, kGrs80, 0.0)),
      ProjectionPtr(new CKvLambert2SP("symmetric", 30, -30, 0, 0, 0, 0, kGrs80)),
      ProjectionPtr(new CKvAlbersEqualArea("symmetric", 30, -30, 0, 0, 0, 0, kGrs80)),
      ProjectionPtr(new CKvEquidistantConic("symmetric", 30, -30, 0, 0, 0, 0, kGrs80)),
  };
  for (const ProjectionPtr& p : cones) {
    double x, y;
    p->Geo2Proj(10, 20, &x, &y);
    EXPECT_TRUE(std::isnan(x) || std::isnan(y)) << p->GetName() << " " << x << " " << y;
  }
}

// A point one turn east or west is the same point; latitudes beyond the poles
// give NaN.
TEST(Conic, LongitudesWrapAndLatitudesBeyondThePolesGiveNaN) {
  for (const OracleCase& c : kConicCases) {
    ProjectionPtr p(c.make());
    double lon = (c.west + c.east) / 2, lat = (c.south + c.north) / 2;
    double x, y, xw, yw;
    p->Geo2Proj(lon, lat, &x, &y);
    p->Geo2Proj(lon + 360.0, lat, &xw, &yw);
    EXPECT_NEAR(xw, x, 1e-6) << c.label;
    EXPECT_NEAR(yw, y, 1e-6) << c.label;
    p->Geo2Proj(lon, 90.5, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << c.label;
  }
}

// The pole away from the apex is a circle of the Albers grid, and valid
// input: its inverse is that pole. Next to a pole q hardly changes with the
// latitude, so the rounding of q leaves about 1e-6 degrees there; the
// Newton step on q must not turn that into a latitude beyond the pole (it
// gave -812 degrees for the south pole of a northern cone).
TEST(Albers, InverseAtAndNextToThePolesStaysOnTheEarth) {
  CKvAlbersEqualArea north("Conus", 29.5, 45.5, -96, 23, 0, 0, kGrs80);
  CKvAlbersEqualArea south("Australia", -18, -36, 132, 0, 0, 0, kGrs80);
  for (const CKvAlbersEqualArea* p : {&north, &south}) {
    const char* cone = p == &north ? "north" : "south";
    for (double lat : {-90.0, -89.9999999, -89.99999, 89.99999, 89.9999999, 90.0}) {
      for (double lon : {-100.0, 0.0, 135.0}) {
        double x, y, lon2, lat2;
        p->Geo2Proj(lon, lat, &x, &y);
        p->Proj2Geo(x, y, &lon2, &lat2);
        EXPECT_NEAR(lat2, lat, 1e-5) << cone << " " << lon << " " << lat;
        EXPECT_LE(std::fabs(lat2), 90.0);
      }
    }
  }
  // Grid points beyond the circle of a pole are taken as that pole.
  double x, y, lon, lat;
  north.Geo2Proj(-96, -90, &x, &y);
  north.Proj2Geo(x, y - 1000.0, &lon, &lat);
  EXPECT_EQ(lat, -90.0);
}

// The sphere is computed by the sphere object, reported as (a, 0); a copy
// keeps its formula object (copied by its kind, not shared).
TEST(Conic, SphereFormulaObjectAndCopies) {
  CKvAlbersEqualArea albersSphere("s", 20, 50, 10, 35, 0, 0, kSphere);
  CKvEquidistantConic eqdcSphere("s", 20, 50, 10, 35, 0, 0, kSphere);
  CKvAlbersEqualArea albers("e", 20, 50, 10, 35, 0, 0, kGrs80);
  EXPECT_EQ(albersSphere.GetFormulaKind(), 2);
  EXPECT_EQ(eqdcSphere.GetFormulaKind(), 2);
  EXPECT_EQ(albers.GetFormulaKind(), 1);
  CKvEllipsoid anonymous;
  ASSERT_TRUE(albersSphere.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetMajor(), 6371000.0);
  EXPECT_EQ(anonymous.GetInvFlatness(), 0.0);
  ASSERT_TRUE(eqdcSphere.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetInvFlatness(), 0.0);
  ASSERT_TRUE(albers.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetInvFlatness(), 298.257222101);

  double x, y, cx, cy;
  ProjectionPtr copy;
  {
    CKvAlbersEqualArea original("e", 20, 50, 10, 35, 0, 0, kGrs80);
    copy.reset(original.Clone());
    original.Geo2Proj(12, 40, &x, &y);
  }
  copy->Geo2Proj(12, 40, &cx, &cy);  // the original is gone
  EXPECT_EQ(cx, x);
  EXPECT_EQ(cy, y);
}

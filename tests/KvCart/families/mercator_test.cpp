// Mercator with one and two standard parallels against PROJ on EPSG
// definitions, the web map's Mercator on the sphere, and the edges: the
// world default area, the inverse series at high latitude, the antimeridian.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "FamilyOracle.h"
#include "KvCart/families/CKvMercator1SP.h"
#include "KvCart/families/CKvMercator2SP.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);
const CKvEllipsoid kBessel("Bessel 1841", "BR", 6377397.155, 299.1528128);
const CKvEllipsoid kKrassovsky("Krassovsky 1940", "KA", 6378245.0, 298.3);
const CKvEllipsoid kWebSphere("WGS 84 sphere", "", 6378137.0, 0.0);

constexpr double kSeries = 1e-8;

const OracleCase kMercatorCases[] = {
    {"WGS 84 / World Mercator (EPSG:3395)",
     [] { return new CKvMercator1SP("World", 1, 0, 0, 0, kWgs84); },
     "+proj=merc +lon_0=0 +k=1 +ellps=WGS84", -179.5, 179.5, -80, 84, kSeries},
    {"Makassar / NEIEZ (EPSG:3002)",
     [] { return new CKvMercator1SP("NEIEZ", 0.997, 110, 3900000, 900000, kBessel); },
     "+proj=merc +lon_0=110 +k=0.997 +x_0=3900000 +y_0=900000 +ellps=bessel", 110, 142, -10, 5,
     kSeries},
    {"WGS 84 / Mercator 41 (EPSG:3994)",
     [] { return new CKvMercator2SP("Mercator 41", -41, 100, 0, 0, kWgs84); },
     "+proj=merc +lat_ts=-41 +lon_0=100 +ellps=WGS84", 60, 180, -60, -20, kSeries},
    {"Pulkovo 1942 / Caspian Sea Mercator (EPSG:3388)",
     [] { return new CKvMercator2SP("Caspian", 42, 51, 0, 0, kKrassovsky); },
     "+proj=merc +lat_ts=42 +lon_0=51 +ellps=krass", 46, 56, 36, 48, kSeries},
    {"Mercator on the sphere of radius a (EPSG:3857)",
     [] { return new CKvMercator2SP("Web", 0, 0, 0, 0, kWebSphere); },
     "+proj=merc +a=6378137 +b=6378137 +lon_0=0", -179, 179, -85, 85, 1e-9},
};

}  // namespace

TEST(Mercator, ForwardMatchesProjAndInverseReturnsInput) {
  for (const OracleCase& c : kMercatorCases) CheckAgainstProj(c);
}

TEST(Mercator, TrueScaleAtTheEquatorIsTheOneParallelFormWithScaleOne) {
  CKvMercator1SP one("one", 1.0, 12, 100, 200, kWgs84);
  CKvMercator2SP two("two", 0.0, 12, 100, 200, kWgs84);
  for (double lat : {-70.0, 0.0, 33.0, 80.0}) {
    double x1, y1, x2, y2;
    one.Geo2Proj(20, lat, &x1, &y1);
    two.Geo2Proj(20, lat, &x2, &y2);
    EXPECT_EQ(x1, x2);
    EXPECT_EQ(y1, y2);
  }
}

TEST(Mercator, InverseSeriesHoldsAtHighLatitudes) {
  CKvMercator1SP world("World", 1, 0, 0, 0, kWgs84);
  for (double lat : {80.0, -80.0, 85.0, 89.0}) {
    double x, y, lon, back;
    world.Geo2Proj(10, lat, &x, &y);
    world.Proj2Geo(x, y, &lon, &back);
    EXPECT_NEAR(back, lat, 1e-8) << lat;
  }
}

// The inverse series in the third flattening is exact on the earth's
// ellipsoids; a custom ellipsoid far flatter (the old fourth-order series
// in e^2 was 2e-3 degrees off at 1/f = 10) iterates instead.
TEST(Mercator, InverseHoldsOnFlattenedEllipsoids) {
  for (int invF : {125, 40, 10}) {
    const CKvEllipsoid flat("flat", "FL", 6378137.0, invF);
    const std::string label = "1/f = " + std::to_string(invF);
    const OracleCase c = {label.c_str(),
                          [&flat] { return new CKvMercator1SP("flat", 0.9996, 10, 0, 0, flat); },
                          "+proj=merc +lon_0=10 +k=0.9996 +a=6378137 +rf=" + std::to_string(invF),
                          -160,
                          170,
                          -85,
                          85,
                          1e-9};
    CheckAgainstProj(c);
  }
}

// With the central meridian on Greenwich the default area is the world from
// 60 S to 81 N, from 180 W to 180 E: the east edge is half the equator east
// of the origin, not folded onto the west edge.
TEST(Mercator, DefaultAreaOfTheGreenwichMercatorIsTheWorld) {
  CKvMercator1SP world("World", 1, 0, 0, 0, kWgs84);
  double x0, y0, x1, y1, e, n60, n81;
  world.GetDefaultArea(&x0, &y0, &x1, &y1);
  world.Geo2Proj(0, -60, &e, &n60);
  world.Geo2Proj(0, 81, &e, &n81);
  EXPECT_NEAR(x0, -M_PI * 6378137.0, 1e-6);
  EXPECT_NEAR(x1, M_PI * 6378137.0, 1e-6);
  EXPECT_DOUBLE_EQ(y0, n60);
  EXPECT_DOUBLE_EQ(y1, n81);

  CKvMercator2SP caspian("Caspian", 42, 51, 0, 0, kKrassovsky);
  caspian.GetDefaultArea(&x0, &y0, &x1, &y1);
  double ex0, ey0, ex1, ey1;
  caspian.Geo2Proj(48, -3, &ex0, &ey0);
  caspian.Geo2Proj(54, 3, &ex1, &ey1);
  EXPECT_DOUBLE_EQ(x0, ex0);
  EXPECT_DOUBLE_EQ(y1, ey1);
}

// Points across the antimeridian from the central meridian are the nearer
// way round; the inverse gives normalised longitudes.
TEST(Mercator, AntimeridianAndOrigin) {
  CKvMercator2SP pacific("Pacific", 0, 170, 0, 0, kWgs84);
  double x, y, lon, lat;
  pacific.Geo2Proj(-175, 10, &x, &y);
  EXPECT_NEAR(x, 15 * kvcart::kDegToRad * 6378137.0, 1e-6);
  pacific.Proj2Geo(x, y, &lon, &lat);
  EXPECT_NEAR(lon, -175, 1e-9);
  double lon0, lat0;
  pacific.GetOrigin(&lon0, &lat0);
  EXPECT_EQ(lon0, 170);
  EXPECT_EQ(lat0, 0);
}

// A scale of 0 (a definition read without its "Scale" keyword) or a
// parallel of true scale at a pole leaves no map: every point used to land
// on the false origin. Conversions give NaN instead.
TEST(Mercator, NoScaleGivesNaN) {
  CKvMercator1SP noScale("no scale", 0, 10, 500, 600, kWgs84);
  CKvMercator2SP polar("polar", 90, 10, 500, 600, kWgs84);
  for (const CKvMercator* p :
       {static_cast<const CKvMercator*>(&noScale), static_cast<const CKvMercator*>(&polar)}) {
    double x, y, lon, lat;
    p->Geo2Proj(12, 40, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << x << " " << y;
    p->Proj2Geo(700, 800, &lon, &lat);
    EXPECT_TRUE(std::isnan(lon) && std::isnan(lat)) << lon << " " << lat;
  }
}

// ESRI's name for the web map's Mercator reads as the Mercator on the sphere
// of radius a; an auxiliary sphere other than that one is refused.
TEST(Mercator, AuxiliarySphereFromWellKnownText) {
  const char* kWeb =
      "PROJCS[\"WGS_1984_Web_Mercator_Auxiliary_Sphere\",GEOGCS[\"GCS_WGS_1984\",DATUM["
      "\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],"
      "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Mercator_Auxiliary_Sphere\"],PARAMETER["
      "\"False_Easting\",0.0],PARAMETER[\"False_Northing\",0.0],PARAMETER[\"Central_Meridian\","
      "0.0],PARAMETER[\"Standard_Parallel_1\",0.0],PARAMETER[\"Auxiliary_Sphere_Type\",%s],UNIT["
      "\"Meter\",1.0]]";
  char text[1024];
  std::snprintf(text, sizeof text, kWeb, "0.0");
  CKvPRJParser web(text);
  ASSERT_TRUE(web.Parse(false));
  ProjectionPtr p(web.CreateMapProjection());
  ASSERT_TRUE(p);
  ProjOracle proj("+proj=merc +a=6378137 +b=6378137");
  double x, y, px, py;
  p->Geo2Proj(-74, 40.7, &x, &y);
  proj.Forward(-74, 40.7, &px, &py);
  EXPECT_NEAR(x, px, 1e-3);
  EXPECT_NEAR(y, py, 1e-3);

  std::snprintf(text, sizeof text, kWeb, "2.0");
  CKvPRJParser authalic(text);
  authalic.Parse(false);
  EXPECT_EQ(ProjectionPtr(authalic.CreateMapProjection()), nullptr);
}

// GDAL writes the web maps' Mercator as Mercator_1SP on WGS 84 with the
// sphere in its PROJ.4 extension; without the extension the same text is the
// ellipsoidal Mercator.
TEST(Mercator, PseudoMercatorFromGdalText) {
  const std::string kGdal =
      "PROJCS[\"WGS 84 / Pseudo-Mercator\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS "
      "84\",6378137,298.257223563]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]"
      ",PROJECTION[\"Mercator_1SP\"],PARAMETER[\"central_meridian\",0],PARAMETER[\"scale_"
      "factor\",1],PARAMETER[\"false_easting\",0],PARAMETER[\"false_northing\",0],UNIT[\"metre\","
      "1],AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]";
  const std::string kExtension =
      ",EXTENSION[\"PROJ4\",\"+proj=merc +a=6378137 +b=6378137 +lat_ts=0 +lon_0=0 +x_0=0 +y_0=0 "
      "+k=1 +units=m +nadgrids=@null +wktext +no_defs\"]]";
  ProjOracle web("+proj=merc +a=6378137 +b=6378137");
  ProjOracle ellipsoidal("+proj=merc +ellps=WGS84");
  for (const auto& [text, oracle] :
       {std::make_pair(kGdal + kExtension, &web), std::make_pair(kGdal + "]", &ellipsoidal)}) {
    CKvPRJParser parser(text.c_str());
    ASSERT_TRUE(parser.Parse(false));
    ProjectionPtr p(parser.CreateMapProjection());
    ASSERT_TRUE(p);
    double x, y, px, py;
    p->Geo2Proj(13.4, 52.5, &x, &y);
    oracle->Forward(13.4, 52.5, &px, &py);
    EXPECT_NEAR(x, px, 1e-3);
    EXPECT_NEAR(y, py, 1e-3);
  }
}

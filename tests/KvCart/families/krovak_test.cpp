// Krovak against PROJ's krovak on both S-JTSK grids, the guidance note's
// worked example, the orientation step (every quarter-turn orientation
// against PROJ's +axis), and well-known text in its ESRI form (X/Y scales)
// and its GDAL form (AXIS elements only).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FamilyOracle.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvKrovak.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/CKvProjectionInfo.h"

namespace {

const CKvEllipsoid kBessel("Bessel 1841", "BR", 6377397.155, 299.1528128);
const std::string kProjKrovak =
    "+proj=krovak +lat_0=49.5 +lon_0=24.83333333333333 +alpha=30.28813975277778 +k=0.9999 "
    "+x_0=0 +y_0=0 +ellps=bessel";

// S-JTSK with an orientation step (X scale, Y scale, rotation in degrees).
CKvKrovak SJtsk(double xScale, double yScale, double rotation) {
  return CKvKrovak("S-JTSK", 0.9999, 78.5, 24.833333333333332, 49.5, 30.28813975277778, rotation,
                   xScale, yScale, 0, 0, kBessel);
}

const OracleCase kCases[] = {
    {"S-JTSK / Krovak East North (EPSG:5514)", [] { return new CKvKrovak(SJtsk(-1, 1, 90)); },
     kProjKrovak, 12.09, 22.56, 47.73, 51.06, 1e-9},
    {"S-JTSK / Krovak (EPSG:5513)", [] { return new CKvKrovak(SJtsk(1, 1, 0)); },
     kProjKrovak + " +axis=swu", 12.09, 22.56, 47.73, 51.06, 1e-9},
};

// The point of the EPSG worked example (Guidance Note 7-2, method 9819).
constexpr double kExampleLon = 16 + 50 / 60.0 + 59.179 / 3600.0;
constexpr double kExampleLat = 50 + 12 / 60.0 + 32.442 / 3600.0;
constexpr double kExampleSouthing = 1050538.63, kExampleWesting = 568991.00;

const char kEsri5513[] =
    "PROJCS[\"S-JTSK_Krovak\",GEOGCS[\"GCS_S_JTSK\",DATUM[\"D_S_JTSK\",SPHEROID[\"Bessel_1841\","
    "6377397.155,299.1528128]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
    "PROJECTION[\"Krovak\"],PARAMETER[\"False_Easting\",0.0],PARAMETER[\"False_Northing\",0.0],"
    "PARAMETER[\"Pseudo_Standard_Parallel_1\",78.5],PARAMETER[\"Scale_Factor\",0.9999],"
    "PARAMETER[\"Azimuth\",30.28813975277778],PARAMETER[\"Longitude_Of_Center\","
    "24.83333333333333],PARAMETER[\"Latitude_Of_Center\",49.5],PARAMETER[\"X_Scale\",1.0],"
    "PARAMETER[\"Y_Scale\",1.0],PARAMETER[\"XY_Plane_Rotation\",0.0],UNIT[\"Meter\",1.0]]";

// GDAL's WKT 1 of EPSG:5514 and 5513 (projinfo -o WKT1_GDAL), authority
// elements left out; axes given as a tail.
std::string GdalKrovak(const std::string& axes) {
  return "PROJCS[\"S-JTSK / Krovak\",GEOGCS[\"S-JTSK\",DATUM[\"System_of_the_Unified_"
         "Trigonometrical_Cadastral_Network\",SPHEROID[\"Bessel 1841\",6377397.155,299.1528128]],"
         "PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Krovak\"],"
         "PARAMETER[\"latitude_of_center\",49.5],PARAMETER[\"longitude_of_center\","
         "24.8333333333333],PARAMETER[\"azimuth\",30.2881397527778],"
         "PARAMETER[\"pseudo_standard_parallel_1\",78.5],PARAMETER[\"scale_factor\",0.9999],"
         "PARAMETER[\"false_easting\",0],PARAMETER[\"false_northing\",0],UNIT[\"metre\",1]" +
         axes + "]";
}

ProjectionPtr FromText(const std::string& text, CKvPRJParser& record) {
  record = CKvPRJParser(text.c_str());
  EXPECT_TRUE(record.Parse(false)) << text;
  return ProjectionPtr(record.CreateMapProjection());
}

}  // namespace

TEST(Krovak, BothSJtskGridsAgreeWithProjAndRoundTrip) {
  for (const OracleCase& c : kCases) CheckAgainstProj(c);
}

// The inverse takes the latitude by the series in the third flattening,
// exact on Bessel's ellipsoid; on a custom ellipsoid far flatter the series
// is micro-degrees off and Newton's method takes over. (PROJ's krovak keeps
// Bessel's ellipsoid whatever it is given, so only the round trip tells.)
TEST(Krovak, InverseHoldsOnFlattenedEllipsoids) {
  for (double invF : {125.0, 40.0, 10.0}) {
    const CKvEllipsoid flat("flat", "FL", 6378137.0, invF);
    const CKvKrovak krovak("flat", 0.9999, 78.5, 24.833333333333332, 49.5, 30.28813975277778, 90,
                           -1, 1, 0, 0, flat);
    for (double lon = 5.0; lon <= 30.0; lon += 5.0) {
      for (double lat = 40.0; lat <= 60.0; lat += 5.0) {
        double x, y, lon2, lat2;
        krovak.Geo2Proj(lon, lat, &x, &y);
        krovak.Proj2Geo(x, y, &lon2, &lat2);
        EXPECT_NEAR(lon2, lon, 1e-9) << invF << ": " << lon << ", " << lat;
        EXPECT_NEAR(lat2, lat, 1e-9) << invF << ": " << lon << ", " << lat;
      }
    }
  }
}

TEST(Krovak, GuidanceNoteExample) {
  double x, y;
  SJtsk(1, 1, 0).Geo2Proj(kExampleLon, kExampleLat, &x, &y);
  EXPECT_NEAR(x, kExampleSouthing, 0.005);
  EXPECT_NEAR(y, kExampleWesting, 0.005);
}

// The orientation step: both scales -1 reverse both signs; X scale -1 with
// a quarter turn gives easting/northing.
TEST(Krovak, ScalesAndRotationOrientTheGrid) {
  double x, y;
  SJtsk(-1, -1, 0).Geo2Proj(kExampleLon, kExampleLat, &x, &y);
  EXPECT_NEAR(x, -kExampleSouthing, 0.005);
  EXPECT_NEAR(y, -kExampleWesting, 0.005);
  SJtsk(-1, 1, 90).Geo2Proj(kExampleLon, kExampleLat, &x, &y);
  EXPECT_NEAR(x, -kExampleWesting, 0.005);
  EXPECT_NEAR(y, -kExampleSouthing, 0.005);
  double lon, lat;
  SJtsk(0.5, 2, 30).Geo2Proj(kExampleLon, kExampleLat, &x, &y);
  SJtsk(0.5, 2, 30).Proj2Geo(x, y, &lon, &lat);
  EXPECT_NEAR(lon, kExampleLon, 1e-9);
  EXPECT_NEAR(lat, kExampleLat, 1e-9);
}

// Every orientation that permutes the axes has a PROJ "+axis"; PROJ with it
// must give our coordinates.
TEST(Krovak, ProjAxisOfEveryQuarterTurnOrientation) {
  for (double xScale : {1.0, -1.0}) {
    for (double yScale : {1.0, -1.0}) {
      for (double rotation : {0.0, 90.0, 180.0, -90.0}) {
        CKvPRJParser record;
        record.SetAngularUnit("Degree", 0.0174532925199433);
        record.SetXScale(xScale);
        record.SetYScale(yScale);
        record.SetXYPlaneRotation(rotation);
        const std::string axis = CKvKrovak::ProjAxisOf(record);
        ASSERT_EQ(axis.size(), 3u) << xScale << " " << yScale << " " << rotation;
        ProjOracle proj(kProjKrovak + " +axis=" + axis);
        double x, y, px, py;
        SJtsk(xScale, yScale, rotation).Geo2Proj(kExampleLon, kExampleLat, &x, &y);
        proj.Forward(kExampleLon, kExampleLat, &px, &py);
        EXPECT_NEAR(x, px, 1e-3) << axis;
        EXPECT_NEAR(y, py, 1e-3) << axis;
      }
    }
  }
  CKvPRJParser skewed;
  skewed.SetXScale(1.0);
  skewed.SetYScale(1.0);
  skewed.SetXYPlaneRotation(30.0);
  EXPECT_EQ(CKvKrovak::ProjAxisOf(skewed), "");
}

TEST(Krovak, EsriTextKeepsItsScales) {
  CKvPRJParser record;
  ProjectionPtr krovak = FromText(kEsri5513, record);
  ASSERT_TRUE(krovak);
  EXPECT_FALSE(CKvKrovak::IsOrientedByAxes(record));
  EXPECT_EQ(CKvKrovak::ProjAxisOf(record), "swu");
  double x, y;
  krovak->Geo2Proj(kExampleLon, kExampleLat, &x, &y);
  EXPECT_NEAR(x, kExampleSouthing, 0.005);
  EXPECT_NEAR(y, kExampleWesting, 0.005);
}

// A GDAL text without AXIS is EPSG's southing/westing (EPSG:5513); with
// AXIS elements the object gives easting/northing and the axes of the text
// turn it, so "Easting"/"Northing" is EPSG:5514 and SOUTH/WEST is 5513 again.
TEST(Krovak, GdalTextFollowsItsAxes) {
  struct Case {
    std::string axes;
    double first, second;  // expected file coordinates of the example point
    const char* projAxis;
  };
  const Case cases[] = {
      {"", kExampleSouthing, kExampleWesting, "swu"},
      {",AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]", -kExampleWesting, -kExampleSouthing,
       "enu"},
      {",AXIS[\"X\",SOUTH],AXIS[\"Y\",WEST]", kExampleSouthing, kExampleWesting, "swu"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.axes);
    CKvPRJParser record;
    ProjectionPtr krovak = FromText(GdalKrovak(c.axes), record);
    ASSERT_TRUE(krovak);
    CKvProjectionInfo info;
    info.SetProjectionInfo(record);
    double x, y;
    krovak->Geo2Proj(kExampleLon, kExampleLat, &x, &y);
    info.InvConvert(x, y);
    EXPECT_NEAR(x, c.first, 0.005);
    EXPECT_NEAR(y, c.second, 0.005);
    EXPECT_EQ(CKvKrovak::ProjAxisOf(record), c.projAxis);
  }
}

TEST(Krovak, DefaultAreaIsFiveHundredKilometresAroundTheOrigin) {
  CKvKrovak krovak = SJtsk(1, 1, 0);
  double x, y, x0, y0, x1, y1;
  krovak.Geo2Proj(24.833333333333332, 49.5, &x, &y);
  krovak.GetDefaultArea(&x0, &y0, &x1, &y1);
  EXPECT_DOUBLE_EQ(x0, x - 500000);
  EXPECT_DOUBLE_EQ(y0, y - 500000);
  EXPECT_DOUBLE_EQ(x1, x + 500000);
  EXPECT_DOUBLE_EQ(y1, y + 500000);
  double lon, lat;
  krovak.GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 24.833333333333332);
  EXPECT_EQ(lat, 49.5);
}

// Written back (without axes: the writer never gives them), GDAL's texts of
// EPSG:5514 and 5513 must still describe the same grid.
TEST(Krovak, GdalTextIsWrittenBackAsTheSameGrid) {
  for (const std::string& axes :
       {std::string(",AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]"), std::string()}) {
    SCOPED_TRACE(axes);
    CKvPRJParser gdal;
    ProjectionPtr original = FromText(GdalKrovak(axes), gdal);
    CString written;
    ASSERT_TRUE(gdal.Format(written));
    CKvPRJParser back;
    ProjectionPtr reread = FromText(written.GetString(), back);
    ASSERT_TRUE(original && reread);
    double x1, y1, x2, y2;
    original->Geo2Proj(kExampleLon, kExampleLat, &x1, &y1);
    reread->Geo2Proj(kExampleLon, kExampleLat, &x2, &y2);
    EXPECT_NEAR(x1, x2, 1e-6);
    EXPECT_NEAR(y1, y2, 1e-6);
  }
}

// The oblique Mercator family (Hotine from the natural origin, oblique
// Mercator from the centre, rectified skew orthomorphic) against PROJ's
// omerc on the real EPSG systems of the three kinds, and the cases where the
// published formulas read literally go wrong: the azimuth 90 of the Swiss
// grids, a centre on the equator (D^2 < 1 by rounding), a centre-origin grid
// rectified by an angle of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "FamilyOracle.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvHotineObliqueMercator.h"
#include "KvCart/families/CKvObliqueMercator.h"
#include "KvCart/families/CKvRectifiedSkewOrthomorphic.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

const CKvEllipsoid kGrs80("GRS 1980", "RF", 6378137.0, 298.257222101);
const CKvEllipsoid kClarke1866("Clarke 1866", "CC", 6378206.4, 294.9786982);
const CKvEllipsoid kEverest1969("Everest (W. Malaysia 1969)", "ED", 6377295.664, 300.8017);
const CKvEllipsoid kEverestBorneo("Everest (Sabah and Sarawak)", "EB", 6377298.556, 300.8017);
const CKvEllipsoid kBessel("Bessel 1841", "BR", 6377397.155, 299.1528128);

constexpr double kSeriesTolerance = 1e-8;  // the inverse latitude is a truncated series

// The six oblique Mercator rows of the national grids and both Alaska zone 1
// rows of the state planes, as EPSG defines them (PROJ strings from
// projinfo, ellipsoids spelled out with the values of our ellipsoid file).
const OracleCase kCases[] = {
    {"NAD83 / Alaska zone 1 (EPSG:26931)",
     [] {
       return new CKvHotineObliqueMercator("Alaska 1", 0.9999, -133.66666666666666, 57,
                                           323.13010236111114, 5000000, -5000000, kGrs80);
     },
     "+proj=omerc +no_uoff +lat_0=57 +lonc=-133.666666666667 +alpha=323.130102361111 "
     "+gamma=323.130102361111 +k=0.9999 +x_0=5000000 +y_0=-5000000 +ellps=GRS80",
     -141.0, -129.99, 54.61, 60.35, kSeriesTolerance},
    {"NAD27 / Alaska zone 1 (EPSG:26731)",
     [] {
       return new CKvHotineObliqueMercator("Alaska 1 (27)", 0.9999, -133.66666666666666, 57,
                                           323.13010236111114, 5000000.001016003,
                                           -5000000.001016003, kClarke1866);
     },
     "+proj=omerc +no_uoff +lat_0=57 +lonc=-133.666666666667 +alpha=323.130102361111 "
     "+gamma=323.130102361111 +k=0.9999 +x_0=5000000.001016003 +y_0=-5000000.001016003 "
     "+a=6378206.4 +rf=294.9786982",
     -141.0, -129.99, 54.61, 60.35, kSeriesTolerance},
    {"GDM2000 / Peninsula RSO (EPSG:3375)",
     [] {
       return new CKvRectifiedSkewOrthomorphic("Peninsula RSO", 0.99984, 102.25, 4,
                                               323.02579646666663, 323.13010236111114, 804671, 0,
                                               kGrs80);
     },
     "+proj=omerc +no_uoff +lat_0=4 +lonc=102.25 +alpha=323.025796466667 "
     "+gamma=323.130102361111 +k=0.99984 +x_0=804671 +y_0=0 +ellps=GRS80",
     99.59, 104.6, 1.21, 6.72, kSeriesTolerance},
    {"Kertau (RSO) / RSO Malaya (EPSG:3168)",
     [] {
       return new CKvRectifiedSkewOrthomorphic("RSO Malaya", 0.99984, 102.25, 4, 323.02579049999997,
                                               323.13010236111114, 804670.24, 0, kEverest1969);
     },
     "+proj=omerc +no_uoff +lat_0=4 +lonc=102.25 +alpha=323.0257905 +gamma=323.130102361111 "
     "+k=0.99984 +x_0=804670.24 +y_0=0 +a=6377295.664 +rf=300.8017",
     99.59, 104.6, 1.21, 6.72, kSeriesTolerance},
    {"CH1903+ / LV95 (EPSG:2056)",
     [] {
       return new CKvObliqueMercator("LV95", 1, 7.439583333333333, 46.95240555555556, 90, 2600000,
                                     1200000, kBessel);
     },
     "+proj=omerc +lat_0=46.9524055555556 +lonc=7.43958333333333 +alpha=90 +gamma=90 +k=1 "
     "+x_0=2600000 +y_0=1200000 +ellps=bessel",
     5.96, 10.49, 45.82, 47.81, kSeriesTolerance},
    {"CH1903 / LV03 (EPSG:21781)",
     [] {
       return new CKvObliqueMercator("LV03", 1, 7.439583333333333, 46.95240555555556, 90, 600000,
                                     200000, kBessel);
     },
     "+proj=omerc +lat_0=46.9524055555556 +lonc=7.43958333333333 +alpha=90 +gamma=90 +k=1 "
     "+x_0=600000 +y_0=200000 +ellps=bessel",
     5.96, 10.49, 45.82, 47.81, kSeriesTolerance},
    {"Timbalai 1948 / RSO Borneo (m) (EPSG:29873)",
     [] {
       return new CKvObliqueMercator("RSO Borneo", 0.99984, 115, 4, 53.31582047222222, 590476.87,
                                     442857.65, kEverestBorneo, 53.13010236111111);
     },
     "+proj=omerc +lat_0=4 +lonc=115 +alpha=53.3158204722222 +gamma=53.1301023611111 "
     "+k=0.99984 +x_0=590476.87 +y_0=442857.65 +a=6377298.556 +rf=300.8017",
     109.55, 119.3, 0.85, 7.37, kSeriesTolerance},
};

using ProjectionPtr = std::unique_ptr<CKvProjection>;

}  // namespace

TEST(ObliqueMercator, RealSystemsAgreeWithProjAndRoundTrip) {
  for (const OracleCase& c : kCases) CheckAgainstProj(c);
}

// Grid convergence is numeric (an arc-minute difference, good to a few
// 1e-7 degrees); PROJ's factors give it independently, and a
// sign slip of the frame would show here first.
// The inverse takes the latitude by the series in the third flattening,
// exact on the earth's ellipsoids; on a custom ellipsoid far flatter (the
// old fourth-order series in e^2 was 2e-3 degrees off at 1/f = 10) it
// iterates instead.
TEST(ObliqueMercator, InverseHoldsOnFlattenedEllipsoids) {
  for (int invF : {125, 40, 10}) {
    const CKvEllipsoid flat("flat", "FL", 6378137.0, invF);
    const std::string label = "1/f = " + std::to_string(invF);
    const OracleCase c = {
        label.c_str(),
        [&flat] {
          return new CKvHotineObliqueMercator("flat", 0.9999, -133.66666666666666, 57,
                                              323.13010236111114, 5000000, -5000000, flat);
        },
        "+proj=omerc +no_uoff +lat_0=57 +lonc=-133.666666666667 +alpha=323.130102361111 "
        "+gamma=323.130102361111 +k=0.9999 +x_0=5000000 +y_0=-5000000 +a=6378137 +rf=" +
            std::to_string(invF),
        -150.0,
        -115,
        45,
        70,
        1e-9};
    CheckAgainstProj(c);
  }
}

TEST(ObliqueMercator, ConvergenceMatchesProj) {
  ProjectionPtr alaska(kCases[0].make());
  ProjOracle proj(kCases[0].proj);
  for (double lon : {-140.0, -133.67, -130.5}) {
    for (double lat : {55.0, 58.0, 60.0}) {
      const double expected = proj.Factors(lon, lat).meridian_convergence * kvcart::kRadToDeg;
      EXPECT_NEAR(alaska->GetConvergence(lon, lat), expected, 1e-6) << lon << ", " << lat;
    }
  }
}

// The EPSG worked example of variant B (Guidance Note 7-2, RSO Borneo).
TEST(ObliqueMercator, GuidanceNoteExampleOfVariantB) {
  ProjectionPtr borneo(kCases[6].make());
  const double lon = 115 + 48 / 60.0 + 19.8196 / 3600.0, lat = 5 + 23 / 60.0 + 14.1129 / 3600.0;
  double x, y;
  borneo->Geo2Proj(lon, lat, &x, &y);
  EXPECT_NEAR(x, 679245.73, 0.005);
  EXPECT_NEAR(y, 596562.78, 0.005);
}

// With the azimuth 90 the literal arcsine argument rounds to 1 + 1e-16 and
// the general offset of the centre is 0/0; the centre must still map to the
// false origin, and points either side of it must lie either side.
TEST(ObliqueMercator, AzimuthNinetyCountsFromTheCentre) {
  ProjectionPtr lv95(kCases[4].make());
  double x, y;
  lv95->Geo2Proj(7.439583333333333, 46.95240555555556, &x, &y);
  EXPECT_NEAR(x, 2600000.0, 1e-6);
  EXPECT_NEAR(y, 1200000.0, 1e-6);
  double xWest, yWest, xEast, yEast;
  lv95->Geo2Proj(6.0, 46.95240555555556, &xWest, &yWest);
  lv95->Geo2Proj(9.0, 46.95240555555556, &xEast, &yEast);
  EXPECT_LT(xWest, 2600000.0);
  EXPECT_GT(xEast, 2600000.0);
  // The natural origin there comes from arcsines of arguments next to 1:
  // an azimuth a hair off 90 must not move the grid by more than the hair.
  for (double azimuth : {90.0 - 1e-11, 90.0 + 1e-11}) {
    CKvObliqueMercator nearly("near", 1, 7.439583333333333, 46.95240555555556, azimuth, 2600000,
                              1200000, kBessel);
    double xn, yn;
    nearly.Geo2Proj(9.0, 46.95240555555556, &xn, &yn);
    EXPECT_NEAR(xn, xEast, 1e-4);
    EXPECT_NEAR(yn, yEast, 1e-4);
  }
}

TEST(ObliqueMercator, SkewWithRotationEqualToAzimuthIsHotine) {
  CKvHotineObliqueMercator hotine("a", 0.9999, -133.66666666666666, 57, 323.13010236111114, 5000000,
                                  -5000000, kGrs80);
  CKvRectifiedSkewOrthomorphic skew("b", 0.9999, -133.66666666666666, 57, 323.13010236111114,
                                    323.13010236111114, 5000000, -5000000, kGrs80);
  for (double lon : {-139.0, -133.0, -131.0}) {
    double x1, y1, x2, y2;
    hotine.Geo2Proj(lon, 57.5, &x1, &y1);
    skew.Geo2Proj(lon, 57.5, &x2, &y2);
    EXPECT_EQ(x1, x2);
    EXPECT_EQ(y1, y2);
  }
}

// A centre on the equator has D = 1 exactly, which rounding may put just
// below 1 (NaN from sqrt(D^2 - 1) in the literal formulas). The default
// definitions of the three kinds sit there.
TEST(ObliqueMercator, CentreOnTheEquatorIsUsable) {
  CKvHotineObliqueMercator hotine("h", 0.9996, 0, 0, 0, 500000, 0, kGrs80);
  CKvObliqueMercator oblique("o", 0.9996, 0, 0, 0, 500000, 0, kGrs80);
  CKvRectifiedSkewOrthomorphic skew("s", 0.9996, 0, 0, 0, 0, 500000, 0, kGrs80);
  for (const CKvProjection* p :
       {static_cast<const CKvProjection*>(&hotine), static_cast<const CKvProjection*>(&oblique),
        static_cast<const CKvProjection*>(&skew)}) {
    double x, y, lon, lat;
    p->Geo2Proj(0, 0, &x, &y);
    EXPECT_NEAR(x, 500000.0, 1e-6);
    EXPECT_NEAR(y, 0.0, 1e-6);
    p->Geo2Proj(2.5, -1.5, &x, &y);
    p->Proj2Geo(x, y, &lon, &lat);
    EXPECT_NEAR(lon, 2.5, kSeriesTolerance);
    EXPECT_NEAR(lat, -1.5, kSeriesTolerance);
  }
}

// Longitudes are counted from the centre: another turn gives the same point,
// and the inverse answers in [-180, 180).
TEST(ObliqueMercator, LongitudesWrapAroundTheCentre) {
  CKvHotineObliqueMercator nearDateLine("d", 1, 179, 50, 30, 0, 0, kGrs80);
  double x1, y1, x2, y2, lon, lat;
  nearDateLine.Geo2Proj(-178.5, 51, &x1, &y1);
  nearDateLine.Geo2Proj(181.5, 51, &x2, &y2);
  EXPECT_NEAR(x1, x2, 1e-6);
  EXPECT_NEAR(y1, y2, 1e-6);
  nearDateLine.Proj2Geo(x1, y1, &lon, &lat);
  EXPECT_NEAR(lon, -178.5, kSeriesTolerance);
  double xs, ys;
  nearDateLine.Geo2Proj(180.0, 91.0, &xs, &ys);
  EXPECT_TRUE(std::isnan(xs) && std::isnan(ys));
}

TEST(ObliqueMercator, OriginCloneAndAnonymousEllipsoid) {
  ProjectionPtr borneo(kCases[6].make());
  double lon, lat;
  borneo->GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 115.0);
  EXPECT_EQ(lat, 4.0);
  ProjectionPtr copy(borneo->Clone());
  ASSERT_NE(dynamic_cast<CKvObliqueMercator*>(copy.get()), nullptr);
  double x1, y1, x2, y2;
  borneo->Geo2Proj(116, 5, &x1, &y1);
  copy->Geo2Proj(116, 5, &x2, &y2);
  EXPECT_EQ(x1, x2);
  EXPECT_EQ(y1, y2);
  CKvEllipsoid anonymous;
  ASSERT_TRUE(borneo->GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetMajor(), 6377298.556);
  EXPECT_EQ(anonymous.GetInvFlatness(), 300.8017);
}

// RSO Borneo counts from the centre with a grid angle of its own. Read as a
// natural-origin grid it would land 738 km away; its GDAL text
// ("Rectified_Grid_Angle"), read and written back, must keep the centre.
TEST(ObliqueMercator, CentreOriginTextKeepsItsOwnGridAngle) {
  const char kGdal29873[] =
      "PROJCS[\"Timbalai 1948 / RSO Borneo (m)\",GEOGCS[\"Timbalai 1948\",DATUM[\"Timbalai_1948\","
      "SPHEROID[\"Everest 1830 (1967 Definition)\",6377298.556,300.8017]],PRIMEM[\"Greenwich\",0],"
      "UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Hotine_Oblique_Mercator_Azimuth_Center\"],"
      "PARAMETER[\"latitude_of_center\",4],PARAMETER[\"longitude_of_center\",115],"
      "PARAMETER[\"azimuth\",53.3158204722222],PARAMETER[\"rectified_grid_angle\","
      "53.1301023611111],PARAMETER[\"scale_factor\",0.99984],PARAMETER[\"false_easting\","
      "590476.87],PARAMETER[\"false_northing\",442857.65],UNIT[\"metre\",1],"
      "AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]]";
  ProjectionPtr expected(kCases[6].make());
  double ex, ey;
  expected->Geo2Proj(116.5, 5.5, &ex, &ey);
  CKvPRJParser gdal(kGdal29873);
  ASSERT_TRUE(gdal.Parse(false));
  CString written;
  ASSERT_TRUE(gdal.Format(written));
  CKvPRJParser back(written);
  ASSERT_TRUE(back.Parse(false)) << written.GetString();
  for (const CKvPRJParser* record : {&gdal, &back}) {
    EXPECT_EQ(record->GetProjectionType(), CKvMapProjData::eObliqueMercator);
    ProjectionPtr borneo(record->CreateMapProjection());
    ASSERT_TRUE(borneo);
    double x, y;
    borneo->Geo2Proj(116.5, 5.5, &x, &y);
    EXPECT_NEAR(x, ex, 1e-3);
    EXPECT_NEAR(y, ey, 1e-3);
  }
}

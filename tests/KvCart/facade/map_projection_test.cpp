// The map-projection facade: how projection strings resolve, the axis
// conversion, copies, and the static tests on strings.
#include <gtest/gtest.h>
#include <proj.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "FacadeTestSupport.h"
#include "KvCart/core/CKvDatumShift.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using kvtest::TmWkt;

const std::string kWgs84Tm9 = TmWkt("My UTM", "WGS 84", 6378137.0, 298.257223563, 9.0);

std::string WithAxes(const std::string& first, const std::string& second) {
  return TmWkt("Axes", "WGS 84", 6378137.0, 298.257223563, 9.0, "",
               ",AXIS[\"A\"," + first + "],AXIS[\"B\"," + second + "]");
}

// Easting and northing of UTM zone 32 by PROJ (test-only oracle).
void ProjUtm32(double lon, double lat, double* e, double* n) {
  std::unique_ptr<PJ, decltype(&proj_destroy)> pj(
      proj_create(PJ_DEFAULT_CTX, "+proj=utm +zone=32 +ellps=WGS84"), proj_destroy);
  ASSERT_NE(pj, nullptr);
  const PJ_COORD out =
      proj_trans(pj.get(), PJ_FWD, proj_coord(proj_torad(lon), proj_torad(lat), 0, 0));
  *e = out.xy.x;
  *n = out.xy.y;
}

class MapProjection : public testing::Test {
 protected:
  void SetUp() override { kvtest::EnsureDatabase(); }
};

}  // namespace

TEST_F(MapProjection, EmptyTextIsTheLocalGrid) {
  const CKvMapProjection local("");
  ASSERT_NE(local.GetProjection(), nullptr);
  EXPECT_TRUE(local.IsLocal());
  EXPECT_STREQ(local.GetName(), "NON-UTM");
  EXPECT_STREQ(local.GetProjectionString(), "NON-UTM");
  double x = 0, y = 0;
  local.Geo2Proj(123.4, 56.7, &x, &y);
  EXPECT_EQ(x, 123.4);
  EXPECT_EQ(y, 56.7);
  EXPECT_TRUE(CKvMapProjection::IsLocal(local.GetProjectionString()));
}

TEST_F(MapProjection, GenericUtmThrowsAndAZoneResolvesToWellKnownText) {
  for (const char* text : {"UTM", "  UTM\t"}) {
    try {
      CKvMapProjection generic(text);
      ADD_FAILURE() << "no exception for '" << text << "'";
    } catch (const std::out_of_range& e) {
      EXPECT_STREQ(e.what(), "Can't use generic UTM");
    }
  }
  const CKvMapProjection utm(" UTM-32 ");
  ASSERT_NE(utm.GetProjection(), nullptr);
  EXPECT_STREQ(utm.GetName(), "UTM-32");
  const std::string stored = utm.GetProjectionString();
  EXPECT_EQ(stored.rfind("PROJCS[\"UTM-32\"", 0), 0u) << stored;
  CKvPRJParser parser(stored.c_str());
  ASSERT_TRUE(parser.Parse(false));
  EXPECT_EQ(parser.GetProjectionType(), CKvMapProjData::eTransverseMercator);

  // The stored text alone describes the same system as the name.
  const CKvMapProjection again(stored);
  double e1, n1, e2, n2, pe, pn;
  utm.Geo2Proj(10.5, 56.25, &e1, &n1);
  again.Geo2Proj(10.5, 56.25, &e2, &n2);
  ProjUtm32(10.5, 56.25, &pe, &pn);
  EXPECT_NEAR(e1, e2, 1e-9);
  EXPECT_NEAR(n1, n2, 1e-9);
  EXPECT_NEAR(e1, pe, 1e-4);
  EXPECT_NEAR(n1, pn, 1e-4);
}

TEST_F(MapProjection, UnknownNameGivesANullProjectionThatAnswersWithZeros) {
  const CKvMapProjection unknown("No such grid");
  EXPECT_EQ(unknown.GetProjection(), nullptr);
  EXPECT_STREQ(unknown.GetName(), "");
  EXPECT_STREQ(unknown.GetProjectionString(), "");
  EXPECT_EQ(unknown.GetConvergence(9, 50), 0.0);
  double lon = -1, lat = -1;
  unknown.GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 0.0);
  EXPECT_EQ(lat, 0.0);
  unknown.Proj2Geo(1, 2, &lon, &lat);  // writes nothing
  EXPECT_EQ(lon, 0.0);
  double x = 0, y = 0;
  unknown.Geo2Proj(3, 4, &x, &y);  // passes through
  EXPECT_EQ(x, 3.0);
  EXPECT_EQ(y, 4.0);
  EXPECT_FALSE(unknown.IsLocal());
  EXPECT_EQ(CKvMapProjection::GetProjection("No such grid", nullptr), nullptr);
}

// Regression: a text whose PROJCS and GEOGCS names were both empty came out
// as the local grid (an unnamed transverse Mercator passed every coordinate
// through unprojected). It is named by its text, as ShortName names it.
TEST_F(MapProjection, WellKnownTextWithoutNamesStillProjects) {
  std::string unnamed = TmWkt("", "WGS 84", 6378137.0, 298.257223563, 9.0);
  unnamed.replace(unnamed.find("\"GCS\""), 5, "\"\"");
  const CKvMapProjection named(kWgs84Tm9), anonymous(unnamed);
  ASSERT_NE(anonymous.GetProjection(), nullptr);
  EXPECT_FALSE(anonymous.IsLocal());
  double e1, n1, e2, n2;
  named.Geo2Proj(10.5, 56.25, &e1, &n1);
  anonymous.Geo2Proj(10.5, 56.25, &e2, &n2);
  EXPECT_EQ(e1, e2);
  EXPECT_EQ(n1, n2);
  CKvPRJParser parser(unnamed.c_str());
  ASSERT_TRUE(parser.Parse(false));
  EXPECT_EQ(parser.GetProjCSname(), CKvPRJParser::ShortName(unnamed.c_str()));
}

// Regression: a definition naming an ellipsoid the database lacks sent every
// point to the false origin. It now resolves to no projection.
TEST_F(MapProjection, DefinitionWithMissingEllipsoidGivesNoProjection) {
  const double params[5] = {1.0, 3.0, 0.0, 0.0, 0.0};
  CKvMapProjection::AddMapProjection(CKvMapProjData::CreateProjection(
      CKvMapProjData::eTransverseMercator, "Lost grid", "", "QQ", params));
  const CKvMapProjection lost("Lost grid");
  EXPECT_EQ(lost.GetProjection(), nullptr);
  void* handle = nullptr;
  int status = 0;
  EXPECT_EQ(C_KVMP_CREATE("Lost grid", &handle, &status), -1);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(handle, nullptr);
}

// File axes: the projection works in east/north, the file may hold north
// first or negated axes. Regression for the mixed case, which the plain
// order of the two conversions got wrong (it gave (N, -E) for SOUTH, EAST).
TEST_F(MapProjection, AxisDirectionsOfTheTextApplyToProjectedCoordinates) {
  const CKvMapProjection plain(kWgs84Tm9);
  double e, n;
  plain.Geo2Proj(10.0, 55.0, &e, &n);
  const struct {
    const char* first;
    const char* second;
    double x, y;
    int sysType;
  } cases[] = {{"EAST", "NORTH", e, n, 1},    {"NORTH", "EAST", n, e, 4},
               {"WEST", "SOUTH", -e, -n, 11}, {"SOUTH", "EAST", -n, e, 12},
               {"NORTH", "WEST", n, -e, 6},   {"east", "north", e, n, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " " + c.second);
    const CKvMapProjection facade(WithAxes(c.first, c.second));
    double x, y, lon, lat;
    facade.Geo2Proj(10.0, 55.0, &x, &y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(facade.GetCoordSysType(), c.sysType);
    facade.Proj2Geo(x, y, &lon, &lat);
    EXPECT_NEAR(lon, 10.0, 1e-9);
    EXPECT_NEAR(lat, 55.0, 1e-9);
  }
}

TEST_F(MapProjection, CopiesCloneTheProjectionAndKeepANullOne) {
  const CKvMapProjection null;
  const CKvMapProjection nullCopy(null);
  EXPECT_EQ(nullCopy.GetProjection(), nullptr);
  CKvMapProjection target("UTM-32");
  target = null;
  EXPECT_EQ(target.GetProjection(), nullptr);
  EXPECT_STREQ(target.GetProjectionString(), "");

  const CKvMapProjection utm("UTM-32");
  CKvMapProjection copy(utm);
  copy = copy;  // self-assignment keeps the object
  ASSERT_NE(copy.GetProjection(), nullptr);
  EXPECT_NE(copy.GetProjection(), utm.GetProjection());
  double x1, y1, x2, y2;
  utm.Geo2Proj(7.0, 51.0, &x1, &y1);
  copy.Geo2Proj(7.0, 51.0, &x2, &y2);
  EXPECT_EQ(x1, x2);
  EXPECT_EQ(y1, y2);
  EXPECT_STREQ(copy.GetProjectionString(), utm.GetProjectionString());
}

TEST_F(MapProjection, DefaultAreaFromCellsOrFromTheProjection) {
  const CKvMapProjection utm("UTM-32");
  double own[4], fromZero[4] = {0, 0, 0, 0};
  utm.GetDefaultArea(&own[0], &own[1], &own[2], &own[3]);
  utm.GetDefaultArea(0, 10, CKvMapProjection::eSizeIsWidth, 1000.0, &fromZero[0], &fromZero[1],
                     &fromZero[2], &fromZero[3]);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(fromZero[i], own[i]);
  double a[4];
  utm.GetDefaultArea(20, 10, CKvMapProjection::eSizeIsHeight, 1000.0, &a[0], &a[1], &a[2], &a[3]);
  EXPECT_DOUBLE_EQ(a[2] - a[0], 2000.0);
  EXPECT_DOUBLE_EQ(a[3] - a[1], 1000.0);
  EXPECT_DOUBLE_EQ((a[0] + a[2]) / 2, 500000.0);  // centred on the projected origin
  utm.GetDefaultArea(20, 10, CKvMapProjection::eSizeIsWidth, 1000.0, &a[0], &a[1], &a[2], &a[3]);
  EXPECT_DOUBLE_EQ(a[2] - a[0], 1000.0);
  EXPECT_DOUBLE_EQ(a[3] - a[1], 500.0);
  double untouched[4] = {1, 2, 3, 4};
  utm.GetDefaultArea(20, 10, static_cast<CKvMapProjection::ESizeParam>(3), 1000.0, &untouched[0],
                     &untouched[1], &untouched[2], &untouched[3]);
  EXPECT_EQ(untouched[0], 1.0);
}

// Regression: default areas came in the projection's east/north while every
// coordinate from the facade follows the text's axes, so for a northing-first
// or west/south system the area did not hold the projected origin.
TEST_F(MapProjection, DefaultAreasFollowTheAxesOfTheText) {
  for (const auto& [first, second] : {std::pair<const char*, const char*>{"NORTH", "EAST"},
                                      {"WEST", "SOUTH"},
                                      {"SOUTH", "WEST"}}) {
    SCOPED_TRACE(std::string(first) + " " + second);
    const CKvMapProjection facade(WithAxes(first, second));
    double lon, lat, x, y;
    facade.GetOrigin(&lon, &lat);
    facade.Geo2Proj(lon, lat, &x, &y);
    double own[4], cells[4];
    facade.GetDefaultArea(&own[0], &own[1], &own[2], &own[3]);
    facade.GetDefaultArea(20, 10, CKvMapProjection::eSizeIsWidth, 1000.0, &cells[0], &cells[1],
                          &cells[2], &cells[3]);
    for (const double* area : {own, cells}) {
      EXPECT_LT(area[0], x);
      EXPECT_GT(area[2], x);
      EXPECT_LT(area[1], y);
      EXPECT_GT(area[3], y);
    }
    EXPECT_DOUBLE_EQ(cells[2] - cells[0], 1000.0);  // the width runs along the first axis
    EXPECT_DOUBLE_EQ(cells[3] - cells[1], 500.0);
  }
}

TEST_F(MapProjection, TypeTestsOnStrings) {
  const std::string geographic =
      CKvMapProjection::IDtoProjectionString(CKvMapProjection::eWgs84Geographical);
  EXPECT_TRUE(CKvMapProjection::IsType(4, "  LONG/LAT "));
  EXPECT_FALSE(CKvMapProjection::IsType(1, "LONG/LAT"));  // a word, not a parsed type
  EXPECT_TRUE(CKvMapProjection::IsType(8, "NON-UTM"));
  EXPECT_FALSE(CKvMapProjection::IsType(3, "NON-UTM"));
  EXPECT_TRUE(CKvMapProjection::IsType(1, "UTM-32"));
  EXPECT_FALSE(CKvMapProjection::IsType(2, "UTM-32"));
  EXPECT_TRUE(CKvMapProjection::IsType(2, geographic.c_str()));
  EXPECT_FALSE(CKvMapProjection::IsType(1, geographic.c_str()));
  EXPECT_TRUE(CKvMapProjection::IsGeographical("LONG/LAT"));
  EXPECT_TRUE(CKvMapProjection::IsGeographical(geographic.c_str()));
  EXPECT_FALSE(CKvMapProjection::IsGeographical("UTM-32"));
  EXPECT_TRUE(
      CKvMapProjection::IsProjectionOfType(kWgs84Tm9.c_str(), CKvMapProjData::eTransverseMercator));
  EXPECT_THROW(CKvMapProjection::IsGeographical("UTM"), std::out_of_range);
}

TEST_F(MapProjection, ValidityAndDatumOfStrings) {
  const std::string broken = kWgs84Tm9.substr(0, kWgs84Tm9.size() - 1);  // a bracket short
  const std::string badType =
      "PROJCS[\"X\",GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137,298]],"
      "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Nowhere\"],"
      "UNIT[\"Meter\",1]]";
  const struct {
    const char* text;
    bool valid, georeferenced, datum;
  } cases[] = {{"", false, false, false},
               {"UTM", false, false, false},
               {"UTM-32", true, true, true},
               {" NON-UTM ", true, false, false},
               {"LONG/LAT", true, true, false},
               {"No such grid", false, false, false},
               {kWgs84Tm9.c_str(), true, true, true},
               {broken.c_str(), false, false, false},
               {badType.c_str(), false, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CKvMapProjection::IsValid(c.text), c.valid);
    EXPECT_EQ(CKvMapProjection::IsGeoreferenced(c.text), c.georeferenced);
    EXPECT_EQ(CKvMapProjection::HasDatum(c.text), c.datum);
  }
}

TEST_F(MapProjection, IdenticalSystemsWhateverTheirSpelling) {
  const CKvMapProjection utm32("UTM-32");
  // Same system, false easting in a unit of half a metre.
  std::string halfMetres = kWgs84Tm9;
  halfMetres.replace(halfMetres.find("\"False_Easting\",500000"), 22, "\"False_Easting\",1000000");
  halfMetres.replace(halfMetres.find("UNIT[\"Meter\",1]"), 15, "UNIT[\"Half_Meter\",0.5]");
  const std::string shifted =
      TmWkt("My UTM", "WGS 84", 6378137.0, 298.257223563, 9.0, ",TOWGS84[1,2,3,0,0,0,0]");
  const std::string bessel = TmWkt("My UTM", "Bessel", 6377397.155, 299.1528128, 9.0);
  EXPECT_TRUE(CKvMapProjection::AreIdentical("UTM-32", utm32.GetProjectionString()));
  EXPECT_TRUE(CKvMapProjection::AreIdentical("UTM-32", kWgs84Tm9.c_str()));
  EXPECT_TRUE(CKvMapProjection::AreIdentical(kWgs84Tm9.c_str(), halfMetres.c_str()));
  EXPECT_FALSE(CKvMapProjection::AreIdentical("UTM-32", "UTM-33"));
  EXPECT_FALSE(CKvMapProjection::AreIdentical(kWgs84Tm9.c_str(), shifted.c_str()));
  EXPECT_FALSE(CKvMapProjection::AreIdentical(kWgs84Tm9.c_str(), bessel.c_str()));
  EXPECT_FALSE(
      CKvMapProjection::AreIdentical(kWgs84Tm9.c_str(), WithAxes("NORTH", "EAST").c_str()));
  EXPECT_TRUE(CKvMapProjection::AreIdentical(kWgs84Tm9.c_str(), WithAxes("east", "north").c_str()));
  EXPECT_TRUE(CKvMapProjection::AreIdentical("NON-UTM", " NON-UTM"));
  // Regression: two words that are no well-known text compared equal.
  EXPECT_FALSE(CKvMapProjection::AreIdentical("NON-UTM", "LONG/LAT"));
  EXPECT_FALSE(CKvMapProjection::AreIdentical("UTM", "UTM"));
}

// Regression: only the listed parameters of the kind were compared, so a
// south-orientated transverse Mercator, a two-parallel Lambert with a scale
// on its radii and an oblique Mercator with a grid angle of its own were
// "identical" to the same text without, though each converts elsewhere.
TEST_F(MapProjection, IdenticalSystemsAgreeInWhatTheListingLeavesOut) {
  const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string frame =
      "PROJCS[\"x\",GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378206.4,294.9786982]],"
      "PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"";
  const std::string lambert =
      frame +
      "Lambert_Conformal_Conic\"],PARAMETER[\"False_Easting\",609601.2192],"
      "PARAMETER[\"False_Northing\",0],PARAMETER[\"Central_Meridian\",-87],"
      "PARAMETER[\"Standard_Parallel_1\",45.48333333333333],PARAMETER[\"Standard_Parallel_2\","
      "47.08333333333334],PARAMETER[\"Latitude_Of_Origin\",44.78333333333333],UNIT[\"m\",1]]";
  const std::string scaled = replaced(lambert, "PARAMETER[\"Latitude_Of_Origin\"",
                                      "PARAMETER[\"Scale_Factor\",1.0000382],"
                                      "PARAMETER[\"Latitude_Of_Origin\"");
  const std::string scaledByOne = replaced(scaled, "1.0000382", "1");
  const std::string south =
      replaced(kWgs84Tm9, "Transverse_Mercator", "Transverse_Mercator_South_Orientated");
  const std::string centre =
      frame +
      "Hotine_Oblique_Mercator_Azimuth_Center\"],PARAMETER[\"False_Easting\",590476.87],"
      "PARAMETER[\"False_Northing\",442857.65],PARAMETER[\"Scale_Factor\",0.99984],"
      "PARAMETER[\"Azimuth\",53.31582047222222],PARAMETER[\"Longitude_Of_Center\",115],"
      "PARAMETER[\"Latitude_Of_Center\",4],UNIT[\"m\",1]]";
  const std::string ownAngle = replaced(centre, "UNIT[\"m\",1]]",
                                        "PARAMETER[\"XY_Plane_Rotation\",53.13010236111111],"
                                        "UNIT[\"m\",1]]");
  const std::pair<std::string, std::string> differing[] = {
      {lambert, scaled}, {kWgs84Tm9, south}, {centre, ownAngle}};
  for (const auto& [a, b] : differing) {
    const CKvMapProjection first(a), second(b);
    if (first.GetProjection() == nullptr || second.GetProjection() == nullptr) continue;
    double x1, y1, x2, y2, lon, lat;
    first.GetOrigin(&lon, &lat);
    first.Geo2Proj(lon + 0.5, lat + 0.5, &x1, &y1);
    second.Geo2Proj(lon + 0.5, lat + 0.5, &x2, &y2);
    EXPECT_GT(std::hypot(x1 - x2, y1 - y2), 1.0) << b;
    EXPECT_FALSE(CKvMapProjection::AreIdentical(a.c_str(), b.c_str())) << b;
    EXPECT_TRUE(CKvMapProjection::AreIdentical(b.c_str(), b.c_str())) << b;
  }
  EXPECT_TRUE(CKvMapProjection::AreIdentical(lambert.c_str(), scaledByOne.c_str()));
}

// Regression: the zone formula gave "UTM-61" at 180 degrees and zones beyond
// 60 for longitudes past the antimeridian.
TEST_F(MapProjection, UtmZoneOfALongitude) {
  const struct {
    double lon;
    const char* zone;
  } cases[] = {{9.0, "UTM-32"},    {-180.0, "UTM-1"}, {180.0, "UTM-60"},  {179.999, "UTM-60"},
               {-3.0, "UTM-30"},   {0.0, "UTM-31"},   {-0.001, "UTM-30"}, {369.0, "UTM-32"},
               {-351.0, "UTM-32"}, {NAN, ""}};
  for (const auto& c : cases)
    EXPECT_STREQ(CKvMapProjection::LongitudeToUTMZone(c.lon), c.zone) << c.lon;
}

TEST_F(MapProjection, ShortNamesAndFixedStrings) {
  EXPECT_STREQ(CKvMapProjection::ShortName(kWgs84Tm9.c_str()), "My UTM");
  EXPECT_STREQ(CKvMapProjection::ShortName("UTM-32"), "UTM-32");
  EXPECT_STREQ(CKvMapProjection::ShortName(" NON-UTM"), "Local Coordinates");
  EXPECT_STREQ(CKvMapProjection::IDtoProjectionString(CKvMapProjection::eLongLat), "LONG/LAT");
  EXPECT_STREQ(CKvMapProjection::IDtoProjectionString(
                   static_cast<CKvMapProjection::EMapProjectionString>(9)),
               "");
  const CKvMapProjection google(
      CKvMapProjection::IDtoProjectionString(CKvMapProjection::eGoogleMapsMercator));
  EXPECT_FALSE(CKvMapProjection::IsType(2, google.GetProjectionString()));
}

TEST_F(MapProjection, UnitsAndDatumShiftOfTheText) {
  const CKvMapProjection shifted(
      TmWkt("S", "Intl", 6378388.0, 297.0, 9.0, ",TOWGS84[-87,-98,-121,0.1,0.2,0.3,1.5]"));
  CKvDatumShift shift;
  shifted.GetDatumShift(shift);
  EXPECT_EQ(shift.GetType(), CKvDatumShift::eSevenParameter);
  EXPECT_EQ(shift[3], 0.1);  // arc-seconds, as written
  double factor = 0;
  char name[64] = "";
  EXPECT_TRUE(shifted.GetUnit(CKvMapProjection::eProjectionUnit, &factor, name));
  EXPECT_EQ(factor, 1.0);
  EXPECT_STREQ(name, "Meter");
  EXPECT_TRUE(shifted.GetUnit(CKvMapProjection::eAngularUnit, &factor, name));
  EXPECT_STREQ(name, "Degree");
  EXPECT_FALSE(
      shifted.GetUnit(static_cast<CKvMapProjection::EMapProjectionInfo>(0), &factor, name));
}

TEST_F(MapProjection, StoredTextDoesNotDependOnTheProcessLocale) {
  const std::string inC = CKvMapProjection("UTM-32").GetProjectionString();
  const char* old = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old != nullptr ? old : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
  const std::string inGerman = CKvMapProjection("UTM-32").GetProjectionString();
  const bool valid = CKvMapProjection::IsValid(inGerman.c_str());
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(inGerman, inC);
  EXPECT_TRUE(valid);
}

// Names longer than the fixed buffers of projections (256 bytes) and of the
// unit and axis records (64 and 32 bytes) are cut, never written past the end.
TEST_F(MapProjection, LongNamesAreCut) {
  const std::string longName(300, 'N');
  const std::string unitName(100, 'U');
  std::string text = TmWkt(longName, "WGS 84", 6378137.0, 298.257223563, 9.0, "",
                           ",AXIS[\"" + std::string(40, 'A') + "\",EAST],AXIS[\"B\",NORTH]");
  text.replace(text.find("UNIT[\"Meter\""), 12, "UNIT[\"" + unitName + "\"");
  const CKvMapProjection facade(text);
  ASSERT_NE(facade.GetProjection(), nullptr);
  EXPECT_EQ(std::string(facade.GetName()), longName.substr(0, 255));
  char name[CKvProjectionInfo::kUnitNameSize];
  double factor = 0;
  ASSERT_TRUE(facade.GetUnit(CKvMapProjection::eProjectionUnit, &factor, name));
  EXPECT_EQ(std::string(name), unitName.substr(0, 63));
  EXPECT_EQ(std::string(facade.GetProjectionInfo().GetAxis(0).GetName()), std::string(31, 'A'));
  char flatName[300];
  int needed = 0;
  kvtest::MapProjection handle;
  int status = -1;
  ASSERT_EQ(C_KVMP_CREATE(text.c_str(), handle.Out(), &status), 0);
  EXPECT_EQ(C_KVMP_GETNAME(handle.Get(), flatName, 299, &needed), 0);
  EXPECT_EQ(std::strlen(flatName), 255u);
}

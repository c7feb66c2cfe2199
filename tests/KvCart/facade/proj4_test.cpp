// PROJ.4 strings: the terms and their order, the datum shift, units and
// prime meridian, the kinds without a PROJ form, and PROJ (a test-only
// oracle) reading every string we write as the coordinate system we convert
// with.
#include <gtest/gtest.h>
#include <proj.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "FacadeTestSupport.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/CKvProjTranslator.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

const char kUtm32[] =
    "PROJCS[\"WGS_1984_UTM_Zone_32N\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\","
    "SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],"
    "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
    "PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
    "PARAMETER[\"Central_Meridian\",9.0],PARAMETER[\"Scale_Factor\",0.9996],"
    "PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";

const char kUtm32Proj4[] =
    "+proj=tmerc +lat_0=0 +lon_0=9 +k=0.9996 +x_0=500000 +y_0=0 +a=6378137 "
    "+b=6356752.314245179 +units=m +no_defs  no_defs <>";

std::string CorpusText(const std::string& file) {
  std::ifstream in(std::string(KORACORE_SOURCE_DIR) + "/tests/data/KvCart/prj/" + file);
  std::string line;
  std::getline(in, line);
  return line;
}

std::string Translate(const std::string& text, const double* shift = nullptr, int count = 0) {
  return CKvProjTranslator().Convert2Proj4(text, shift, count);
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

struct PjDeleter {
  void operator()(PJ* pj) const { proj_destroy(pj); }
};
using PjPtr = std::unique_ptr<PJ, PjDeleter>;

// PROJ accepts the string and puts a point near the origin where the facade
// puts it: angles to 1e-9 degrees, lengths to 1 mm after PROJ's output (in
// the system's unit) is turned into metres.
void ExpectProjAgrees(const CKvMapProjection& facade, const std::string& proj4) {
  PjPtr pj(proj_create(PJ_DEFAULT_CTX, proj4.c_str()));
  ASSERT_TRUE(pj) << proj_errno_string(proj_context_errno(PJ_DEFAULT_CTX));
  double lon0 = 0, lat0 = 0;
  facade.GetOrigin(&lon0, &lat0);
  const double lon = lon0 + 0.4;
  const double lat = std::fmax(-80.0, std::fmin(80.0, lat0)) + (lat0 > 0 ? -0.3 : 0.3);
  double x = 0, y = 0;
  facade.Geo2Proj(lon, lat, &x, &y);
  const PJ_COORD out =
      proj_trans(pj.get(), PJ_FWD, proj_coord(proj_torad(lon), proj_torad(lat), 0, 0));
  if (facade.IsGeographical()) {
    EXPECT_NEAR(proj_todeg(out.lp.lam), x, 1e-9);
    EXPECT_NEAR(proj_todeg(out.lp.phi), y, 1e-9);
    return;
  }
  double metresPerUnit = 1.0;
  facade.GetUnit(CKvMapProjection::eProjectionUnit, &metresPerUnit, nullptr);
  EXPECT_NEAR(out.xy.x * metresPerUnit, x, 1e-3);
  EXPECT_NEAR(out.xy.y * metresPerUnit, y, 1e-3);
}

}  // namespace

TEST(Proj4, TransverseMercatorTermsInOrder) {
  EXPECT_EQ(Translate(kUtm32), kUtm32Proj4);
  kvtest::EnsureDatabase();
  EXPECT_EQ(Translate("UTM-32"), kUtm32Proj4);  // a database name says the same
}

TEST(Proj4, UnitsDatumShiftAndPrimeMeridian) {
  const std::string feet = Translate(CorpusText("epsg_2236.prj"));
  EXPECT_TRUE(EndsWith(feet, " +to_meter=0.304800609601219 +no_defs  no_defs <>")) << feet;
  EXPECT_NE(feet.find("+x_0=200000.0001016"), std::string::npos) << feet;  // metres

  const double three[] = {1.5, -2, 3};
  EXPECT_NE(Translate(kUtm32, three, 3).find(" +towgs84=1.5,-2,3,0,0,0,0 "), std::string::npos);
  std::string withShift = kUtm32;
  withShift.insert(withShift.find("]],PRIMEM") + 1, ",TOWGS84[-87,-98,-121,0.5,0,0,1.25]");
  EXPECT_NE(Translate(withShift).find(" +towgs84=-87,-98,-121,0.5,0,0,1.25 +units=m"),
            std::string::npos);
  const double ignored[] = {7, 7, 7};
  EXPECT_EQ(Translate(withShift, ignored, 0).find("+towgs84=7"), std::string::npos);
  EXPECT_NE(Translate(withShift, three, 1).find("+towgs84=1.5,0,0,0,0,0,0 "), std::string::npos);
  const double broken[] = {NAN, 0, 0};
  EXPECT_EQ(Translate(kUtm32, broken, 3), "");

  const std::string lisbon = Translate(CorpusText("epsg_20791.prj"));
  EXPECT_NE(lisbon.find("+lon_0=1 "), std::string::npos) << lisbon;
  EXPECT_NE(lisbon.find(" +pm=-9.13190611111111 +units=m"), std::string::npos) << lisbon;
}

// The facade gives coordinates in the order and signs of the text's axes;
// the string says the same, with the false origin turned along.
TEST(Proj4, AxesOfTheText) {
  std::string text = kUtm32;
  text.insert(text.size() - 1, ",AXIS[\"X\",NORTH],AXIS[\"Y\",WEST]");
  const std::string proj4 = Translate(text);
  EXPECT_EQ(proj4.rfind("+proj=tmerc +axis=nwu +lat_0=0 +lon_0=9 +k=0.9996 +x_0=500000 +y_0=0 ", 0),
            0u)
      << proj4;
  ExpectProjAgrees(CKvMapProjection(text), proj4);
}

TEST(Proj4, SouthOrientatedAndGeographical) {
  const std::string south = Translate(CorpusText("epsg_2046.prj"));
  EXPECT_EQ(south.rfind("+proj=tmerc +axis=wsu +lat_0=0 +lon_0=15 +k=1 ", 0), 0u) << south;
  EXPECT_EQ(Translate(CorpusText("epsg_4326.prj")),
            "+proj=longlat +a=6378137 +b=6356752.314245179 +no_defs  no_defs <>");
  kvtest::EnsureDatabase();
  EXPECT_EQ(Translate("LONG/LAT").rfind("+proj=longlat +a=6378137 ", 0), 0u);
}

// Terms of kinds whose classes other families bring (each check runs once
// the library builds that kind), and PROJ reading them as we convert.
TEST(Proj4, TermsOfTheOtherKinds) {
  const std::string frame =
      "PROJCS[\"x\",GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],"
      "PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"";
  const std::string origin =
      "PARAMETER[\"False_Easting\",0],PARAMETER[\"False_Northing\",0],"
      "PARAMETER[\"Central_Meridian\",0],";
  struct Case {
    std::string text;
    const char* expectedStart;
  } cases[] = {
      {frame + "Polar_Stereographic\"]," + origin +
           "PARAMETER[\"Scale_Factor\",1],PARAMETER[\"Latitude_Of_Origin\",-71],UNIT[\"m\",1]]",
       "+proj=stere +lat_0=-90 +lat_ts=-71 +lon_0=0 +k=1 +x_0=0 +y_0=0 "},
      {frame + "Mercator\"]," + origin + "PARAMETER[\"Standard_Parallel_1\",10],UNIT[\"m\",1]]",
       "+proj=merc +lat_ts=10 +lon_0=0 +x_0=0 +y_0=0 "},  // no scale: no +k
      {frame + "Double_Stereographic\"]," + origin +
           "PARAMETER[\"Scale_Factor\",1],PARAMETER[\"Latitude_Of_Origin\",52],UNIT[\"m\",1]]",
       "+proj=sterea +lat_0=52 "},
      {frame + "Stereographic\"]," + origin +
           "PARAMETER[\"Scale_Factor\",1],PARAMETER[\"Latitude_Of_Origin\",52],UNIT[\"m\",1]]",
       "+proj=sterea +lat_0=52 "},  // what the class computes, whatever the name
      {frame + "Stereographic\"]," + origin +
           "PARAMETER[\"Scale_Factor\",0.994],PARAMETER[\"Latitude_Of_Origin\",90],"
           "UNIT[\"m\",1]]",
       "+proj=stere +lat_0=90 +lon_0=0 +k=0.994 "},
      {frame + "Rotated_Longitude_Latitude\"],PARAMETER[\"Longitude_Of_South_Pole\",10],"
               "PARAMETER[\"Latitude_Of_South_Pole\",-40],PARAMETER[\"Angle_Of_Rotation\",0],"
               "UNIT[\"Degree\",1]]",
       "+proj=ob_tran +o_proj=longlat +o_lat_p=40 +o_lon_p=0 +lon_0=10 +a=6378137 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expectedStart);
    const CKvMapProjection facade(c.text);
    if (facade.GetProjection() == nullptr) continue;
    const std::string proj4 = Translate(c.text);
    EXPECT_EQ(proj4.rfind(c.expectedStart, 0), 0u) << proj4;
    ExpectProjAgrees(facade, proj4);
  }
}

// Regression: the Krovak's pseudo standard parallel was compared with 78.5
// in the text's angular unit, so the same system written in grads had no
// PROJ string.
TEST(Proj4, KrovakInGradsAsInDegrees) {
  const double toGrads = 10.0 / 9.0;
  const std::string grads =
      "PROJCS[\"S-JTSK grads\",GEOGCS[\"GCS_S_JTSK\",DATUM[\"D_S_JTSK\",SPHEROID[\"Bessel_1841\","
      "6377397.155,299.1528128]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Grad\",0.01570796326794897]],"
      "PROJECTION[\"Krovak\"],PARAMETER[\"False_Easting\",0.0],PARAMETER[\"False_Northing\",0.0],"
      "PARAMETER[\"Pseudo_Standard_Parallel_1\"," +
      kvtest::Num(78.5 * toGrads) + "],PARAMETER[\"Scale_Factor\",0.9999],PARAMETER[\"Azimuth\"," +
      kvtest::Num(30.28813975277778 * toGrads) + "],PARAMETER[\"Longitude_Of_Center\"," +
      kvtest::Num(24.83333333333333 * toGrads) + "],PARAMETER[\"Latitude_Of_Center\"," +
      kvtest::Num(49.5 * toGrads) +
      "],PARAMETER[\"X_Scale\",-1.0],PARAMETER[\"Y_Scale\",1.0],PARAMETER[\"XY_Plane_Rotation\"," +
      kvtest::Num(90.0 * toGrads) + "],UNIT[\"Meter\",1.0]]";
  const CKvMapProjection facade(grads);
  ASSERT_NE(facade.GetProjection(), nullptr);
  const std::string proj4 = Translate(grads);
  ASSERT_EQ(proj4.rfind("+proj=krovak ", 0), 0u) << proj4;
  ExpectProjAgrees(facade, proj4);
}

TEST(Proj4, NoProjectionGivesTheEmptyString) {
  kvtest::EnsureDatabase();
  for (const char* text : {"", "NON-UTM", "UTM", "no such grid", "PROJCS[\"x\",GEOGCS[,]"}) {
    EXPECT_EQ(Translate(text), "") << text;
  }
}

TEST(Proj4, FirstLineOfAFile) {
  const std::string path = std::string(KORACORE_TEST_WORK_DIR) + "/utm32.prj";
  std::ofstream(path) << kUtm32 << "\r\nsecond line\n";
  EXPECT_EQ(CKvProjTranslator().ConvertPRJFile2Proj4(path, nullptr, 0), kUtm32Proj4);
  EXPECT_EQ(CKvProjTranslator().ConvertPRJFile2Proj4(path + ".missing", nullptr, 0), "");
}

// Regression: the first line was read whole however long, so a path to a
// device or a large binary file took memory without bound. A line past
// 1 MiB is no coordinate system.
TEST(Proj4, FirstLineIsBounded) {
  const std::string path = std::string(KORACORE_TEST_WORK_DIR) + "/endless.prj";
  std::ofstream(path) << kUtm32 << std::string(std::size_t{2} << 20, ' ');
  EXPECT_EQ(CKvProjTranslator().ConvertPRJFile2Proj4(path, nullptr, 0), "");
  std::filesystem::remove(path);
  // A path that opens but cannot be read is an unreadable file, not an error.
  EXPECT_EQ(CKvProjTranslator().ConvertPRJFile2Proj4(KORACORE_TEST_WORK_DIR, nullptr, 0), "");
}

TEST(Proj4, NumbersIgnoreTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8";
  const std::string text = Translate(kUtm32);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(text, kUtm32Proj4);
}

// Every .prj of the corpus whose kind the library builds: PROJ accepts our
// string and puts a point near the origin where our facade puts it, after
// PROJ's output (in the system's unit) is turned into metres.
TEST(Proj4, ProjReadsEveryStringAsOurSystem) {
  const std::filesystem::path folder =
      std::filesystem::path(KORACORE_SOURCE_DIR) / "tests/data/KvCart/prj";
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".prj") continue;
    const std::string wkt = CorpusText(entry.path().filename().string());
    const CKvMapProjection facade(wkt);
    if (facade.GetProjection() == nullptr) continue;  // family not built yet
    const std::string proj4 = Translate(wkt);
    SCOPED_TRACE(entry.path().filename().string() + ": " + proj4);
    ASSERT_FALSE(proj4.empty());
    ExpectProjAgrees(facade, proj4);
    ++compared;
  }
  EXPECT_GE(compared, 15);
}

// Writing the record as well-known text: the exact line, numbers in any
// process locale, reading back every kind, the buffer form and the readable
// (indented) form.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "KvCart/text/CKvPRJParser.h"
#include "WktSamples.h"

namespace {

using Type = CKvMapProjData::EProjectionType;

// The frame every projection writes through TransferParameters.
CKvPRJParser FramedRecord(Type type, const char* typeName) {
  CKvPRJParser p;
  p.SetProjCSname("Grid");
  p.SetGeoCSname("Unused");
  p.SetDatum("Branch");
  p.SetPrimeMeridian("Greenwich", 0.0);
  p.SetAngularUnit("Degree", 0.017453292519943295);
  p.SetEllipsoid("WGS 84", 6378137.0, 298.257223563);
  p.SetProjectionType(type);
  p.SetProjectionTypeName(typeName);
  p.SetProjUnit("Meter", 1.0);
  return p;
}

// Every parameter field set to a value of its own, so a value written under
// the wrong name or read into the wrong field shows.
void SetAllParameters(CKvPRJParser& p) {
  p.SetFalseEasting(500000.25);
  p.SetFalseNorthing(-1000.5);
  p.SetCentralMeridian(9.125);
  p.SetStandardParallel1(41.5);
  p.SetStandardParallel2(47.75);
  p.SetScaleFactor(0.9996);
  p.SetLatitudeOfOrigin(45.0000000000001);
  p.SetLongitudeOfCenter(14.25);
  p.SetLatitudeOfCenter(49.5);
  p.SetAzimuth(30.28813972222222);
  p.SetXYPlaneRotation(-8.5);
  p.SetLongitudeOfSouthPole(18.0);
  p.SetLatitudeOfSouthPole(-39.25);
  p.SetAngleOfRotation(0.5);
  p.SetPseudoParallel(78.5);
  p.SetXScale(1.0001);
  p.SetYScale(0.9999);
}

struct ScopedLocale {
  explicit ScopedLocale(const char* name) : saved(std::setlocale(LC_ALL, nullptr)) {
    active = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~ScopedLocale() { std::setlocale(LC_ALL, saved.c_str()); }
  std::string saved;
  bool active = false;
};

}  // namespace

TEST(PrjFormat, LambertRecordIsOneExactLine) {
  CKvPRJParser p = FramedRecord(CKvMapProjData::eLambert2SP, "Lambert_Conformal_Conic_2SP");
  p.SetFalseEasting(0);
  p.SetFalseNorthing(0);
  p.SetCentralMeridian(10);
  p.SetStandardParallel1(5);
  p.SetStandardParallel2(60.5);
  p.SetLatitudeOfOrigin(0);
  CString text;
  ASSERT_TRUE(p.Format(text));
  EXPECT_EQ(text,
            "PROJCS[\"Grid\",GEOGCS[\"Unused\",DATUM[\"Branch\",SPHEROID[\"WGS 84\",6378137,"
            "298.257223563]],PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]],"
            "PROJECTION[\"Lambert_Conformal_Conic_2SP\"],PARAMETER[\"False_Easting\",0],"
            "PARAMETER[\"False_Northing\",0],PARAMETER[\"Central_Meridian\",10],"
            "PARAMETER[\"Standard_Parallel_1\",5],PARAMETER[\"Standard_Parallel_2\",60.5],"
            "PARAMETER[\"Latitude_Of_Origin\",0],UNIT[\"Meter\",1]]");
}

TEST(PrjFormat, UnsetValuesAreWrittenAsTheUnsetNumber) {
  CKvPRJParser p = FramedRecord(CKvMapProjData::eMercator1SP, "Mercator_1SP");
  CString text;
  ASSERT_TRUE(p.Format(text));
  EXPECT_NE(text.Find("PARAMETER[\"Scale_Factor\",-1e-35]"), -1) << text.GetString();
}

TEST(PrjFormat, UndefinedKindStopsAfterProjection) {
  CKvPRJParser p = FramedRecord(CKvMapProjData::eUndefined, "Whatever");
  CString text;
  EXPECT_FALSE(p.Format(text));
  EXPECT_EQ(text.Right(23), "PROJECTION[\"Whatever\"],");
  char buffer[2048] = "untouched";
  EXPECT_FALSE(p.Format(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "untouched");
}

TEST(PrjFormat, BufferNeedsRoomForTheTerminatingZero) {
  CKvPRJParser p(wkt_samples::kUtm32.c_str());
  ASSERT_TRUE(p.Parse(false));
  CString text;
  ASSERT_TRUE(p.Format(text));
  std::string buffer(static_cast<size_t>(text.GetLength()) + 1, 'x');
  EXPECT_FALSE(p.Format(&buffer[0], text.GetLength()));
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_TRUE(p.Format(&buffer[0], text.GetLength() + 1));
  EXPECT_EQ(std::string(buffer.c_str()), text.GetString());
  EXPECT_FALSE(p.Format(nullptr, 100));
}

// Every kind the reader knows comes back from its own text as the same kind,
// and writing it again gives the same text.
TEST(PrjFormat, FormatThenParseKeepsEveryKind) {
  const char* names[] = {"Transverse_Mercator",
                         "Lambert_Conformal_Conic_2SP",
                         "Lambert_Conformal_Conic_1SP",
                         "Stereographic",
                         "New_Zealand_Map_Grid",
                         "Hotine_Oblique_Mercator_Azimuth_Natural_Origin",
                         "Hotine_Oblique_Mercator_Azimuth_Center",
                         "Rectified_Skew_Orthomorphic_Natural_Origin",
                         "Rotated_Longitude_Latitude",
                         "Mercator_2SP",
                         "Mercator_1SP",
                         "Stereographic_North_Pole",
                         "Stereographic_South_Pole",
                         "Geographical",
                         "Krovak",
                         "Albers_Conic_Equal_Area",
                         "Lambert_Azimuthal_Equal_Area",
                         "Cassini_Soldner",
                         "Equidistant_Conic",
                         "Polar_Stereographic",
                         "Non_Projected"};
  for (int t = 1; t <= 21; ++t) {
    const auto type = static_cast<Type>(t);
    CKvPRJParser written = FramedRecord(type, names[t - 1]);
    SetAllParameters(written);
    if (type == CKvMapProjData::eHotineObliqueMercator ||
        type == CKvMapProjData::eObliqueMercator) {
      written.SetXYPlaneRotation(written.GetAzimuth());  // the reader's default
    }
    CString text, again;
    ASSERT_TRUE(written.Format(text)) << t;
    CKvPRJParser read(text);
    ASSERT_TRUE(read.Parse(false)) << text.GetString();
    EXPECT_EQ(read.GetProjectionType(), type) << text.GetString();
    ASSERT_TRUE(read.Format(again));
    EXPECT_EQ(again, text) << t;
  }
}

// A Hotine text whose grid angle differs from its azimuth is a rectified
// skew orthomorphic; written back under the Hotine name it would read as
// Hotine without rotation, so the writer names the kind it is.
TEST(PrjFormat, KindChangedByTheValidityRuleReadsBackTheSame) {
  const std::string hotine = wkt_samples::Projected(
      "Hotine_Oblique_Mercator",
      wkt_samples::Param("False_Easting", "0") + "," + wkt_samples::Param("False_Northing", "0") +
          "," + wkt_samples::Param("Longitude_Of_Center", "10") + "," +
          wkt_samples::Param("Latitude_Of_Center", "50") + "," +
          wkt_samples::Param("Azimuth", "30") + "," + wkt_samples::Param("Scale_Factor", "1") +
          "," + wkt_samples::Param("Rectified_Grid_Angle", "31"));
  CKvPRJParser first(hotine.c_str());
  ASSERT_TRUE(first.Parse(false));
  CString text;
  ASSERT_TRUE(first.Format(text));
  CKvPRJParser second(text);
  ASSERT_TRUE(second.Parse(false));
  EXPECT_EQ(second.GetProjectionType(), CKvMapProjData::eRectifiedSkewOrthomorphic);
  EXPECT_EQ(second.GetXYPlaneRotation(), 31.0);

  // An oblique Mercator from the centre writes a grid angle of its own.
  CKvPRJParser centre =
      FramedRecord(CKvMapProjData::eObliqueMercator, "Hotine_Oblique_Mercator_Azimuth_Center");
  SetAllParameters(centre);
  ASSERT_TRUE(centre.Format(text));
  CKvPRJParser centreRead(text);
  ASSERT_TRUE(centreRead.Parse(false));
  EXPECT_EQ(centreRead.GetProjectionType(), CKvMapProjData::eObliqueMercator);
  EXPECT_EQ(centreRead.GetXYPlaneRotation(), -8.5);

  // A record filled without a PROJECTION name is written with its kind's name.
  CKvPRJParser unnamed = FramedRecord(CKvMapProjData::eCassiniSoldner, "");
  SetAllParameters(unnamed);
  ASSERT_TRUE(unnamed.Format(text));
  EXPECT_NE(text.Find("PROJECTION[\"Cassini_Soldner\"]"), -1);
}

// Regression: a two-parallel Lambert text with a scale on its radii (the
// Michigan zones) was written without the scale, which the Lambert class
// applies, so the text read back as a system metres away. A record without
// a scale keeps the six parameters of the kind.
TEST(PrjFormat, TwoParallelLambertKeepsItsScale) {
  const std::string michigan = wkt_samples::Projected(
      "Lambert_Conformal_Conic",
      wkt_samples::Param("False_Easting", "2000000") + "," +
          wkt_samples::Param("False_Northing", "0") + "," +
          wkt_samples::Param("Central_Meridian", "-87") + "," +
          wkt_samples::Param("Standard_Parallel_1", "45.48333333333333") + "," +
          wkt_samples::Param("Standard_Parallel_2", "47.08333333333334") + "," +
          wkt_samples::Param("Scale_Factor", "1.0000382") + "," +
          wkt_samples::Param("Latitude_Of_Origin", "44.78333333333333"));
  CKvPRJParser first(michigan.c_str());
  ASSERT_TRUE(first.Parse(false));
  ASSERT_EQ(first.GetProjectionType(), CKvMapProjData::eLambert2SP);
  CString text;
  ASSERT_TRUE(first.Format(text));
  CKvPRJParser second(text);
  ASSERT_TRUE(second.Parse(false));
  EXPECT_EQ(second.GetScaleFactor(), 1.0000382) << text.GetString();

  CKvPRJParser plain = FramedRecord(CKvMapProjData::eLambert2SP, "Lambert_Conformal_Conic_2SP");
  ASSERT_TRUE(plain.Format(text));
  EXPECT_EQ(text.Find("Scale_Factor"), -1) << text.GetString();
}

TEST(PrjFormat, NumbersIgnoreTheProcessLocale) {
  CKvPRJParser p = FramedRecord(CKvMapProjData::eTransverseMercator, "Transverse_Mercator");
  SetAllParameters(p);
  CString before;
  ASSERT_TRUE(p.Format(before));
  const ScopedLocale german("de_DE.UTF-8");
  if (!german.active) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  CString text;
  ASSERT_TRUE(p.Format(text));
  EXPECT_EQ(text, before);
  EXPECT_NE(text.Find("0.9996"), -1);
  CKvPRJParser read(text);
  ASSERT_TRUE(read.Parse(false));
  EXPECT_EQ(read.GetScaleFactor(), 0.9996);
  EXPECT_EQ(read.GetFalseNorthing(), -1000.5);
}

TEST(PrjFormat, ReadableFormPutsEachElementOnItsOwnLine) {
  CString readable;
  CKvPRJParser::FormatAsReadableWKT(wkt_samples::kUtm32.c_str(), readable);
  const std::string text = readable.GetString();
  EXPECT_EQ(text.substr(0, 31), "PROJCS[\"Test\",\r\n    GEOGCS[\"GCS");
  EXPECT_NE(text.find("\r\n        DATUM[\"D_WGS_1984\",\r\n            SPHEROID["),
            std::string::npos);
  EXPECT_NE(text.find("]],\r\n        PRIMEM["), std::string::npos);
  EXPECT_NE(text.find("]],\r\n    PROJECTION["), std::string::npos);
  EXPECT_NE(text.find(",\r\n    UNIT[\"Meter\",1.0]]"), std::string::npos);
  std::string joined;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") != 0) {
      joined += text[i];
      continue;
    }
    i += 1;
    while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  EXPECT_EQ(joined, wkt_samples::kUtm32);
}
